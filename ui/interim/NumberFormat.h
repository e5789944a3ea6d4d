// Stand-in for common/NumberFormat.h with the same interface, used only while
// that header is missing from the tree (see ui/CMakeLists.txt).
#pragma once

#include <string>

// 15 significant digits, fixed notation for 0.0001 <= |v| < 1E15, otherwise
// scientific with an exponent of as many digits as it needs: 1E-5, 1.5E20.
std::string FloatToStr(long double value);
// The same with an exponent of at least three digits: 1E-005, 1.5E020.
std::string FormatG(long double value);
