// The text of the status panel that follows the pointer over the picture.
#pragma once

#include "engine/PixelProbe.h"

#include <string>

// "x=-200 y=-200 値=80000 ﾊﾟﾚｯﾄ=118": the point the formula receives, its
// value and the palette entry. With a point move other than 0 the moved
// position leads ("変換(201.5,199.25) x=..."); a pixel the drawing fails on
// shows the drawing's message instead of value and entry. Empty outside the
// picture.
std::string PointerText(const TPixelProbe& probe, bool pointMoved);
