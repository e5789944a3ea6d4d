// Palette index of a formula value, negative 32-bit values and tiny palettes included.
#include "palette/PaletteIndex.h"

#include "common/Exceptions.h"

#include <gtest/gtest.h>

namespace {

TEST(PaletteIndex, CyclesThroughOneToHigh)
{
    struct Case {
        int32_t v, high, index;
    };
    const Case cases[] = {
        {0, 127, 1},
        {1, 127, 2},
        {126, 127, 127},
        {127, 127, 1},
        {80000, 127, 118},
        {5, 1, 1},
        {INT32_MAX, 2, 2},
        // Values negative as 32-bit integers use the remainder's magnitude.
        {-1, 127, 2},
        {-1294967296, 127, 113},
        {INT32_MIN, 127, 9},
        {INT32_MIN, 2, 1},
        // An empty palette: every remainder by -1 is 0, INT32_MIN included.
        {0, -1, 1},
        {12345, -1, 1},
        {INT32_MIN, -1, 1},
    };
    for (const auto& c : cases) EXPECT_EQ(PaletteIndex(c.v, c.high), c.index) << c.v << " mod " << c.high;
}

TEST(PaletteIndex, OneColourDividesByZero)
{
    try {
        PaletteIndex(7, 0);
        ADD_FAILURE();
    } catch (const EZeroDivide& e) {
        EXPECT_EQ(e.Message(), "ゼロによる除算");
    }
}

} // namespace
