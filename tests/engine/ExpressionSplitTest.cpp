// How a typed formula is taken apart for drawings by rows: what is left per
// pixel once the parts in x alone and in y alone are computed per column and
// per row, and which expressions are a single join of the two. The values
// themselves are compared with the whole program in RowPainterTest.
#include "engine/ExpressionSplit.h"

#include "expression/ExpressionParser.h"

#include <gtest/gtest.h>

namespace {

int PixelOperations(const TExpressionSplit& split)
{
    int n = 0;
    for (const TPixelStep& s : split.pixelCode) n += s.kind != TPixelStep::Push;
    return n;
}

TEST(ExpressionSplit, LeavesPerPixelOnlyWhatMixesXAndY)
{
    const struct {
        const char* text;
        size_t columnParts, rowParts;
        int pixelOperations;
        char join; // '+' a sum or difference, '*' a product, '-' none
    } cases[] = {
        {"x", 0, 0, 0, '+'},
        {"7", 0, 0, 0, '+'},
        {"sin(x) * 3", 1, 0, 0, '+'},
        {"y / 7", 0, 1, 0, '+'},
        {"2*pi", 1, 0, 0, '+'},
        {"x + y", 0, 0, 1, '+'},
        {"x*x + y*y", 1, 1, 1, '+'},
        {"y*y - x*x", 1, 1, 1, '+'},
        {"x * y", 0, 0, 1, '*'},
        {"100*sin(x/9)*cos(y/9)", 1, 1, 1, '*'},
        {"x / y", 0, 0, 1, '-'},
        {"x*y + 3", 0, 0, 2, '-'},
        {"2*pi + x*y", 1, 0, 2, '-'},
        {"(x + y) * (x - y)", 0, 0, 3, '-'},
        {"100*sin(x/9)*cos(y/9) + 100*cos(x/23 + y/31)", 2, 2, 5, '-'},
        {"hypot(x, y)*(3 + sin(6*atan2(y, x)))", 0, 0, 6, '-'},
        {"(x*x*x - 3*x*y*y)/(x*x + y*y + 1) * 40 - y/2 + x/3", 4, 2, 9, '-'},
        {"x*y + sin(x)*sin(x) + cos(y)*cos(y)", 1, 1, 3, '-'},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        const TExpressionSplit split = SplitExpression(CompileExpression(c.text));
        EXPECT_EQ(split.columnParts.size(), c.columnParts);
        EXPECT_EQ(split.rowParts.size(), c.rowParts);
        EXPECT_EQ(PixelOperations(split), c.pixelOperations);
        const auto join = SeparableJoin(split);
        EXPECT_EQ(join ? (join->product ? '*' : '+') : '-', c.join);
    }
}

// The parts' values: each part is the very code of the whole program's
// value there, so it gives the same bits for the same coordinate.
TEST(ExpressionSplit, PartsAreTheWholeProgramsOwnCode)
{
    const TExpressionProgram whole = CompileExpression("sin(x/9)*100 + cos(y/9)*100");
    const TExpressionSplit split = SplitExpression(whole);
    ASSERT_EQ(split.columnParts.size(), 1u);
    ASSERT_EQ(split.rowParts.size(), 1u);
    for (const double v : {-1e5, -3.3, 0.0, 0.1, 2.5, 7e18}) {
        long double column, row;
        ASSERT_TRUE(split.columnParts[0].TryEvaluate(v, 0, column));
        ASSERT_TRUE(split.rowParts[0].TryEvaluate(0, v, row));
        EXPECT_EQ(column + row, whole.Evaluate(v, v)) << v;
    }
    long double value;
    EXPECT_FALSE(SplitExpression(CompileExpression("ln(x) + y")).columnParts[0].TryEvaluate(-1, 0, value));
}

} // namespace
