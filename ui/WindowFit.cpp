// The main window's size for a picture.
#include "ui/WindowFit.h"

#include <algorithm>

TFitResult FitWindow(const TFitInput& in)
{
    const int fixedHeight = in.menuHeight + in.barsHeight;
    const int width = std::max(in.imageWidth, in.minWidth);
    TFitResult fit;
    // Each bar takes room from the other direction, so a second pass sees
    // whether the first bar made the other one necessary.
    for (int pass = 0; pass < 2; ++pass) {
        const int extraWidth = fit.verticalBar ? in.scrollBarWidth : 0;
        const int extraHeight = fit.horizontalBar ? in.scrollBarWidth : 0;
        fit.horizontalBar = in.imageWidth + extraWidth > in.availableWidth;
        fit.verticalBar = fixedHeight + in.imageHeight + extraHeight > in.availableHeight;
    }
    const int barWidth = fit.verticalBar ? in.scrollBarWidth : 0;
    const int barHeight = fit.horizontalBar ? in.scrollBarWidth : 0;
    fit.width = std::max(std::min(width + barWidth, in.availableWidth), in.minWidth);
    fit.height = std::min(fixedHeight + in.imageHeight + barHeight, std::max(in.availableHeight, fixedHeight + 1));
    return fit;
}
