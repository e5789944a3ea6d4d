#include "common/Convert.h"

#include "common/Exceptions.h"
#include "common/Format.h"
#include "common/Texts.h"
#include "common/QuoteText.h"

#include <cerrno>
#include <cfenv>
#include <cmath>
#include <cstdlib>
#include <limits>
#include <locale.h>

int HexDigitValue(char c)
{
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// strtold follows the process locale, which a GUI toolkit may change; a
// private "C" locale keeps the point as the only decimal separator.
locale_t CLocale()
{
    static const locale_t loc = newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(nullptr));
    return loc;
}

bool IsRealSyntax(const std::string& s)
{
    size_t i = 0;
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) ++i;
    size_t digits = 0;
    while (i < s.size() && IsDigit(s[i])) {
        ++i;
        ++digits;
    }
    if (i < s.size() && s[i] == '.') {
        ++i;
        while (i < s.size() && IsDigit(s[i])) {
            ++i;
            ++digits;
        }
    }
    if (digits == 0) return false;
    if (i < s.size() && (s[i] == 'e' || s[i] == 'E')) {
        ++i;
        if (i < s.size() && (s[i] == '+' || s[i] == '-')) ++i;
        size_t expDigits = 0;
        while (i < s.size() && IsDigit(s[i])) {
            ++i;
            ++expDigits;
        }
        if (expDigits == 0) return false;
    }
    return i == s.size();
}

} // namespace

std::optional<int32_t> TryStrToInt(const std::string& s)
{
    size_t i = 0;
    bool negative = false;
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) {
        negative = s[i] == '-';
        ++i;
    }
    bool hex = false;
    if (i < s.size() && s[i] == '$') {
        hex = true;
        ++i;
    } else if (i + 1 < s.size() && s[i] == '0' && (s[i + 1] == 'x' || s[i + 1] == 'X')) {
        hex = true;
        i += 2;
    }
    if (i >= s.size()) return std::nullopt;
    uint64_t value = 0;
    for (; i < s.size(); ++i) {
        const int d = hex ? HexDigitValue(s[i]) : (IsDigit(s[i]) ? s[i] - '0' : -1);
        if (d < 0) return std::nullopt;
        value = value * (hex ? 16 : 10) + static_cast<uint64_t>(d);
        if (value > 0xFFFFFFFFull) return std::nullopt;
    }
    if (hex) {
        // Hexadecimal text names a bit pattern: $FFFFFFFF is -1.
        auto bits = static_cast<uint32_t>(value);
        if (negative) bits = 0u - bits;
        return static_cast<int32_t>(bits);
    }
    if (negative) {
        if (value > 0x80000000ull) return std::nullopt;
        return static_cast<int32_t>(-static_cast<int64_t>(value));
    }
    if (value > 0x7FFFFFFFull) return std::nullopt;
    return static_cast<int32_t>(value);
}

int32_t StrToInt(const std::string& text)
{
    if (auto v = TryStrToInt(text)) return *v;
    throw EConvertError(Format(TText::tr("'%s' は整数ではありません").c_str(), QuoteForMessage(text).c_str()));
}

std::optional<long double> TryStrToFloat(const std::string& s)
{
    if (!IsRealSyntax(s)) return std::nullopt;
    errno = 0;
    char* end = nullptr;
    const long double v = strtold_l(s.c_str(), &end, CLocale());
    if (end != s.c_str() + s.size()) return std::nullopt;
    if (std::isinf(v)) return std::nullopt;
    return v;
}

long double StrToFloat(const std::string& text)
{
    if (auto v = TryStrToFloat(text)) return *v;
    throw EConvertError(Format(TText::tr("'%s' は浮動小数点数ではありません").c_str(), QuoteForMessage(text).c_str()));
}

double ToDoubleChecked(long double value)
{
    const double d = static_cast<double>(value);
    if (std::isinf(d) && !std::isinf(value)) throw EOverflow(kMsgOverflow);
    return d;
}
