// The seven formulas: values, rounding, wrapping of large magnitudes and the
// failures, plus the catalogue.
#include "engine/UFormula.h"

#include "common/Exceptions.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace {

struct CalcCase {
    int type;
    double x, y;
    double colorChange;
    int32_t expected;
};

TEST(Formula, ComputesTheRoundedMagnitude)
{
    const CalcCase cases[] = {
        {0, 3, 4, 1, 25},
        {1, 1, 2, 1, 3}, // -3 becomes 3
        {2, 3, -4, 1, 5},
        {3, 0.5, 0, 1, 0},
        {3, 1.5, 0, 1, 2},
        {3, 2.5, 0, 1, 2},
        {3, -2.5, 0, 1, 2},
        {3, -3.2, 0, 1, 3},
        {3, 0.5, 0, 5, 2}, // the tie appears only after the colour change
        {4, -6, 7, 1, 42},
        {5, 0, 7.4, 1, 7},
        {5, M_PI / 2, 0, 1, 100},
        {6, 0, 0, 1, 0},
        {6, 5 * M_PI, 5 * M_PI, 1, 400},
        // 94906267^2 needs 54 bits: exact in extended, odd, so a double
        // product would have landed on an even neighbour.
        {0, 94906267, 0, 1, 261134297},
        // Magnitudes of 2^31 and more wrap to 32 bits.
        {3, 3e9, 0, 1, -1294967296},
        {3, -3e9, 0, 1, -1294967296},
        {3, 4294967296.0, 0, 1, 0},
        {3, -9223372036854775808.0, 0, 1, 0}, // |INT64_MIN| keeps its low 32 bits
        // From 2^63 on the sine is taken as 0.
        {5, 9223372036854775808.0, 5, 1, 5},
    };
    for (const auto& c : cases) {
        auto f = TFormulaBox::GetFormula(c.type);
        f->ColorChange = c.colorChange;
        EXPECT_EQ(f->Calc(c.x, c.y), c.expected) << "type " << c.type << " at (" << c.x << ", " << c.y << ")";
    }
}

TEST(Formula, ColourChangeZeroGivesZeroEverywhere)
{
    for (int type = 0; type < TFormulaBox::FormulaCount(); ++type) {
        auto f = TFormulaBox::GetFormula(type);
        EXPECT_EQ(f->ColorChange, 1.0);
        f->ColorChange = 0;
        EXPECT_EQ(f->Calc(123.25, -77.5), 0) << type;
    }
}

TEST(Formula, ValuesBeyondInt64OrNotANumberFailAsInvalidOperation)
{
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    const CalcCase cases[] = {
        {3, 1e19, 0, 1, 0}, {3, 9223372036854775808.0, 0, 1, 0},
        {0, 1e10, 0, 1, 0}, {0, 3, 4, 1e300, 0},
        {3, nan, 0, 1, 0},  {0, inf, 0, 1, 0},
        {5, 0, nan, 1, 0},
    };
    for (const auto& c : cases) {
        auto f = TFormulaBox::GetFormula(c.type);
        f->ColorChange = c.colorChange;
        try {
            f->Calc(c.x, c.y);
            ADD_FAILURE() << "type " << c.type << " accepted (" << c.x << ", " << c.y << ")";
        } catch (const EInvalidOp& e) {
            EXPECT_EQ(e.Message(), "不正な浮動小数点数演算命令");
        }
    }
}

TEST(FormulaBox, NamesInCatalogueOrder)
{
    ASSERT_EQ(TFormulaBox::FormulaCount(), 7);
    const char* names[] = {"x^2 + y^2", "x^2 - y^2", "x^2 + y", "x + y", "x * y", "sin(x) + y", "sin(x) + sin(y)"};
    for (int i = 0; i < 7; ++i) EXPECT_EQ(TFormulaBox::GetFormulaName(i), names[i]);
    EXPECT_NE(dynamic_cast<TFormula_sinX_plus_sinY*>(TFormulaBox::GetFormula(6).get()), nullptr);
}

TEST(FormulaBox, RefusesUnknownTypeNumbers)
{
    for (int index : {7, -1, 1000}) {
        try {
            TFormulaBox::GetFormula(index);
            ADD_FAILURE() << index;
        } catch (const ERangeError& e) {
            EXPECT_EQ(e.Message(), "No Exist Formula: GetFormula[" + std::to_string(index) + "]");
        }
        try {
            TFormulaBox::GetFormulaName(index);
            ADD_FAILURE() << index;
        } catch (const ERangeError& e) {
            EXPECT_EQ(e.Message(), "No Exist Formula Name: GetFormulaName[" + std::to_string(index) + "]");
        }
    }
}

} // namespace
