// Shade-off in bands of rows, one band per thread. Writing in place, a band
// needs the original of the row above the one it writes, which it keeps in a
// rolling buffer, and the originals of the rows just outside it, which the
// neighbouring bands overwrite and which are therefore saved before anything
// is written.
#include "engine/ImageEffect.h"

#include <algorithm>
#include <atomic>
#include <cstring>
#include <system_error>
#include <thread>
#include <vector>

namespace {

// One output row from the original rows above, at and below it; b is the
// byte of a column's channel, its neighbours 3 bytes away.
void BlurRow(const uint8_t* up, const uint8_t* mid, const uint8_t* down, uint8_t* out, int rowBytes)
{
    const auto edge = [&](int b) {
        const int l = b >= 3 ? b - 3 : b;
        const int r = b + 3 < rowBytes ? b + 3 : b;
        const int s = up[l] + up[b] + up[r] + mid[l] + 2 * mid[b] + mid[r] + down[l] + down[b] + down[r];
        return static_cast<uint8_t>(s / 10);
    };
    const int inner = std::max(rowBytes - 3, 3);
    for (int b = 0; b < std::min(3, rowBytes); ++b) out[b] = edge(b);
    // The interior without clamping, in a form the compiler turns into vector code.
    for (int b = 3; b < inner; ++b) {
        const unsigned s =
            up[b - 3] + up[b] + up[b + 3] + mid[b - 3] + 2u * mid[b] + mid[b + 3] + down[b - 3] + down[b] + down[b + 3];
        out[b] = static_cast<uint8_t>(s / 10);
    }
    for (int b = inner; b < rowBytes; ++b) out[b] = edge(b);
}

struct Band {
    int first = 0;
    int last = 0;
    std::vector<uint8_t> above; // original of row first - 1, if any
    std::vector<uint8_t> below; // original of row last, if any
    std::vector<uint8_t> rows;  // two rows: the original of the current and of the previous row
};

void BlurBand(TBitmap24& bitmap, Band& band, int rowBytes)
{
    const int h = bitmap.Height();
    uint8_t* current = band.rows.data();
    uint8_t* previous = current + rowBytes;
    for (int i = band.first; i < band.last; ++i) {
        std::memcpy(current, bitmap.Row(i), static_cast<size_t>(rowBytes));
        const uint8_t* up = i > band.first ? previous : (i > 0 ? band.above.data() : current);
        const uint8_t* down = i + 1 < band.last ? bitmap.Row(i + 1) : (i + 1 < h ? band.below.data() : current);
        BlurRow(up, current, down, bitmap.Row(i), rowBytes);
        std::swap(current, previous);
    }
}

} // namespace

void ApplyShadeOff(TBitmap24& bitmap, int threads)
{
    if (bitmap.Empty()) return;
    const int h = bitmap.Height();
    const int rowBytes = bitmap.Width() * 3;
    const size_t bytes = static_cast<size_t>(rowBytes);
    const int count = std::clamp(threads, 1, h);
    std::vector<Band> bands(static_cast<size_t>(count));
    for (int k = 0; k < count; ++k) {
        Band& band = bands[static_cast<size_t>(k)];
        band.first = static_cast<int>(int64_t{h} * k / count);
        band.last = static_cast<int>(int64_t{h} * (k + 1) / count);
        band.rows.resize(2 * bytes);
        if (band.first > 0) band.above.assign(bitmap.Row(band.first - 1), bitmap.Row(band.first - 1) + bytes);
        if (band.last < h) band.below.assign(bitmap.Row(band.last), bitmap.Row(band.last) + bytes);
    }

    std::atomic<int> next{0};
    const auto work = [&] {
        for (int k = next.fetch_add(1); k < count; k = next.fetch_add(1))
            BlurBand(bitmap, bands[static_cast<size_t>(k)], rowBytes);
    };
    std::vector<std::thread> helpers;
    helpers.reserve(static_cast<size_t>(count - 1));
    for (int k = 1; k < count; ++k) {
        try {
            helpers.emplace_back(work);
        } catch (const std::system_error&) {
            break; // fewer threads only make it slower
        }
    }
    work();
    for (auto& t : helpers) t.join();
}

void ShadeOffRow(const uint8_t* up, const uint8_t* mid, const uint8_t* down, uint8_t* out, int rowBytes)
{
    BlurRow(up, mid, down, out, rowBytes);
}
