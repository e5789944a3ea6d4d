// The shade-off filter: kernel weights, edge replication, truncation and
// channel independence.
#include "engine/ImageEffect.h"
#include "tests/support/Pictures.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

TBitmap24 Filled(int w, int h, uint32_t color)
{
    TBitmap24 b(w, h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) SetPixelAt(b, x, y, color);
    return b;
}

uint32_t Gray(int v) { return static_cast<uint32_t>(v) * 0x010101u; }

TEST(ShadeOff, LeavesUniformTinyAndEmptyImagesAlone)
{
    for (auto [w, h] : {std::pair{5, 4}, std::pair{1, 1}, std::pair{1, 3}, std::pair{7, 1}}) {
        TBitmap24 b = Filled(w, h, 0x1E140A);
        ApplyShadeOff(b);
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x) ASSERT_EQ(PixelAt(b, x, y), 0x1E140Au) << w << "x" << h;
    }
    TBitmap24 empty(0, 5);
    ApplyShadeOff(empty);
    EXPECT_EQ(empty.Width(), 0);
    EXPECT_EQ(empty.Height(), 5);
}

TEST(ShadeOff, SpreadsASingleBrightPixelOverItsNeighbours)
{
    TBitmap24 b = Filled(5, 5, 0);
    SetPixelAt(b, 2, 2, Gray(255));
    ApplyShadeOff(b);
    for (int y = 0; y < 5; ++y)
        for (int x = 0; x < 5; ++x) {
            const bool centre = x == 2 && y == 2;
            const bool near = std::abs(x - 2) <= 1 && std::abs(y - 2) <= 1;
            EXPECT_EQ(PixelAt(b, x, y), Gray(centre ? 51 : near ? 25 : 0)) << x << "," << y;
        }
}

TEST(ShadeOff, ReplicatesEdgePixels)
{
    TBitmap24 b = Filled(4, 4, 0);
    SetPixelAt(b, 0, 0, Gray(100));
    ApplyShadeOff(b);
    EXPECT_EQ(PixelAt(b, 0, 0), Gray(50)); // 5 of the 10 weights fall on the corner
    EXPECT_EQ(PixelAt(b, 1, 0), Gray(20));
    EXPECT_EQ(PixelAt(b, 0, 1), Gray(20));
    EXPECT_EQ(PixelAt(b, 1, 1), Gray(10));
    EXPECT_EQ(PixelAt(b, 2, 0), Gray(0));

    // One column: left and right neighbours are the pixel itself.
    TBitmap24 column = Filled(1, 3, 0);
    SetPixelAt(column, 0, 1, Gray(100));
    ApplyShadeOff(column);
    EXPECT_EQ(PixelAt(column, 0, 0), Gray(30));
    EXPECT_EQ(PixelAt(column, 0, 1), Gray(40));
    EXPECT_EQ(PixelAt(column, 0, 2), Gray(30));
}

TEST(ShadeOff, FiltersEachChannelOnItsOwn)
{
    TBitmap24 b(6, 5);
    for (int y = 0; y < 5; ++y)
        for (int x = 0; x < 6; ++x) SetPixelAt(b, x, y, static_cast<uint32_t>((x * 37 + y * 91) % 256)); // red only
    TBitmap24 expected = b;
    ApplyShadeOff(b);
    for (int y = 0; y < 5; ++y)
        for (int x = 0; x < 6; ++x) {
            int s = 0;
            for (int dy = -1; dy <= 1; ++dy)
                for (int dx = -1; dx <= 1; ++dx) {
                    const int sx = std::clamp(x + dx, 0, 5), sy = std::clamp(y + dy, 0, 4);
                    s += static_cast<int>(PixelAt(expected, sx, sy) & 0xFF) * (dx == 0 && dy == 0 ? 2 : 1);
                }
            EXPECT_EQ(PixelAt(b, x, y), static_cast<uint32_t>(s / 10)) << x << "," << y;
        }
}

// The kernel written out over a whole copy, as the filter once ran.
TBitmap24 BlurredCopy(const TBitmap24& source)
{
    TBitmap24 out(source.Width(), source.Height());
    const int w = source.Width(), h = source.Height();
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            for (int channel = 0; channel < 3; ++channel) {
                int s = 0;
                for (int dy = -1; dy <= 1; ++dy)
                    for (int dx = -1; dx <= 1; ++dx) {
                        const int sx = std::clamp(x + dx, 0, w - 1), sy = std::clamp(y + dy, 0, h - 1);
                        s += source.Row(sy)[sx * 3 + channel] * (dx == 0 && dy == 0 ? 2 : 1);
                    }
                out.Row(y)[x * 3 + channel] = static_cast<uint8_t>(s / 10);
            }
    return out;
}

// Bands of rows on several threads read the rows next to their band as they
// were before any band wrote: the same bytes for every number of threads,
// also with more threads than rows.
TEST(ShadeOff, SameBytesOnEveryNumberOfThreads)
{
    const std::pair<int, int> sizes[] = {{1, 1}, {1, 5}, {5, 1}, {2, 2}, {7, 3}, {33, 17}, {64, 65}, {3, 40}};
    for (auto [w, h] : sizes) {
        const TBitmap24 noise = NoisePicture(w, h, static_cast<uint32_t>(w * 100 + h));
        const TBitmap24 expected = BlurredCopy(noise);
        for (int threads : {1, 2, 3, 4, 7, 16, 100}) {
            TBitmap24 b = noise;
            ApplyShadeOff(b, threads);
            EXPECT_TRUE(SamePixels(b, expected)) << w << "x" << h << " on " << threads << " threads";
        }
    }
}

} // namespace
