// The painter for point move 2, the rotation about the image centre.
#pragma once

#include "engine/RowPainter.h"

// Columns cx - d and cx + d of a row lie at the same distance from the centre
// and are turned by the same angle: each row computes the angle's cosine and
// sine once per distance, with the very expression the per-pixel code uses,
// and each pixel only turns and rounds its offsets. Null for other point
// moves and for palettes under two colours.
std::unique_ptr<TRowPainter> MakeRotationPainter(const DrawSetup& setup);
