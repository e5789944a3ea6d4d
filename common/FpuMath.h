// The processor's extended-precision sine, cosine, square root and rounding,
// with arithmetic failures turned into the program's exceptions by explicit
// checks. Everything here sits on the per-pixel path, so it is inline and the
// throwing is kept out of line.
#pragma once

#include <cmath>
#include <cstdint>

namespace fpu {

[[noreturn]] void RaiseOverflow();
[[noreturn]] void RaiseInvalidOp();
[[noreturn]] void RaiseZeroDivide();

// fsin and fcos only reduce arguments below 2^63; beyond that the result is
// taken as 0, as the drawing has always done.
constexpr long double kTrigLimit = 0x1p63L;

inline long double Sin(long double x)
{
    if (!(std::fabs(x) < kTrigLimit)) return std::isnan(x) ? x : 0.0L;
#if defined(__x86_64__) || defined(__i386__)
    asm("fsin" : "+t"(x));
    return x;
#else
    return std::sin(x);
#endif
}

inline long double Cos(long double x)
{
    if (!(std::fabs(x) < kTrigLimit)) return std::isnan(x) ? x : 0.0L;
#if defined(__x86_64__) || defined(__i386__)
    asm("fcos" : "+t"(x));
    return x;
#else
    return std::cos(x);
#endif
}

// Correctly rounded extended square root; callers pass values >= 0.
inline long double Sqrt(long double x)
{
#if defined(__x86_64__) || defined(__i386__)
    asm("fsqrt" : "+t"(x));
    return x;
#else
    return std::sqrt(x);
#endif
}

// A product or sum of finite operands that came out infinite has overflowed.
inline long double Checked(long double v)
{
    if (std::isinf(v)) RaiseOverflow();
    return v;
}

// An extended coordinate rounded to a double for a formula call. An infinite
// or undefined extended value can only come from an overflow further up, and
// a finite one beyond the double range overflows here.
inline bool ToFiniteDouble(long double v, double& d)
{
    d = static_cast<double>(v);
    return std::isfinite(d);
}

inline double ToDoubleArg(long double v)
{
    double d;
    if (!ToFiniteDouble(v, d)) RaiseOverflow();
    return d;
}

// Nearest integer, ties to even (the default rounding mode, which nothing in
// the program changes). NaN and values outside the signed 64-bit range fail
// as an invalid operation.
inline int64_t Round(long double v)
{
#if defined(__x86_64__) || defined(__i386__)
    int64_t i;
    asm("fistpll %0" : "=m"(i) : "t"(v) : "st");
    // fistp answers INT64_MIN for every failure; only a value that really
    // rounds to -2^63 may give it.
    if (i == INT64_MIN && !(v < 0 && v >= -0x1p63L)) RaiseInvalidOp();
    return i;
#else
    const long double r = std::nearbyint(v);
    if (!(r >= -0x1p63L && r < 0x1p63L)) RaiseInvalidOp();
    return static_cast<int64_t>(r);
#endif
}

} // namespace fpu
