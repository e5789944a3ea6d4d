// Byte triples of a palette, split the way the per-pixel code splits them.
#include "palette/PaletteBytes.h"

#include "palette/ColorSplit.h"
#include "palette/PaletteIndex.h"

TPaletteBytes::TPaletteBytes(const TMcf& mcf, int32_t offset) : entries_(static_cast<size_t>(mcf.High) + 1)
{
    for (size_t i = 0; i < entries_.size(); ++i) {
        const auto from = static_cast<size_t>(OffsetPaletteIndex(static_cast<int32_t>(i), mcf.High, offset));
        const colorsplit::Channels c = colorsplit::Split(mcf.Colors[from]);
        entries_[i] = static_cast<uint32_t>(c.b) | static_cast<uint32_t>(c.g) << 8 | static_cast<uint32_t>(c.r) << 16;
    }
    const auto high = static_cast<uint32_t>(mcf.High);
    lookup_ = {entries_.data(), UINT64_MAX / high + 1, high};
}
