#include "engine/ExpressionFormula.h"

#include "engine/ExpressionFinish.h"
#include "expression/ExpressionParser.h"

#include <utility>

TFormula_Expression::TFormula_Expression(std::string text) : text_(std::move(text)), program_(CompileExpression(text_))
{}

int32_t TFormula_Expression::Calc(double x, double y) const
{
    return exprmath::Finish(program_.Evaluate(x, y), ColorChange);
}

long double TFormula_Expression::Raw(double x, double y) const { return program_.Evaluate(x, y) * ColorChange; }
