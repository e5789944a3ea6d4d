// The seven formulas and their catalogue.
#include "UFormula.h"

#include "Exceptions.h"
#include "Format.h"
#include "FpuMath.h"

namespace {

// P = E * ColorChange rounded, magnitude taken, low 32 bits kept.
inline int32_t Finish(long double e, double colorChange)
{
    const int64_t r = fpu::Round(e * colorChange);
    const uint64_t magnitude = r < 0 ? uint64_t{0} - static_cast<uint64_t>(r) : static_cast<uint64_t>(r);
    return static_cast<int32_t>(static_cast<uint32_t>(magnitude));
}

} // namespace

int32_t TFormula_sqrX_plus_sqrY::Calc(double x, double y) const
{
    const long double lx = x, ly = y;
    return Finish(lx * lx + ly * ly, ColorChange);
}

int32_t TFormula_sqrX_minus_sqrY::Calc(double x, double y) const
{
    const long double lx = x, ly = y;
    return Finish(lx * lx - ly * ly, ColorChange);
}

int32_t TFormula_sqrX_plus_Y::Calc(double x, double y) const
{
    const long double lx = x, ly = y;
    return Finish(lx * lx + ly, ColorChange);
}

int32_t TFormula_X_plus_Y::Calc(double x, double y) const
{
    const long double lx = x, ly = y;
    return Finish(lx + ly, ColorChange);
}

int32_t TFormula_X_multi_Y::Calc(double x, double y) const
{
    const long double lx = x, ly = y;
    return Finish(lx * ly, ColorChange);
}

int32_t TFormula_sinX_plus_Y::Calc(double x, double y) const
{
    const long double lx = x, ly = y;
    return Finish(100.0L * fpu::Sin(lx) + ly, ColorChange);
}

int32_t TFormula_sinX_plus_sinY::Calc(double x, double y) const
{
    const long double lx = x, ly = y;
    return Finish(200.0L * fpu::Sin(lx / 10.0L) + 200.0L * fpu::Sin(ly / 10.0L), ColorChange);
}

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
