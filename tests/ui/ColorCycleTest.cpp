// Colour cycling and the offset keys in the window: each step of the keys is
// one drawing and one undo step; a cycle shows the pictures of the offsets
// it passes without drawing, and ends (by its switch or by any other
// command) with its offset as one undo step of its own.
#include "tests/support/Pictures.h"
#include "tests/ui/UiFiles.h"
#include "tests/ui/WindowFixture.h"
#include "ui/UFormulaSelect.h"

#include <QAction>
#include <QKeySequence>
#include <QLineEdit>
#include <QPushButton>

#include <chrono>
#include <thread>

class ColorCycleTest : public WindowFixture {
protected:
    // The start-up pattern with a small palette, so that a few steps of the
    // cycle come round again.
    TfrmMain& ShownWithPalette()
    {
        TfrmMain& window = CreateShown();
        const QString palette = TempPath(QStringLiteral("few.mcf"));
        EXPECT_TRUE(WriteFile(palette, "000000\nFF0000\n00FF00\n0000FF\nFFFF00\n"));
        dialogs_.openAnswers.push_back(palette);
        window.actPalette->trigger();
        WaitUntilIdle();
        EXPECT_EQ(window.Operations().Pattern().Mcf().High, 4);
        return window;
    }

    // Serves events until the picture is no longer `from`.
    bool WaitForChange(TfrmMain& window, const Bytes& from)
    {
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(30);
        while (std::chrono::steady_clock::now() < deadline) {
            QCoreApplication::processEvents();
            if (ToRgb(window.Operations().ImageBitmap()) != from) return true;
            std::this_thread::sleep_for(std::chrono::milliseconds(2));
        }
        return false;
    }
};

TEST_F(ColorCycleTest, TheKeysStepTheOffsetEachWayAsUndoSteps)
{
    TfrmMain& window = ShownWithPalette();
    EXPECT_EQ(window.actPaletteForward->shortcut(), QKeySequence(QStringLiteral("]")));
    EXPECT_EQ(window.actPaletteBack->shortcut(), QKeySequence(QStringLiteral("[")));
    TMainOperations& ops = window.Operations();
    const Bytes start = ToRgb(ops.ImageBitmap());
    const size_t steps = ops.History().UndoCount();

    window.actPaletteForward->trigger();
    WaitUntilIdle();
    EXPECT_EQ(ops.PaletteOffset(), 1);
    const Bytes one = ToRgb(ops.ImageBitmap());
    EXPECT_NE(one, start);
    EXPECT_EQ(ops.History().UndoCount(), steps + 1);

    // Back past zero: the offset stays within 0 .. High - 1.
    window.actPaletteBack->trigger();
    WaitUntilIdle();
    window.actPaletteBack->trigger();
    WaitUntilIdle();
    EXPECT_EQ(ops.PaletteOffset(), 3);
    for (int i = 0; i < 3; ++i) {
        window.actPaletteForward->trigger();
        WaitUntilIdle();
    }
    EXPECT_EQ(ops.PaletteOffset(), 2);

    for (int i = 0; i < 5; ++i) {
        window.actUndo->trigger();
        WaitUntilIdle();
    }
    EXPECT_EQ(ops.PaletteOffset(), 1);
    EXPECT_EQ(ToRgb(ops.ImageBitmap()), one);
}

TEST_F(ColorCycleTest, TheCycleShowsTheDrawnPicturesOfItsOffsetsAndStopsAsOneStep)
{
    TfrmMain& window = ShownWithPalette();
    TMainOperations& ops = window.Operations();
    const Bytes start = ToRgb(ops.ImageBitmap());
    const size_t steps = ops.History().UndoCount();

    window.actCycleColors->trigger();
    EXPECT_TRUE(window.actCycleColors->isChecked());
    ASSERT_TRUE(WaitForChange(window, start)) << "the colours did not move";
    EXPECT_FALSE(window.Drawing()) << "cycling runs no drawing";
    EXPECT_EQ(ops.History().UndoCount(), steps) << "no step while the colours move";

    window.actCycleColors->trigger();
    const Bytes shown = ToRgb(ops.ImageBitmap());
    WaitUntilIdle();
    EXPECT_FALSE(window.actCycleColors->isChecked());
    const int32_t offset = ops.PaletteOffset();
    EXPECT_GE(offset, 0);
    EXPECT_LT(offset, 4);
    // The drawing after the stop, with the offset the cycle reached, gives
    // the very bytes the cycle last showed.
    EXPECT_EQ(ToRgb(ops.ImageBitmap()), shown);
    EXPECT_EQ(ops.History().UndoCount(), steps + (offset != 0 ? 1 : 0));

    if (offset != 0) {
        window.actUndo->trigger();
        WaitUntilIdle();
        EXPECT_EQ(ops.PaletteOffset(), 0);
        EXPECT_EQ(ToRgb(ops.ImageBitmap()), start);
    }
}

TEST_F(ColorCycleTest, AnotherCommandEndsTheCycleFirstWithItsOwnStep)
{
    TfrmMain& window = ShownWithPalette();
    TMainOperations& ops = window.Operations();
    const Bytes start = ToRgb(ops.ImageBitmap());
    const size_t steps = ops.History().UndoCount();

    window.actCycleColors->trigger();
    ASSERT_TRUE(WaitForChange(window, start));
    window.actShadeOff->trigger();
    WaitUntilIdle();
    EXPECT_FALSE(window.actCycleColors->isChecked());
    const int32_t offset = ops.PaletteOffset();
    ASSERT_NE(offset, 0) << "the picture changed, so the offset did";
    EXPECT_EQ(ops.History().UndoCount(), steps + 2);

    window.actUndo->trigger();
    WaitUntilIdle();
    EXPECT_FALSE(window.actShadeOff->isChecked());
    EXPECT_EQ(ops.PaletteOffset(), offset) << "the blur was its own step";
    window.actUndo->trigger();
    WaitUntilIdle();
    EXPECT_EQ(ops.PaletteOffset(), 0);
    EXPECT_EQ(ToRgb(ops.ImageBitmap()), start);
}

TEST_F(ColorCycleTest, TheFormulaDialogShowsAndSetsTheOffset)
{
    TfrmMain& window = ShownWithPalette();
    window.actPaletteForward->trigger();
    WaitUntilIdle();
    const Bytes one = ToRgb(window.Operations().ImageBitmap());
    window.actFunction->trigger();
    TfrmFormulaSelect& dialog = window.FormulaDialog();
    EXPECT_EQ(dialog.edtPaletteOffset->text(), QStringLiteral("1"));

    // Any whole number; the drawing takes it modulo the palette's length.
    dialog.edtPaletteOffset->setText(QStringLiteral("-3"));
    dialog.bbnOK->click();
    WaitUntilIdle();
    EXPECT_TRUE(dialogs_.exceptions.isEmpty()) << dialogs_.exceptions.join('\n').toStdString();
    EXPECT_EQ(window.Operations().PaletteOffset(), -3);
    EXPECT_EQ(dialog.edtPaletteOffset->text(), QStringLiteral("-3"));
    EXPECT_EQ(ToRgb(window.Operations().ImageBitmap()), one) << "-3 turns a palette of 4 as 1 does";

    dialog.edtPaletteOffset->setText(QStringLiteral("1.5"));
    dialog.bbnOK->click();
    ASSERT_EQ(dialogs_.exceptions.size(), 1);
    EXPECT_EQ(dialogs_.exceptions.front(), QStringLiteral("'1.5' は整数ではありません."));
    EXPECT_EQ(window.Operations().PaletteOffset(), -3);
    EXPECT_EQ(dialog.edtPaletteOffset->text(), QStringLiteral("1.5")) << "the typed text stays to be mended";
    WaitUntilIdle();
}
