#include "engine/ExpressionFormula.h"

#include "engine/ExpressionParser.h"
#include "engine/FormulaMath.h"

#include <cmath>
#include <utility>

TFormula_Expression::TFormula_Expression(std::string text) : text_(std::move(text)), program_(CompileExpression(text_))
{}

int32_t TFormula_Expression::Calc(double x, double y) const
{
    const long double e = program_.Evaluate(x, y);
    // A value so large that the colour change takes it beyond the extended
    // range is an overflow, not the invalid rounding that follows from it.
    if (std::isinf(e * ColorChange)) fpu::RaiseOverflow();
    return formulamath::Finish(e, ColorChange);
}
