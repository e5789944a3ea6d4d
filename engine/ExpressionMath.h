// The operations of the formula language in extended precision. Operands are
// always finite (every result is checked before it can become one), so a
// failure is found by looking at the operands or at the one result, never by
// a processor trap; each raises the message the drawing has always given.
#pragma once

#include "engine/FpuMath.h"

#include <cmath>

namespace exprmath {

using fpu::Checked;

inline long double Add(long double a, long double b) { return Checked(a + b); }
inline long double Sub(long double a, long double b) { return Checked(a - b); }
inline long double Mul(long double a, long double b) { return Checked(a * b); }

// 0 / 0 has no value at all; anything else over 0 is a division by zero.
inline long double Div(long double a, long double b)
{
    if (b == 0) {
        if (a == 0) fpu::RaiseInvalidOp();
        fpu::RaiseZeroDivide();
    }
    return Checked(a / b);
}

// Remainder of the truncating division, sign of a; exact.
inline long double Mod(long double a, long double b)
{
    if (b == 0) fpu::RaiseZeroDivide();
    return std::fmod(a, b);
}

inline long double Pow(long double a, long double b)
{
    // A square is the one power people write for x*x; the library's pow may
    // round it differently from a single multiplication.
    if (b == 2) return Checked(a * a);
    if (a == 0 && b < 0) fpu::RaiseZeroDivide();
    const long double r = std::pow(a, b);
    if (std::isnan(r)) fpu::RaiseInvalidOp(); // negative base, fractional power
    return Checked(r);
}

// fptan reduces arguments below 2^63 only; beyond that, as for sine and
// cosine, the result is 0.
inline long double Tan(long double x)
{
    if (!(std::fabs(x) < fpu::kTrigLimit)) return 0.0L;
#if defined(__x86_64__) || defined(__i386__)
    // fptan pushes 1 above the tangent; popping it leaves the tangent.
    asm("fptan\n\tfstp %%st(0)" : "+t"(x) : : "st(1)");
    return x;
#else
    return std::tan(x);
#endif
}

inline long double Sqrt(long double x)
{
    if (x < 0) fpu::RaiseInvalidOp();
    return fpu::Sqrt(x);
}

inline long double Exp(long double x) { return Checked(std::exp(x)); }

inline long double Ln(long double x)
{
    if (x < 0) fpu::RaiseInvalidOp();
    if (x == 0) fpu::RaiseZeroDivide();
    return std::log(x);
}

// Ties to even, like every other rounding in the program.
inline long double Round(long double x) { return std::nearbyint(x); }

// On equal operands (0 and -0) the first one wins.
inline long double Min(long double a, long double b) { return b < a ? b : a; }
inline long double Max(long double a, long double b) { return b > a ? b : a; }

inline long double Hypot(long double a, long double b) { return Checked(std::hypot(a, b)); }

} // namespace exprmath
