// Row painters, one per built-in point move and formula pair plus a generic
// one. The per-pixel arithmetic comes from the same inline functions as the
// classes' own operations, so every painter gives the same bytes.
#include "engine/RowPainter.h"

#include "engine/ColorSplit.h"
#include "engine/FormulaMath.h"
#include "engine/PaletteIndex.h"
#include "engine/PointMoveMath.h"

#include <typeinfo>

namespace {

namespace pm = pointmovemath;
namespace fm = formulamath;

// Point-move kinds: the moved position of a pixel, the two coordinates
// computed as GetX and GetY compute them.
using Moved = pm::Rotation;

struct AnyMove {
    static Moved At(const TPointMove& m, int32_t x, int32_t y) { return {m.GetX(x, y), m.GetY(x, y)}; }
};
struct Move0 {
    static Moved At(const TPointMove&, int32_t x, int32_t y)
    {
        return {static_cast<long double>(x), static_cast<long double>(y)};
    }
};
struct Move1 {
    static Moved At(const TPointMove& m, int32_t x, int32_t y)
    {
        return {pm::SineShift(x, m.Param.a, m.Param.b, y), pm::SineShift(y, m.Param.c, m.Param.d, x)};
    }
};
// GetX and GetY each take their half of the same rotation; here it is
// computed once.
struct Move2 {
    static Moved At(const TPointMove& m, int32_t x, int32_t y)
    {
        return pm::Rotate(m.Width, m.Height, m.Param.a, x, y);
    }
};
struct Move3 {
    static Moved At(const TPointMove& m, int32_t x, int32_t y)
    {
        return {pm::LinearShift(x, m.Param.a, y), pm::LinearShift(y, m.Param.b, x)};
    }
};
struct Move4 {
    static Moved At(const TPointMove& m, int32_t x, int32_t y)
    {
        return {pm::AbsSineShift(x, m.Param.a, m.Param.b, y), pm::AbsSineShift(y, m.Param.c, m.Param.d, x)};
    }
};

// Formula kinds.
struct AnyFormula {
    static int32_t Calc(const TFormula& f, double x, double y) { return f.Calc(x, y); }
};
template <int32_t (*Fn)(double, double, double)>
struct Builtin {
    static int32_t Calc(const TFormula& f, double x, double y) { return Fn(x, y, f.ColorChange); }
};

template <class Move, class Formula>
void PaintRow(const DrawSetup& s, TBitmap24& bitmap, int row)
{
    // Locals, so calls and byte stores in the loop cannot make the compiler
    // fetch them again.
    const TPointMove& move = s.pointMove;
    const TFormula& formula = s.formula;
    const TMcf& mcf = s.mcf;
    const int32_t high = mcf.High;
    const int32_t* colors = mcf.Colors.data();
    const int width = s.width;
    const long double incX = s.incX, incY = s.incY, left = s.left, top = s.top;
    uint8_t* p = bitmap.Row(row);
    for (int col = 0; col < width; ++col) {
        const Moved m = Move::At(move, col, row);
        const double x = fpu::ToDoubleArg(left + m.x * incX);
        const double y = fpu::ToDoubleArg(top + m.y * incY);
        const int32_t v = Formula::Calc(formula, x, y);
        const int32_t index = PaletteIndex(v, high);
        if (index > high) mcf.GetColor(index); // raises the palette's range error
        const colorsplit::Channels c = colorsplit::Split(colors[index]);
        p[0] = static_cast<uint8_t>(c.b);
        p[1] = static_cast<uint8_t>(c.g);
        p[2] = static_cast<uint8_t>(c.r);
        p += 3;
    }
}

template <class Move>
PaintRowFn ForFormula(const TFormula& f)
{
    const std::type_info& t = typeid(f);
    if (t == typeid(TFormula_sqrX_plus_sqrY)) return &PaintRow<Move, Builtin<fm::SqrXPlusSqrY>>;
    if (t == typeid(TFormula_sqrX_minus_sqrY)) return &PaintRow<Move, Builtin<fm::SqrXMinusSqrY>>;
    if (t == typeid(TFormula_sqrX_plus_Y)) return &PaintRow<Move, Builtin<fm::SqrXPlusY>>;
    if (t == typeid(TFormula_X_plus_Y)) return &PaintRow<Move, Builtin<fm::XPlusY>>;
    if (t == typeid(TFormula_X_multi_Y)) return &PaintRow<Move, Builtin<fm::XMultiY>>;
    if (t == typeid(TFormula_sinX_plus_Y)) return &PaintRow<Move, Builtin<fm::SinXPlusY>>;
    if (t == typeid(TFormula_sinX_plus_sinY)) return &PaintRow<Move, Builtin<fm::SinXPlusSinY>>;
    return &PaintRow<Move, AnyFormula>;
}

} // namespace

PaintRowFn SelectRowPainter(const TPointMove& move, const TFormula& formula)
{
    // The built-in classes are final, so their exact type decides.
    const std::type_info& t = typeid(move);
    if (t == typeid(TPM_0)) return ForFormula<Move0>(formula);
    if (t == typeid(TPM_1)) return ForFormula<Move1>(formula);
    if (t == typeid(TPM_2)) return ForFormula<Move2>(formula);
    if (t == typeid(TPM_3)) return ForFormula<Move3>(formula);
    if (t == typeid(TPM_4)) return ForFormula<Move4>(formula);
    return ForFormula<AnyMove>(formula);
}
