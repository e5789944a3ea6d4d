// The code a typed formula leaves per pixel (ExpressionSplit.h), run four
// pixels at a time: one dispatch per instruction for four pixels, the four
// values held in registers, failures found after the fact from the
// processor's sticky exception flags.
#pragma once

#include "engine/ExpressionSplit.h"
#include "engine/PixelKinds.h"

#include <memory>

namespace exprpixels {

// The whole per-pixel code, for pixels whose parts or code failed.
inline int32_t Whole(const DrawSetup& s, int col, int row)
{
    return pixelkinds::PixelValue<pixelkinds::Move0, pixelkinds::AnyFormula>(s, col, row);
}

// A column's x or a row's y as the per-pixel code forms it; false where it
// is no finite double (the pixel's own code raises the overflow there).
inline bool ColumnX(const DrawSetup& s, int col, double& x) { return fpu::ToFiniteDouble(s.left + col * s.incX, x); }
inline bool RowY(const DrawSetup& s, int row, double& y) { return fpu::ToFiniteDouble(s.top + row * s.incY, y); }

} // namespace exprpixels

// Point move 0 and a typed formula; the palette has two colours or more.
std::unique_ptr<TRowPainter> MakeLanePainter(const DrawSetup& setup, TExpressionSplit split);
