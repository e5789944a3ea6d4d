// The status bar's texts about a drawing.
#include "ui/DrawStatus.h"

#include "common/Format.h"
#include "common/Texts.h"

int DrawingPercent(int finishedRows, int height)
{
    if (height <= 0) return 0;
    return static_cast<int>(100LL * finishedRows / height);
}

std::string DrawingProgressText(int finishedRows, int height, bool blurring, double seconds)
{
    if (blurring) return Format(TText::tr("ぼかし中 %.1f秒").c_str(), seconds);
    return Format(TText::tr("描画中 %d%% %.1f秒").c_str(), DrawingPercent(finishedRows, height), seconds);
}

std::string DrawingDoneText(bool complete, double seconds)
{
    return Format(complete ? TText::tr("描画時間 %.2f秒").c_str() : TText::tr("描画中断 %.2f秒").c_str(), seconds);
}
