// Which palette entry a formula value selects.
#pragma once

#include "common/FpuMath.h"

#include <cstdint>

// (v mod high) + 1 with the truncating remainder. A value negative as a
// 32-bit integer uses the remainder's magnitude, so the index stays within
// 1..high instead of reaching below the palette. high = 0 divides by zero;
// for an empty palette (high = -1) every remainder is 0 and the index is 1,
// which the palette then refuses.
// The palette offset as a drawing applies it: o modulo high, never
// negative; 0 for palettes under two colours, where turning changes nothing.
inline int32_t NormalPaletteOffset(int64_t o, int32_t high)
{
    if (high < 1) return 0;
    const int64_t r = o % high;
    return static_cast<int32_t>(r < 0 ? r + high : r);
}

// Index i in 1..high turned by a normal offset: 1 + ((i - 1 + offset) mod
// high). Indices outside 1..high stay as they are.
inline int32_t OffsetPaletteIndex(int32_t i, int32_t high, int32_t offset)
{
    if (i < 1 || i > high) return i;
    const int32_t j = i + offset; // offset < high, so no overflow
    return j > high ? j - high : j;
}

inline int32_t PaletteIndex(int32_t v, int32_t high)
{
    if (high > 0) {
        const int32_t r = v % high;
        return (r < 0 ? -r : r) + 1;
    }
    if (high == 0) fpu::RaiseZeroDivide();
    // high <= -1: compute in 64 bits so INT32_MIN mod -1 is simply 0.
    const int64_t r = int64_t{v} % int64_t{high};
    return static_cast<int32_t>((r < 0 ? -r : r) + 1);
}
