// The operations of the formula language in extended precision, in two
// kinds. Checked (kCheck true): operands are always finite, so a failure is
// found by looking at the operands or at the one result, never by a
// processor trap, and each raises the message the drawing has always given.
// Unchecked: the same value whenever the checked operation has one, and a
// non-finite value (infinity or NaN) exactly where the checked one fails.
#pragma once

#include "common/FpuMath.h"

#include <cmath>

namespace exprmath {

template <bool kCheck>
inline long double Checked(long double v)
{
    return kCheck ? fpu::Checked(v) : v;
}

template <bool kCheck>
inline long double Add(long double a, long double b)
{
    return Checked<kCheck>(a + b);
}
template <bool kCheck>
inline long double Sub(long double a, long double b)
{
    return Checked<kCheck>(a - b);
}
template <bool kCheck>
inline long double Mul(long double a, long double b)
{
    return Checked<kCheck>(a * b);
}

// 0 / 0 has no value at all; anything else over 0 is a division by zero.
template <bool kCheck>
inline long double Div(long double a, long double b)
{
    if (kCheck && b == 0) {
        if (a == 0) fpu::RaiseInvalidOp();
        fpu::RaiseZeroDivide();
    }
    return Checked<kCheck>(a / b);
}

// Remainder of the truncating division, sign of a; exact.
template <bool kCheck>
inline long double Mod(long double a, long double b)
{
    if (kCheck && b == 0) fpu::RaiseZeroDivide();
    return std::fmod(a, b);
}

template <bool kCheck>
inline long double Pow(long double a, long double b)
{
    // A square is the one power people write for x*x; the library's pow may
    // round it differently from a single multiplication.
    if (b == 2) return Checked<kCheck>(a * a);
    if (kCheck && a == 0 && b < 0) fpu::RaiseZeroDivide();
    const long double r = std::pow(a, b);
    if (kCheck && std::isnan(r)) fpu::RaiseInvalidOp(); // negative base, fractional power
    return Checked<kCheck>(r);
}

// fptan reduces arguments below 2^63 only; beyond that, as for sine and
// cosine, the result is 0.
inline long double Tan(long double x)
{
    if (!(std::fabs(x) < fpu::kTrigLimit)) return std::isnan(x) ? x : 0.0L;
#if defined(__x86_64__) || defined(__i386__)
    // fptan pushes 1 above the tangent; popping it leaves the tangent.
    asm("fptan\n\tfstp %%st(0)" : "+t"(x) : : "st(1)");
    return x;
#else
    return std::tan(x);
#endif
}

template <bool kCheck>
inline long double Sqrt(long double x)
{
    if (kCheck && x < 0) fpu::RaiseInvalidOp();
    return fpu::Sqrt(x);
}

template <bool kCheck>
inline long double Exp(long double x)
{
    return Checked<kCheck>(std::exp(x));
}

template <bool kCheck>
inline long double Ln(long double x)
{
    if (kCheck && x < 0) fpu::RaiseInvalidOp();
    if (kCheck && x == 0) fpu::RaiseZeroDivide();
    return std::log(x);
}

// Ties to even, like every other rounding in the program.
inline long double Round(long double x) { return std::nearbyint(x); }

// Never fail; templates only to share the others' form. On equal operands
// (0 and -0) the first one wins.
template <bool kCheck>
inline long double Min(long double a, long double b)
{
    return b < a ? b : a;
}
template <bool kCheck>
inline long double Max(long double a, long double b)
{
    return b > a ? b : a;
}
template <bool kCheck>
inline long double Atan2(long double a, long double b)
{
    return std::atan2(a, b);
}

template <bool kCheck>
inline long double Hypot(long double a, long double b)
{
    return Checked<kCheck>(std::hypot(a, b));
}

} // namespace exprmath
