// Shade-off: every sum reads an untouched working copy, so the result does
// not depend on the order in which pixels are visited.
#include "engine/ImageEffect.h"

#include <algorithm>

void ApplyShadeOff(TBitmap24& bitmap)
{
    const int h = bitmap.Height();
    const int w = bitmap.Width();
    if (bitmap.Empty()) return;
    const TBitmap24 copy(bitmap);
    const int rowBytes = w * 3;
    for (int i = 0; i < h; ++i) {
        const uint8_t* up = copy.Row(std::max(i - 1, 0));
        const uint8_t* mid = copy.Row(i);
        const uint8_t* down = copy.Row(std::min(i + 1, h - 1));
        uint8_t* out = bitmap.Row(i);
        for (int b = 0; b < rowBytes; ++b) {
            // b is the byte of column j, channel b % 3; neighbours are 3 bytes away.
            const int l = b >= 3 ? b - 3 : b;
            const int r = b + 3 < rowBytes ? b + 3 : b;
            const int s = up[l] + up[b] + up[r] + mid[l] + 2 * mid[b] + mid[r] + down[l] + down[b] + down[r];
            out[b] = static_cast<uint8_t>(s / 10);
        }
    }
}
