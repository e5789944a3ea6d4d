// The text of the status panel that follows the pointer over the picture.
#pragma once

#include "engine/PixelProbe.h"

#include <string>

// value with the decimals that tell it from its neighbours step apart and no
// more: rounded to the largest power of ten not above |step|, without
// trailing zeros, so no rounding noise shows ("-2.77555756156289E-17" next
// to pixels 0.84 apart is "0"). Very large values and very fine steps are
// written with an exponent ("1.25E20", "3.0000001E-30").
std::string CoordinateText(long double value, long double step);

// "x=-200 y=-200 値=80000.25→80000 ﾊﾟﾚｯﾄ=118": the point the formula receives
// (with the digits its neighbours stepX and stepY apart need), its value
// before and after the rounding and the palette entry. With a point move
// other than 0 the moved position leads ("変換(201.5,199.25) x=..."); a pixel
// the drawing fails on shows the drawing's message instead of the rounded
// value and the entry. Empty outside the picture.
std::string PointerText(const TPixelProbe& probe, bool pointMoved, long double stepX, long double stepY);
