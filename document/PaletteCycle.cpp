// The entry picture of colour cycling and its steps.
#include "document/PaletteCycle.h"

#include "common/Texts.h"
#include "document/MainOperations.h"
#include "engine/ImageEffect.h"
#include "palette/PaletteBytes.h"

#include <algorithm>
#include <thread>

// Draws the entry picture the way the command-line renderer draws: straight
// into the bitmap, no window to serve meanwhile.
class TPaletteCycle::THost final : public IMainHost {
public:
    TMainOperations* ops = nullptr;

    void StopDraw() override
    {
        ops->Pattern().Stop();
        ops->Pattern().WaitUntilSuspended();
    }
    void StartDraw() override
    {
        StopDraw();
        ops->BeginDrawing();
    }
    std::string PaletteDirectory() const override { return {}; }
    void ShowMessage(const std::string&) override {}
    void ErrorDialog(const std::string&) override {}
};

TPaletteCycle::TPaletteCycle(const TMainOperations& source) : host_(std::make_unique<THost>())
{
    ops_ = std::make_unique<TMainOperations>(*host_, std::string(), TCanvasUse::DrawInto);
    host_->ops = ops_.get();
    TPatternSnapshot pattern = source.Snapshot();
    // Entries, not colours: no blur, and no palette file to read.
    pattern.ShadeOff = false;
    pattern.Palette.reset();
    // The entry picture names plain entries; each step turns them itself.
    pattern.PaletteOffset = 0;
    ops_->Restore(pattern);

    const TMcf& palette = source.Pattern().Mcf();
    TMcf& entries = ops_->Pattern().Mcf();
    entries.Clear();
    // Every entry number below 2^24 is a colour value of its own; no file
    // holds more entries than that.
    if (palette.High >= kMostEntries) {
        refusal_ = TText::tr("色を回せません。ﾊﾟﾚｯﾄの色が多すぎます。");
        return;
    }
    for (int32_t i = 0; i <= palette.High; ++i) entries.Add(i);
    if (palette.High >= 1) {
        const TPaletteBytes bytes(palette);
        const uint32_t* first = bytes.Lookup().entries;
        entries_.assign(first, first + palette.High + 1);
    }
    shadeOff_ = source.ShadeOff();
    // A palette of fewer than two colours fails here as it fails a drawing.
    // The new renderer's worker may not be idle yet; the host waits for it.
    host_->StartDraw();
}

TPaletteCycle::~TPaletteCycle()
{
    // The renderer's destructor stops and joins its worker.
    ops_.reset();
}

bool TPaletteCycle::Ready() const { return !refusal_.empty() || ops_->Pattern().Suspended(); }

void TPaletteCycle::Wait() const { ops_->Pattern().WaitUntilSuspended(); }

std::string TPaletteCycle::Error() const
{
    if (!refusal_.empty()) return refusal_;
    return Ready() ? ops_->Pattern().ErrorMessage() : std::string();
}

int32_t TPaletteCycle::OffsetEntry(int32_t i, int32_t offset, int32_t high)
{
    if (high < 1 || i < 1 || i > high) return i;
    const int64_t turn = ((int64_t{offset} % high) + high) % high;
    return static_cast<int32_t>(1 + (int64_t{i} - 1 + turn) % high);
}

void TPaletteCycle::Paint(int32_t offset, TBitmap24& target) const
{
    const TBitmap24& plane = ops_->ImageBitmap();
    if (!refusal_.empty() || entries_.size() < 2 || target.Width() != plane.Width() ||
        target.Height() != plane.Height())
        return;
    const auto high = static_cast<uint32_t>(entries_.size() - 1);
    const auto turn = static_cast<uint32_t>(((int64_t{offset} % high) + high) % high);
    // The turned palette as one table, entry i at place i, so a pixel is a
    // single look-up; entry 0 (never drawn in a whole picture) stays.
    std::vector<uint32_t>& table = turned_;
    table.resize(entries_.size());
    table[0] = entries_[0];
    for (uint32_t i = 1; i <= high; ++i) {
        uint32_t j = i - 1 + turn; // both below high: no division
        if (j >= high) j -= high;
        table[i] = entries_[1 + j];
    }
    const uint32_t* turned = table.data();
    const int width = plane.Width();
    for (int y = 0; y < plane.Height(); ++y) {
        const uint8_t* from = plane.Row(y);
        uint8_t* to = target.Row(y);
        for (int x = 0; x < width; ++x, from += 3, to += 3) {
            const uint32_t i = uint32_t{from[0]} << 16 | uint32_t{from[1]} << 8 | from[2];
            PutPixel(to, turned[std::min(i, high)]);
        }
    }
    if (shadeOff_) ApplyShadeOff(target, static_cast<int>(std::max(1u, std::thread::hardware_concurrency())));
}
