// The palette offset: a drawing with offset o is the drawing of the palette
// rotated by o, on every painter; o counts modulo the palette, never
// negative, and leaves palettes under two colours and the unused entry 0 alone.
#include "engine/UVelquor.h"
#include "tests/support/Pictures.h"

#include "engine/UFormula.h"
#include "engine/UPointMove.h"
#include "palette/PaletteIndex.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

TEST(PaletteOffset, TakenModuloThePaletteAndNeverNegative)
{
    struct Case {
        int64_t offset;
        int32_t high;
        int32_t normal;
    };
    const Case cases[] = {{0, 5, 0},  {3, 5, 3},   {5, 5, 0},    {7, 5, 2},
                          {-1, 5, 4}, {-11, 5, 4}, {9, 1, 0},    {9, 0, 0},
                          {9, -1, 0}, {INT32_MIN, 127, 119}}; // 2^31 = 8 modulo 127
    for (const Case& c : cases) EXPECT_EQ(NormalPaletteOffset(c.offset, c.high), c.normal) << c.offset << " " << c.high;
    // 1 + ((i - 1 + o) mod High) on 1..High; others untouched.
    EXPECT_EQ(OffsetPaletteIndex(1, 5, 2), 3);
    EXPECT_EQ(OffsetPaletteIndex(4, 5, 2), 1);
    EXPECT_EQ(OffsetPaletteIndex(5, 5, 4), 4);
    EXPECT_EQ(OffsetPaletteIndex(0, 5, 2), 0);
    EXPECT_EQ(OffsetPaletteIndex(6, 5, 2), 6);
}

// A picture of 64 x 48 pixels with the palette and offset given.
TBitmap24 Draw(const TMcf& mcf, int offset, int formula, int pointMove, TPainterKind painter)
{
    TVelquor v(false, nullptr);
    v.WaitUntilSuspended();
    v.SetTuning({1, painter});
    v.SetFormula(TFormulaBox::GetFormula(formula));
    v.SetColorChange(3.0);
    auto move = TPointMoveBox::GetPointMove(pointMove);
    move->SetParam({10, 0.05L, 10, 0.05L});
    v.SetPointMove(std::move(move));
    v.SetSize(64, 48);
    v.Incremental = {0.75L, 0.5L};
    v.Mcf() = mcf;
    v.SetPaletteOffset(offset);
    v.Resume();
    v.WaitUntilSuspended();
    EXPECT_EQ(v.ErrorMessage(), "");
    return v.Bitmap();
}

TMcf Palette(int colours)
{
    TMcf mcf;
    for (int i = 0; i < colours; ++i) mcf.Add(i * 0x030507 + 0x102030);
    return mcf;
}

// The same palette with entry i holding the colour of entry 1 + ((i - 1 + o) mod High).
TMcf Rotated(const TMcf& mcf, int o)
{
    TMcf out;
    out.Add(mcf.Colors[0]);
    for (int i = 1; i <= mcf.High; ++i) out.Add(mcf.Colors[static_cast<size_t>(1 + (i - 1 + o) % mcf.High)]);
    return out;
}

TEST(PaletteOffset, DrawsThePictureOfTheRotatedPaletteOnEveryPainter)
{
    const TMcf mcf = Palette(53);
    for (TPainterKind painter : {TPainterKind::Fastest, TPainterKind::Portable, TPainterKind::PerPixel})
        for (int pointMove : {0, 1, 2})
            for (int formula : {0, 5}) {
                SCOPED_TRACE(testing::Message() << "painter " << static_cast<int>(painter) << " move " << pointMove
                                                << " formula " << formula);
                const TBitmap24 plain = Draw(mcf, 0, formula, pointMove, painter);
                EXPECT_TRUE(SamePixels(Draw(Rotated(mcf, 0), 0, formula, pointMove, painter), plain));
                const TBitmap24 turned = Draw(mcf, 17, formula, pointMove, painter);
                EXPECT_FALSE(SamePixels(turned, plain));
                EXPECT_TRUE(SamePixels(turned, Draw(Rotated(mcf, 17), 0, formula, pointMove, painter)));
                // Offsets the same modulo High give the same picture.
                EXPECT_TRUE(SamePixels(Draw(mcf, 17 - 3 * 52, formula, pointMove, painter), turned));
                EXPECT_TRUE(SamePixels(Draw(mcf, 52, formula, pointMove, painter), plain));
            }
}

TEST(PaletteOffset, ChangesNothingForPalettesOfTwoColours)
{
    // High = 1: one entry is ever drawn, whatever the offset.
    const TMcf mcf = Palette(2);
    EXPECT_TRUE(SamePixels(Draw(mcf, 5, 0, 0, TPainterKind::Fastest), Draw(mcf, 0, 0, 0, TPainterKind::Fastest)));
}

} // namespace
