// A typed formula drawn by the renderer: the built-in formulas written as
// text give their very pictures, and a failing pixel ends the drawing with
// the drawing's message exactly where a built-in would have stopped.
#include "engine/ExpressionFormula.h"
#include "tests/support/Pictures.h"

#include "common/Exceptions.h"
#include "engine/UVelquor.h"
#include "expression/ExpressionError.h"

#include <gtest/gtest.h>

#include <cmath>
#include <set>

namespace {

struct Setting {
    const char* name;
    long double increment;
    double colorChange;
};

// The start-up settings, a fine increment, and one where many values land
// exactly halfway between two integers.
const Setting kSettings[] = {
    {"start-up", 1, 1},
    {"increment 0.05", 0.05L, 1},
    {"ties", 0.5L, 0.5},
};

// Each built-in formula written the way it computes.
const char* const kTwins[] = {
    "x*x + y*y", "x*x - y*y", "x*x + y", "x + y", "x * y", "100*sin(x) + y", "200*sin(x/10) + 200*sin(y/10)",
};

struct Drawing {
    TBitmap24 picture;
    std::string error;
};

Drawing Draw(std::unique_ptr<TFormula> formula, int width, int height, TFloatPoint center, long double increment,
             double colorChange, TDrawTuning tuning = {})
{
    TVelquor velquor(false, nullptr);
    velquor.WaitUntilSuspended();
    velquor.SetTuning(tuning);
    velquor.SetSize(width, height);
    velquor.Center = center;
    velquor.Incremental = FloatPoint(increment, increment);
    velquor.SetColorChange(colorChange);
    velquor.SetFormula(std::move(formula));
    velquor.Resume();
    velquor.WaitUntilSuspended();
    return {velquor.Bitmap(), velquor.ErrorMessage()};
}

size_t DistinctColours(const TBitmap24& b)
{
    std::set<uint32_t> colours;
    for (int y = 0; y < b.Height(); ++y)
        for (int x = 0; x < b.Width(); ++x) colours.insert(PixelAt(b, x, y));
    return colours.size();
}

TEST(ExpressionFormula, BuiltInFormulasAsTextDrawTheSamePictures)
{
    for (const Setting& s : kSettings) {
        for (int type = 0; type < TFormulaBox::FormulaCount(); ++type) {
            SCOPED_TRACE(std::string(s.name) + ", " + kTwins[type]);
            const Drawing builtin =
                Draw(TFormulaBox::GetFormula(type), 257, 131, FloatPoint(0, 0), s.increment, s.colorChange);
            const Drawing typed = Draw(std::make_unique<TFormula_Expression>(kTwins[type]), 257, 131, FloatPoint(0, 0),
                                       s.increment, s.colorChange);
            ASSERT_EQ(builtin.error, "");
            EXPECT_EQ(typed.error, "");
            EXPECT_TRUE(SamePixels(typed.picture, builtin.picture));
            // A picture of one colour would match anything.
            EXPECT_GT(DistinctColours(builtin.picture), 10u);
        }
    }
}

TEST(ExpressionFormula, ValuesMatchTheBuiltInsAtTheEdges)
{
    // Ties, wrapping beyond 2^31, sines beyond 2^63 and values that leave the
    // 64-bit range: same value or same failure.
    const double points[][2] = {
        {0.5, 0},    {2.5, -0.5},     {-3.2, 7.4},  {94906267, 3},   {3e9, 1},     {-3e9, -1e-9},    {4294967296, 0},
        {9.3e18, 5}, {-9.3e18, 1e10}, {1e30, 1e30}, {1e300, -1e300}, {-1e-300, 0}, {M_PI / 2, M_PI}, {1e154, 1e154},
    };
    const double colourChanges[] = {1, 0.5, -3, 1e-20, 1e300};
    for (int type = 0; type < TFormulaBox::FormulaCount(); ++type) {
        auto builtin = TFormulaBox::GetFormula(type);
        TFormula_Expression typed(kTwins[type]);
        for (double cc : colourChanges) {
            builtin->ColorChange = cc;
            typed.ColorChange = cc;
            for (const auto& p : points) {
                std::string expected, got;
                try {
                    expected = std::to_string(builtin->Calc(p[0], p[1]));
                } catch (const Exception& e) {
                    expected = e.Message();
                }
                try {
                    got = std::to_string(typed.Calc(p[0], p[1]));
                } catch (const Exception& e) {
                    got = e.Message();
                }
                EXPECT_EQ(got, expected) << kTwins[type] << " at (" << p[0] << ", " << p[1] << ") colour change " << cc;
            }
        }
    }
}

TEST(ExpressionFormula, SquaresWrittenAsPowersAreTheSameAsProducts)
{
    const Drawing products =
        Draw(std::make_unique<TFormula_Expression>("x*x + y*y"), 257, 131, FloatPoint(0.3L, 0), 0.05L, 1);
    const Drawing powers =
        Draw(std::make_unique<TFormula_Expression>("x^2 + y^2"), 257, 131, FloatPoint(0.3L, 0), 0.05L, 1);
    EXPECT_TRUE(SamePixels(products.picture, powers.picture));
}

TEST(ExpressionFormula, AValueTooLargeForTheColourChangeOverflows)
{
    TFormula_Expression f("x * 1e4700");
    f.ColorChange = 1;
    EXPECT_THROW(f.Calc(1, 0), EInvalidOp); // beyond 64 bits
    f.ColorChange = 1e300;
    EXPECT_THROW(f.Calc(1, 0), EOverflow); // beyond the extended range
}

TEST(ExpressionFormula, ATextWithAMistakeMakesNoFormula)
{
    EXPECT_THROW(TFormula_Expression("x +"), EExpressionError);
    TFormula_Expression f("x  +  y");
    EXPECT_EQ(f.Text(), "x  +  y");
}

struct FailingDrawing {
    const char* text;
    double colorChange;
    const char* message;
    int column, row; // the first pixel that fails
};

// Every pixel before (column, row), in drawing order, was drawn; that one
// was not. The picture starts black and no palette entry drawn is black.
void ExpectStoppedAt(const TBitmap24& b, int column, int row)
{
    for (int y = 0; y <= row; ++y)
        for (int x = 0; x < (y < row ? b.Width() : column); ++x)
            ASSERT_NE(PixelAt(b, x, y), 0u) << "pixel (" << x << ", " << y << ") not drawn";
    EXPECT_EQ(PixelAt(b, column, row), 0u) << "the failing pixel was drawn";
}

TEST(ExpressionFormula, ADrawingFailsAtTheFirstFailingPixelWithItsMessage)
{
    // 9 x 5 pixels around (0.5, 0.5) with increment 1: x = column - 4 and
    // y = row - 2.
    const FailingDrawing cases[] = {
        {"1 / (x + y - 3)", 1, kMsgZeroDivide, 8, 1},
        {"ln(4 - x - y)", 1, kMsgZeroDivide, 8, 2},
        {"ln(4.5 - x - y)", 1, kMsgInvalidOp, 8, 3},
        {"sqrt(x - y) + 1", 1, kMsgInvalidOp, 0, 0},
        {"(x - 1) / (x - 1)", 1, kMsgInvalidOp, 5, 0},
        {"0 * exp(2000 * (x + y))", 1, kMsgOverflow, 8, 4},
        {"max(0, x + y - 5) * 1e19", 1, kMsgInvalidOp, 8, 4},      // beyond 64 bits
        {"max(0, x + y - 5) * 1e4700", 1e300, kMsgOverflow, 8, 4}, // beyond extended
        {"mod(x, y)", 1, kMsgZeroDivide, 0, 2},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        const Drawing d =
            Draw(std::make_unique<TFormula_Expression>(c.text), 9, 5, FloatPoint(0.5L, 0.5L), 1, c.colorChange);
        EXPECT_EQ(d.error, c.message);
        ExpectStoppedAt(d.picture, c.column, c.row);
    }
}

// Every thread count draws what the plain per-pixel loop draws: separable
// and mixed expressions, and failing ones up to the failing pixel (threads
// may have drawn rows below it before they stop).
TEST(ExpressionFormula, EveryThreadCountDrawsThePlainLoopsPicture)
{
    const struct {
        const char* text;
        bool fails;
    } cases[] = {
        {"x*x + y*y", false},
        {"100*sin(x/9)*cos(y/9)", false},
        {"y*y*y/1000 - x", false},
        {"x*y + x - y", false},
        {"x*y/(1 + x*x)", false},
        {"sqrt(abs(x*y)) + mod(x, 7)", false},
        {"sqrt(x*y - 300)", true},        // in row 0
        {"sqrt(10 - y) * x + x*y", true}, // from row 44 on
    };
    for (const auto& [text, fails] : cases) {
        const Drawing plain = Draw(std::make_unique<TFormula_Expression>(text), 97, 61, FloatPoint(0.3L, 0.2L), 0.7L, 1,
                                   {1, TPainterKind::PerPixel});
        int failedRow = plain.picture.Height();
        for (int y = 0; y < plain.picture.Height() && failedRow == plain.picture.Height(); ++y)
            for (int x = 0; x < plain.picture.Width(); ++x)
                if (PixelAt(plain.picture, x, y) == 0) failedRow = y;
        EXPECT_EQ(failedRow < plain.picture.Height(), fails) << text;
        EXPECT_EQ(plain.error.empty(), !fails) << text;
        for (int threads : {1, 2, 3}) {
            SCOPED_TRACE(testing::Message() << text << ", " << threads << " threads");
            const Drawing d = Draw(std::make_unique<TFormula_Expression>(text), 97, 61, FloatPoint(0.3L, 0.2L), 0.7L, 1,
                                   {threads, TPainterKind::Fastest});
            EXPECT_EQ(d.error, plain.error);
            for (int y = 0; y <= std::min(failedRow, plain.picture.Height() - 1); ++y)
                for (int x = 0; x < plain.picture.Width(); ++x)
                    ASSERT_EQ(PixelAt(d.picture, x, y), PixelAt(plain.picture, x, y)) << "(" << x << ", " << y << ")";
        }
    }
}

} // namespace
