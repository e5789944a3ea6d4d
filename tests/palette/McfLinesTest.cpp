// The editor's line model: MCF text into segments, edits, and text written
// back that keeps its generator lines and loads to the same colours.
#include "palette/McfLines.h"

#include "common/Exceptions.h"
#include "palette/UMcf.h"
#include "tests/support/Files.h"
#include "tests/support/TempDir.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <random>
#include <sstream>

namespace {

std::vector<int32_t> Loaded(const std::string& text)
{
    std::istringstream in(text);
    TMcf mcf;
    mcf.LoadFromStream(in, "x.mcf");
    return std::vector<int32_t>(mcf.Colors.begin(), mcf.Colors.begin() + (mcf.High + 1));
}

const char* const kHandWritten = "* warm ramp, for flames\n"
                                 "\n"
                                 "000000 unused\n"
                                 "#grad  000000 , ff8000 , $10\n"
                                 "* the hot end\n"
                                 "#COLORS 64\n"
                                 "#LINE 255,0,128,1.5,0,-4,20\n"
                                 "FFFF00\n"
                                 "* end\n";

} // namespace

TEST(McfLines, ParsesEveryKindOfLineAndWritesTheTextBackUnchanged)
{
    const TPaletteLines lines = TPaletteLines::Parse(kHandWritten);
    EXPECT_EQ(lines.header, (std::vector<std::string>{"* warm ramp, for flames", ""}));
    ASSERT_EQ(lines.segments.size(), 4u);

    const TPaletteSegment& single = lines.segments[0];
    EXPECT_EQ(single.kind, TSegmentKind::Color);
    EXPECT_EQ(single.color, 0);
    EXPECT_EQ(single.remark, " unused");

    const TPaletteSegment& grad = lines.segments[1];
    EXPECT_EQ(grad.kind, TSegmentKind::Gradient);
    EXPECT_EQ(grad.color, 0);
    EXPECT_EQ(grad.endColor, 0x0080FF);
    EXPECT_EQ(grad.count, 16);

    const TPaletteSegment& ramp = lines.segments[2];
    EXPECT_EQ(ramp.kind, TSegmentKind::Ramp);
    EXPECT_EQ(ramp.before, (std::vector<std::string>{"* the hot end", "#COLORS 64"}));
    EXPECT_EQ(ramp.red.base, 255);
    EXPECT_EQ(ramp.green.step, 1.5);
    EXPECT_EQ(ramp.blue.step, -4.0);
    EXPECT_EQ(ramp.count, 20);

    EXPECT_EQ(lines.segments[3].color, 0x00FFFF);
    EXPECT_EQ(lines.after, std::vector<std::string>{"* end"});

    EXPECT_EQ(lines.Text(), kHandWritten);
    EXPECT_EQ(lines.Colors(), Loaded(kHandWritten));
}

TEST(McfLines, AnEditedLineIsWrittenAnewAndTheOthersStayAsWritten)
{
    TPaletteLines lines = TPaletteLines::Parse(kHandWritten);
    lines.segments[1].count = 8;
    lines.segments[1].endColor = 0x112233;
    lines.segments[3].color = 0x0000FF;
    lines.segments[3].remark = " red";
    const std::string text = lines.Text();
    EXPECT_EQ(text, "* warm ramp, for flames\n"
                    "\n"
                    "000000 unused\n"
                    "#GRAD 000000,332211,8\n"
                    "* the hot end\n"
                    "#COLORS 64\n"
                    "#LINE 255,0,128,1.5,0,-4,20\n"
                    "FF0000 red\n"
                    "* end\n");
    EXPECT_EQ(Loaded(text), lines.Colors());
    EXPECT_EQ(Loaded(text).size(), 1u + 8u + 20u + 1u);
}

TEST(McfLines, SegmentsWrittenByTheModelLoadBackToTheSameValuesAndColours)
{
    // Steps with no short decimal form, ties of the rounding, wrapping
    // and clamped channels, and the gradient examples of the format.
    TPaletteLines lines;
    lines.segments = {
        TPaletteSegment::Gradient(0x000000, 0xFFFFFF, 4),
        TPaletteSegment::Gradient(0x000000, 0x000005, 2),
        TPaletteSegment::Gradient(0xFFFFFF, 0x010203, 255),
        TPaletteSegment::Ramp({0, 1.0 / 3.0}, {255, -0.1}, {128, 2.5}, 300),
        TPaletteSegment::Ramp({-20, 1e-7}, {300, 4.000000000000001}, {7, -1e3}, 5),
        TPaletteSegment::Single(0x123456),
    };
    const std::string text = lines.Text();
    std::vector<int32_t> expected;
    for (const TPaletteSegment& s : lines.segments) {
        const std::vector<int32_t> colors = TPaletteLines::SegmentColors(s);
        expected.insert(expected.end(), colors.begin(), colors.end());
    }
    EXPECT_EQ(Loaded(text), expected);
    EXPECT_EQ(expected.size(), 4u + 2u + 255u + 300u + 5u + 1u);

    const TPaletteLines again = TPaletteLines::Parse(text);
    ASSERT_EQ(again.segments.size(), lines.segments.size());
    for (size_t i = 0; i < lines.segments.size(); ++i)
        EXPECT_TRUE(SameColors(again.segments[i], lines.segments[i])) << "segment " << i << ": " << text;
    EXPECT_EQ(again.Text(), text);
}

TEST(McfLines, EveryRampStepComesBackAsExactlyTheSameDouble)
{
    std::mt19937_64 random(22);
    TPaletteLines lines;
    for (int i = 0; i < 3000; ++i) {
        uint64_t bits = random();
        double step = 0;
        std::memcpy(&step, &bits, sizeof step);
        if (!std::isfinite(step)) continue;
        // Plenty of ordinary steps as well as the whole range of doubles.
        const double ordinary = std::ldexp(static_cast<double>(bits >> 11), -50) - 4096.0;
        lines.segments.push_back(TPaletteSegment::Ramp({0, step}, {1, ordinary}, {2, -ordinary}, 1));
    }
    const TPaletteLines again = TPaletteLines::Parse(lines.Text());
    ASSERT_EQ(again.segments.size(), lines.segments.size());
    for (size_t i = 0; i < lines.segments.size(); ++i) {
        EXPECT_EQ(again.segments[i].red.step, lines.segments[i].red.step) << SegmentLine(lines.segments[i]);
        EXPECT_EQ(again.segments[i].green.step, lines.segments[i].green.step) << SegmentLine(lines.segments[i]);
    }
}

TEST(McfLines, EditsCarryTheirCommentsAndKeepTheHeader)
{
    const std::string text = "* header\n"
                             "FF0000\n"
                             "* green\n"
                             "00FF00\n"
                             "* blue\n"
                             "#GRAD 0000FF,000000,2\n";
    struct Case {
        const char* name;
        void (*edit)(TPaletteLines&);
        const char* expected;
    };
    const Case cases[] = {
        {"reverse", [](TPaletteLines& l) { l.Reverse(); },
         "* header\n* blue\n#GRAD 0000FF,000000,2\n* green\n00FF00\nFF0000\n"},
        {"move last to first", [](TPaletteLines& l) { l.Move(2, 0); },
         "* header\n* blue\n#GRAD 0000FF,000000,2\nFF0000\n* green\n00FF00\n"},
        {"move first down", [](TPaletteLines& l) { l.Move(0, 1); },
         "* header\n* green\n00FF00\nFF0000\n* blue\n#GRAD 0000FF,000000,2\n"},
        {"remove keeps the comment", [](TPaletteLines& l) { l.Remove(1); },
         "* header\nFF0000\n* green\n* blue\n#GRAD 0000FF,000000,2\n"},
        {"remove the last", [](TPaletteLines& l) { l.Remove(2); }, "* header\nFF0000\n* green\n00FF00\n* blue\n"},
        {"insert", [](TPaletteLines& l) { l.Insert(1, TPaletteSegment::Single(0xFFFFFF)); },
         "* header\nFF0000\nFFFFFF\n* green\n00FF00\n* blue\n#GRAD 0000FF,000000,2\n"},
        {"out of range does nothing",
         [](TPaletteLines& l) {
             l.Remove(3);
             l.Move(0, 3);
             l.Insert(4, TPaletteSegment::Single(0));
         },
         "* header\nFF0000\n* green\n00FF00\n* blue\n#GRAD 0000FF,000000,2\n"},
    };
    for (const Case& c : cases) {
        TPaletteLines lines = TPaletteLines::Parse(text);
        c.edit(lines);
        EXPECT_EQ(lines.Text(), c.expected) << c.name;
        EXPECT_EQ(lines.Colors(), Loaded(c.expected)) << c.name;
    }
}

TEST(McfLines, TextTheLoaderRefusesIsRefusedWithItsMessage)
{
    const struct {
        const char* text;
        const char* message;
    } cases[] = {
        {"* a\nFF0000\n zz\n", "3行目の形式が不正です。 zz"},
        {"#GRAD 000000,FFFFFF,0\n", "1行目の形式が不正です。#GRAD 000000,FFFFFF,0"},
        {"FF00FF\n\n#LINE 0,1,0,1,0,1\n", "3行目の形式が不正です。#LINE 0,1,0,1,0,1"},
    };
    for (const auto& c : cases) {
        try {
            TPaletteLines::Parse(c.text);
            ADD_FAILURE() << c.text << " was accepted";
        } catch (const EConvertError& e) {
            EXPECT_STREQ(e.what(), c.message);
        }
    }
}

TEST(McfLines, EmptyTextAndGeneratorsThatAddNothing)
{
    EXPECT_TRUE(TPaletteLines::Parse("").segments.empty());
    EXPECT_TRUE(TPaletteLines::Parse("").Colors().empty());
    // A negative count adds nothing, yet stays a line of the palette.
    const TPaletteLines lines = TPaletteLines::Parse("#GRAD 000000,FFFFFF,-3\n#LINE 0,1,0,1,0,1,0\n");
    ASSERT_EQ(lines.segments.size(), 2u);
    EXPECT_TRUE(lines.Colors().empty());
    EXPECT_TRUE(TPaletteLines::SegmentColors(lines.segments[0]).empty());
    // A gradient whose count was set to 0 cannot be drawn: the loader's message.
    TPaletteLines zero = lines;
    zero.segments[0].count = 0;
    EXPECT_THROW(zero.Colors(), EConvertError);
}

TEST(McfLines, SavedFileLoadsToTheSameColoursAndARefusedSaveKeepsTheOldFile)
{
    TempDir dir;
    const std::string path = dir / "炎.mcf";
    TPaletteLines lines = TPaletteLines::Parse(kHandWritten);
    lines.segments[2].red.step = 0.1;
    lines.SaveToFile(path);
    TMcf mcf;
    mcf.LoadFromFile(path);
    EXPECT_EQ(std::vector<int32_t>(mcf.Colors.begin(), mcf.Colors.begin() + (mcf.High + 1)), lines.Colors());
    EXPECT_EQ(ReadBytes(path), lines.Text());
    EXPECT_NE(ReadBytes(path).find("#LINE 255,0.1,128,1.5,0,-4,20\n"), std::string::npos);

    TPaletteLines broken = lines;
    broken.segments[1].count = 0;
    EXPECT_THROW(broken.SaveToFile(path), EConvertError);
    EXPECT_EQ(ReadBytes(path), lines.Text());
    EXPECT_THROW(lines.SaveToFile(dir / "no/such/folder.mcf"), EFOpenError);
}

TEST(McfLines, ColoursWithoutLinesBecomeOneColourLineEach)
{
    TMcf standard;
    standard.SetDefault();
    const std::vector<int32_t> colors(standard.Colors.begin(), standard.Colors.begin() + 128);
    const TPaletteLines lines = TPaletteLines::FromColors(colors);
    EXPECT_EQ(lines.segments.size(), 128u);
    // The built-in palette's carries between channels survive as colours.
    EXPECT_EQ(Loaded(lines.Text()), colors);
}
