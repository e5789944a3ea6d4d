// The last step of a typed formula's pixel: its value through the built-in
// formulas' own rounding, so typed and built-in formulas share the palette
// index arithmetic.
#pragma once

#include "common/FpuMath.h"
#include "engine/FormulaMath.h"

#include <cmath>
#include <cstdint>

namespace exprmath {

// A pixel's value from the expression's value E, as for the built-in
// formulas; but a value so large that the colour change takes it beyond the
// extended range is an overflow, not the invalid rounding that follows from
// it.
inline int32_t Finish(long double e, double colorChange)
{
    if (std::isinf(e * colorChange)) fpu::RaiseOverflow();
    return formulamath::Finish(e, colorChange);
}

} // namespace exprmath
