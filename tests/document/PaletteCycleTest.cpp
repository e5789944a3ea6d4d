// Colour cycling from the entry picture: every step gives exactly the bytes
// of a drawing whose palette is turned by the offset, blur and typed
// formulas included; a pattern that cannot be drawn cannot be cycled.
#include "document/PaletteCycle.h"

#include "common/Format.h"
#include "document/MainOperations.h"
#include "palette/UMcf.h"
#include "tests/support/Files.h"
#include "tests/support/Pictures.h"
#include "tests/support/TempDir.h"
#include "tests/support/WaitingHost.h"

#include <gtest/gtest.h>

#include <climits>
#include <functional>

namespace {

// The palette turned by offset as a file: entry i holds the colour entry
// OffsetEntry(i) held, entry 0 stays.
std::string TurnedPalette(const TMcf& mcf, int32_t offset)
{
    std::string text;
    for (int32_t i = 0; i <= mcf.High; ++i) {
        TRgb rgb;
        rgb.SetValue(mcf.Colors[static_cast<size_t>(TPaletteCycle::OffsetEntry(i, offset, mcf.High))]);
        text += Format("%02X%02X%02X\n", rgb.R, rgb.G, rgb.B);
    }
    return text;
}

class PaletteCycleTest : public ::testing::Test {
protected:
    PaletteCycleTest() : ops_(host_, dir_.Path()) { host_.ops = &ops_; }

    TempDir dir_;
    TWaitingHost host_;
    TMainOperations ops_;
};

} // namespace

TEST_F(PaletteCycleTest, EveryStepIsTheDrawingOfTheTurnedPalette)
{
    // 41 colours with a few repeated, so a colour does not tell its entry.
    WriteBytes(dir_ / "p.mcf", "000000\n#GRAD 102030,F0E0D0,20\n#LINE 0,30,255,-9,7,0.5,18\nFFFFFF\n102030\n");
    const struct {
        const char* name;
        std::function<void(TMainOperations&)> set;
    } patterns[] = {
        {"formula 0", [](TMainOperations& o) { o.SetArea(0, 0, 0.7L, 0.9L); }},
        {"point move 2, blurred",
         [](TMainOperations& o) {
             o.SelectFormula(1, "4");
             o.SelectPointMove(2, TPointMoveParam{0.3L, 1, 0, 0});
             o.SetArea(0.1L, -0.2L, 0.05L, 0.05L);
             o.SetShadeOff(true);
         }},
        {"typed formula", [](TMainOperations& o) {
             o.SelectFormula(2, "x*x - y*y + 3*x*y");
             o.SetArea(0, 0, 0.3L, 0.3L);
         }},
    };
    for (const auto& p : patterns) {
        ops_.LoadPalette(dir_ / "p.mcf");
        ops_.SetImageSize(97, 61);
        p.set(ops_);
        const TMcf palette = ops_.Pattern().Mcf();
        ASSERT_EQ(palette.High, 40);
        TPaletteCycle cycle(ops_);
        cycle.Wait();
        ASSERT_EQ(cycle.Error(), "") << p.name;
        TBitmap24 stepped(97, 61);
        for (const int32_t offset : {0, 1, 17, 39, 40, 41, -1, -40, 1000003, INT32_MIN, INT32_MAX}) {
            WriteBytes(dir_ / "turned.mcf", TurnedPalette(palette, offset));
            ops_.LoadPalette(dir_ / "turned.mcf");
            host_.StartDraw();
            ASSERT_EQ(ops_.Pattern().ErrorMessage(), "") << p.name;
            cycle.Paint(offset, stepped);
            EXPECT_TRUE(SamePixels(stepped, ops_.ImageBitmap())) << p.name << ", offset " << offset;
        }
    }
}

TEST_F(PaletteCycleTest, ThePatternsOwnDrawingGoesOnUntouched)
{
    ops_.SetImageSize(50, 40);
    host_.StartDraw();
    const Bytes before = ToRgb(ops_.ImageBitmap());
    TPaletteCycle cycle(ops_);
    cycle.Wait();
    // The entry picture is drawn elsewhere: the pattern's picture and
    // palette are as they were.
    EXPECT_EQ(ToRgb(ops_.ImageBitmap()), before);
    EXPECT_EQ(ops_.Pattern().GetPaletteName(), "標準");
    TBitmap24 stepped(50, 40);
    cycle.Paint(127, stepped);
    EXPECT_EQ(ToRgb(stepped), before) << "a whole turn is no turn";
    cycle.Paint(1, stepped);
    EXPECT_NE(ToRgb(stepped), before);
}

TEST_F(PaletteCycleTest, APatternThatCannotBeDrawnCannotBeCycled)
{
    WriteBytes(dir_ / "one.mcf", "FF0000\n");
    ops_.SetImageSize(20, 20);
    ops_.LoadPalette(dir_ / "one.mcf");
    TPaletteCycle cycle(ops_);
    cycle.Wait();
    host_.StartDraw();
    EXPECT_FALSE(cycle.Error().empty());
    EXPECT_EQ(cycle.Error(), ops_.Pattern().ErrorMessage());
}

TEST(PaletteCycle, OffsetEntryTurnsOnlyTheDrawnEntries)
{
    const struct {
        int32_t i, offset, high, expected;
    } cases[] = {
        {1, 0, 5, 1},  {5, 1, 5, 1},  {1, -1, 5, 5},           {3, 12, 5, 5},          {0, 3, 5, 0},
        {6, 1, 5, 6},  {1, 7, 1, 1},  {2, INT32_MIN, 7, 2 + 5}, {7, INT32_MAX, 7, 1}, {2, -10, 3, 1},
    };
    for (const auto& c : cases)
        EXPECT_EQ(TPaletteCycle::OffsetEntry(c.i, c.offset, c.high), c.expected)
            << c.i << " " << c.offset << " " << c.high;
}
