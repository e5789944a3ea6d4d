// The five point moves and their catalogue. All arithmetic is extended; a
// product that leaves the extended range fails as an overflow before it can
// reach a sine (which would otherwise quietly answer 0).
#include "UPointMove.h"

#include "Exceptions.h"
#include "Format.h"
#include "FpuMath.h"

using fpu::Checked;

long double TPM_0::GetX(int32_t x, int32_t) const { return x; }
long double TPM_0::GetY(int32_t, int32_t y) const { return y; }

long double TPM_1::GetX(int32_t x, int32_t y) const
{
    return Checked(x + Param.a * fpu::Sin(Checked(Param.b * y)));
}

long double TPM_1::GetY(int32_t x, int32_t y) const
{
    return Checked(y + Param.c * fpu::Sin(Checked(Param.d * x)));
}

namespace {

// Extended 2*pi as the drawing has always written it.
constexpr long double kTwoPi = 6.283185307179586477L;

struct Rotation {
    long double x;
    long double y;
};

// The pixel turned about the image centre by an angle that grows with the
// square root of its distance from the centre.
Rotation Rotate(const TPointMove& pm, int32_t x, int32_t y)
{
    const int32_t cx = pm.Width / 2;
    const int32_t cy = pm.Height / 2;
    // 64-bit differences keep far-off positions from wrapping; inside the
    // image the values are the 32-bit ones.
    const int64_t dx = int64_t{x} - cx;
    const int64_t dy = int64_t{y} - cy;
    const int64_t r2 = dx * dx + dy * dy;
    const double root = static_cast<double>(fpu::Sqrt(static_cast<long double>(r2)));
    const double rho = static_cast<double>(fpu::Sqrt(static_cast<long double>(root)));
    const double theta = fpu::ToDoubleArg(Checked(kTwoPi * rho * pm.Param.a) / 10);
    const long double c = fpu::Cos(theta);
    const long double s = fpu::Sin(theta);
    const long double ldx = static_cast<long double>(dx);
    const long double ldy = static_cast<long double>(dy);
    return {ldx * c - ldy * s + cx, ldx * s + ldy * c + cy};
}

} // namespace

long double TPM_2::GetX(int32_t x, int32_t y) const
{
    return static_cast<long double>(fpu::Round(Rotate(*this, x, y).x));
}

long double TPM_2::GetY(int32_t x, int32_t y) const
{
    return static_cast<long double>(fpu::Round(Rotate(*this, x, y).y));
}

long double TPM_3::GetX(int32_t x, int32_t y) const { return Checked(x + Checked(Param.a * y)); }
long double TPM_3::GetY(int32_t x, int32_t y) const { return Checked(y + Checked(Param.b * x)); }

long double TPM_4::GetX(int32_t x, int32_t y) const
{
    return Checked(x + Param.a * std::fabs(fpu::Sin(Checked(Param.b * y))));
}

long double TPM_4::GetY(int32_t x, int32_t y) const
{
    return Checked(y + Param.c * std::fabs(fpu::Sin(Checked(Param.d * x))));
}

std::unique_ptr<TPointMove> TPointMoveBox::GetPointMove(int32_t index)
{
    switch (index) {
    case 0: return std::make_unique<TPM_0>();
    case 1: return std::make_unique<TPM_1>();
    case 2: return std::make_unique<TPM_2>();
    case 3: return std::make_unique<TPM_3>();
    case 4: return std::make_unique<TPM_4>();
    default: throw ERangeError(Format("No Exist PointMove: PointMove[%d]", index));
    }
}

std::string TPointMoveBox::GetPointMoveName(int32_t index)
{
    static const char* const kNames[] = {
        "x := x, y := y",
        "x := x + a*sin(b*y), y := y + c*sin(d*x)",
        "x := 回転(a), y := 回転(a)",
        "x := x + a*y, y := y + b*x",
        "x := x + a*abs(sin(b*y)), y := y + c*abs(sin(d*x))",
    };
    if (index < 0 || index >= PointMoveCount())
        throw ERangeError(Format("No Exist Point Move Name: GetPointMoveName[%d]", index));
    return kNames[index];
}
