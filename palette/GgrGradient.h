// GIMP gradients (.ggr): segments with a blending and a colouring each,
// sampled into the 256 colours of a palette.
#pragma once

#include <cstdint>
#include <vector>

namespace ggr {

enum class TBlending { Linear = 0, Curved = 1, Sine = 2, SphereIncreasing = 3, SphereDecreasing = 4, Step = 5 };
enum class TColoring { Rgb = 0, HsvCounterClockwise = 1, HsvClockwise = 2 };

struct TColor {
    double r = 0, g = 0, b = 0; // 0..1; the file's alpha has no place in a palette
};

struct TSegment {
    double left = 0, middle = 0.5, right = 1;
    TColor leftColor, rightColor;
    TBlending blending = TBlending::Linear;
    TColoring coloring = TColoring::Rgb;
};

// The colour at pos (0..1) of segments that cover 0..1 in order; a position
// on a boundary belongs to the segment on its right.
TColor ColorAt(const std::vector<TSegment>& segments, double pos);

// A channel as a byte: the nearest integer to 255 v (ties to even), clamped.
int32_t ChannelByte(double v);

// Colour i of 256 sampled at i / 255, as colour values (0x00BBGGRR).
std::vector<int32_t> Sample256(const std::vector<TSegment>& segments);

} // namespace ggr
