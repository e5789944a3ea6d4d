// Both real-to-text formats: digits, the fixed/scientific switch, exponents,
// and that every text reads back as the 15-digit rounding of the value.
#include "common/NumberFormat.h"
#include "common/Convert.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <limits>

namespace {

struct FormatCase {
    long double value;
    const char* plain;
    const char* g;
};

const FormatCase kCases[] = {
    {0.0L, "0", "0"},
    {-0.0L, "0", "0"},
    {1.0L, "1", "1"},
    {0.5L, "0.5", "0.5"},
    {-2.25L, "-2.25", "-2.25"},
    {400.0L, "400", "400"},
    {1E-6L, "1E-6", "1E-006"},
    {1E-5L, "1E-5", "1E-005"},
    {0.0001L, "0.0001", "0.0001"},
    {0.00005L, "5E-5", "5E-005"},
    {-0.00012345L, "-0.00012345", "-0.00012345"},
    {1E20L, "1E20", "1E020"},
    {1.5E20L, "1.5E20", "1.5E020"},
    {-1.5E-300L, "-1.5E-300", "-1.5E-300"},
    {123456789012345678.0L, "1.23456789012346E17", "1.23456789012346E017"},
    {0.12345678901234567L, "0.123456789012346", "0.123456789012346"},
    {1.0000000000000001L, "1", "1"},
    {999999999999999.0L, "999999999999999", "999999999999999"},
    {1E15L, "1E15", "1E015"},
    // Rounds up to 16 integer digits, so the scientific form takes over.
    {999999999999999.9L, "1E15", "1E015"},
    {0.000099999999999999999L, "0.0001", "0.0001"},
    {1E4000L, "1E4000", "1E4000"},
};

TEST(NumberFormat, WritesTheGeneralForms)
{
    for (const auto& c : kCases) {
        EXPECT_EQ(FloatToStr(c.value), c.plain) << static_cast<double>(c.value);
        EXPECT_EQ(FormatG(c.value), c.g) << static_cast<double>(c.value);
    }
}

TEST(NumberFormat, ReadsBackAsTheValueRoundedToFifteenDigits)
{
    for (const auto& c : kCases) {
        char rounded[64];
        std::snprintf(rounded, sizeof rounded, "%.14Le", c.value);
        const long double expected = std::strtold(rounded, nullptr);
        EXPECT_EQ(StrToFloat(FloatToStr(c.value)), expected) << c.plain;
        EXPECT_EQ(StrToFloat(FormatG(c.value)), expected) << c.g;
    }
}

TEST(NumberFormat, NamesNonFiniteValues)
{
    const long double inf = std::numeric_limits<long double>::infinity();
    EXPECT_EQ(FloatToStr(inf), "INF");
    EXPECT_EQ(FloatToStr(-inf), "-INF");
    EXPECT_EQ(FormatG(std::numeric_limits<long double>::quiet_NaN()), "NAN");
}

} // namespace
