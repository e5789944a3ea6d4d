// Both formats start from the correctly rounded 15-digit mantissa that
// "%.14Le" gives, so fixed and scientific forms agree on the digits and the
// switch between them is decided after rounding (9.99999999999999999E14
// becomes 1E15, not a 16-digit fixed number).
#include "common/NumberFormat.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace {

std::string Build(long double value, int minExponentDigits)
{
    if (std::isnan(value)) return "NAN";
    if (std::isinf(value)) return value < 0 ? "-INF" : "INF";
    if (value == 0) return "0";

    char buf[64];
    std::snprintf(buf, sizeof buf, "%.14Le", value);
    // buf: [-]d.ddddddddddddddde[+-]x...
    const char* p = buf;
    std::string sign;
    if (*p == '-') {
        sign = "-";
        ++p;
    }
    std::string digits;
    for (; *p != 'e'; ++p)
        if (*p != '.') digits += *p;
    const int exponent = std::atoi(p + 1);
    while (digits.size() > 1 && digits.back() == '0') digits.pop_back();

    std::string text = sign;
    if (exponent < -4 || exponent >= 15) {
        text += digits[0];
        if (digits.size() > 1) text += "." + digits.substr(1);
        text += 'E';
        if (exponent < 0) text += '-';
        std::string e = std::to_string(std::abs(exponent));
        if (static_cast<int>(e.size()) < minExponentDigits) e.insert(0, minExponentDigits - e.size(), '0');
        text += e;
    } else if (exponent >= 0) {
        const size_t intDigits = static_cast<size_t>(exponent) + 1;
        if (digits.size() <= intDigits) {
            text += digits + std::string(intDigits - digits.size(), '0');
        } else {
            text += digits.substr(0, intDigits) + "." + digits.substr(intDigits);
        }
    } else {
        text += "0." + std::string(static_cast<size_t>(-exponent - 1), '0') + digits;
    }
    return text;
}

} // namespace

std::string FloatToStr(long double value) { return Build(value, 1); }

std::string FormatG(long double value) { return Build(value, 3); }
