// One row of a drawing: point move, mapping onto the plane, formula, palette
// lookup and the pixel bytes.
#pragma once

#include "bitmap/Bitmap24.h"
#include "engine/UFormula.h"
#include "engine/UMcf.h"
#include "engine/UPointMove.h"

// What a drawing needs per pixel, read once when it starts and shared
// read-only by every thread that draws rows.
struct DrawSetup {
    const TPointMove& pointMove;
    const TFormula& formula;
    const TMcf& mcf;
    int width;
    long double incX;
    long double incY;
    long double left; // Center.X - Width * Incremental.X / 2
    long double top;  // Center.Y - Height * Incremental.Y / 2
};

using PaintRowFn = void (*)(const DrawSetup& setup, TBitmap24& bitmap, int row);

// The row painter for this pair. For the built-in classes it is compiled
// for exactly that pair, with no calls in the pixel loop and the same
// arithmetic as their GetX, GetY and Calc; any other class goes through its
// virtual operations.
PaintRowFn SelectRowPainter(const TPointMove& pointMove, const TFormula& formula);
