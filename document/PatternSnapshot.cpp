#include "document/PatternSnapshot.h"

#include <algorithm>
#include <cmath>

namespace {

bool SameReal(long double a, long double b)
{
    if (std::isnan(a) || std::isnan(b)) return std::isnan(a) && std::isnan(b);
    return a == b && std::signbit(a) == std::signbit(b);
}

bool SamePoint(const TFloatPoint& a, const TFloatPoint& b) { return SameReal(a.X, b.X) && SameReal(a.Y, b.Y); }

} // namespace

bool SamePattern(const TPatternSnapshot& a, const TPatternSnapshot& b)
{
    const TPointMoveParam& p = a.PointMoveParam;
    const TPointMoveParam& q = b.PointMoveParam;
    return a.FormulaType == b.FormulaType && a.FormulaName == b.FormulaName && a.PointMoveType == b.PointMoveType &&
           SameReal(p.a, q.a) && SameReal(p.b, q.b) && SameReal(p.c, q.c) && SameReal(p.d, q.d) &&
           SamePoint(a.Center, b.Center) && SamePoint(a.Incremental, b.Incremental) && a.Width == b.Width &&
           a.Height == b.Height && SameReal(a.ColorChange, b.ColorChange) && a.ShadeOff == b.ShadeOff &&
           a.PaletteOffset == b.PaletteOffset &&
           (a.Palette == b.Palette || (a.Palette && b.Palette && SamePalette(*a.Palette, *b.Palette)));
}

bool SamePalette(const TMcf& a, const TMcf& b)
{
    return a.High == b.High && std::equal(a.Colors.begin(), a.Colors.begin() + (a.High + 1), b.Colors.begin()) &&
           a.FileName == b.FileName && a.Text == b.Text && a.Builtin == b.Builtin;
}

TPatternSnapshot StartupPattern()
{
    TPatternSnapshot s;
    s.Center = FloatPoint(0, 0);
    s.Incremental = FloatPoint(1, 1);
    s.Width = 400;
    s.Height = 400;
    TMcf builtin;
    builtin.SetDefault();
    s.Palette = std::make_shared<const TMcf>(std::move(builtin));
    return s;
}
