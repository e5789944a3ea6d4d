// The point moves' arithmetic as inline functions, shared by the virtual
// GetX/GetY and the drawing loop's devirtualised path. A product that leaves
// the extended range fails as an overflow before it can reach a sine (which
// would otherwise quietly answer 0).
#pragma once

#include "common/FpuMath.h"
#include "engine/UPointMove.h"

#include <cstdint>

namespace pointmovemath {

using fpu::Checked;

// Point moves 1, 3 and 4 shift a coordinate by a term of the other
// coordinate alone. The term and the shifted value are separate steps, so a
// drawing can compute each row's and each column's term once and still form
// exactly what the whole expression forms.
inline long double SineTerm(long double amp, long double freq, int32_t other)
{
    return amp * fpu::Sin(Checked(freq * other));
}

inline long double AbsSineTerm(long double amp, long double freq, int32_t other)
{
    return amp * std::fabs(fpu::Sin(Checked(freq * other)));
}

inline long double LinearTerm(long double k, int32_t other) { return Checked(k * other); }

inline long double Shifted(int32_t base, long double term) { return Checked(base + term); }

inline long double SineShift(int32_t base, long double amp, long double freq, int32_t other)
{
    return Shifted(base, SineTerm(amp, freq, other));
}

inline long double AbsSineShift(int32_t base, long double amp, long double freq, int32_t other)
{
    return Shifted(base, AbsSineTerm(amp, freq, other));
}

inline long double LinearShift(int32_t base, long double k, int32_t other)
{
    return Shifted(base, LinearTerm(k, other));
}

// Extended 2*pi as the drawing has always written it.
constexpr long double kTwoPi = 6.283185307179586477L;

struct Rotation {
    long double x;
    long double y;
};

// The cosine and sine of the angle a pixel is turned by: everything of the
// rotation that depends on its squared distance r2 from the centre alone, so
// pixels at the same distance may share it. The angle grows with the square
// root of the distance.
struct Turn {
    long double c;
    long double s;
};

inline Turn TurnAt(int64_t r2, long double a)
{
    const double root = static_cast<double>(fpu::Sqrt(static_cast<long double>(r2)));
    const double rho = static_cast<double>(fpu::Sqrt(static_cast<long double>(root)));
    const double theta = fpu::ToDoubleArg(Checked(kTwoPi * rho * a) / 10);
    return {fpu::Cos(theta), fpu::Sin(theta)};
}

// The offsets dx, dy from the centre (cx, cy) turned; both results whole
// numbers.
inline Rotation Turned(int64_t dx, int64_t dy, int32_t cx, int32_t cy, const Turn& t)
{
    const long double ldx = static_cast<long double>(dx);
    const long double ldy = static_cast<long double>(dy);
    return {static_cast<long double>(fpu::Round(ldx * t.c - ldy * t.s + cx)),
            static_cast<long double>(fpu::Round(ldx * t.s + ldy * t.c + cy))};
}

// The pixel turned about the image centre.
inline Rotation Rotate(int32_t width, int32_t height, long double a, int32_t x, int32_t y)
{
    const int32_t cx = width / 2;
    const int32_t cy = height / 2;
    // 64-bit differences keep far-off positions from wrapping; inside the
    // image the values are the 32-bit ones.
    const int64_t dx = int64_t{x} - cx;
    const int64_t dy = int64_t{y} - cy;
    return Turned(dx, dy, cx, cy, TurnAt(dx * dx + dy * dy, a));
}

} // namespace pointmovemath
