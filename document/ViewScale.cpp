#include "document/ViewScale.h"

#include "common/Format.h"

#include <algorithm>
#include <cmath>

double FittedViewScale(int imageWidth, int imageHeight, int areaWidth, int areaHeight)
{
    if (imageWidth <= 0 || imageHeight <= 0) return 1.0;
    const double fit = std::min(static_cast<double>(std::max(areaWidth, 1)) / imageWidth,
                                static_cast<double>(std::max(areaHeight, 1)) / imageHeight);
    return std::clamp(fit, kMinViewScale, 1.0);
}

namespace {

// A fitted scale a hair below a power of two counts as that power, so a
// step from it is a whole step and not a jump onto it.
constexpr double kSameStep = 1e-9;

} // namespace

double ViewScaleUp(double scale)
{
    const double next = std::exp2(std::floor(std::log2(scale) + kSameStep) + 1);
    return std::clamp(next, kMinViewScale, kMaxViewScale);
}

double ViewScaleDown(double scale)
{
    const double next = std::exp2(std::ceil(std::log2(scale) - kSameStep) - 1);
    return std::clamp(next, kMinViewScale, kMaxViewScale);
}

int ScaledLength(int length, double scale)
{
    if (length <= 0) return 0;
    return std::max(1, static_cast<int>(std::ceil(length * scale - 1e-9)));
}

int PixelUnder(double shownPos, double scale) { return static_cast<int>(std::floor(shownPos / scale)); }

std::string ViewScaleText(double scale)
{
    std::string text = Format("%.2f", scale * 100);
    // "50.00" -> "50", "6.25" stays.
    while (text.back() == '0') text.pop_back();
    if (text.back() == '.') text.pop_back();
    return text + "%";
}
