#include "ui/PointerText.h"

#include "common/NumberFormat.h"

std::string PointerText(const TPixelProbe& probe, bool pointMoved)
{
    if (!probe.Inside) return {};
    std::string text;
    if (pointMoved) text = "変換(" + FloatToStr(probe.MovedX) + "," + FloatToStr(probe.MovedY) + ") ";
    text += "x=" + FloatToStr(probe.X) + " y=" + FloatToStr(probe.Y) + " ";
    if (!probe.Error.empty()) return text + probe.Error;
    return text + "値=" + std::to_string(probe.Value) + " ﾊﾟﾚｯﾄ=" + std::to_string(probe.Index);
}
