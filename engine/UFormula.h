// The seven formulas: each turns a point of the plane into the integer from
// which the renderer picks a palette colour, and the catalogue that makes
// them by type number.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

class TFormula {
public:
    virtual ~TFormula() = default;
    // Multiplier applied to the raw value before rounding; set by the renderer.
    double ColorChange = 1.0;
    // Raw value E(x, y) times ColorChange in extended precision, rounded to
    // nearest (ties to even), magnitude taken, low 32 bits as signed.
    virtual int32_t Calc(double x, double y) const = 0;
    // E(x, y) times ColorChange before the rounding, as Calc forms it; for the
    // readout of one pixel, never for drawing. A formula that knows only its
    // rounded value gives that value.
    virtual long double Raw(double x, double y) const { return Calc(x, y); }
};

// One line a formula: they differ only in Calc and Raw.
// clang-format off
class TFormula_sqrX_plus_sqrY final : public TFormula { public: int32_t Calc(double x, double y) const override; long double Raw(double x, double y) const override; };
class TFormula_sqrX_minus_sqrY final : public TFormula { public: int32_t Calc(double x, double y) const override; long double Raw(double x, double y) const override; };
class TFormula_sqrX_plus_Y final : public TFormula { public: int32_t Calc(double x, double y) const override; long double Raw(double x, double y) const override; };
class TFormula_X_plus_Y final : public TFormula { public: int32_t Calc(double x, double y) const override; long double Raw(double x, double y) const override; };
class TFormula_X_multi_Y final : public TFormula { public: int32_t Calc(double x, double y) const override; long double Raw(double x, double y) const override; };
class TFormula_sinX_plus_Y final : public TFormula { public: int32_t Calc(double x, double y) const override; long double Raw(double x, double y) const override; };
class TFormula_sinX_plus_sinY final : public TFormula { public: int32_t Calc(double x, double y) const override; long double Raw(double x, double y) const override; };
// clang-format on

class TFormulaBox {
public:
    // A new formula of type index (0..6) with ColorChange 1.0; otherwise
    // ERangeError "No Exist Formula: GetFormula[%d]".
    static std::unique_ptr<TFormula> GetFormula(int32_t index);
    // "No Exist Formula Name: GetFormulaName[%d]" outside 0..6.
    static std::string GetFormulaName(int32_t index);
    static int32_t FormulaCount() { return 7; }
};
