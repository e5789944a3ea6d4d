// The export's drawing against the renderer: at scale 1 without
// anti-aliasing the very picture, at scale S the pattern drawn S times
// larger with the increments divided by S, and with anti-aliasing the
// linear-light mean of the finer drawing, reduced here the slow, obvious way.
#include "engine/ExportDrawing.h"
#include "engine/ImageEffect.h"
#include "engine/LinearLight.h"
#include "tests/support/Pictures.h"

#include "common/Exceptions.h"
#include "engine/ExpressionFormula.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>
#include <random>
#include <utility>

namespace {

struct Pattern {
    int formula = 0;
    const char* text = nullptr; // a typed formula instead
    int pointMove = 0;
    TPointMoveParam param{};
    long double cx = 0, cy = 0, dx = 1, dy = 1;
    double cc = 1;
    int width = 23;
    int height = 17;
    bool blur = false;
};

void Apply(TVelquor& v, const Pattern& p)
{
    if (p.text) v.SetFormula(std::make_unique<TFormula_Expression>(p.text));
    else v.SetFormula(TFormulaBox::GetFormula(p.formula));
    v.SetColorChange(p.cc);
    auto pm = TPointMoveBox::GetPointMove(p.pointMove);
    pm->SetParam(p.param);
    v.SetPointMove(std::move(pm));
    v.Center = FloatPoint(p.cx, p.cy);
    v.Incremental = FloatPoint(p.dx, p.dy);
    v.SetSize(p.width, p.height);
    v.ShadeOff = p.blur;
}

// What the renderer draws, and the message it fails with.
struct Drawn {
    TBitmap24 picture;
    std::string error;
};

Drawn Render(const Pattern& p)
{
    Drawn d;
    TVelquor v(true, &d.picture, TCanvasUse::DrawInto);
    Apply(v, p);
    v.Resume();
    v.WaitUntilSuspended();
    d.error = v.ErrorMessage();
    return d;
}

// The export collected band by band, rows put back in picture order.
Drawn Export(const Pattern& p, TExportSize size, int bandRows, int threads, TExportRows rows = TExportRows::TopDownBgr)
{
    const bool bottomUp = rows == TExportRows::BottomUpBgr;
    Drawn d;
    TBitmap24 dummy;
    TVelquor v(true, &dummy, TCanvasUse::DrawInto);
    Apply(v, p);
    TDrawTuning tuning;
    tuning.threads = threads;
    TExportDrawing drawing(v, p.blur, size, rows, tuning);
    d.picture.SetSize(drawing.Width(), drawing.Height());
    try {
        while (drawing.RowsDone() < drawing.Height()) {
            const int first = drawing.RowsDone();
            const auto rowOf = [&](int j) {
                const int index = first + j;
                return d.picture.Row(bottomUp ? drawing.Height() - 1 - index : index);
            };
            if (rows == TExportRows::TopDownRgb) {
                // Drawn in place, then back to the bitmap's order to compare.
                drawing.NextBand(
                    bandRows,
                    [&](int j, const uint8_t* pixels) {
                        uint8_t* row = rowOf(j);
                        EXPECT_EQ(pixels, row);
                        for (int x = 0; x < drawing.Width(); ++x) std::swap(row[3 * x], row[3 * x + 2]);
                    },
                    rowOf);
            } else {
                drawing.NextBand(bandRows, [&](int j, const uint8_t* pixels) {
                    std::memcpy(rowOf(j), pixels, static_cast<size_t>(drawing.Width()) * 3);
                });
            }
        }
    } catch (const Exception& e) {
        d.error = e.Message();
    }
    return d;
}

TExportSize Same(const Pattern& p) { return {p.width, p.height, 1, 1}; }

const TPointMoveParam kWaves{3.5L, 0.21L, -2.25L, 0.13L};

// Every formula, every point move (with parameters that move), typed
// formulas on their own painters, the blur, odd sizes and exact ties.
std::vector<Pattern> Patterns()
{
    std::vector<Pattern> all;
    for (int f = 0; f < 7; ++f) {
        for (int m = 0; m < 5; ++m) {
            Pattern p;
            p.formula = f;
            p.pointMove = m;
            p.param = m == 2 ? TPointMoveParam{0.35L, 0, 0, 0} : m == 3 ? TPointMoveParam{0.3L, -0.2L, 0, 0} : kWaves;
            p.cx = 3.25L;
            p.cy = -7.5L;
            p.dx = 0.5L;
            p.dy = 0.75L;
            p.cc = f == 5 || f == 6 ? 0.37 : 1.5;
            p.width = 19 + f;
            p.height = 13 + m;
            p.blur = (f + m) % 2 == 1;
            all.push_back(p);
        }
    }
    Pattern typed;
    typed.text = "100*sin(x/9)*cos(y/9) + x*y";
    typed.width = 31;
    all.push_back(typed);
    typed.text = "(x*x - y*y)/(1 + abs(x*y))";
    typed.blur = true;
    all.push_back(typed);
    return all;
}

TEST(ExportDrawing, ScaleOneIsTheRenderersPictureWithEveryFormulaPointMoveBandAndThreadCount)
{
    for (const Pattern& p : Patterns()) {
        const Drawn window = Render(p);
        ASSERT_EQ(window.error, "");
        for (int threads = 1; threads <= 3; ++threads) {
            for (int band : {1, 2, 5, 64}) {
                SCOPED_TRACE(testing::Message() << "formula " << p.formula << " move " << p.pointMove << " blur "
                                                << p.blur << " threads " << threads << " band " << band);
                const TExportRows rows = band == 2   ? TExportRows::BottomUpBgr
                                         : band == 5 ? TExportRows::TopDownRgb
                                                     : TExportRows::TopDownBgr;
                const Drawn exported = Export(p, Same(p), band, threads, rows);
                ASSERT_EQ(exported.error, "");
                EXPECT_TRUE(SamePixels(exported.picture, window.picture));
            }
        }
    }
}

TEST(ExportDrawing, ScaleDrawsThePatternScaleTimesLargerWithTheIncrementsDivided)
{
    struct Scaled {
        Pattern p;
        int scale;
    };
    std::vector<Scaled> cases;
    for (int f = 0; f < 7; ++f) cases.push_back({{f, nullptr, 0, {}, -2.5L, 4.0L, 0.5L, 0.25L, 1.0, 9, 7}, 2 + f % 3});
    // Exact ties at every scale: binary increments and centre 0.
    cases.push_back({{3, nullptr, 0, {}, 0, 0, 1, 1, 0.5, 11, 5}, 4});
    cases.push_back({{0, nullptr, 0, {}, 0.1L, 0.3L, 0.1L, 0.1L, 3.0, 7, 9, true}, 3});
    cases.push_back({{1, "x*y - 3*x", 0, {}, 1, -1, 0.3L, 0.7L, 1.0, 10, 6}, 5});
    for (const Scaled& c : cases) {
        SCOPED_TRACE(testing::Message() << "formula " << c.p.formula << " scale " << c.scale);
        Pattern large = c.p;
        large.width *= c.scale;
        large.height *= c.scale;
        large.dx /= c.scale;
        large.dy /= c.scale;
        const Drawn expected = Render(large);
        ASSERT_EQ(expected.error, "");
        const Drawn exported = Export(c.p, {large.width, large.height, c.scale, 1}, 3, 2);
        ASSERT_EQ(exported.error, "");
        EXPECT_TRUE(SamePixels(exported.picture, expected.picture));
    }
}

double SlowDecode(uint8_t v)
{
    const double c = v / 255.0;
    return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
}

// The mean of each k x k block in linear light, summed row by row.
TBitmap24 SlowReduce(const TBitmap24& fine, int k)
{
    TBitmap24 out(fine.Width() / k, fine.Height() / k);
    for (int y = 0; y < out.Height(); ++y)
        for (int x = 0; x < out.Width(); ++x)
            for (int ch = 0; ch < 3; ++ch) {
                double sum = 0;
                for (int r = 0; r < k; ++r)
                    for (int c = 0; c < k; ++c) sum += SlowDecode(fine.Row(k * y + r)[3 * (k * x + c) + ch]);
                const double m = sum / (k * k);
                const double e = m <= 0.0031308 ? 12.92 * m : 1.055 * std::pow(m, 1 / 2.4) - 0.055;
                out.Row(y)[3 * x + ch] = static_cast<uint8_t>(std::clamp(std::nearbyint(e * 255), 0.0, 255.0));
            }
    return out;
}

TEST(ExportDrawing, AntialiasingIsTheLinearLightMeanOfTheFinerDrawing)
{
    std::vector<std::pair<Pattern, int>> cases;
    // Fine structure everywhere: neighbouring samples all differ.
    cases.push_back({{0, nullptr, 0, {}, 0.5L, -0.5L, 1.7L, 1.3L, 1.0, 13, 9}, 2});
    cases.push_back({{6, nullptr, 0, {}, 10, 20, 3, 2, 0.9, 11, 7}, 3});
    cases.push_back({{5, nullptr, 2, {0.4L, 0, 0, 0}, 0, 0, 1, 1, 1.0, 12, 10}, 2});
    cases.push_back({{4, nullptr, 1, kWaves, 0, 0, 0.8L, 0.6L, 0.1, 9, 11, true}, 3});
    cases.push_back({{2, nullptr, 4, kWaves, 5, 5, 1, 1, 1.0, 7, 5, true}, 2});
    // Large flat areas: blocks of equal samples.
    cases.push_back({{3, nullptr, 3, {0.2L, 0.1L, 0, 0}, 0, 0, 0.01L, 0.01L, 1.0, 15, 6}, 3});
    for (const auto& [p, k] : cases) {
        SCOPED_TRACE(testing::Message() << "formula " << p.formula << " move " << p.pointMove << " k " << k);
        Pattern fine = p;
        fine.blur = false;
        fine.width *= k;
        fine.height *= k;
        Drawn expected;
        {
            // The finer drawing is the export at scale k, which the tests
            // above tie to the renderer.
            expected = Export(fine, {fine.width, fine.height, k, 1}, 7, 1);
            ASSERT_EQ(expected.error, "");
        }
        TBitmap24 mean = SlowReduce(expected.picture, k);
        if (p.blur) ApplyShadeOff(mean);
        for (int threads = 1; threads <= 3; ++threads) {
            const TExportRows rows = threads == 3   ? TExportRows::BottomUpBgr
                                     : threads == 2 ? TExportRows::TopDownRgb
                                                    : TExportRows::TopDownBgr;
            const Drawn exported = Export(p, {p.width, p.height, 1, k}, 2, threads, rows);
            ASSERT_EQ(exported.error, "");
            EXPECT_TRUE(SamePixels(exported.picture, mean)) << "threads " << threads;
        }
    }
}

TEST(ExportDrawing, PointMovesKeepTheirContinuousPictureAtEveryScale)
{
    struct Case {
        int move;
        TPointMoveParam in, out;
        int factor;
    };
    const Case cases[] = {
        {0, {1, 2, 3, 4}, {1, 2, 3, 4}, 5},        {1, {1, 2, 3, 4}, {4, 0.5L, 12, 1}, 4},
        {2, {0.5L, 2, 3, 4}, {0.25L, 2, 3, 4}, 4}, {3, {0.5L, 0.25L, 3, 4}, {0.5L, 0.25L, 3, 4}, 7},
        {4, {-1, 6, 2, 3}, {-3, 2, 6, 1}, 3},      {1, {1, 2, 3, 4}, {1, 2, 3, 4}, 1},
    };
    for (const Case& c : cases) {
        auto pm = TPointMoveBox::GetPointMove(c.move);
        pm->SetParam(c.in);
        const auto scaled = ScaledPointMove(*pm, c.factor);
        EXPECT_EQ(typeid(*scaled), typeid(*pm)) << c.move;
        EXPECT_EQ(scaled->Param, c.out) << "move " << c.move << " factor " << c.factor;
    }
}

TEST(ExportDrawing, ADrawingFailureEndsTheExportWithItsMessage)
{
    Pattern overflow;
    overflow.cx = 1e4000L; // beyond every double: x*x leaves the range
    overflow.dx = 1e4000L;
    const Drawn window = Render(overflow);
    ASSERT_NE(window.error, "");
    EXPECT_EQ(Export(overflow, {40, 30, 2, 2}, 4, 2).error, window.error);

    // A one-colour palette fails at the first pixel with its division.
    Drawn d;
    TBitmap24 dummy;
    TVelquor v(true, &dummy, TCanvasUse::DrawInto);
    v.Mcf().High = 0;
    TExportDrawing drawing(v, false, {10, 10, 1, 1});
    int rows = 0;
    try {
        drawing.NextBand(10, [&](int, const uint8_t*) { ++rows; });
        ADD_FAILURE() << "no failure";
    } catch (const Exception& e) {
        EXPECT_EQ(e.Message(), "ゼロによる除算");
    }
    EXPECT_EQ(rows, 0);
}

TEST(ExportDrawing, SizesOutsideTheirRangesAreRefusedWithTheirMessage)
{
    const struct {
        TExportSize size;
        const char* message;
    } cases[] = {
        {{0, 10, 1, 1}, "書き出す画像の幅の指定が不正です。[0]"},
        {{65536, 10, 1, 1}, "書き出す画像の幅の指定が不正です。[65536]"},
        {{10, -3, 1, 1}, "書き出す画像の高さの指定が不正です。[-3]"},
        {{10, 65536, 1, 1}, "書き出す画像の高さの指定が不正です。[65536]"},
        {{10, 10, 0, 1}, "倍率の指定が不正です。[0]"},
        {{10, 10, 65, 1}, "倍率の指定が不正です。[65]"},
        {{10, 10, 1, 0}, "アンチエイリアスの指定が不正です。[0]"},
        {{10, 10, 1, 9}, "アンチエイリアスの指定が不正です。[9]"},
    };
    for (const auto& c : cases) {
        try {
            CheckExportSize(c.size);
            ADD_FAILURE() << c.message;
        } catch (const ERangeError& e) {
            EXPECT_EQ(e.Message(), c.message);
        }
    }
    EXPECT_NO_THROW(CheckExportSize({65535, 65535, 64, 8}));
    const TExportSize d = DefaultExportSize(400, 300, 3, 2);
    EXPECT_EQ(d.width, 1200);
    EXPECT_EQ(d.height, 900);
    EXPECT_THROW(DefaultExportSize(9999, 10, 7, 1), ERangeError);
}

TEST(ExportDrawing, TheRotationAtTheLargestSizesDoesNotWrap)
{
    // 65535 pixels anti-aliased 8 times: offsets of 262140 from the centre,
    // whose squares leave 32 bits. A pixel at the far corner must turn like
    // the same offsets do in the point move's own arithmetic.
    auto pm = TPointMoveBox::GetPointMove(2);
    pm->SetParam({0.25L, 0, 0, 0});
    pm->SetSize(524280, 524280);
    const long double x = pm->GetX(0, 0);
    const long double y = pm->GetY(0, 0);
    // Turned by a whole number of quarter turns or not, the corner stays at
    // its distance from the centre (up to the rounding to whole pixels).
    const long double r = std::hypot(x - 262140, y - 262140);
    EXPECT_NEAR(static_cast<double>(r), std::hypot(262140.0, 262140.0), 2.0);
}

TEST(LinearLight, TheFastEncodingIsTheFormulaAtEveryThresholdAndBetween)
{
    // Walk a few doubles either side of every place where the byte changes.
    for (int b = 0; b < 256; ++b) {
        const double v = SlowDecode(static_cast<uint8_t>(b));
        EXPECT_EQ(linearlight::Decode(static_cast<uint8_t>(b)), v);
        EXPECT_EQ(linearlight::Encode(v), b);
    }
    double t = 0;
    int transitions = 0;
    for (int b = 1; b < 256; ++b) {
        // Find the threshold by bisection independently of the tables.
        double lo = SlowDecode(static_cast<uint8_t>(b - 1)), hi = SlowDecode(static_cast<uint8_t>(b));
        while (std::nextafter(lo, 2.0) < hi) {
            const double mid = lo + (hi - lo) / 2;
            if (mid <= lo || mid >= hi) break;
            (linearlight::EncodeByFormula(mid) >= b ? hi : lo) = mid;
        }
        t = hi;
        for (int step = -40; step <= 40; ++step) {
            double m = t;
            for (int i = 0; i < std::abs(step); ++i) m = std::nextafter(m, step < 0 ? 0.0 : 2.0);
            EXPECT_EQ(linearlight::Encode(m), linearlight::EncodeByFormula(m)) << b << " " << step;
        }
        transitions += linearlight::EncodeByFormula(std::nextafter(t, 0.0)) == b - 1;
    }
    EXPECT_EQ(transitions, 255);
    std::mt19937_64 rng(7);
    std::uniform_real_distribution<double> any(0.0, 1.0);
    for (int i = 0; i < 200000; ++i) {
        const double m = any(rng);
        ASSERT_EQ(linearlight::Encode(m), linearlight::EncodeByFormula(m)) << m;
    }
    EXPECT_EQ(linearlight::Encode(0.0), 0);
    EXPECT_EQ(linearlight::Encode(1.0), 255);
}

TEST(LinearLight, EqualSamplesKeepTheirByteForEveryFactor)
{
    // ReduceRow keeps a block of equal samples as it is; the formula agrees.
    for (int k = 1; k <= 8; ++k)
        for (int v = 0; v < 256; ++v) {
            double sum = 0;
            for (int i = 0; i < k * k; ++i) sum += SlowDecode(static_cast<uint8_t>(v));
            ASSERT_EQ(linearlight::EncodeByFormula(sum / (k * k)), v) << k << " " << v;
        }
}

} // namespace
