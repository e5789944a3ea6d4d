// Painters for typed formulas with point move 0, where x depends on the
// column only and y on the row only (see ExpressionSplit.h): the parts in x
// alone are computed once per column, those in y alone once per row.
#pragma once

#include "engine/AxisPainter.h"

#include <memory>

// A typed formula whose per-pixel code is one addition, subtraction or
// multiplication of a column's value and a row's value (or one of them
// alone), as a per-axis painter that the vector painter can take over. Null
// for every other drawing.
std::unique_ptr<TMove0Painter> MakeSeparableExpressionPainter(const DrawSetup& setup);

// Any other typed formula: the code left per pixel runs four pixels at a time
// with one dispatch per instruction. Null unless the point move is 0, the
// formula a typed one and the palette has two colours or more.
std::unique_ptr<TRowPainter> MakeExpressionPainter(const DrawSetup& setup);
