// The seven formulas and their catalogue; the arithmetic itself is in
// FormulaMath.h.
#include "engine/UFormula.h"

#include "common/Exceptions.h"
#include "common/Format.h"
#include "engine/FormulaMath.h"

using namespace formulamath;

int32_t TFormula_sqrX_plus_sqrY::Calc(double x, double y) const { return SqrXPlusSqrY(x, y, ColorChange); }
int32_t TFormula_sqrX_minus_sqrY::Calc(double x, double y) const { return SqrXMinusSqrY(x, y, ColorChange); }
int32_t TFormula_sqrX_plus_Y::Calc(double x, double y) const { return SqrXPlusY(x, y, ColorChange); }
int32_t TFormula_X_plus_Y::Calc(double x, double y) const { return XPlusY(x, y, ColorChange); }
int32_t TFormula_X_multi_Y::Calc(double x, double y) const { return XMultiY(x, y, ColorChange); }
int32_t TFormula_sinX_plus_Y::Calc(double x, double y) const { return SinXPlusY(x, y, ColorChange); }
int32_t TFormula_sinX_plus_sinY::Calc(double x, double y) const { return SinXPlusSinY(x, y, ColorChange); }

long double TFormula_sqrX_plus_sqrY::Raw(double x, double y) const { return SqrXPlusSqrYParts::Raw(x, y, ColorChange); }
long double TFormula_sqrX_minus_sqrY::Raw(double x, double y) const
{
    return SqrXMinusSqrYParts::Raw(x, y, ColorChange);
}
long double TFormula_sqrX_plus_Y::Raw(double x, double y) const { return SqrXPlusYParts::Raw(x, y, ColorChange); }
long double TFormula_X_plus_Y::Raw(double x, double y) const { return XPlusYParts::Raw(x, y, ColorChange); }
long double TFormula_X_multi_Y::Raw(double x, double y) const { return XMultiYParts::Raw(x, y, ColorChange); }
long double TFormula_sinX_plus_Y::Raw(double x, double y) const { return SinXPlusYParts::Raw(x, y, ColorChange); }
long double TFormula_sinX_plus_sinY::Raw(double x, double y) const { return SinXPlusSinYParts::Raw(x, y, ColorChange); }

std::unique_ptr<TFormula> TFormulaBox::GetFormula(int32_t index)
{
    switch (index) {
    case 0: return std::make_unique<TFormula_sqrX_plus_sqrY>();
    case 1: return std::make_unique<TFormula_sqrX_minus_sqrY>();
    case 2: return std::make_unique<TFormula_sqrX_plus_Y>();
    case 3: return std::make_unique<TFormula_X_plus_Y>();
    case 4: return std::make_unique<TFormula_X_multi_Y>();
    case 5: return std::make_unique<TFormula_sinX_plus_Y>();
    case 6: return std::make_unique<TFormula_sinX_plus_sinY>();
    default: throw ERangeError(Format("No Exist Formula: GetFormula[%d]", index));
    }
}

std::string TFormulaBox::GetFormulaName(int32_t index)
{
    static const char* const kNames[] = {
        "x^2 + y^2", "x^2 - y^2", "x^2 + y", "x + y", "x * y", "sin(x) + y", "sin(x) + sin(y)",
    };
    if (index < 0 || index >= FormulaCount())
        throw ERangeError(Format("No Exist Formula Name: GetFormulaName[%d]", index));
    return kNames[index];
}
