// What the window shows about the picture and the document, without widgets:
// the view scale's steps and fit, the title with its change mark, and the
// list of the last documents.
#include "document/DocumentState.h"
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

} // namespace
