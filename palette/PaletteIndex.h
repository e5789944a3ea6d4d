// Which palette entry a formula value selects.
#pragma once

#include "common/FpuMath.h"

#include <cstdint>

// (v mod high) + 1 with the truncating remainder. A value negative as a
// 32-bit integer uses the remainder's magnitude, so the index stays within
// 1..high instead of reaching below the palette. high = 0 divides by zero;
// for an empty palette (high = -1) every remainder is 0 and the index is 1,
// which the palette then refuses.
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
