// The formulas' arithmetic as inline functions, so the virtual Calc and the
// drawing loops compute exactly the same values.
//
// Every formula is a part that depends on x only and a part that depends on
// y only, joined by one extended addition (formula 4: multiplication). The
// per-pixel code and the per-axis tables of a drawing both go through these
// parts, so a table entry is the very value the pixel would have formed.
#pragma once

#include "common/FpuMath.h"

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

inline long double Square(double v)
{
    const long double l = v;
    return l * l;
}

// x*x - y*y is x*x + (-(y*y)): negation is exact and rounding to nearest is
// symmetric, so both give the same extended value.
inline long double MinusSquare(double v) { return -Square(v); }

inline long double Plain(double v) { return v; }

inline long double HundredSin(double v) { return 100.0L * fpu::Sin(static_cast<long double>(v)); }

inline long double TwoHundredSinTenth(double v) { return 200.0L * fpu::Sin(static_cast<long double>(v) / 10.0L); }

// One formula as its two parts.
template <long double (*XPart)(double), long double (*YPart)(double), bool Product>
struct Parts {
    static constexpr bool kProduct = Product;
    static long double X(double x) { return XPart(x); }
    static long double Y(double y) { return YPart(y); }
    static long double Join(long double a, long double b) { return Product ? a * b : a + b; }
    static int32_t Value(double x, double y, double cc) { return Finish(Join(X(x), Y(y)), cc); }
    // The product Finish rounds.
    static long double Raw(double x, double y, double cc) { return Join(X(x), Y(y)) * cc; }
};

using SqrXPlusSqrYParts = Parts<Square, Square, false>;
using SqrXMinusSqrYParts = Parts<Square, MinusSquare, false>;
using SqrXPlusYParts = Parts<Square, Plain, false>;
using XPlusYParts = Parts<Plain, Plain, false>;
using XMultiYParts = Parts<Plain, Plain, true>;
using SinXPlusYParts = Parts<HundredSin, Plain, false>;
using SinXPlusSinYParts = Parts<TwoHundredSinTenth, TwoHundredSinTenth, false>;

inline int32_t SqrXPlusSqrY(double x, double y, double cc) { return SqrXPlusSqrYParts::Value(x, y, cc); }
inline int32_t SqrXMinusSqrY(double x, double y, double cc) { return SqrXMinusSqrYParts::Value(x, y, cc); }
inline int32_t SqrXPlusY(double x, double y, double cc) { return SqrXPlusYParts::Value(x, y, cc); }
inline int32_t XPlusY(double x, double y, double cc) { return XPlusYParts::Value(x, y, cc); }
inline int32_t XMultiY(double x, double y, double cc) { return XMultiYParts::Value(x, y, cc); }
inline int32_t SinXPlusY(double x, double y, double cc) { return SinXPlusYParts::Value(x, y, cc); }
inline int32_t SinXPlusSinY(double x, double y, double cc) { return SinXPlusSinYParts::Value(x, y, cc); }

} // namespace formulamath
