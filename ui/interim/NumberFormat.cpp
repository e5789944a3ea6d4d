// Stand-in number formats; see NumberFormat.h.
#include "NumberFormat.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace {

std::string General(long double value, int minExponentDigits)
{
    if (std::isnan(value))
        return "NAN";
    if (std::isinf(value))
        return value < 0 ? "-INF" : "INF";
    if (value == 0)
        return "0";
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.14Le", value);  // d.dddddddddddddde±x, rounded to 15 digits
    std::string text(buf);
    const auto ePos = text.find('e');
    const int exponent = std::atoi(text.c_str() + ePos + 1);
    const bool negative = text[0] == '-';
    std::string digits;
    for (size_t i = negative ? 1 : 0; i < ePos; ++i)
        if (text[i] != '.')
            digits += text[i];
    while (digits.size() > 1 && digits.back() == '0')
        digits.pop_back();

    std::string out = negative ? "-" : "";
    if (exponent >= -4 && exponent <= 14) {
        if (exponent < 0) {
            out += "0." + std::string(static_cast<size_t>(-exponent - 1), '0') + digits;
        } else {
            const size_t intDigits = static_cast<size_t>(exponent) + 1;
            if (digits.size() <= intDigits) {
                out += digits + std::string(intDigits - digits.size(), '0');
            } else {
                out += digits.substr(0, intDigits) + "." + digits.substr(intDigits);
            }
        }
        return out;
    }
    out += digits.substr(0, 1);
    if (digits.size() > 1)
        out += "." + digits.substr(1);
    std::string e = std::to_string(std::abs(exponent));
    while (static_cast<int>(e.size()) < minExponentDigits)
        e.insert(e.begin(), '0');
    return out + "E" + (exponent < 0 ? "-" : "") + e;
}

}  // namespace

std::string FloatToStr(long double value) { return General(value, 1); }
std::string FormatG(long double value) { return General(value, 3); }
