// The formula language itself: what a text means, where its mistakes are
// found, the limits, and the failures of evaluation.
#include "expression/ExpressionParser.h"

#include "common/Exceptions.h"
#include "expression/ExpressionError.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

namespace {

long double Eval(const std::string& text, double x = 0, double y = 0) { return CompileExpression(text).Evaluate(x, y); }

struct ValueCase {
    const char* text;
    double x, y;
    long double expected;
};

TEST(ExpressionLanguage, ComputesWhatTheTextSays)
{
    const ValueCase cases[] = {
        // Precedence and grouping.
        {"1 + 2 * 3", 0, 0, 7},
        {"(1 + 2) * 3", 0, 0, 9},
        {"10 - 4 - 3", 0, 0, 3},
        {"48 / 4 / 2", 0, 0, 6},
        {"2 ^ 3 ^ 2", 0, 0, 512}, // from the right
        {"(2 ^ 3) ^ 2", 0, 0, 64},
        {"-2 ^ 2", 0, 0, -4}, // minus applies to the power
        {"2 ^ -1", 0, 0, 0.5L},
        {"2 ^ -1 ^ 2", 0, 0, 0.5L},
        {"- - 3", 0, 0, 3},
        {"2 * -3", 0, 0, -6},
        {"x - -y", 1, 2, 3},
        {"-x * y", 3, 4, -12},
        // A single number or variable on either side of each operation.
        {"10 - x*y", 1.5, 2, 7},
        {"(x*y) - 10", 1.5, 2, -7},
        {"y / (x + 0.5)", 1.5, 2, 1},
        {"(x + 0.5) / y", 1.5, 2, 1},
        {"2 ^ (x + 0.5)", 1.5, 2, 4},
        {"x ^ (y - 1)", 1.5, 2, 1.5L},
        {"3 * (x + y) + (x + y) * 3", 1.5, 2, 21},
        {"mod(10, x + y) + min(1, x*y) + max(x*y, 1)", 1.5, 2, 7},
        {"atan2(1, x - 1.5) + hypot(3, y + 2)", 1.5, 2, std::atan2(1.0L, 0.0L) + 5},
        // Variables arrive as the doubles they are.
        {"x", 0.1, 0, static_cast<long double>(0.1)},
        {"x * y", -6, 7, -42},
        // Numbers are read to the nearest extended value.
        {"0.1", 0, 0, 0.1L},
        {".5 + 5.", 0, 0, 5.5L},
        {"1.5e3 + 25E-1 + 1e+1", 0, 0, 1512.5L},
        {"pi", 0, 0, 3.141592653589793238462643383279502884L},
        {"e", 0, 0, 2.718281828459045235360287471352662498L},
        // Blanks of every kind between tokens, none needed.
        {"\t1\r\n+\n2 ", 0, 0, 3},
        {"2*(x+1)", 2, 0, 6},
        // Functions.
        {"sin(pi/2) + cos(0)", 0, 0, 2},
        {"sin(9223372036854775808)", 0, 0, 0}, // 2^63 and beyond: 0
        {"cos(-1e19)", 0, 0, 0},
        {"tan(0.5)", 0, 0, std::tan(0.5L)},
        {"tan(1e19)", 0, 0, 0},
        {"abs(-2.5)", 0, 0, 2.5L},
        {"sqrt(2)", 0, 0, std::sqrt(2.0L)},
        {"exp(1)", 0, 0, std::exp(1.0L)},
        {"ln(e)", 0, 0, std::log(2.718281828459045235360287471352662498L)},
        {"floor(-2.5) + ceil(2.1)", 0, 0, 0},
        {"round(2.5) + round(3.5) + round(-0.5)", 0, 0, 6}, // ties to even
        {"min(3, -4) + max(3, -4)", 0, 0, -1},
        {"mod(7, 3) + mod(-7, 3) + mod(7, -3)", 0, 0, 1}, // sign of the first
        {"mod(5.5, 2)", 0, 0, 1.5L},
        {"atan2(1, 0)", 0, 0, std::atan2(1.0L, 0.0L)},
        {"hypot(3, 4)", 0, 0, 5},
        {"x^2", 94906267, 0, 94906267.0L * 94906267.0L}, // one rounding, as x*x
        {"2^0.5", 0, 0, std::pow(2.0L, 0.5L)},
        {"0^0", 0, 0, 1},
        {"max(min(x, y), atan2(y, x))", 1, 2, std::atan2(2.0L, 1.0L)},
        // 1e-5000 is below the smallest extended value: it reads as 0.
        {"1e-5000", 0, 0, 0},
    };
    for (const auto& c : cases) EXPECT_EQ(Eval(c.text, c.x, c.y), c.expected) << c.text;
}

TEST(ExpressionLanguage, ExtendedPrecisionThroughout)
{
    // 1 + 2^-60 exists only in extended precision; a double would lose it.
    EXPECT_EQ(Eval("(1 + 2^-60) - 1"), std::ldexp(1.0L, -60));
    // Decimal text rounds once, to extended, not to double first.
    EXPECT_NE(Eval("0.1"), static_cast<long double>(0.1));
}

struct ErrorCase {
    std::string text;
    int position;
    const char* what;
};

TEST(ExpressionLanguage, MistakesAreNamedWithTheirPosition)
{
    const ErrorCase cases[] = {
        {"", 1, "式が空です"},
        {"   ", 4, "式が空です"},
        {"x +", 4, "数値、名前、「(」または「-」が必要です"},
        {"x + * y", 5, "数値、名前、「(」または「-」が必要です"},
        {"+x", 1, "数値、名前、「(」または「-」が必要です"},
        {"()", 2, "数値、名前、「(」または「-」が必要です"},
        {"x y", 3, "演算子が必要です"},
        {"2x", 2, "演算子が必要です"},
        {"x(2)", 2, "演算子が必要です"},
        {"(x y)", 4, "演算子または「)」が必要です"},
        {"min(x y)", 7, "演算子、「,」または「)」が必要です"},
        {"((x + 1)", 9, "「)」が足りません"},
        {"sin(x", 6, "「)」が足りません"},
        {"x + 1)", 6, "対応する「(」のない「)」です"},
        {"1, 2", 2, "「,」は関数の引数の区切りにだけ使えます"},
        {"(1, 2)", 3, "「,」は関数の引数の区切りにだけ使えます"},
        {"z + 1", 1, "名前 'z' は不明です"},
        {"X", 1, "名前 'X' は不明です"},
        {"x + sinus(x)", 5, "名前 'sinus' は不明です"},
        {"sin x", 5, "関数 'sin' の後に「(」が必要です"},
        {"1 + cos", 8, "関数 'cos' の後に「(」が必要です"},
        {"sin()", 1, "関数 'sin' の引数は1個です(指定は0個)"},
        {"y + sin(x, y)", 5, "関数 'sin' の引数は1個です(指定は2個)"},
        {"atan2(y)", 1, "関数 'atan2' の引数は2個です(指定は1個)"},
        {"max(1, 2, 3)", 1, "関数 'max' の引数は2個です(指定は3個)"},
        {"min(1, )", 8, "数値、名前、「(」または「-」が必要です"},
        {"x # 2", 3, "文字 '#' は使えません"},
        {"x = 2", 3, "文字 '=' は使えません"},
        {"x\x01", 2, "制御文字(0x01)は使えません"},
        {"x * \xCF\x80", 5, "ASCII以外の文字は使えません"},     // π
        {"x\xE3\x80\x80+ y", 2, "ASCII以外の文字は使えません"}, // ideographic space
        {"1e", 2, "数値の指数に数字がありません"},
        {"2.5E+ 1", 4, "数値の指数に数字がありません"},
        {"x + .", 5, "数値に数字がありません"},
        {"1e5000", 1, "数値が大きすぎます"},
        {"x + 1" + std::string(900, '0') + "e4100", 5, "数値が大きすぎます"}, // 1e5000 in 906 characters
    };
    for (const auto& c : cases) {
        try {
            CompileExpression(c.text);
            ADD_FAILURE() << "accepted: " << c.text;
        } catch (const EExpressionError& e) {
            EXPECT_EQ(e.Position(), c.position) << c.text;
            EXPECT_EQ(e.Message(), "式の誤り(" + std::to_string(c.position) + "文字目): " + c.what) << c.text;
        }
    }
}

std::string Nested(int depth) { return std::string(depth, '(') + "x" + std::string(depth, ')'); }

TEST(ExpressionLanguage, LimitsOfLengthAndNesting)
{
    // 1000 characters pass, the 1001st is refused wherever it is.
    std::string longest = "x";
    while (longest.size() < 1000) longest += longest.size() + 2 <= 1000 ? "+x" : " ";
    ASSERT_EQ(longest.size(), 1000u);
    EXPECT_EQ(Eval(longest, 1, 0), 500);
    for (const std::string& text : {longest + " ", longest + "+", std::string(1000000, 'x')}) {
        try {
            CompileExpression(text);
            ADD_FAILURE() << "accepted " << text.size() << " characters";
        } catch (const EExpressionError& e) {
            EXPECT_EQ(e.Message(), "式の誤り(1001文字目): 式は1000文字までです");
        }
    }
    // Characters are counted, not bytes: 600 two-byte letters are 600
    // characters and get the letter's message, 1001 of them the length's.
    std::string greek;
    for (int i = 0; i < 600; ++i) greek += "\xCE\xB1";
    try {
        CompileExpression(greek);
        ADD_FAILURE() << "600 letters accepted";
    } catch (const EExpressionError& e) {
        EXPECT_EQ(e.Message(), "式の誤り(1文字目): ASCII以外の文字は使えません");
    }
    for (int i = 600; i < 1001; ++i) greek += "\xCE\xB1";
    try {
        CompileExpression(greek);
        ADD_FAILURE() << "1001 letters accepted";
    } catch (const EExpressionError& e) {
        EXPECT_EQ(e.Position(), 1001);
    }

    // Parentheses of both kinds count towards the nesting.
    EXPECT_EQ(Eval(Nested(64), 7, 0), 7);
    EXPECT_EQ(Eval(std::string(32, '(') + "sin(" + Nested(31) + ")" + std::string(32, ')')), 0);
    try {
        CompileExpression("1 + " + Nested(65));
        ADD_FAILURE() << "65 levels accepted";
    } catch (const EExpressionError& e) {
        EXPECT_EQ(e.Message(), "式の誤り(69文字目): 括弧の入れ子は64段までです");
    }
    try {
        CompileExpression(std::string(63, '(') + "abs(sin(x" + std::string(65, ')'));
        ADD_FAILURE() << "65 levels through calls accepted";
    } catch (const EExpressionError& e) {
        EXPECT_EQ(e.Position(), 71); // the "(" of sin
    }
}

TEST(ExpressionLanguage, LongChainsStayWithinTheStack)
{
    // The deepest stacks a 1000-character text can ask for: a power tower
    // groups from the right, a run of minus signs waits for its operand.
    std::string tower;
    for (int i = 0; i < 499; ++i) tower += "1^";
    tower += "x";
    const TExpressionProgram p = CompileExpression(tower);
    EXPECT_EQ(p.MaxDepth(), 500);
    EXPECT_LE(p.MaxDepth(), TExpressionProgram::kMaxStack);
    EXPECT_EQ(p.Evaluate(5, 0), 1);
    EXPECT_EQ(Eval(std::string(999, '-') + "x", 2, 0), -2);
}

struct FailureCase {
    const char* text;
    double x, y;
    const char* message;
};

TEST(ExpressionLanguage, EvaluationFailuresGiveTheDrawingsMessages)
{
    const FailureCase cases[] = {
        {"1 / x", 0, 0, kMsgZeroDivide},
        {"x / y", 0, 0, kMsgInvalidOp}, // 0/0 has no value at all
        {"mod(x, y)", 3, 0, kMsgZeroDivide},
        {"ln(x)", 0, 0, kMsgZeroDivide},
        {"ln(x)", -1, 0, kMsgInvalidOp},
        {"sqrt(x)", -1e-300, 0, kMsgInvalidOp},
        {"x ^ 0.5", -4, 0, kMsgInvalidOp},
        {"x ^ -1", 0, 0, kMsgZeroDivide},
        {"x ^ y", 10, 5000, kMsgOverflow},
        {"exp(x)", 12000, 0, kMsgOverflow},
        {"x * x * x * x * x * x * x * x * x * x * x * x * x * x * x * x * x", 1e300, 0, kMsgOverflow},
        {"x / 1e-4900", 1e300, 0, kMsgOverflow},
        {"1e4932 * 1.2", 0, 0, kMsgOverflow},
        {"1.1e4932 + 1.1e4932", 0, 0, kMsgOverflow},
        {"-1.1e4932 - 1.1e4932", 0, 0, kMsgOverflow},
        {"hypot(1e4932, 1e4932)", 0, 0, kMsgOverflow},
        // Failures whose infinity a later step would hide.
        {"1 / (x * 1e4932 * 10)", 1, 0, kMsgOverflow},
        {"sin(exp(x))", 12000, 0, kMsgOverflow},
        {"min(exp(x), 1) + atan2(exp(x), 1)", 12000, 0, kMsgOverflow},
        {"mod(1, exp(x))", 12000, 0, kMsgOverflow},
        {"exp(-exp(x))", 12000, 0, kMsgOverflow},
        // The first failure counts, not a later one it leads to.
        {"exp(x) - exp(x) + 1/y", 12000, 0, kMsgOverflow},
        {"1/y + exp(x) - exp(x)", 12000, 0, kMsgZeroDivide},
        {"sqrt(-x) * exp(x)", 12000, 0, kMsgInvalidOp},
    };
    for (const auto& c : cases) {
        const TExpressionProgram p = CompileExpression(c.text);
        try {
            p.Evaluate(c.x, c.y);
            ADD_FAILURE() << "no failure: " << c.text;
        } catch (const Exception& e) {
            EXPECT_EQ(e.Message(), c.message) << c.text;
        }
    }
    // Near the edges the same operations still have values.
    EXPECT_EQ(Eval("sqrt(x)", -0.0), 0);
    EXPECT_EQ(Eval("exp(x)", -20000), 0);
    EXPECT_EQ(Eval("x ^ 3", -2), -8);
    EXPECT_EQ(Eval("atan2(0, 0)"), 0);
    EXPECT_EQ(Eval("1e4932 * 1.1"), 1e4932L * 1.1L);
}

} // namespace
