#include "common/Convert.h"
#include "common/Exceptions.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace {

struct IntCase {
    const char* text;
    int32_t value;
};

TEST(StrToInt, AcceptsDecimalAndHexadecimal)
{
    const IntCase cases[] = {
        {"0", 0},
        {"42", 42},
        {"-7", -7},
        {"+5", 5},
        {"2147483647", 2147483647},
        {"-2147483648", INT32_MIN},
        {"$ff", 255},
        {"0x10", 16},
        {"0XfF", 255},
        {"$FFFFFFFF", -1},
        {"-$10", -16},
        {"007", 7},
    };
    for (const auto& c : cases) EXPECT_EQ(StrToInt(c.text), c.value) << c.text;
}

TEST(StrToInt, RefusesEverythingElseWithTheMessage)
{
    for (const char* text :
         {"", " 1", "1 ", "1.0", "x", "-", "$", "0x", "2147483648", "-2147483649", "$100000000", "1e3", "１"}) {
        try {
            StrToInt(text);
            ADD_FAILURE() << "accepted " << text;
        } catch (const EConvertError& e) {
            EXPECT_EQ(e.Message(), std::string("'") + text + "' は整数ではありません");
        }
    }
}

TEST(StrToFloat, ReadsDecimalNotationWithExponent)
{
    EXPECT_EQ(StrToFloat("0.5"), 0.5L);
    EXPECT_EQ(StrToFloat("-1.25"), -1.25L);
    EXPECT_EQ(StrToFloat("1E-6"), 1e-6L);
    EXPECT_EQ(StrToFloat("1.5e+20"), 1.5e20L);
    EXPECT_EQ(StrToFloat(".5"), 0.5L);
    EXPECT_EQ(StrToFloat("5."), 5.0L);
    // Correct rounding to extended precision, not to double.
    EXPECT_EQ(StrToFloat("0.1"), 0.1L);
    EXPECT_NE(static_cast<long double>(0.1), 0.1L);
}

TEST(StrToFloat, RefusesEverythingElseWithTheMessage)
{
    for (const char* text :
         {"", "abc", "inf", "nan", "INF", " 1", "1 ", "1,5", "1e", "e5", ".", "0x10", "1e99999", "+-1"}) {
        try {
            StrToFloat(text);
            ADD_FAILURE() << "accepted " << text;
        } catch (const EConvertError& e) {
            EXPECT_EQ(e.Message(), std::string("'") + text + "' は浮動小数点数ではありません");
        }
    }
}

TEST(ToDoubleChecked, OverflowsOnlyBeyondTheDoubleRange)
{
    EXPECT_EQ(ToDoubleChecked(1.5L), 1.5);
    EXPECT_THROW(ToDoubleChecked(1e400L), EOverflow);
    EXPECT_THROW(ToDoubleChecked(-1e400L), EOverflow);
}

} // namespace
