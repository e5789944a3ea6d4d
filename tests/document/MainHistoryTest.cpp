// The window's operations as history and moves: a snapshot restores every
// field and the palette, undo and redo walk the recorded steps and draw, the
// past keeps its palette whatever becomes of the file, and a move that would
// overflow is refused before anything stops.
#include "document/MainOperations.h"

#include "common/Exceptions.h"
#include "tests/support/Files.h"
#include "tests/support/TempDir.h"
#include "tests/support/WaitingHost.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <limits>

namespace {

class HistoryHost : public TWaitingHost {
public:
    std::vector<bool> shadeOffMarks;
    void ShadeOffChanged(bool checked) override { shadeOffMarks.push_back(checked); }
};

class MainHistoryTest : public ::testing::Test {
protected:
    MainHistoryTest() : ops_(host_, dir_.Path())
    {
        host_.ops = &ops_;
        ops_.SetImageSize(40, 30);
        WriteBytes(dir_ / "a.mcf", "000000\nFF0000\n00FF00\n0000FF\n");
        WriteBytes(dir_ / "b.mcf", "000000\n102030\n405060\n");
        ops_.ResetHistory();
    }

    // A pattern unlike the start-up one in every field.
    void ChangeEverything()
    {
        ops_.LoadPalette(dir_ / "a.mcf");
        ops_.SelectFormula(1, "5");
        ops_.SetArea(0.5L, -1.25L, 0.125L, -0.25L);
        ops_.SetImageSize(20, 10);
        ops_.SetColorChange(3.5);
        ops_.SelectPointMove(4, TPointMoveParam{2, 0.1L, 3, 0.2L});
        ops_.SetShadeOff(true);
    }

    TempDir dir_;
    HistoryHost host_;
    TMainOperations ops_;
};

} // namespace

TEST_F(MainHistoryTest, RestoreBringsBackEveryFieldAndThePalette)
{
    const TPatternSnapshot start = ops_.Snapshot();
    ASSERT_TRUE(start.Palette);
    EXPECT_TRUE(start.Palette->Builtin);
    ChangeEverything();
    ops_.SetPaletteOffset(2);
    const TPatternSnapshot changed = ops_.Snapshot();
    EXPECT_EQ(changed.Palette->FileName, dir_ / "a.mcf");
    EXPECT_EQ(changed.PaletteOffset, 2);
    EXPECT_EQ(changed.Width, 20);
    EXPECT_FALSE(SamePattern(start, changed));

    host_.paletteNames.clear();
    ops_.Restore(start);
    EXPECT_TRUE(SamePattern(ops_.Snapshot(), start));
    EXPECT_EQ(ops_.Pattern().GetPaletteName(), "標準");
    EXPECT_EQ(ops_.Pattern().Mcf().High, 127);
    EXPECT_EQ(ops_.ImageBitmap().Width(), 40);
    EXPECT_EQ(ops_.Pattern().ColorChange(), 1.0);
    EXPECT_EQ(ops_.PaletteOffset(), 0);
    EXPECT_EQ(host_.paletteNames, std::vector<std::string>{"標準"});
    EXPECT_EQ(host_.shadeOffMarks, std::vector<bool>{false});

    ops_.Restore(changed);
    EXPECT_TRUE(SamePattern(ops_.Snapshot(), changed));
    EXPECT_EQ(ops_.Pattern().GetPaletteName(), "a");
    EXPECT_EQ(ops_.Pattern().Mcf().High, 3);
    EXPECT_EQ(ops_.Pattern().PointMove().Param, (TPointMoveParam{2, 0.1L, 3, 0.2L}));
    EXPECT_EQ(ops_.Pattern().Formula().ColorChange, 3.5);
    EXPECT_EQ(ops_.PaletteOffset(), 2);
    EXPECT_EQ(ops_.PaletteFile(), dir_ / "a.mcf");
}

TEST_F(MainHistoryTest, RestoreBringsBackAPaletteWhoseFileIsGone)
{
    ops_.LoadPalette(dir_ / "b.mcf");
    const TPatternSnapshot withB = ops_.Snapshot();
    ChangeEverything();
    std::filesystem::remove(dir_ / "b.mcf");
    ops_.Restore(withB);
    EXPECT_TRUE(SamePattern(ops_.Snapshot(), withB));
    EXPECT_EQ(ops_.Pattern().GetPaletteName(), "b");
    EXPECT_EQ(ops_.Pattern().Mcf().High, 2);
    EXPECT_EQ(ops_.Pattern().Mcf().GetColor(2), 0x605040);
}

TEST_F(MainHistoryTest, UndoAndRedoRestoreTheRecordedStepsAndDraw)
{
    const TPatternSnapshot s0 = ops_.Snapshot();
    ops_.LoadPaletteAndDraw(dir_ / "b.mcf");
    ASSERT_TRUE(ops_.RecordStep());
    const TPatternSnapshot s1 = ops_.Snapshot();
    ops_.Random();
    ASSERT_TRUE(ops_.RecordStep());
    const TPatternSnapshot s2 = ops_.Snapshot();
    ops_.PanBy(3, -4);
    ASSERT_TRUE(ops_.RecordStep());
    const TPatternSnapshot s3 = ops_.Snapshot();

    const int starts = host_.starts;
    ops_.Undo();
    EXPECT_TRUE(SamePattern(ops_.Snapshot(), s2));
    EXPECT_EQ(host_.starts, starts + 1);
    EXPECT_FALSE(ops_.RecordStep());
    ops_.Undo();
    ops_.Undo();
    EXPECT_TRUE(SamePattern(ops_.Snapshot(), s0));
    EXPECT_EQ(ops_.Pattern().GetPaletteName(), "標準");
    EXPECT_FALSE(ops_.History().CanUndo());
    ops_.Undo(); // nothing left: no drawing either
    EXPECT_EQ(host_.starts, starts + 3);

    ops_.Redo();
    EXPECT_TRUE(SamePattern(ops_.Snapshot(), s1));
    EXPECT_EQ(ops_.Pattern().GetPaletteName(), "b");
    ops_.Redo();
    ops_.Redo();
    EXPECT_TRUE(SamePattern(ops_.Snapshot(), s3));
    EXPECT_FALSE(ops_.History().CanRedo());
}

TEST_F(MainHistoryTest, UndoAcrossAnEditedPaletteFileBringsBackTheColoursOfThatStep)
{
    ops_.LoadPaletteAndDraw(dir_ / "b.mcf");
    ASSERT_TRUE(ops_.RecordStep());
    // The same file, edited and loaded again: a step of its own.
    WriteBytes(dir_ / "b.mcf", "* edited\n#GRAD 000000,FFFFFF,8\n");
    ops_.LoadPaletteAndDraw(dir_ / "b.mcf");
    ASSERT_TRUE(ops_.RecordStep());
    ops_.SetPaletteOffset(3);
    ASSERT_TRUE(ops_.RecordStep());

    ops_.Undo();
    EXPECT_EQ(ops_.PaletteOffset(), 0);
    EXPECT_EQ(ops_.Pattern().Mcf().High, 7);
    ops_.Undo();
    EXPECT_EQ(ops_.Pattern().Mcf().High, 2);
    EXPECT_EQ(ops_.Pattern().Mcf().GetColor(1), 0x302010);
    EXPECT_EQ(ops_.Pattern().Mcf().Text, "000000\n102030\n405060");
    ops_.Redo();
    EXPECT_EQ(ops_.Pattern().Mcf().High, 7);
    EXPECT_EQ(ops_.Pattern().Mcf().Text, "* edited\n#GRAD 000000,FFFFFF,8");
    EXPECT_FALSE(ops_.RecordStep());
}

TEST_F(MainHistoryTest, MovesGoThroughSetAreaAndDraw)
{
    ops_.SetArea(1, 2, 0.5L, 0.25L);
    const int starts = host_.starts;
    ops_.PanBy(10, -4);
    EXPECT_EQ(ops_.Area(), (TPlaneArea{{1 - 5, 2 + 1}, {0.5L, 0.25L}}));
    ops_.ZoomAboutCentre(4);
    EXPECT_EQ(ops_.Area(), (TPlaneArea{{-4, 3}, {0.25L, 0.125L}}));
    ops_.ZoomToRect(0, 0, 20, 15);
    EXPECT_EQ(ops_.Area(), (TPlaneArea{{-4 - 10 * 0.25L, 3 - 7.5L * 0.125L}, {0.125L, 0.0625L}}));
    ops_.ArrowKey(TArrow::Down);
    EXPECT_EQ(ops_.Area().Center.Y, 3 - 7.5L * 0.125L + 3 * 0.0625L);
    ops_.ZoomAt(0, 0, 1);
    EXPECT_EQ(host_.starts, starts + 5);
    EXPECT_EQ(ops_.Pattern().ErrorMessage(), "");
    // No move at all draws nothing.
    ops_.PanBy(0, 0);
    ops_.ZoomAt(5, 5, 0);
    ops_.ZoomToRect(5, 5, 0, 0);
    EXPECT_EQ(host_.starts, starts + 5);
}

TEST_F(MainHistoryTest, MoveThatWouldOverflowIsRefusedBeforeAnythingStops)
{
    const long double huge = std::numeric_limits<long double>::max() / 1000;
    ops_.SetArea(0, 0, huge, huge);
    ops_.RecordStep();
    const TPatternSnapshot before = ops_.Snapshot();
    const int stops = host_.stops, starts = host_.starts;
    try {
        ops_.ZoomAt(3, 3, -40);
        FAIL() << "zoom accepted";
    } catch (const EOverflow& e) {
        EXPECT_EQ(e.Message(), "浮動小数点数のオーバーフロー");
    }
    EXPECT_THROW(ops_.PanBy(-10000, 0), EOverflow);
    EXPECT_TRUE(SamePattern(ops_.Snapshot(), before));
    EXPECT_EQ(host_.stops, stops);
    EXPECT_EQ(host_.starts, starts);
    EXPECT_FALSE(ops_.RecordStep());
}
