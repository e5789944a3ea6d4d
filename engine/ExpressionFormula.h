// A formula the user typed: the compiled expression behind the same Calc as
// the built-in formulas, so the renderer draws it like any other formula.
#pragma once

#include "engine/UFormula.h"
#include "expression/ExpressionProgram.h"

#include <string>

class TFormula_Expression final : public TFormula {
public:
    // Compiles text; EExpressionError names the first mistake in it.
    explicit TFormula_Expression(std::string text);

    const std::string& Text() const { return text_; }
    const TExpressionProgram& Program() const { return program_; }
    int32_t Calc(double x, double y) const override;
    long double Raw(double x, double y) const override;

private:
    std::string text_;
    TExpressionProgram program_;
};
