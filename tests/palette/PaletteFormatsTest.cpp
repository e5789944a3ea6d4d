// Palette files of other programs: Fractint maps, GIMP palettes and GIMP
// gradients read on tables of good and faulty files, the gradient's blending
// and colouring, the writers read back, and the MCF text a palette keeps.
#include "palette/GgrGradient.h"
#include "palette/PaletteFile.h"
#include "palette/PaletteFormats.h"

#include "common/Exceptions.h"
#include "tests/support/Files.h"
#include "tests/support/TempDir.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <sstream>
#include <vector>

namespace {

std::vector<int32_t> ColorsOf(const TMcf& mcf)
{
    return std::vector<int32_t>(mcf.Colors.begin(), mcf.Colors.begin() + (mcf.High + 1));
}

constexpr int32_t Rgb(int32_t r, int32_t g, int32_t b) { return r + g * 256 + b * 65536; }

std::vector<int32_t> Load(TPaletteFormat format, const std::string& text)
{
    TMcf mcf;
    std::istringstream in(text);
    LoadPaletteStream(mcf, in, "p", format);
    return ColorsOf(mcf);
}

// The message of a load that must fail; the palette it was given stays.
std::string Refusal(TPaletteFormat format, const std::string& text)
{
    TMcf mcf;
    mcf.SetDefault();
    std::istringstream in(text);
    try {
        LoadPaletteStream(mcf, in, "p", format);
    } catch (const EConvertError& e) {
        EXPECT_EQ(mcf.High, 127);
        EXPECT_TRUE(mcf.Builtin);
        return e.Message();
    }
    ADD_FAILURE() << "loaded: " << text;
    return {};
}

TEST(MapFile, ReadsThreeNumbersALineAndIgnoresWhatFollows)
{
    EXPECT_EQ(Load(TPaletteFormat::Map, "0 0 0\n255 128 1 a remark\r\n  \t 7   8 9\n\n16 32 64;x\r\x1a\n"),
              (std::vector<int32_t>{0, Rgb(255, 128, 1), Rgb(7, 8, 9), Rgb(16, 32, 64)}));
    EXPECT_EQ(Load(TPaletteFormat::Map, ""), std::vector<int32_t>{});
}

TEST(MapFile, FaultyLinesAreNamedByNumber)
{
    struct Case {
        const char* text;
        const char* message;
    };
    const Case cases[] = {
        {"0 0 0\n256 0 0\n", "2行目の形式が不正です。256 0 0"},
        {"0 0\n", "1行目の形式が不正です。0 0"},
        {"\n\n0,0,0\n", "3行目の形式が不正です。0,0,0"},
        {"red green blue\n", "1行目の形式が不正です。red green blue"},
        {"1 2 -3\n", "1行目の形式が不正です。1 2 -3"},
        {"1 2 99999999999999999999\n", "1行目の形式が不正です。1 2 99999999999999999999"},
    };
    for (const Case& c : cases) EXPECT_EQ(Refusal(TPaletteFormat::Map, c.text), c.message) << c.text;
}

TEST(GplFile, ReadsColoursBetweenHeaderNameColumnsAndComments)
{
    const std::string text = "GIMP Palette\nName: Test\nColumns: 4\n# a comment\n\n"
                             "255   0   0\tRed\n  0 255   0 Green light\n0 0 255\n";
    EXPECT_EQ(Load(TPaletteFormat::Gpl, text), (std::vector<int32_t>{Rgb(255, 0, 0), Rgb(0, 255, 0), Rgb(0, 0, 255)}));
    // A byte order mark and trailing blanks on the header are fine.
    EXPECT_EQ(Load(TPaletteFormat::Gpl, "\xEF\xBB\xBFGIMP Palette \r\n1 2 3\r\n"), std::vector<int32_t>{Rgb(1, 2, 3)});
}

TEST(GplFile, FaultyFilesAreNamedByLine)
{
    struct Case {
        const char* text;
        const char* message;
    };
    const Case cases[] = {
        {"", "1行目の形式が不正です。"},
        {"GIMP palette\n1 2 3\n", "1行目の形式が不正です。GIMP palette"},
        {"GIMP Palette\n# ok\n1 2\n", "3行目の形式が不正です。1 2"},
        {"GIMP Palette\n1 2 3Red\n", "2行目の形式が不正です。1 2 3Red"},
        {"GIMP Palette\nColumns: many\n", "2行目の形式が不正です。Columns: many"},
        {"GIMP Palette\n0 0 300 too bright\n", "2行目の形式が不正です。0 0 300 too bright"},
    };
    for (const Case& c : cases) EXPECT_EQ(Refusal(TPaletteFormat::Gpl, c.text), c.message) << c.text;
}

std::string Ggr(const std::string& segments, int count)
{
    return "GIMP Gradient\nName: t\n" + std::to_string(count) + "\n" + segments;
}

TEST(GgrFile, SamplesTwoHundredFiftySixColoursAtEvenSteps)
{
    // Black to white, linear in RGB: colour i is 255 * i / 255 = i exactly.
    const std::vector<int32_t> grey = Load(TPaletteFormat::Ggr, Ggr("0 0.5 1 0 0 0 1 1 1 1 1 0 0\n", 1));
    ASSERT_EQ(grey.size(), 256u);
    for (int i = 0; i < 256; ++i) EXPECT_EQ(grey[static_cast<size_t>(i)], Rgb(i, i, i)) << i;
    // Two segments, the boundary belonging to the right one; the old format
    // without a name line and with end colour kinds.
    const std::vector<int32_t> two =
        Load(TPaletteFormat::Ggr, "GIMP Gradient\n2\n0 0.25 0.5 1 0 0 1 1 0 0 1 0 0 0 0\n"
                                  "0.5 0.75 1 0 0 1 1 0 0 1 1 5 0 0 0\n");
    EXPECT_EQ(two[0], Rgb(255, 0, 0));
    EXPECT_EQ(two[127], Rgb(255, 0, 0));
    EXPECT_EQ(two[128], Rgb(0, 0, 255));
}

TEST(GgrGradient, EveryBlendingAndColouringAtKnownPoints)
{
    using namespace ggr;
    auto segment = [](TBlending blending, TColoring coloring, TColor a, TColor b, double middle = 0.5) {
        TSegment s;
        s.middle = middle;
        s.leftColor = a;
        s.rightColor = b;
        s.blending = blending;
        s.coloring = coloring;
        return std::vector<TSegment>{s};
    };
    const TColor black{0, 0, 0}, white{1, 1, 1};
    struct Case {
        TBlending blending;
        double middle;
        double pos;
        double expected;
    };
    const Case cases[] = {
        {TBlending::Linear, 0.5, 0.25, 0.25},
        {TBlending::Linear, 0.25, 0.25, 0.5}, // the midpoint always gives one half
        {TBlending::Linear, 0.25, 0.625, 0.75},
        {TBlending::Curved, 0.25, 0.25, 0.5},
        {TBlending::Curved, 0.5, 0.3, 0.3},
        {TBlending::Sine, 0.5, 0.5, 0.5},
        {TBlending::Sine, 0.5, 0.25, (std::sin(-std::numbers::pi / 2 + std::numbers::pi * 0.25) + 1) / 2},
        {TBlending::SphereIncreasing, 0.5, 0.5, std::sqrt(0.75)},
        {TBlending::SphereDecreasing, 0.5, 0.5, 1 - std::sqrt(0.75)},
        {TBlending::Step, 0.4, 0.39, 0},
        {TBlending::Step, 0.4, 0.4, 1},
    };
    for (const Case& c : cases) {
        const TColor got = ColorAt(segment(c.blending, TColoring::Rgb, black, white, c.middle), c.pos);
        EXPECT_NEAR(got.r, c.expected, 1e-12) << static_cast<int>(c.blending) << " at " << c.pos;
        EXPECT_EQ(got.r, got.b);
    }
    // Red (hue 0) to blue (hue 2/3) around the hue circle: counter-clockwise
    // rises through green, clockwise falls through magenta.
    const TColor red{1, 0, 0}, blue{0, 0, 1};
    const TColor ccw = ColorAt(segment(TBlending::Linear, TColoring::HsvCounterClockwise, red, blue), 0.5);
    EXPECT_NEAR(ccw.r, 0, 1e-12);
    EXPECT_NEAR(ccw.g, 1, 1e-12); // hue 1/3: green
    const TColor cw = ColorAt(segment(TBlending::Linear, TColoring::HsvClockwise, red, blue), 0.5);
    EXPECT_NEAR(cw.r, 1, 1e-12);
    EXPECT_NEAR(cw.g, 0, 1e-12);
    EXPECT_NEAR(cw.b, 1, 1e-12); // hue 5/6: magenta
}

TEST(GgrGradient, AMidpointAtTheSegmentsEndStillMixesBetweenTheEnds)
{
    // Curved blending with the midpoint on the right end raises to an
    // infinite power; around the hue circle that once gave an infinite hue.
    using namespace ggr;
    for (const TColoring coloring : {TColoring::Rgb, TColoring::HsvCounterClockwise, TColoring::HsvClockwise}) {
        TSegment s;
        s.middle = 1;
        s.leftColor = {1, 0, 0};
        s.rightColor = {0, 0, 1};
        s.blending = TBlending::Curved;
        s.coloring = coloring;
        for (const double pos : {0.0, 0.3, 0.999, 1.0}) {
            const TColor c = ColorAt({s}, pos);
            for (const double channel : {c.r, c.g, c.b}) {
                EXPECT_TRUE(channel >= 0 && channel <= 1) << static_cast<int>(coloring) << " at " << pos;
            }
        }
    }
    // The file that found it loads to 256 colours.
    const std::string found = "GIMP Gradient\nName: g\n2\n0 0.50 0.5 1 0 0 1 0 4 1 1 1 2\n"
                              "0.5 0.75 1 0 1 1 1 1 1 0 1 5 2\n";
    EXPECT_EQ(Load(TPaletteFormat::Ggr, found).size(), 256u);
}

TEST(GgrGradient, ChannelsRoundHalfToEvenAndClamp)
{
    EXPECT_EQ(ggr::ChannelByte(0.5 / 255), 0);   // 0.5 -> 0
    EXPECT_EQ(ggr::ChannelByte(1.5 / 255), 2);   // 1.5 -> 2
    EXPECT_EQ(ggr::ChannelByte(0.5), 128);       // 127.5 -> 128
    EXPECT_EQ(ggr::ChannelByte(-0.25), 0);
    EXPECT_EQ(ggr::ChannelByte(1.5), 255);
    EXPECT_EQ(ggr::ChannelByte(std::nan("")), 0);
}

TEST(GgrFile, FaultyFilesAreNamedByLine)
{
    const std::string seg = "0 0.5 1 0 0 0 1 1 1 1 1 0 0\n";
    struct Case {
        std::string text;
        const char* message;
    };
    const Case cases[] = {
        {"GIMP Palette\n1\n" + seg, "1行目の形式が不正です。GIMP Palette"},
        {Ggr(seg, 0), "3行目の形式が不正です。0"},
        {Ggr(seg, 2), "5行目の形式が不正です。"}, // the second segment is missing
        {Ggr("0 0.5 1 0 0 0 1 1 1 1 1 6 0\n", 1), "4行目の形式が不正です。0 0.5 1 0 0 0 1 1 1 1 1 6 0"},
        {Ggr("0 0.5 1 0 0 0 1 1 1 1 1 0 3\n", 1), "4行目の形式が不正です。0 0.5 1 0 0 0 1 1 1 1 1 0 3"},
        {Ggr("0 0.5 1 0 0 0 1 1 1 1 0 0\n", 1), "4行目の形式が不正です。0 0.5 1 0 0 0 1 1 1 1 0 0"},
        {Ggr("0 0.6 0.5 0 0 0 1 1 1 1 1 0 0\n", 1), "4行目の形式が不正です。0 0.6 0.5 0 0 0 1 1 1 1 1 0 0"},
        {Ggr("0 0.2 0.4 0 0 0 1 1 1 1 1 0 0\n0.5 0.7 1 0 0 0 1 1 1 1 1 0 0\n", 2),
         "5行目の形式が不正です。0.5 0.7 1 0 0 0 1 1 1 1 1 0 0"}, // a gap
        {Ggr("0 0.25 0.5 0 0 0 1 1 1 1 1 0 0\n", 1), "4行目の形式が不正です。0 0.25 0.5 0 0 0 1 1 1 1 1 0 0"},
        {Ggr("0 0.5 1 0 0 0 1 x 1 1 1 0 0\n", 1), "4行目の形式が不正です。0 0.5 1 0 0 0 1 x 1 1 1 0 0"},
        {Ggr(seg + "more\n", 1), "5行目の形式が不正です。more"},
    };
    for (const Case& c : cases) EXPECT_EQ(Refusal(TPaletteFormat::Ggr, c.text), c.message) << c.text;
}

TEST(PaletteFile, WrittenMapsAndGimpPalettesLoadBackToTheSameColours)
{
    TempDir dir;
    TMcf mcf;
    mcf.LoadFromText("* ramp\n#GRAD 102030,F0E0D0,5\nFF00FF", "x.mcf");
    for (const char* name : {"a.map", "b.gpl", "c.mcf"}) {
        SavePaletteFile(mcf, dir / name);
        TMcf back;
        LoadPaletteFile(back, dir / name);
        EXPECT_EQ(ColorsOf(back), ColorsOf(mcf)) << name;
    }
    EXPECT_EQ(ReadBytes(dir / "c.mcf"), "* ramp\r\n#GRAD 102030,F0E0D0,5\r\nFF00FF\r\n");
    EXPECT_EQ(ReadBytes(dir / "a.map").substr(0, 9), "16 32 48\n");
    EXPECT_EQ(ReadBytes(dir / "b.gpl").substr(0, 27), "GIMP Palette\nName: b\nColumn");
    EXPECT_THROW(SavePaletteFile(mcf, dir / "d.ggr"), EFOpenError);
}

TEST(PaletteFile, TheFormatFollowsTheExtensionAndEveryPaletteKeepsMcfText)
{
    TempDir dir;
    WriteBytes(dir / "a.MAP", "1 2 3\n4 5 6\n");
    WriteBytes(dir / "b.gpl", "GIMP Palette\n7 8 9 plum\n");
    TMcf mcf;
    LoadPaletteFile(mcf, dir / "a.MAP");
    EXPECT_EQ(mcf.Text, "* a.MAP\n010203\n040506");
    EXPECT_EQ(mcf.GetName(), "a");
    EXPECT_FALSE(mcf.Builtin);
    LoadPaletteFile(mcf, dir / "b.gpl");
    EXPECT_EQ(mcf.Text, "* b.gpl\n070809 plum");
    // Kept text loads back to the same colours.
    TMcf again;
    again.LoadFromText(mcf.Text, "again");
    EXPECT_EQ(ColorsOf(again), ColorsOf(mcf));
    EXPECT_EQ(FindPaletteFile(dir.Path(), "b"), dir / "b.gpl");
    EXPECT_EQ(FindPaletteFile(dir.Path(), "c"), std::nullopt);
}

TEST(PaletteFile, McfTextKeepsGeneratorsCommentsAndReadableRemarks)
{
    TMcf mcf;
    // A Shift_JIS remark, a control character and a line of the built-in
    // palette's kind.
    mcf.LoadFromText("* \x90\xd4\n#LINE 0,16,0,0,0,0,4\nFF0000\x01note", "x.mcf");
    EXPECT_EQ(mcf.Text, "* 赤\n#LINE 0,16,0,0,0,0,4\nFF0000 note");
    EXPECT_EQ(mcf.High, 4);
    mcf.SetDefault();
    EXPECT_TRUE(mcf.Builtin);
    EXPECT_EQ(mcf.Text, "");
}

} // namespace
