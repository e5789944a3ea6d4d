// The five point moves and their catalogue; the arithmetic itself is in
// PointMoveMath.h.
#include "engine/UPointMove.h"

#include "common/Exceptions.h"
#include "common/Format.h"
#include "common/Texts.h"
#include "engine/PointMoveMath.h"

using namespace pointmovemath;

long double TPM_0::GetX(int32_t x, int32_t) const { return x; }
long double TPM_0::GetY(int32_t, int32_t y) const { return y; }

long double TPM_1::GetX(int32_t x, int32_t y) const { return SineShift(x, Param.a, Param.b, y); }
long double TPM_1::GetY(int32_t x, int32_t y) const { return SineShift(y, Param.c, Param.d, x); }

long double TPM_2::GetX(int32_t x, int32_t y) const { return Rotate(Width, Height, Param.a, x, y).x; }
long double TPM_2::GetY(int32_t x, int32_t y) const { return Rotate(Width, Height, Param.a, x, y).y; }

long double TPM_3::GetX(int32_t x, int32_t y) const { return LinearShift(x, Param.a, y); }
long double TPM_3::GetY(int32_t x, int32_t y) const { return LinearShift(y, Param.b, x); }

long double TPM_4::GetX(int32_t x, int32_t y) const { return AbsSineShift(x, Param.a, Param.b, y); }
long double TPM_4::GetY(int32_t x, int32_t y) const { return AbsSineShift(y, Param.c, Param.d, x); }

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
    // Shown in the drawing settings only; the rotation's word is translated.
    static const char* const kNames[] = {
        "x := x, y := y",
        "x := x + a*sin(b*y), y := y + c*sin(d*x)",
        TText::Noop("x := 回転(a), y := 回転(a)"),
        "x := x + a*y, y := y + b*x",
        "x := x + a*abs(sin(b*y)), y := y + c*abs(sin(d*x))",
    };
    if (index < 0 || index >= PointMoveCount())
        throw ERangeError(Format("No Exist Point Move Name: GetPointMoveName[%d]", index));
    return TText::tr(kNames[index]);
}
