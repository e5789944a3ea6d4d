// Reals as text: the general form documents use, and the "%g" form the
// formula dialog shows. Both keep at most 15 significant digits and read back
// with StrToFloat.
#pragma once

#include <string>

// Plain decimal without trailing zeros and without a point for whole numbers
// (0, 0.5, -2.25, 0.0001); scientific when the magnitude is below 0.0001 or
// has more than 15 digits before the point, with the shortest exponent and a
// sign only when negative (5E-5, 1.5E20). Non-finite values give "NAN",
// "INF" or "-INF".
std::string FloatToStr(long double value);

// The same digits and fixed range, but the exponent has at least three
// digits (1E-005, 1.5E020).
std::string FormatG(long double value);
