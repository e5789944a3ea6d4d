// The status bar's texts about a drawing.
#include "ui/DrawStatus.h"

#include "common/Format.h"

int DrawingPercent(int finishedRows, int height)
{
    if (height <= 0) return 0;
    return static_cast<int>(100LL * finishedRows / height);
}

std::string DrawingProgressText(int finishedRows, int height, bool blurring, double seconds)
{
    if (blurring) return Format("ぼかし中 %.1f秒", seconds);
    return Format("描画中 %d%% %.1f秒", DrawingPercent(finishedRows, height), seconds);
}

std::string DrawingDoneText(bool complete, double seconds)
{
    return Format(complete ? "描画時間 %.2f秒" : "描画中断 %.2f秒", seconds);
}
