// What the window shows about the picture and the document, without widgets:
// the view scale's steps and fit, the title with its change mark, and the
// list of the last documents.
#include "document/DocumentState.h"
#include "document/PointerText.h"
#include "document/ViewScale.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

TEST(ViewScale, FitReducesOnlyAndKeepsTheWholePictureInside)
{
    struct Case {
        int w, h, areaW, areaH;
        double scale;
    };
    const Case cases[] = {
        {400, 400, 800, 600, 1.0},             // smaller than the area: 1:1, centred
        {800, 400, 400, 400, 0.5},             // the width decides
        {400, 1000, 400, 250, 0.25},           // the height decides
        {9999, 9999, 1000, 900, 900.0 / 9999}, // the largest picture
        {9999, 9999, 10, 10, kMinViewScale},   // never below the smallest scale
        {0, 0, 400, 400, 1.0},                 // no picture yet
    };
    for (const Case& c : cases) {
        const double scale = FittedViewScale(c.w, c.h, c.areaW, c.areaH);
        EXPECT_DOUBLE_EQ(scale, c.scale) << c.w << "x" << c.h << " in " << c.areaW << "x" << c.areaH;
        if (scale > kMinViewScale && c.w > 0) {
            EXPECT_LE(ScaledLength(c.w, scale), c.areaW);
            EXPECT_LE(ScaledLength(c.h, scale), c.areaH);
        }
    }
}

TEST(ViewScale, StepsArePowersOfTwoWithinTheLimits)
{
    EXPECT_EQ(ViewScaleUp(1.0), 2.0);
    EXPECT_EQ(ViewScaleDown(1.0), 0.5);
    EXPECT_EQ(ViewScaleDown(0.25), 0.125);
    // From a fitted scale between two steps, the nearer step that way.
    EXPECT_EQ(ViewScaleUp(0.09), 0.125);
    EXPECT_EQ(ViewScaleDown(0.09), 0.0625);
    // A hair below a step counts as that step.
    EXPECT_EQ(ViewScaleUp(0.5 - 1e-12), 1.0);
    EXPECT_EQ(ViewScaleUp(kMaxViewScale), kMaxViewScale);
    EXPECT_EQ(ViewScaleDown(kMinViewScale), kMinViewScale);
}

TEST(ViewScale, ShownLengthsAndThePixelUnderAPosition)
{
    EXPECT_EQ(ScaledLength(400, 1.0), 400);
    EXPECT_EQ(ScaledLength(9999, 0.25), 2500);
    EXPECT_EQ(ScaledLength(1, 1.0 / 64), 1);
    EXPECT_EQ(ScaledLength(0, 2.0), 0);
    // At 1/4 each shown pixel covers four picture pixels; at 4 a picture
    // pixel is four shown ones.
    EXPECT_EQ(PixelUnder(10.5, 0.25), 42);
    EXPECT_EQ(PixelUnder(0.0, 0.25), 0);
    EXPECT_EQ(PixelUnder(7.9, 4.0), 1);
    EXPECT_EQ(PixelUnder(-0.5, 1.0), -1);
    EXPECT_EQ(ViewScaleText(0.5), "50%");
    EXPECT_EQ(ViewScaleText(1.0 / 16), "6.25%");
    EXPECT_EQ(ViewScaleText(16), "1600%");
}

TEST(DocumentState, ModifiedUntilStoredAndUnchangedAgainWhenUndoneBack)
{
    TPatternSnapshot start;
    start.Width = start.Height = 400;
    TDocumentState doc;
    doc.New(start);
    EXPECT_EQ(doc.FileName(), "");
    EXPECT_FALSE(doc.Modified(start));

    TPatternSnapshot moved = start;
    moved.Center.X = 0.5;
    EXPECT_TRUE(doc.Modified(moved));
    EXPECT_FALSE(doc.Modified(start)) << "undone back to the stored pattern";

    doc.Stored("/home/u/模様/波.vqp", moved);
    EXPECT_EQ(doc.FileName(), "/home/u/模様/波.vqp");
    EXPECT_FALSE(doc.Modified(moved));
    EXPECT_TRUE(doc.Modified(start));
}

TEST(DocumentState, TitleNamesTheFileAndMarksAChange)
{
    EXPECT_EQ(WindowTitle("", false), "Velquor");
    EXPECT_EQ(WindowTitle("", true), "*Velquor");
    EXPECT_EQ(WindowTitle("/home/u/模様/波.vqp", false), "波.vqp - Velquor");
    EXPECT_EQ(WindowTitle("/home/u/模様/波.vqp", true), "*波.vqp - Velquor");
}

TEST(RecentFiles, NewestFirstNoRepeatsAtMostEight)
{
    TRecentFiles recent;
    for (int i = 1; i <= 10; ++i) recent.Add("/d/" + std::to_string(i) + ".vqp");
    ASSERT_EQ(recent.Files().size(), 8u);
    EXPECT_EQ(recent.Files().front(), "/d/10.vqp");
    EXPECT_EQ(recent.Files().back(), "/d/3.vqp");

    recent.Add("/d/5.vqp");
    EXPECT_EQ(recent.Files().front(), "/d/5.vqp");
    EXPECT_EQ(recent.Files().size(), 8u);
    EXPECT_EQ(std::count(recent.Files().begin(), recent.Files().end(), "/d/5.vqp"), 1);

    recent.Remove("/d/5.vqp");
    EXPECT_EQ(recent.Files().front(), "/d/10.vqp");
    EXPECT_EQ(recent.Files().size(), 7u);

    // A list read from an edited store: repeats, blanks and too many.
    const TRecentFiles stored({"/a", "", "/b", "/a", "/c", "/d", "/e", "/f", "/g", "/h", "/i"});
    EXPECT_EQ(stored.Files(), (std::vector<std::string>{"/a", "/b", "/c", "/d", "/e", "/f", "/g", "/h"}));
}

TEST(RecentFiles, MenuCaptionsNumberTheEntriesAndShowAmpersands)
{
    EXPECT_EQ(RecentMenuCaption(0, "/home/u/波.vqp"), "&1 波.vqp");
    EXPECT_EQ(RecentMenuCaption(7, "/x/R&D.vqp"), "&8 R&&D.vqp");
}

TEST(PointerCoordinates, DigitsThatTellNeighboursApartAndNoRoundingNoise)
{
    struct Case {
        long double value, step;
        const char* text;
    };
    const Case cases[] = {
        {-200, 1, "-200"},
        {-84.08964152537145L, 0.8408964152537145L, "-84.1"},
        {-2.77555756156289E-17L, 0.8408964152537145L, "0"}, // what a zoom and a drag leave at 0
        {0.5, 0.05, "0.5"},                                 // no trailing zeros
        {0.123456789L, 0.001, "0.123"},
        {-0.0004, 0.001, "0"}, // no "-0"
        {12345.6789L, 250, "12346"},
        {1.25e20L, 1e18L, "1.25E20"},
        {3.0000001e-30L, 1e-37L, "3.0000001E-30"},
        {1e-40L, 1e-30L, "0"},
        {-7.5, -0.5, "-7.5"}, // a negative increment steps as far
    };
    for (const Case& c : cases) EXPECT_EQ(CoordinateText(c.value, c.step), c.text) << c.text;
    // Neighbouring pixels at a step of 0.84, each printed differently.
    for (long double v = -3; v < 3; v += 0.8408964152537145L)
        EXPECT_NE(CoordinateText(v, 0.8408964152537145L), CoordinateText(v + 0.8408964152537145L, 0.8408964152537145L));
}

TEST(PointerCoordinates, ReadoutNamesPointValueAndEntry)
{
    TPixelProbe probe;
    probe.Inside = true;
    probe.X = -84.08964152537145;
    probe.Y = -2.77555756156289E-17;
    probe.Raw = 7070.9678;
    probe.HasRaw = true;
    probe.Value = 7071;
    probe.Index = 118;
    EXPECT_EQ(PointerText(probe, false, 0.8408964152537145L, 0.8408964152537145L),
              "x=-84.1 y=0 値=7070.9678→7071 ﾊﾟﾚｯﾄ=118");
    // Ten digits at most, exponents as the other numbers write them.
    struct Case {
        long double raw;
        const char* value;
    };
    for (const Case& c : {Case{-49.5L, "-49.5"}, Case{1.0L / 3, "0.3333333333"}, Case{80000, "80000"},
                          Case{1.25e20L, "1.25E20"}, Case{-3e-5L, "-3E-5"}}) {
        probe.Raw = c.raw;
        EXPECT_EQ(PointerText(probe, false, 1, 1), std::string("x=-84 y=0 値=") + c.value + "→7071 ﾊﾟﾚｯﾄ=118");
    }
    probe.Raw = 8e304L;
    probe.Error = "浮動小数点数のオーバーフローです。";
    EXPECT_EQ(PointerText(probe, false, 1, 1), "x=-84 y=0 値=8E304 浮動小数点数のオーバーフローです。");
    probe.HasRaw = false;
    EXPECT_EQ(PointerText(probe, false, 1, 1), "x=-84 y=0 浮動小数点数のオーバーフローです。");
    probe.Inside = false;
    EXPECT_EQ(PointerText(probe, false, 1, 1), "");
}

} // namespace
