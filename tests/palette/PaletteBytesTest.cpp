// The palette as ready bytes: the index without a division and the bytes of
// each entry agree with the remainder and the colour split of the per-pixel
// code.
#include "palette/PaletteBytes.h"

#include "palette/ColorSplit.h"
#include "palette/PaletteIndex.h"

#include <gtest/gtest.h>

#include <random>

namespace {

TEST(PaletteBytes, IndexEqualsTheRemainderForEveryKindOfValueAndDivisor)
{
    const uint32_t highs[] = {1, 2, 3, 7, 126, 127, 128, 65534, 65535, 65536, (1u << 24) - 1, 1000003, (1u << 31) - 1};
    std::mt19937 random(12);
    for (uint32_t high : highs) {
        const TPaletteLookup lookup{nullptr, UINT64_MAX / high + 1, high};
        std::vector<uint32_t> values = {0,
                                        1,
                                        high - 1,
                                        high,
                                        high + 1,
                                        2 * high - 1,
                                        2 * high,
                                        0x7FFFFFFF,
                                        0x80000000,
                                        0x80000001,
                                        0xFFFFFFFE,
                                        0xFFFFFFFF,
                                        0xFFFFFFFF / high * high,
                                        0xFFFFFFFF / high * high - 1};
        for (int i = 0; i < 2000; ++i) values.push_back(random());
        for (uint32_t m : values) ASSERT_EQ(lookup.IndexOf(m), m % high + 1) << m << " mod " << high;
    }
}

TEST(PaletteBytes, PixelsAreTheSplitEntriesThePerPixelCodeWouldPick)
{
    TMcf mcf;
    // Values beyond 24 bits and negative ones clamp channel by channel.
    for (int32_t c : {0x000000, 0x0A0B0C, 0xFFFFFF, 0x1FFFFFF, -5, 0x7FFFFFFF, -0x7FFFFFFF - 1, 0x00FF00, 0x123456})
        mcf.Add(c);
    const TPaletteBytes bytes(mcf);
    ASSERT_EQ(bytes.High(), mcf.High);
    const TPaletteLookup lookup = bytes.Lookup();
    for (int32_t v : {0, 1, 7, 8, 9, -1, -9, INT32_MAX, INT32_MIN, INT32_MIN + 1, 123456789, -987654321}) {
        const colorsplit::Channels c = colorsplit::Split(mcf.GetColor(PaletteIndex(v, mcf.High)));
        const uint32_t expected =
            static_cast<uint32_t>(c.b) | static_cast<uint32_t>(c.g) << 8 | static_cast<uint32_t>(c.r) << 16;
        EXPECT_EQ(lookup.Pixel(v), expected) << v;
        uint8_t p[4] = {0, 0, 0, 0xEE};
        PutPixel(p, lookup.Pixel(v));
        EXPECT_EQ(p[0], c.b);
        EXPECT_EQ(p[1], c.g);
        EXPECT_EQ(p[2], c.r);
        EXPECT_EQ(p[3], 0xEE) << "wrote past the pixel";
    }
}

} // namespace
