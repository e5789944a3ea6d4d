// The window's operations without a window: applying and writing documents,
// the random setting and dropped files, with a host that records what the
// window would show.
#include "document/MainOperations.h"
#include "tests/support/Pictures.h"

#include "common/Exceptions.h"
#include "tests/support/Files.h"
#include "tests/support/TempDir.h"
#include "tests/support/WaitingHost.h"

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>

namespace {

class MainOperationsTest : public ::testing::Test {
protected:
    MainOperationsTest() : ops_(host_, dir_.Path()) { host_.ops = &ops_; }

    void WriteDocument(const std::string& path, const std::string& dataInfo) const
    {
        WriteBytes(path,
                   "<?xml version=\"1.0\" encoding=\"UTF-8\"?><saveData>"
                   "<applicationInfo name=\"velquor\" version=\"0.11.0\"/><dataInfo>" +
                       dataInfo + "</dataInfo></saveData>");
    }

    TempDir dir_;
    TWaitingHost host_;
    TMainOperations ops_;
};

const char* const kFullDocument =
    "<center x=\"0.5\" y=\"-1.25\"/><colorchange value=\"2\"/><incremental x=\"0.001\" y=\"1E-6\"/>"
    "<palette name=\"稲妻\"/><size x=\"30\" y=\"20\"/><formula type=\"1\" name=\"4\"/>"
    "<effect shadeoff=\"-1\"/><pointmove type=\"3\" a=\"0.5\" b=\"-2\" c=\"0\" d=\"0\"/>";

TEST_F(MainOperationsTest, OpenDocumentAppliesEveryFieldAndDraws)
{
    std::filesystem::create_directories(dir_ / "pal");
    WriteBytes(dir_ / "pal/稲妻.mcf", "000000\nFF0000\n00FF00\n0000FF\n");
    host_.paletteDirectory = dir_ / "pal";
    WriteDocument(dir_ / "a.vqp", kFullDocument);

    ops_.OpenDocument(dir_ / "a.vqp");

    EXPECT_EQ(ops_.FormulaName(), "4");
    EXPECT_EQ(ops_.ColorChange(), 2.0);
    EXPECT_EQ(ops_.Pattern().Center, FloatPoint(0.5L, -1.25L));
    EXPECT_EQ(ops_.Pattern().Incremental, FloatPoint(0.001L, 1e-6L));
    EXPECT_TRUE(ops_.ShadeOff());
    EXPECT_EQ(ops_.Pattern().Width(), 30);
    EXPECT_EQ(ops_.ImageBitmap().Height(), 20);
    EXPECT_EQ(ops_.Pattern().GetPaletteName(), "稲妻");
    EXPECT_EQ(host_.paletteNames, std::vector<std::string>{"稲妻"});
    EXPECT_EQ(ops_.PointMoveType(), 3);
    EXPECT_EQ(ops_.PointMoveParam(), (TPointMoveParam{0.5L, -2, 0, 0}));
    EXPECT_TRUE(host_.messages.empty());
    EXPECT_EQ(host_.starts, 1);
    EXPECT_TRUE(ops_.Pattern().ShadeOff);
    EXPECT_EQ(ops_.Pattern().ErrorMessage(), "");
}

TEST_F(MainOperationsTest, MissingPaletteIsReportedWithItsPathAndTheDrawingStillStarts)
{
    WriteDocument(dir_ / "a.vqp", kFullDocument);
    ops_.OpenDocument(dir_ / "a.vqp");
    // No palette folder set: the program's own mcf folder.
    ASSERT_EQ(host_.messages.size(), 1u);
    EXPECT_EQ(host_.messages[0], "[" + dir_.Path() + "/mcf/稲妻.mcf]を開けません。");
    EXPECT_EQ(ops_.Pattern().GetPaletteName(), "標準");
    EXPECT_EQ(host_.starts, 1);
}

TEST_F(MainOperationsTest, RefusedSizeKeepsWhatWasAppliedBeforeIt)
{
    WriteDocument(dir_ / "a.vqp",
                  "<center x=\"3\" y=\"4\"/><colorchange value=\"5\"/><incremental x=\"2\" y=\"2\"/>"
                  "<palette name=\"p\"/><size x=\"0\" y=\"20\"/><formula type=\"1\" name=\"6\"/>"
                  "<effect shadeoff=\"1\"/><pointmove type=\"2\" a=\"1\" b=\"0\" c=\"0\" d=\"0\"/>");
    try {
        ops_.OpenDocument(dir_ / "a.vqp");
        FAIL() << "size 0 accepted";
    } catch (const ERangeError& e) {
        EXPECT_EQ(e.Message(), "幅の指定が不正です。[0]");
    }
    EXPECT_EQ(ops_.FormulaName(), "6");
    EXPECT_EQ(ops_.ColorChange(), 5.0);
    EXPECT_EQ(ops_.Pattern().Center, FloatPoint(3, 4));
    EXPECT_EQ(ops_.Pattern().Incremental, FloatPoint(2, 2));
    EXPECT_TRUE(ops_.ShadeOff());
    EXPECT_EQ(ops_.PointMoveType(), 0);
    EXPECT_TRUE(host_.messages.empty());
    EXPECT_EQ(host_.stops, 1);
    EXPECT_EQ(host_.starts, 0);
}

TEST_F(MainOperationsTest, UnreadableDocumentChangesNothing)
{
    WriteDocument(dir_ / "a.vqp", "<center x=\"1\" y=\"oops\"/>");
    EXPECT_THROW(ops_.OpenDocument(dir_ / "a.vqp"), EConvertError);
    EXPECT_EQ(ops_.Pattern().Center, FloatPoint(0, 0));
    EXPECT_EQ(host_.stops, 0);
}

TEST_F(MainOperationsTest, SavedDocumentReopensToTheSamePicture)
{
    WriteBytes(dir_ / "p.mcf", "000000\n102030\nA0B0C0\n405060\n");
    ops_.LoadPalette(dir_ / "p.mcf");
    ops_.SelectFormula(1, "5");
    ops_.SetArea(0.5L, -1.25L, 0.123456789L, 0.25L);
    ops_.SetImageSize(40, 30);
    ops_.SetColorChange(3.5);
    ops_.SelectPointMove(1, TPointMoveParam{2, 0.1L, 3, 0.2L});
    ops_.SetShadeOff(true);
    host_.StartDraw();
    const TBitmap24 first = ops_.ImageBitmap();
    ops_.SaveDocument(dir_ / "s.vqp");

    TWaitingHost host2;
    host2.paletteDirectory = dir_.Path();
    TMainOperations ops2(host2, dir_.Path());
    host2.ops = &ops2;
    ops2.OpenDocument(dir_ / "s.vqp");
    EXPECT_EQ(ops2.Pattern().GetPaletteName(), "p");
    EXPECT_EQ(ops2.PointMoveType(), 1);
    EXPECT_TRUE(ops2.ShadeOff());
    EXPECT_EQ(ops2.Pattern().Incremental.X, 0.123456789L);
    ASSERT_EQ(ops2.ImageBitmap().Width(), 40);
    for (int y = 0; y < 30; ++y)
        for (int x = 0; x < 40; ++x)
            ASSERT_EQ(PixelAt(ops2.ImageBitmap(), x, y), PixelAt(first, x, y)) << x << "," << y;
}

TEST_F(MainOperationsTest, RandomScalesTheIncrementsWithTheFixedSequence)
{
    ops_.SetImageSize(2, 2);
    ops_.Random();
    EXPECT_NEAR(static_cast<double>(ops_.Pattern().Incremental.X), 0.9000000000466, 1e-13);
    EXPECT_NEAR(static_cast<double>(ops_.Pattern().Incremental.Y), 0.9062759879, 1e-10);
    const TFloatPoint before = ops_.Pattern().Incremental;
    ops_.Random();
    EXPECT_NEAR(static_cast<double>(ops_.Pattern().Incremental.X / before.X), 1.0722096934, 1e-10);
    EXPECT_NEAR(static_cast<double>(ops_.Pattern().Incremental.Y / before.Y), 0.9405161930, 1e-10);
    EXPECT_EQ(ops_.Pattern().Center, FloatPoint(0, 0));
    EXPECT_EQ(host_.starts, 2);
}

TEST_F(MainOperationsTest, DroppedFilesAreHandledByTheFirstOnesExtension)
{
    ops_.SetImageSize(2, 2);
    WriteBytes(dir_ / "b.MCF", "000000\nFF0000\n00FF00\n");
    ops_.DropFiles({dir_ / "b.MCF", dir_ / "x.txt", dir_ / "c.vqp"});
    EXPECT_EQ(ops_.Pattern().GetPaletteName(), "b");
    EXPECT_EQ(host_.starts, 1);

    ops_.DropFiles({dir_ / "x.txt", dir_ / "b.MCF"});
    EXPECT_EQ(host_.errors, std::vector<std::string>{dir_ / "x.txt" + "\r\nは扱えません。"});
    EXPECT_EQ(host_.starts, 1);
}

TEST_F(MainOperationsTest, FailedPaletteLoadKeepsTheOldPaletteAndName)
{
    WriteBytes(dir_ / "bad.mcf", "000000\nnot a colour\n");
    EXPECT_THROW(ops_.LoadPalette(dir_ / "bad.mcf"), EConvertError);
    EXPECT_EQ(ops_.Pattern().GetPaletteName(), "標準");
    EXPECT_EQ(ops_.Pattern().Mcf().High, 127);
    EXPECT_TRUE(host_.paletteNames.empty());
}

} // namespace

// A drawing that fails at its first pixel shows what the bitmaps held
// before it: the last picture at the same size, but nothing of it at a new
// size, in the window's bitmap and in the renderer's own alike.
TEST_F(MainOperationsTest, ANewSizeShowsNothingOfTheOldPicture)
{
    const auto black = [](const TBitmap24& b) {
        for (int y = 0; y < b.Height(); ++y)
            for (int x = 0; x < b.Width(); ++x)
                if (PixelAt(b, x, y) != 0) return false;
        return true;
    };
    struct Case {
        int width, height;
        bool keepsPicture;
    };
    const Case cases[] = {{40, 30, true}, {41, 30, false}, {40, 29, false}, {80, 60, false}, {20, 15, false}};
    WriteBytes(dir_ / "one.mcf", "FF0000\n"); // fails with a division by zero at the first pixel
    for (const Case& c : cases) {
        ops_.Pattern().Mcf().SetDefault();
        ops_.SetImageSize(40, 30);
        host_.StartDraw();
        const TBitmap24 drawn = ops_.ImageBitmap();
        ASSERT_FALSE(black(drawn));

        ops_.SetImageSize(c.width, c.height);
        ops_.LoadPalette(dir_ / "one.mcf");
        host_.StartDraw();
        ASSERT_EQ(ops_.Pattern().ErrorMessage(), "ゼロによる除算");
        ASSERT_EQ(ops_.ImageBitmap().Width(), c.width);
        ASSERT_EQ(ops_.Pattern().Bitmap().Height(), c.height);
        if (c.keepsPicture) {
            EXPECT_TRUE(SamePixels(ops_.ImageBitmap(), drawn));
            EXPECT_TRUE(SamePixels(ops_.Pattern().Bitmap(), drawn));
        } else {
            EXPECT_TRUE(black(ops_.ImageBitmap())) << c.width << "x" << c.height;
            EXPECT_TRUE(black(ops_.Pattern().Bitmap())) << c.width << "x" << c.height;
        }
    }
}
