// The history of the pattern: steps, undo and redo cursors, the dropped redo
// tail, the oldest steps going once it is full, and what counts as a change.
#include "document/PatternHistory.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace {

TPatternSnapshot WithCentreX(long double x)
{
    TPatternSnapshot s;
    s.Width = s.Height = 400;
    s.Center.X = x;
    return s;
}

long double CentreX(const TPatternSnapshot& s) { return s.Center.X; }

} // namespace

TEST(PatternHistory, UndoAndRedoWalkTheSteps)
{
    TPatternHistory history;
    history.Reset(WithCentreX(0));
    EXPECT_FALSE(history.CanUndo());
    EXPECT_FALSE(history.CanRedo());
    EXPECT_TRUE(history.Record(WithCentreX(1)));
    EXPECT_TRUE(history.Record(WithCentreX(2)));
    // The pattern shown already is no step.
    EXPECT_FALSE(history.Record(WithCentreX(2)));
    EXPECT_EQ(history.UndoCount(), 2u);

    ASSERT_TRUE(history.CanUndo());
    EXPECT_EQ(CentreX(history.UndoTarget()), 1);
    history.StepBack();
    EXPECT_EQ(CentreX(history.UndoTarget()), 0);
    history.StepBack();
    EXPECT_FALSE(history.CanUndo());
    ASSERT_TRUE(history.CanRedo());
    EXPECT_EQ(CentreX(history.RedoTarget()), 1);
    history.StepForward();
    EXPECT_EQ(history.RedoCount(), 1u);
    EXPECT_EQ(CentreX(history.RedoTarget()), 2);
}

TEST(PatternHistory, NewStepDropsWhatCouldBeRedone)
{
    TPatternHistory history;
    history.Reset(WithCentreX(0));
    for (int i = 1; i <= 3; ++i) history.Record(WithCentreX(i));
    history.StepBack();
    history.StepBack();
    // Back on 1: recording 1 again changes nothing, not even the redo steps.
    EXPECT_FALSE(history.Record(WithCentreX(1)));
    EXPECT_EQ(history.RedoCount(), 2u);
    EXPECT_TRUE(history.Record(WithCentreX(7)));
    EXPECT_FALSE(history.CanRedo());
    EXPECT_EQ(CentreX(history.UndoTarget()), 1);
    EXPECT_EQ(history.UndoCount(), 2u);
}

TEST(PatternHistory, FullHistoryForgetsTheOldestSteps)
{
    TPatternHistory small(3);
    small.Reset(WithCentreX(0));
    for (int i = 1; i <= 5; ++i) small.Record(WithCentreX(i));
    EXPECT_EQ(small.UndoCount(), 3u);
    for (int expected = 4; expected >= 2; --expected) {
        EXPECT_EQ(CentreX(small.UndoTarget()), expected);
        small.StepBack();
    }
    EXPECT_FALSE(small.CanUndo());

    TPatternHistory history;
    history.Reset(WithCentreX(0));
    for (int i = 1; i <= 150; ++i) history.Record(WithCentreX(i));
    int undone = 0;
    while (history.CanUndo()) {
        EXPECT_EQ(CentreX(history.UndoTarget()), 149 - undone);
        history.StepBack();
        ++undone;
    }
    EXPECT_GE(undone, 100);
}

TEST(PatternHistory, FirstRecordWithoutResetIsTheFirstState)
{
    TPatternHistory history;
    EXPECT_FALSE(history.Record(WithCentreX(5)));
    EXPECT_FALSE(history.CanUndo());
    EXPECT_TRUE(history.Record(WithCentreX(6)));
    EXPECT_EQ(CentreX(history.UndoTarget()), 5);
}

TEST(PatternSnapshot, EveryFieldCounts)
{
    const TPatternSnapshot base;
    const auto differs = [&](auto change) {
        TPatternSnapshot other = base;
        change(other);
        return !SamePattern(base, other);
    };
    EXPECT_TRUE(SamePattern(base, base));
    EXPECT_TRUE(differs([](TPatternSnapshot& s) { s.FormulaType = 2; }));
    EXPECT_TRUE(differs([](TPatternSnapshot& s) { s.FormulaName = "3"; }));
    EXPECT_TRUE(differs([](TPatternSnapshot& s) { s.PointMoveType = 1; }));
    EXPECT_TRUE(differs([](TPatternSnapshot& s) { s.PointMoveParam.d = 1; }));
    EXPECT_TRUE(differs([](TPatternSnapshot& s) { s.Center.Y = 1; }));
    EXPECT_TRUE(differs([](TPatternSnapshot& s) { s.Incremental.X = 2; }));
    EXPECT_TRUE(differs([](TPatternSnapshot& s) { s.Height = 2; }));
    EXPECT_TRUE(differs([](TPatternSnapshot& s) { s.ColorChange = 2; }));
    EXPECT_TRUE(differs([](TPatternSnapshot& s) { s.ShadeOff = true; }));
    EXPECT_TRUE(differs([](TPatternSnapshot& s) { s.PaletteOffset = 1; }));
    // Palettes compare by what they are, not by their copy.
    TMcf builtin;
    builtin.SetDefault();
    TPatternSnapshot withPalette = base;
    withPalette.Palette = std::make_shared<const TMcf>(builtin);
    EXPECT_FALSE(SamePattern(base, withPalette));
    TPatternSnapshot sameColours = withPalette;
    sameColours.Palette = std::make_shared<const TMcf>(builtin);
    EXPECT_TRUE(SamePattern(withPalette, sameColours));
    TMcf edited = builtin;
    edited.Colors[127] ^= 1;
    sameColours.Palette = std::make_shared<const TMcf>(edited);
    EXPECT_FALSE(SamePattern(withPalette, sameColours));
    // The sign of a zero is part of the value the dialog shows.
    EXPECT_TRUE(differs([](TPatternSnapshot& s) { s.Center.X = -0.0L; }));
    // A NaN typed into the dialog is still the same pattern as itself.
    TPatternSnapshot nan = base;
    nan.Incremental.X = std::numeric_limits<long double>::quiet_NaN();
    EXPECT_TRUE(SamePattern(nan, nan));
    EXPECT_FALSE(SamePattern(nan, base));
}
