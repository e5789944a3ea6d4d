// What the drawing computes for one pixel, worked out alone: the moved
// position, the point of the plane the formula receives, the formula's value
// and the palette index. It reads the renderer's settings and calls the
// formula and a point move through their public operations, so it follows
// any class and is safe while a drawing runs: the formula keeps no state,
// and the point move is the caller's own (the renderer's is resized by its
// worker whenever a drawing starts).
#pragma once

#include "engine/UVelquor.h"

#include <cstdint>
#include <string>

struct TPixelProbe {
    // The pixel after the point move (the pixel itself for point move 0).
    long double MovedX = 0;
    long double MovedY = 0;
    // The plane point as the formula receives it (rounded to doubles).
    double X = 0;
    double Y = 0;
    // The formula's value before the rounding, when it could be formed (a
    // value too large to round still has one).
    long double Raw = 0;
    bool HasRaw = false;
    // The formula's value and the palette entry it selects; empty error
    // when both were computed, else the drawing's message for this pixel.
    int32_t Value = 0;
    int32_t Index = 0;
    std::string Error;
    // False when the pixel lies outside the picture.
    bool Inside = false;
};

// move: the pattern's point move with its parameters, sized to the picture.
TPixelProbe ProbePixel(const TVelquor& pattern, const TPointMove& move, int column, int row);
