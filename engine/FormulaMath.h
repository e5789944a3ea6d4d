// The formulas' arithmetic as inline functions, so the virtual Calc and the
// drawing loop's devirtualised path compute exactly the same values.
#pragma once

#include "engine/FpuMath.h"

#include <cstdint>

namespace formulamath {

// P = E * ColorChange rounded, magnitude taken (unsigned, so |INT64_MIN| is
// fine), low 32 bits kept as a signed value.
inline int32_t Finish(long double e, double colorChange)
{
    const int64_t r = fpu::Round(e * colorChange);
    const uint64_t magnitude = r < 0 ? uint64_t{0} - static_cast<uint64_t>(r) : static_cast<uint64_t>(r);
    return static_cast<int32_t>(static_cast<uint32_t>(magnitude));
}

inline int32_t SqrXPlusSqrY(double x, double y, double cc)
{
    const long double lx = x, ly = y;
    return Finish(lx * lx + ly * ly, cc);
}

inline int32_t SqrXMinusSqrY(double x, double y, double cc)
{
    const long double lx = x, ly = y;
    return Finish(lx * lx - ly * ly, cc);
}

inline int32_t SqrXPlusY(double x, double y, double cc)
{
    const long double lx = x, ly = y;
    return Finish(lx * lx + ly, cc);
}

inline int32_t XPlusY(double x, double y, double cc)
{
    const long double lx = x, ly = y;
    return Finish(lx + ly, cc);
}

inline int32_t XMultiY(double x, double y, double cc)
{
    const long double lx = x, ly = y;
    return Finish(lx * ly, cc);
}

inline int32_t SinXPlusY(double x, double y, double cc)
{
    const long double lx = x, ly = y;
    return Finish(100.0L * fpu::Sin(lx) + ly, cc);
}

inline int32_t SinXPlusSinY(double x, double y, double cc)
{
    const long double lx = x, ly = y;
    return Finish(200.0L * fpu::Sin(lx / 10.0L) + 200.0L * fpu::Sin(ly / 10.0L), cc);
}

} // namespace formulamath
