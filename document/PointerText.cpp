#include "document/PointerText.h"

#include "common/NumberFormat.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace {

// Digits a long double holds.
constexpr int kMaxDigits = 18;

void TrimZeros(std::string& digits)
{
    if (digits.find('.') == std::string::npos) return;
    while (digits.back() == '0') digits.pop_back();
    if (digits.back() == '.') digits.pop_back();
}

std::string Printed(const char* format, int precision, long double value)
{
    char buffer[128];
    std::snprintf(buffer, sizeof buffer, format, precision, value);
    return buffer;
}

} // namespace

std::string CoordinateText(long double value, long double step)
{
    step = std::fabs(step);
    if (!std::isfinite(value) || !std::isfinite(step) || step == 0) return FloatToStr(static_cast<double>(value));
    // Rounding to 10^-decimals <= step keeps values step apart distinct.
    const int decimals = std::max(0, static_cast<int>(std::ceil(-std::log10(step) - 1e-9L)));
    const long double magnitude = std::fabs(value);
    if (magnitude * 2 < std::pow(10.0L, -decimals)) return "0";
    if (magnitude < 1e15L && decimals <= 15) {
        std::string text = Printed("%.*Lf", decimals, value);
        TrimZeros(text);
        return text == "-0" ? "0" : text;
    }
    const int valueExponent = static_cast<int>(std::floor(std::log10(magnitude)));
    const int stepExponent = static_cast<int>(std::floor(std::log10(step)));
    const int digits = std::clamp(valueExponent - stepExponent + 1, 1, kMaxDigits);
    const std::string printed = Printed("%.*LE", digits - 1, value);
    const size_t e = printed.find('E');
    std::string mantissa = printed.substr(0, e);
    TrimZeros(mantissa);
    const int exponent = std::stoi(printed.substr(e + 1));
    return mantissa + "E" + std::to_string(exponent);
}

std::string PointerText(const TPixelProbe& probe, bool pointMoved, long double stepX, long double stepY)
{
    if (!probe.Inside) return {};
    std::string text;
    if (pointMoved) text = "変換(" + FloatToStr(probe.MovedX) + "," + FloatToStr(probe.MovedY) + ") ";
    text += "x=" + CoordinateText(probe.X, stepX) + " y=" + CoordinateText(probe.Y, stepY) + " ";
    if (!probe.Error.empty()) return text + probe.Error;
    return text + "値=" + std::to_string(probe.Value) + " ﾊﾟﾚｯﾄ=" + std::to_string(probe.Index);
}
