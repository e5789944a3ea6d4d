#include "document/PointerText.h"

#include "common/NumberFormat.h"
#include "common/Texts.h"

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

// A value before the rounding: ten significant digits tell how near it lies
// to the next whole number without the readout growing past the panel.
std::string UnroundedText(long double value)
{
    if (!std::isfinite(value)) return FloatToStr(value);
    std::string text = Printed("%.*LG", 10, value);
    const size_t e = text.find('E');
    if (e == std::string::npos) return text;
    // "1.5E+20" and "3E-05" as the other numbers here write them: 1.5E20, 3E-5.
    return text.substr(0, e) + "E" + std::to_string(std::stoi(text.substr(e + 1)));
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
    if (pointMoved) text = TextArg(TText::tr("変換(%1,%2) "), {FloatToStr(probe.MovedX), FloatToStr(probe.MovedY)});
    text += "x=" + CoordinateText(probe.X, stepX) + " y=" + CoordinateText(probe.Y, stepY) + " ";
    if (!probe.Error.empty()) {
        // A value too large to round still tells why the pixel fails.
        if (probe.HasRaw) text += TextArg(TText::tr("値=%1 "), {UnroundedText(probe.Raw)});
        return text + probe.Error;
    }
    return text + TextArg(TText::tr("値=%1→%2 ﾊﾟﾚｯﾄ=%3"),
                          {UnroundedText(probe.Raw), std::to_string(probe.Value), std::to_string(probe.Index)});
}
