// The arithmetic of the mouse and keyboard moves: wheel zoom about a pixel,
// pan, zoom to a rectangle, arrow steps, the finiteness check, and the shift
// of the shown picture.
#include "document/PlaneMoves.h"

#include "tests/support/Pictures.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace {

// The plane point pixel (px, py) shows: Center - Size * Inc / 2 + p * Inc.
long double PlaneX(const TPlaneArea& a, TPictureSize s, long double px)
{
    return a.Center.X - s.Width * a.Incremental.X / 2 + px * a.Incremental.X;
}
long double PlaneY(const TPlaneArea& a, TPictureSize s, long double py)
{
    return a.Center.Y - s.Height * a.Incremental.Y / 2 + py * a.Incremental.Y;
}

} // namespace

TEST(PlaneMoves, FourNotchesHalveOrDoubleExactly)
{
    EXPECT_EQ(NotchFactor(0), 1.0L);
    EXPECT_EQ(NotchFactor(4), 0.5L);
    EXPECT_EQ(NotchFactor(-4), 2.0L);
    EXPECT_EQ(NotchFactor(-8), 4.0L);
    const long double one = NotchFactor(1);
    EXPECT_NEAR(static_cast<double>(one * one * one * one), 0.5, 1e-18);
    EXPECT_LT(one, 1.0L);
    EXPECT_GT(NotchFactor(-1), 1.0L);
}

TEST(PlaneMoves, WheelZoomKeepsThePointUnderThePixel)
{
    struct Case {
        TPlaneArea area;
        TPictureSize size;
        long double px, py;
        int notches;
    };
    const Case cases[] = {
        {{{0, 0}, {1, 1}}, {400, 400}, 100, 50, 1},
        {{{0, 0}, {1, 1}}, {400, 400}, 100, 50, -1},
        {{{3.25L, -7}, {0.01L, 0.02L}}, {800, 600}, 799, 0, 3},
        // Negative increments mirror the picture; their signs stay.
        {{{-1, 2}, {-0.5L, 0.25L}}, {123, 45}, 7, 44, -2},
        {{{1e10L, -1e10L}, {1e-9L, -1e-9L}}, {9999, 1}, 0, 0, 5},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.px << "," << c.py << " notches " << c.notches);
        const TPlaneArea out = ZoomAbout(c.area, c.size, c.px, c.py, c.notches);
        EXPECT_EQ(out.Incremental.X, c.area.Incremental.X * NotchFactor(c.notches));
        EXPECT_EQ(out.Incremental.Y, c.area.Incremental.Y * NotchFactor(c.notches));
        const long double x = PlaneX(c.area, c.size, c.px), y = PlaneY(c.area, c.size, c.py);
        const long double scale = std::fabs(x) + std::fabs(y) + c.size.Width * std::fabs(c.area.Incremental.X) +
                                  c.size.Height * std::fabs(c.area.Incremental.Y);
        EXPECT_NEAR(static_cast<double>(PlaneX(out, c.size, c.px) - x), 0.0, static_cast<double>(scale * 1e-17L));
        EXPECT_NEAR(static_cast<double>(PlaneY(out, c.size, c.py) - y), 0.0, static_cast<double>(scale * 1e-17L));
    }
}

TEST(PlaneMoves, WheelZoomByFourNotchesGivesExactValues)
{
    const TPlaneArea in{{0, 0}, {1, 1}};
    const TPlaneArea out = ZoomAbout(in, {400, 400}, 100, 50, 4);
    EXPECT_EQ(out, (TPlaneArea{{-50, -75}, {0.5L, 0.5L}}));
    // About the centre pixel the centre stays exactly.
    const TPlaneArea centred = ZoomAbout({{0.1L, 0.2L}, {0.3L, 0.4L}}, {400, 300}, 200, 150, 1);
    EXPECT_EQ(centred.Center, FloatPoint(0.1L, 0.2L));
}

TEST(PlaneMoves, PanMovesTheCentreAgainstTheDrag)
{
    const TPlaneArea out = Pan({{1, 2}, {0.5L, -2}}, 30, -20);
    EXPECT_EQ(out, (TPlaneArea{{1 - 15, 2 - 40}, {0.5L, -2}}));
}

TEST(PlaneMoves, RectangleFillsThePictureWithOneFactor)
{
    struct Case {
        long double left, top, width, height;
        TPlaneArea expected;
    };
    // Picture 400 x 300, centre (10, 20), increments (1, 2).
    const Case cases[] = {
        // Wide: its width fills the width.
        {100, 50, 100, 50, {{10 - 50, 20 - 75 * 2}, {0.25L, 0.5L}}},
        // Tall: its height fills the height.
        {0, 0, 40, 150, {{10 - 180, 20 - 75 * 2}, {0.5L, 1}}},
        // A line still zooms by its length.
        {200, 100, 0, 30, {{10, 20 - 35 * 2}, {0.1L, 0.2L}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.left << "," << c.top << " " << c.width << "x" << c.height);
        EXPECT_EQ(ZoomToRect({{10, 20}, {1, 2}}, {400, 300}, c.left, c.top, c.width, c.height), c.expected);
    }
    const TPlaneArea same{{10, 20}, {1, 2}};
    EXPECT_EQ(ZoomToRect(same, {400, 300}, 5, 5, 0, 0), same);
}

TEST(PlaneMoves, ArrowsStepAnEighthInWholePixels)
{
    struct Case {
        TArrow arrow;
        int dx, dy;
    };
    const Case cases[] = {{TArrow::Left, 50, 0}, {TArrow::Right, -50, 0}, {TArrow::Up, 0, 37}, {TArrow::Down, 0, -37}};
    for (const Case& c : cases) {
        int dx = 9, dy = 9;
        ArrowOffset({400, 300}, c.arrow, dx, dy);
        EXPECT_EQ(dx, c.dx);
        EXPECT_EQ(dy, c.dy);
    }
    int dx = 0, dy = 0;
    ArrowOffset({5, 1}, TArrow::Up, dx, dy);
    EXPECT_EQ(dy, 1);
}

TEST(PlaneMoves, NonFiniteAreasAreNotAccepted)
{
    const long double inf = std::numeric_limits<long double>::infinity();
    const long double nan = std::numeric_limits<long double>::quiet_NaN();
    const long double max = std::numeric_limits<long double>::max();
    EXPECT_TRUE(AreaIsFinite({{1e4000L, -1e4000L}, {1e-4000L, 1}}, {400, 400}));
    EXPECT_FALSE(AreaIsFinite({{inf, 0}, {1, 1}}, {400, 400}));
    EXPECT_FALSE(AreaIsFinite({{0, nan}, {1, 1}}, {400, 400}));
    EXPECT_FALSE(AreaIsFinite({{0, 0}, {1, -inf}}, {400, 400}));
    // Finite itself, but the picture's edge lies beyond the range.
    EXPECT_FALSE(AreaIsFinite({{0, 0}, {max / 100, 1}}, {400, 400}));
    EXPECT_FALSE(AreaIsFinite({{max, 0}, {max / 1e12L, 1}}, {400, 400}));
    // A zoom out of the largest finite increment overflows.
    EXPECT_FALSE(AreaIsFinite(ZoomAbout({{0, 0}, {max, max}}, {1, 1}, 0, 0, -1), {1, 1}));
}

TEST(PlaneMoves, ShiftedPictureKeepsItsPixelsAndBlanksTheRest)
{
    const uint32_t blank = 0x0A0B0C; // 0x00BBGGRR: red 0C, green 0B, blue 0A
    const int w = 5, h = 4;
    const TBitmap24 original = NoisePicture(w, h, 7);
    const int shifts[][2] = {{0, 0}, {1, 0}, {-2, 0}, {0, 1}, {0, -3}, {2, -1}, {-1, 2}, {5, 0}, {-7, 9}, {0, -4}};
    for (const auto& s : shifts) {
        SCOPED_TRACE(testing::Message() << "shift " << s[0] << "," << s[1]);
        TBitmap24 bitmap = original;
        ShiftPicture(bitmap, s[0], s[1], 0x0A, 0x0B, 0x0C);
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x) {
                const int fx = x - s[0], fy = y - s[1];
                const bool kept = fx >= 0 && fx < w && fy >= 0 && fy < h;
                ASSERT_EQ(PixelAt(bitmap, x, y), kept ? PixelAt(original, fx, fy) : blank) << x << "," << y;
            }
    }
}
