// The building blocks of the row painters: how a pixel position is moved,
// how a formula is evaluated and how a value becomes pixel bytes, each for
// the built-in classes with the same inline arithmetic as their own
// operations, and for any other class through its virtual operations.
#pragma once

#include "engine/FormulaMath.h"
#include "engine/PointMoveMath.h"
#include "engine/RowPainter.h"
#include "palette/ColorSplit.h"
#include "palette/PaletteBytes.h"
#include "palette/PaletteIndex.h"

#include <typeinfo>

namespace pixelkinds {

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
// Moves 1, 3 and 4 shift x by a term of y and y by a term of x.
struct Move1 {
    static long double XTerm(const TPointMove& m, int32_t y) { return pm::SineTerm(m.Param.a, m.Param.b, y); }
    static long double YTerm(const TPointMove& m, int32_t x) { return pm::SineTerm(m.Param.c, m.Param.d, x); }
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
    static long double XTerm(const TPointMove& m, int32_t y) { return pm::LinearTerm(m.Param.a, y); }
    static long double YTerm(const TPointMove& m, int32_t x) { return pm::LinearTerm(m.Param.b, x); }
    static Moved At(const TPointMove& m, int32_t x, int32_t y)
    {
        return {pm::LinearShift(x, m.Param.a, y), pm::LinearShift(y, m.Param.b, x)};
    }
};
struct Move4 {
    static long double XTerm(const TPointMove& m, int32_t y) { return pm::AbsSineTerm(m.Param.a, m.Param.b, y); }
    static long double YTerm(const TPointMove& m, int32_t x) { return pm::AbsSineTerm(m.Param.c, m.Param.d, x); }
    static Moved At(const TPointMove& m, int32_t x, int32_t y)
    {
        return {pm::AbsSineShift(x, m.Param.a, m.Param.b, y), pm::AbsSineShift(y, m.Param.c, m.Param.d, x)};
    }
};

// Formula kinds.
struct AnyFormula {
    static int32_t Calc(const TFormula& f, double x, double y) { return f.Calc(x, y); }
};
template <class Parts>
struct Builtin {
    static int32_t Calc(const TFormula& f, double x, double y) { return Parts::Value(x, y, f.ColorChange); }
};

// The plane coordinate of a moved position, rounded to a double for the
// formula; an overflow shows up here.
inline double PlaneX(const DrawSetup& s, long double mx) { return fpu::ToDoubleArg(s.left + mx * s.incX); }
inline double PlaneY(const DrawSetup& s, long double my) { return fpu::ToDoubleArg(s.top + my * s.incY); }

// The value of one pixel the whole way: move, plane, formula.
template <class Move, class Formula>
int32_t PixelValue(const DrawSetup& s, int32_t col, int32_t row)
{
    const Moved m = Move::At(s.pointMove, col, row);
    const double x = PlaneX(s, m.x);
    const double y = PlaneY(s, m.y);
    return Formula::Calc(s.formula, x, y);
}

// Palette kinds: a value into pixel bytes.
// Through the remainder and the palette's own range check, as every drawing
// did at first; the only way for palettes below two colours.
class DivisionPalette {
public:
    DivisionPalette(const TMcf& mcf, int32_t offset)
        : mcf_(mcf), high_(mcf.High), offset_(offset), colors_(mcf.Colors.data())
    {
    }
    void Put(uint8_t* p, int32_t v) const
    {
        const int32_t index = PaletteIndex(v, high_);
        if (index > high_) mcf_.GetColor(index); // raises the palette's range error
        const colorsplit::Channels c = colorsplit::Split(colors_[OffsetPaletteIndex(index, high_, offset_)]);
        p[0] = static_cast<uint8_t>(c.b);
        p[1] = static_cast<uint8_t>(c.g);
        p[2] = static_cast<uint8_t>(c.r);
    }

private:
    const TMcf& mcf_;
    int32_t high_;
    int32_t offset_;
    const int32_t* colors_;
};

// Ready bytes and a remainder without division.
class BytePalette {
public:
    explicit BytePalette(const TPaletteLookup& lookup) : lookup_(lookup) {}
    void Put(uint8_t* p, int32_t v) const { PutPixel(p, lookup_.Pixel(v)); }

private:
    TPaletteLookup lookup_;
};

// Calls fn with the kind type of the formula: Builtin<Parts> for the built-in
// classes (final, so their exact type decides), AnyFormula otherwise.
template <class Fn>
auto WithFormulaKind(const TFormula& f, Fn&& fn)
{
    const std::type_info& t = typeid(f);
    if (t == typeid(TFormula_sqrX_plus_sqrY)) return fn(Builtin<fm::SqrXPlusSqrYParts>{});
    if (t == typeid(TFormula_sqrX_minus_sqrY)) return fn(Builtin<fm::SqrXMinusSqrYParts>{});
    if (t == typeid(TFormula_sqrX_plus_Y)) return fn(Builtin<fm::SqrXPlusYParts>{});
    if (t == typeid(TFormula_X_plus_Y)) return fn(Builtin<fm::XPlusYParts>{});
    if (t == typeid(TFormula_X_multi_Y)) return fn(Builtin<fm::XMultiYParts>{});
    if (t == typeid(TFormula_sinX_plus_Y)) return fn(Builtin<fm::SinXPlusYParts>{});
    if (t == typeid(TFormula_sinX_plus_sinY)) return fn(Builtin<fm::SinXPlusSinYParts>{});
    return fn(AnyFormula{});
}

template <class Fn>
auto WithMoveKind(const TPointMove& m, Fn&& fn)
{
    const std::type_info& t = typeid(m);
    if (t == typeid(TPM_0)) return fn(Move0{});
    if (t == typeid(TPM_1)) return fn(Move1{});
    if (t == typeid(TPM_2)) return fn(Move2{});
    if (t == typeid(TPM_3)) return fn(Move3{});
    if (t == typeid(TPM_4)) return fn(Move4{});
    return fn(AnyMove{});
}

} // namespace pixelkinds
