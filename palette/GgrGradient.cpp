// How a GIMP gradient turns a position into a colour: the segment that holds
// it, the blending factor from the segment's midpoint, and the mix of the
// segment's end colours in RGB or around the hue circle.
#include "palette/GgrGradient.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace ggr {

namespace {

// Below this a segment or half-segment counts as having no width.
constexpr double kEpsilon = 1e-10;

// 0 at the left end, 1/2 at the midpoint, 1 at the right end, linear in each half.
double LinearFactor(double middle, double pos)
{
    if (pos <= middle) return middle < kEpsilon ? 0.0 : 0.5 * pos / middle;
    const double rest = 1.0 - middle;
    return rest < kEpsilon ? 1.0 : 0.5 + 0.5 * (pos - middle) / rest;
}

double Factor(TBlending blending, double middle, double pos)
{
    switch (blending) {
    case TBlending::Linear: return LinearFactor(middle, pos);
    case TBlending::Curved:
        // The power that takes the midpoint to 1/2.
        return std::pow(pos, std::log(0.5) / std::log(std::max(middle, kEpsilon)));
    case TBlending::Sine: {
        const double f = LinearFactor(middle, pos);
        return (std::sin(-std::numbers::pi / 2 + std::numbers::pi * f) + 1.0) / 2.0;
    }
    case TBlending::SphereIncreasing: {
        const double f = LinearFactor(middle, pos) - 1.0;
        return std::sqrt(1.0 - f * f);
    }
    case TBlending::SphereDecreasing: {
        const double f = LinearFactor(middle, pos);
        return 1.0 - std::sqrt(1.0 - f * f);
    }
    case TBlending::Step: return pos >= middle ? 1.0 : 0.0;
    }
    return 0.0;
}

struct Hsv {
    double h, s, v; // all 0..1
};

Hsv ToHsv(const TColor& c)
{
    const double max = std::max({c.r, c.g, c.b});
    const double min = std::min({c.r, c.g, c.b});
    const double delta = max - min;
    Hsv out{0, 0, max};
    // Near-grey colours have no hue worth turning through.
    if (delta <= 0.0001) return out;
    out.s = delta / max;
    double h;
    if (c.r == max) h = (c.g - c.b) / delta;
    else if (c.g == max) h = 2 + (c.b - c.r) / delta;
    else h = 4 + (c.r - c.g) / delta;
    h /= 6;
    if (h < 0) h += 1;
    out.h = h;
    return out;
}

TColor ToRgb(const Hsv& c)
{
    if (c.s == 0) return {c.v, c.v, c.v};
    const double hue = (c.h == 1 ? 0.0 : c.h) * 6;
    const int sector = static_cast<int>(hue);
    const double f = hue - sector;
    const double w = c.v * (1 - c.s);
    const double q = c.v * (1 - c.s * f);
    const double t = c.v * (1 - c.s * (1 - f));
    switch (sector) {
    case 0: return {c.v, t, w};
    case 1: return {q, c.v, w};
    case 2: return {w, c.v, t};
    case 3: return {w, q, c.v};
    case 4: return {t, w, c.v};
    default: return {c.v, w, q};
    }
}

double Mix(double a, double b, double f) { return a + (b - a) * f; }

TColor Blend(const TSegment& s, double f)
{
    if (s.coloring == TColoring::Rgb)
        return {Mix(s.leftColor.r, s.rightColor.r, f), Mix(s.leftColor.g, s.rightColor.g, f),
                Mix(s.leftColor.b, s.rightColor.b, f)};
    const Hsv a = ToHsv(s.leftColor);
    const Hsv b = ToHsv(s.rightColor);
    double h;
    if (s.coloring == TColoring::HsvCounterClockwise) {
        if (a.h < b.h) {
            h = Mix(a.h, b.h, f);
        } else {
            h = a.h + (1 - (a.h - b.h)) * f;
            if (h > 1) h -= 1;
        }
    } else {
        if (b.h < a.h) {
            h = a.h - (a.h - b.h) * f;
        } else {
            h = a.h - (1 - (b.h - a.h)) * f;
            if (h < 0) h += 1;
        }
    }
    return ToRgb({h, Mix(a.s, b.s, f), Mix(a.v, b.v, f)});
}

} // namespace

TColor ColorAt(const std::vector<TSegment>& segments, double pos)
{
    pos = std::clamp(pos, 0.0, 1.0);
    size_t k = 0;
    while (k + 1 < segments.size() && pos >= segments[k].right) ++k;
    const TSegment& s = segments[k];
    const double length = s.right - s.left;
    double middle = 0.5, at = 0.5;
    if (length >= kEpsilon) {
        middle = (s.middle - s.left) / length;
        at = (pos - s.left) / length;
    }
    // A midpoint at a segment's end makes the curved factor's power infinite
    // (and a gradient's file may put it there): the factor stays a mix,
    // 0 to 1, so the colours stay between the segment's ends.
    const double f = Factor(s.blending, middle, at);
    return Blend(s, f >= 0 ? std::min(f, 1.0) : 0.0);
}

int32_t ChannelByte(double v)
{
    const double scaled = 255.0 * v;
    if (!(scaled > 0)) return 0; // NaN too
    if (scaled >= 255) return 255;
    // Ties to even by hand, whatever rounding mode the thread runs in.
    const double floor = std::floor(scaled);
    const double fraction = scaled - floor;
    auto n = static_cast<int32_t>(floor);
    if (fraction > 0.5 || (fraction == 0.5 && n % 2 != 0)) ++n;
    return n;
}

std::vector<int32_t> Sample256(const std::vector<TSegment>& segments)
{
    std::vector<int32_t> colors(256);
    for (int i = 0; i < 256; ++i) {
        const TColor c = ColorAt(segments, i / 255.0);
        colors[static_cast<size_t>(i)] = ChannelByte(c.r) + ChannelByte(c.g) * 256 + ChannelByte(c.b) * 65536;
    }
    return colors;
}

} // namespace ggr
