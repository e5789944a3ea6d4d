// The probe of one pixel: the values of the drawing's known pixels, the
// colour it names is the one drawn for every point move and formula, the
// moved position, a failing pixel's message and pixels outside the picture.
#include "engine/PixelProbe.h"

#include "common/Exceptions.h"
#include "common/FpuMath.h"
#include "engine/ExpressionFormula.h"
#include "tests/support/Files.h"
#include "tests/support/Pictures.h"
#include "tests/support/TempDir.h"

#include <gtest/gtest.h>

#include <limits>

namespace {

class PixelProbeTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        velquor = std::make_unique<TVelquor>(false, &canvas);
        velquor->WaitUntilSuspended();
    }

    void Draw(int w, int h)
    {
        velquor->SetSize(w, h);
        canvas.SetSize(w, h);
        velquor->Resume();
        velquor->WaitUntilSuspended();
    }

    TBitmap24 canvas;
    std::unique_ptr<TVelquor> velquor;
};

// The palette colour as the bitmap stores it: 0x00BBGGRR both ways.
uint32_t Colour(const TVelquor& v, int32_t index) { return static_cast<uint32_t>(v.Mcf().GetColor(index)); }

} // namespace

TEST_F(PixelProbeTest, StartUpPatternAtKnownPixels)
{
    velquor->SetSize(400, 400);
    struct Case {
        int col, row;
        double x, y;
        int32_t value, index;
    };
    const Case cases[] = {{200, 200, 0, 0, 0, 1}, {201, 200, 1, 0, 1, 2}, {0, 0, -200, -200, 80000, 118}};
    for (const Case& c : cases) {
        const TPixelProbe p = ProbePixel(*velquor, velquor->PointMove(), c.col, c.row);
        EXPECT_TRUE(p.Inside);
        EXPECT_EQ(p.MovedX, c.col);
        EXPECT_EQ(p.X, c.x);
        EXPECT_EQ(p.Y, c.y);
        EXPECT_EQ(p.Value, c.value);
        EXPECT_EQ(p.Index, c.index);
        EXPECT_EQ(p.Error, "");
    }
}

TEST_F(PixelProbeTest, NamesTheColourDrawnForEveryPointMoveAndFormula)
{
    velquor->Center = FloatPoint(3.5L, -2.25L);
    velquor->Incremental = FloatPoint(0.7L, 1.3L);
    velquor->SetColorChange(1.7);
    const int w = 23, h = 17;
    for (int move = 0; move < TPointMoveBox::PointMoveCount(); ++move) {
        for (int formula = 0; formula < TFormulaBox::FormulaCount(); ++formula) {
            SCOPED_TRACE(testing::Message() << "point move " << move << " formula " << formula);
            auto m = TPointMoveBox::GetPointMove(move);
            m->SetParam(TPointMoveParam{1.5L, 0.3L, -2, 0.7L});
            velquor->SetPointMove(std::move(m));
            velquor->SetFormula(TFormulaBox::GetFormula(formula));
            Draw(w, h);
            ASSERT_EQ(velquor->ErrorMessage(), "");
            for (int y = 0; y < h; ++y)
                for (int x = 0; x < w; ++x) {
                    const TPixelProbe p = ProbePixel(*velquor, velquor->PointMove(), x, y);
                    ASSERT_EQ(p.Error, "");
                    ASSERT_EQ(PixelAt(canvas, x, y), Colour(*velquor, p.Index)) << x << "," << y;
                }
        }
    }
}

TEST_F(PixelProbeTest, MovedPositionLeads)
{
    velquor->SetSize(400, 400);
    auto move = TPointMoveBox::GetPointMove(3);
    move->SetParam(TPointMoveParam{0.5L, 0, 0, 0});
    velquor->SetPointMove(std::move(move));
    const TPixelProbe p = ProbePixel(*velquor, velquor->PointMove(), 10, 4);
    EXPECT_EQ(p.MovedX, 12);
    EXPECT_EQ(p.MovedY, 4);
    EXPECT_EQ(p.X, -188);
    EXPECT_EQ(p.Y, -196);
    EXPECT_EQ(p.Value, 188 * 188 + 196 * 196);
    EXPECT_EQ(p.Index, (188 * 188 + 196 * 196) % 127 + 1);
}

TEST_F(PixelProbeTest, FailingPixelGivesTheDrawingsMessage)
{
    TempDir dir;
    velquor->SetSize(10, 10);
    WriteBytes(dir / "one.mcf", "112233\n");
    velquor->LoadPalette(dir / "one.mcf");
    EXPECT_EQ(ProbePixel(*velquor, velquor->PointMove(), 1, 1).Error, "ゼロによる除算");

    velquor->Mcf().SetDefault();
    velquor->Incremental = FloatPoint(1e400L, 1e400L);
    Draw(10, 10);
    const TPixelProbe p = ProbePixel(*velquor, velquor->PointMove(), 0, 0);
    EXPECT_EQ(p.Error, velquor->ErrorMessage());
    EXPECT_EQ(p.Error, "浮動小数点数のオーバーフロー");
}

TEST_F(PixelProbeTest, OutsideThePictureIsNothing)
{
    velquor->SetSize(10, 5);
    for (const auto& [x, y] : {std::pair{-1, 0}, {10, 0}, {0, 5}, {3, -2}})
        EXPECT_FALSE(ProbePixel(*velquor, velquor->PointMove(), x, y).Inside);
    EXPECT_TRUE(ProbePixel(*velquor, velquor->PointMove(), 9, 4).Inside);
}

// The value before the rounding is the very product the drawing rounds: for
// every formula its rounding gives the drawn value, a tie shows as the tie
// it is, and a value too large to round is still there beside the message.
TEST_F(PixelProbeTest, ValueBeforeTheRounding)
{
    velquor->SetSize(400, 400);
    velquor->SetColorChange(1.7);
    for (int formula = 0; formula < TFormulaBox::FormulaCount(); ++formula) {
        velquor->SetFormula(TFormulaBox::GetFormula(formula));
        for (const auto& [x, y] : {std::pair{0, 0}, {3, 399}, {250, 17}, {200, 200}}) {
            const TPixelProbe p = ProbePixel(*velquor, velquor->PointMove(), x, y);
            ASSERT_TRUE(p.HasRaw);
            const int64_t rounded = fpu::Round(p.Raw);
            EXPECT_EQ(p.Value, static_cast<int32_t>(rounded < 0 ? -rounded : rounded))
                << formula << " " << x << "," << y;
        }
    }
    // Formula 0 at (-200, -200) times 1.7 in extended precision.
    velquor->SetFormula(TFormulaBox::GetFormula(0));
    EXPECT_EQ(ProbePixel(*velquor, velquor->PointMove(), 0, 0).Raw, 80000.0L * 1.7);

    velquor->SetColorChange(1);
    velquor->SetFormula(std::make_unique<TFormula_Expression>("x/4"));
    const TPixelProbe tie = ProbePixel(*velquor, velquor->PointMove(), 2, 0); // x = -198
    EXPECT_EQ(tie.Raw, -49.5L);
    EXPECT_EQ(tie.Value, 50); // ties to even, magnitude taken

    velquor->SetFormula(TFormulaBox::GetFormula(0));
    velquor->SetColorChange(1e300);
    Draw(400, 400);
    const TPixelProbe huge = ProbePixel(*velquor, velquor->PointMove(), 0, 0);
    EXPECT_TRUE(huge.HasRaw);
    EXPECT_EQ(huge.Raw, 80000.0L * 1e300);
    EXPECT_EQ(huge.Error, velquor->ErrorMessage());
    EXPECT_NE(huge.Error, "");
}
