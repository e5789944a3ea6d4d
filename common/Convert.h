// Text to number conversions and the checked narrowing to a double.
//
// The readers accept exactly the program's number syntax and nothing else:
// no blanks, no "inf" or "nan", no locale-dependent separators.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

// 0..15 for a hexadecimal digit of either case, -1 for any other character.
int HexDigitValue(char c);

// Integer text: optional sign, then decimal digits, or "$" / "0x" followed by
// hexadecimal digits. Hexadecimal values up to FFFFFFFF wrap into the signed
// range ($FFFFFFFF is -1). Anything else, or a value outside 32 bits, throws
// EConvertError "'%s' は整数ではありません".
int32_t StrToInt(const std::string& text);
std::optional<int32_t> TryStrToInt(const std::string& text);

// Real text: optional sign, decimal digits with an optional point, at least
// one digit, optional exponent (E or e, optional sign, digits). Correctly
// rounded to extended precision. Anything else, or a value beyond the
// extended range, throws EConvertError "'%s' は浮動小数点数ではありません".
long double StrToFloat(const std::string& text);
std::optional<long double> TryStrToFloat(const std::string& text);

// Extended value rounded to the nearest double; a finite value too large for
// a double throws EOverflow.
double ToDoubleChecked(long double value);
