// The processor helpers: rounding, its failure cases and the trigonometric limit.
#include "common/FpuMath.h"

#include "common/Exceptions.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace {

TEST(FpuRound, RoundsToNearestWithTiesToEvenLikeTheLibraryRounding)
{
    const long double cases[] = {0.5L,
                                 1.5L,
                                 2.5L,
                                 -2.5L,
                                 -0.5L,
                                 0.49999999999999999L,
                                 7.4L,
                                 -3.2L,
                                 1e18L,
                                 -1e18L,
                                 9223372036854775807.0L - 0.5L,
                                 -9223372036854775808.0L,
                                 -9223372036854775808.0L + 0.5L,
                                 0x1p62L + 0.5L};
    // std::nearbyintl rounds in the default mode, to nearest with ties to even.
    for (long double v : cases)
        EXPECT_EQ(fpu::Round(v), static_cast<int64_t>(std::nearbyintl(v))) << static_cast<double>(v);
    EXPECT_EQ(fpu::Round(2.5L), 2);
    EXPECT_EQ(fpu::Round(-2.5L), -2);
    EXPECT_EQ(fpu::Round(-0x1p63L), INT64_MIN);
}

TEST(FpuRound, TiesGoToTheEvenNeighbour)
{
    const std::pair<long double, int64_t> cases[] = {
        {0.5L, 0},
        {1.5L, 2},
        {2.5L, 2},
        {-2.5L, -2},
        {-3.2L, -3},
        {2.6L, 3},
        {-0.5L, 0},
        {9223372036854775807.0L, INT64_MAX},
        {-9223372036854775808.0L, INT64_MIN},
    };
    for (const auto& [in, out] : cases) EXPECT_EQ(fpu::Round(in), out) << static_cast<double>(in);
}

TEST(FpuRound, OutOfRangeOrNaNIsAnInvalidOperation)
{
    for (long double v :
         {9223372036854775808.0L, -9223372036854775809.0L * 2, std::numeric_limits<long double>::quiet_NaN(),
          std::numeric_limits<long double>::infinity()}) {
        EXPECT_THROW(fpu::Round(v), EInvalidOp);
    }
}

TEST(FpuRound, FailsAsInvalidOperationOutsideTheInt64Range)
{
    const long double nan = std::numeric_limits<long double>::quiet_NaN();
    const long double inf = std::numeric_limits<long double>::infinity();
    // 2^63 - 0.5 is a tie whose even neighbour is 2^63, one past the range.
    for (long double v : {0x1p63L, 0x1p63L - 0.5L, -0x1p63L - 1, 1e19L, -1e19L, nan, inf, -inf}) {
        try {
            fpu::Round(v);
            ADD_FAILURE() << "accepted " << static_cast<double>(v);
        } catch (const EInvalidOp& e) {
            EXPECT_EQ(e.Message(), kMsgInvalidOp);
        }
    }
}

TEST(FpuTrig, GivesZeroFromTwoToTheSixtyThreeOn)
{
    for (long double v : {0x1p63L, -0x1p63L, 1e30L, std::numeric_limits<long double>::infinity()}) {
        EXPECT_EQ(fpu::Sin(v), 0.0L);
        EXPECT_EQ(fpu::Cos(v), 0.0L);
    }
    EXPECT_NEAR(static_cast<double>(fpu::Sin(1.0L)), std::sin(1.0), 1e-15);
    EXPECT_NEAR(static_cast<double>(fpu::Cos(1.0L)), std::cos(1.0), 1e-15);
    EXPECT_EQ(fpu::Sin(0.0L), 0.0L);
    EXPECT_EQ(fpu::Cos(0.0L), 1.0L);
}

TEST(FpuChecks, InfiniteResultsFailAsOverflow)
{
    const long double big = std::numeric_limits<long double>::max();
    EXPECT_THROW(fpu::Checked(big * 2), EOverflow);
    EXPECT_EQ(fpu::Checked(big), big);
    EXPECT_THROW(fpu::ToDoubleArg(1e309L), EOverflow);
    EXPECT_THROW(fpu::ToDoubleArg(big * 2 - big * 2), EOverflow);
    EXPECT_EQ(fpu::ToDoubleArg(0.1L), static_cast<double>(0.1L));
}

} // namespace
