// The vector painter for point move 0: four pixels at a time in double
// precision. A pixel's integer is taken from the vector arithmetic only where
// a proven error bound shows that the extended arithmetic rounds to the same
// integer; every other pixel is computed by the extended code, in pixel
// order, so failures and their pixels stay those of the per-pixel code.
// engine/FAST-PATH.md gives the tiers and why their bounds hold.
#pragma once

#include "engine/AxisPainter.h"

#include <memory>

// True when the processor has AVX2 and FMA, the floating-point settings of
// the calling thread are the defaults the bounds assume (x87: 64-bit
// significand, round to nearest; SSE: round to nearest, exceptions masked, no
// flush-to-zero, no denormals-are-zero) and the colour change is finite.
// The threads that paint rows must be started from the calling thread after
// this check, so they inherit the same settings.
bool VectorPainterUsable(const TMove0Painter& axis);

// Takes over the per-axis painter: its tables feed the vector arithmetic and
// its per-pixel values decide whatever the vectors cannot. Only after
// VectorPainterUsable answered true.
std::unique_ptr<TRowPainter> MakeVectorPainter(std::unique_ptr<TMove0Painter> axis);
