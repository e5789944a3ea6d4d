// Colours, the palette and MCF files: generator lines, invalid lines and
// their messages, and loads that must change nothing when they fail.
#include "palette/UMcf.h"

#include "common/Exceptions.h"
#include "common/QuoteText.h"
#include "tests/support/TempDir.h"

#include <gtest/gtest.h>

#include <cstring>
#include <sstream>
#include <stdexcept>
#include <streambuf>
#include <vector>

namespace {

std::vector<int32_t> ColorsOf(const TMcf& mcf)
{
    return std::vector<int32_t>(mcf.Colors.begin(), mcf.Colors.begin() + (mcf.High + 1));
}

TEST(Rgb, ClampsAndSplitsColourValues)
{
    TRgb c;
    EXPECT_EQ(c.GetValue(), 0);
    c.SetR(-5);
    c.SetG(300);
    c.SetB(128);
    EXPECT_EQ(c.R, 0);
    EXPECT_EQ(c.G, 255);
    EXPECT_EQ(c.GetValue(), 128 * 65536 + 255 * 256);
    struct Case {
        int32_t value;
        int32_t r, g, b;
    };
    const Case cases[] = {
        {0x123456, 0x56, 0x34, 0x12}, {0x7FFFFFFF, 255, 255, 255}, {-1, 0, 0, 0}, {-256, 0, 0, 0}, {-65536, 0, 0, 0},
        {0x02000012, 0x12, 0, 255},
    };
    for (const auto& k : cases) {
        c.SetValue(k.value);
        EXPECT_EQ(c.R, k.r) << k.value;
        EXPECT_EQ(c.G, k.g) << k.value;
        EXPECT_EQ(c.B, k.b) << k.value;
    }
}

TEST(Rgb, ReadsHexTextRedFirst)
{
    TRgb c;
    c.SetHex("1A2b3C");
    EXPECT_EQ(c.GetValue(), 0x3C2B1A);
    c.SetHex("ABCDE");
    EXPECT_EQ(c.GetValue(), 0x0ECDAB);
    for (const char* bad : {"", "ABCD", "12 456", "12345G", "-12345", "+1+2+3"})
        EXPECT_THROW(c.SetHex(bad), EConvertError) << bad;
}

TEST(Mcf, StartsEmptyAndDoublesItsCapacity)
{
    TMcf mcf;
    EXPECT_EQ(mcf.High, -1);
    EXPECT_EQ(mcf.Colors.size(), 128u);
    EXPECT_EQ(mcf.FileName, "");
    for (int i = 0; i < 128; ++i) mcf.Add(i);
    EXPECT_EQ(mcf.Colors.size(), 128u);
    mcf.Add(777);
    EXPECT_EQ(mcf.High, 128);
    EXPECT_EQ(mcf.Colors.size(), 256u);
    EXPECT_EQ(mcf.GetColor(128), 777);
    try {
        mcf.GetColor(129);
        ADD_FAILURE();
    } catch (const ERangeError& e) {
        EXPECT_EQ(e.Message(), "パレットの範囲を越えています。最大[128] 指定[129]");
    }
    EXPECT_THROW(mcf.GetColor(-1), ERangeError);
    mcf.Clear();
    EXPECT_EQ(mcf.High, -1);
    EXPECT_EQ(mcf.Colors.size(), 256u);
}

TEST(Mcf, DefaultPaletteKeepsCarriesBetweenChannels)
{
    TMcf mcf;
    mcf.SetDefault();
    EXPECT_EQ(mcf.High, 127);
    EXPECT_EQ(mcf.GetName(), "標準");
    EXPECT_EQ(mcf.FileName, "標準.mcf");
    EXPECT_EQ(mcf.GetColor(0), 0);
    EXPECT_EQ(mcf.GetColor(1), 0x020408);   // 080402
    EXPECT_EQ(mcf.GetColor(31), 0x3E7CF8);  // F87C3E
    EXPECT_EQ(mcf.GetColor(32), 0x408100);  // 008140
    EXPECT_EQ(mcf.GetColor(127), 0xFFFFF8); // F8FFFF
}

TEST(Mcf, NameDropsFolderAndOnlyTheLastExtension)
{
    const std::pair<const char*, const char*> cases[] = {
        {"/pal/x.y.mcf", "x.y"}, {"C:\\pal\\foo.mcf", "foo"}, {"mixed/a\\b.mcf", "b"},
        {"plain", "plain"},      {"dir.d/name", "name"},      {"", ""},
    };
    TMcf mcf;
    for (const auto& [file, name] : cases) {
        mcf.FileName = file;
        EXPECT_EQ(mcf.GetName(), name) << file;
    }
}

struct LoadCase {
    const char* text;
    std::vector<int32_t> colors; // 0x00BBGGRR
};

TEST(McfLoad, ReadsColourAndGeneratorLines)
{
    const int32_t g = 255 * 256; // green 255, the #LINE example's constant channel
    const LoadCase cases[] = {
        {"FF0000 red", {0x0000FF}},
        {"ff0000\n", {0x0000FF}},
        {"ABCDE", {0x0ECDAB}},
        {"#GRAD 000000,FFFFFF,4", {0x000000, 0x404040, 0x808080, 0xBFBFBF}},
        {"#grad 000000,ffffff,4", {0x000000, 0x404040, 0x808080, 0xBFBFBF}},
        {"#GRAD  000000 , FFFFFF , 4 ", {0x000000, 0x404040, 0x808080, 0xBFBFBF}},
        {"#GRAD 000000,FFFFFF,$4", {0x000000, 0x404040, 0x808080, 0xBFBFBF}},
        {"#GRAD 000000,050000,2", {0x000000, 0x000002}},
        {"#GRAD FFFFFF,000000,2", {0xFFFFFF, 0x7F7F7F}}, // -127.5 rounds to -128
        {"#GRAD 000000,FFFFFF,-3\n010203", {0x030201}},
        {"#LINE 0,64,255,0,0,-16,6", {g + 0, g + 64, g + 128, g + 192, g + 0, g + 64}},
        {"#LINE 0,1.5,0,0,0,0,3", {0, 2, 3}},
        {"#LINE 0,-16,0,0,0,0,3", {0, 0, 0}},
        {"#LINE 250,3,0,0,0,0,3", {250, 253, 0}},
        {"#line 0 , 1 , 0 , 0 , 0 , 0 , 0\n000001", {0x010000}},
        {"#COLORS 12\n#\n#GR\n*comment\n\nABCDEF", {0xEFCDAB}},
        {"010101\r020202\r\n030303\n\n", {0x010101, 0x020202, 0x030303}},
        {"", {}},
        {"* only a comment\r\n", {}},
    };
    TempDir dir;
    for (const auto& c : cases) {
        TMcf mcf;
        const std::string path = dir.Write("p.mcf", c.text);
        mcf.LoadFromFile(path);
        EXPECT_EQ(ColorsOf(mcf), c.colors) << c.text;
        EXPECT_EQ(mcf.FileName, path);
    }
}

struct BadCase {
    const char* text;
    int line;
    const char* shown; // the line as the message shows it
};

TEST(McfLoad, NamesTheFirstInvalidLine)
{
    const BadCase cases[] = {
        {" FF0000", 1, " FF0000"},
        {"   ", 1, "   "},
        {"FFFF", 1, "FFFF"},
        {"GG0000", 1, "GG0000"},
        {"#GRADIENT 000000,FFFFFF,4", 1, "#GRADIENT 000000,FFFFFF,4"},
        {"#GRAD000000,FFFFFF,4", 1, "#GRAD000000,FFFFFF,4"},
        {"#GRAD", 1, "#GRAD"},
        {"#GRAD 000000,FFFFFF,0", 1, "#GRAD 000000,FFFFFF,0"},
        {"#GRAD 000000,FFFFFF,4x", 1, "#GRAD 000000,FFFFFF,4x"},
        {"#GRAD 000000;FFFFFF,4", 1, "#GRAD 000000;FFFFFF,4"},
        {"#LINE 0,1,0,1,0,1", 1, "#LINE 0,1,0,1,0,1"},
        {"#LINE 0,1,0,1,0,1,3,4", 1, "#LINE 0,1,0,1,0,1,3,4"},
        {"#LINE 0,1,0,1,0,x,3", 1, "#LINE 0,1,0,1,0,x,3"},
        {"#LINE 0,1e400,0,0,0,0,3", 1, "#LINE 0,1e400,0,0,0,0,3"}, // beyond a double
        {"#LINE 0,1e300,0,0,0,0,3", 1, "#LINE 0,1e300,0,0,0,0,3"}, // beyond 64-bit rounding
        {"000000\n*x\n000000\n*y\n\n\nZZ", 7, "ZZ"},
        {"000000\r\n\r*x\n\r\nZZ", 5, "ZZ"},
        {"\x82\xa0\x82\xa2", 1, "あい"}, // Shift_JIS text shown as UTF-8
        {"\xff\xfe", 1, "\\xff\\xfe"}, // not convertible: the bytes, escaped
        // What a terminal would act on is shown, not sent; a long line is cut.
        {"000000\n\x1b]0;X\a\x1b[2J", 2, "\\x1b]0;X\\x07\\x1b[2J"},
        {"#LINE 0,1,0,1,0,1,1234567890123456789012345678901234567890123456789012345678901234567890", 1,
         "#LINE 0,1,0,1,0,1,12345678901234567890123456789012345678901234567890123456789012…"},
    };
    TempDir dir;
    for (const auto& c : cases) {
        TMcf mcf;
        const std::string path = dir.Write("bad.mcf", c.text);
        try {
            mcf.LoadFromFile(path);
            ADD_FAILURE() << "accepted " << c.text;
        } catch (const EConvertError& e) {
            EXPECT_EQ(e.Message(), std::to_string(c.line) + "行目の形式が不正です。" + c.shown);
        }
    }
}

TEST(McfLoad, AFailedLoadChangesNothing)
{
    TempDir dir;
    TMcf mcf;
    const std::string good = dir.Write("good.mcf", "#GRAD 000000,FFFFFF,200\n");
    mcf.LoadFromFile(good);
    ASSERT_EQ(mcf.High, 199);
    ASSERT_EQ(mcf.Colors.size(), 256u);
    const std::vector<int32_t> before(mcf.Colors);

    // The bad file first grows the scratch palette past the capacity.
    const std::string bad = dir.Write("bad.mcf", "#GRAD 000000,FFFFFF,300\nFFFFFF\nnot a colour\n");
    EXPECT_THROW(mcf.LoadFromFile(bad), EConvertError);
    const std::string missing = dir / "missing.mcf";
    try {
        mcf.LoadFromFile(missing);
        ADD_FAILURE();
    } catch (const EFOpenError& e) {
        EXPECT_EQ(e.Message(), "ファイル '" + missing + "' を開けません。ファイルが見つかりません。");
    }
    EXPECT_THROW(mcf.LoadFromFile(dir.Path()), EFOpenError);
    EXPECT_THROW(mcf.LoadFromFile(dir.Write("over.mcf", "#GRAD 000000,FFFFFF,2000000000\n")), ETooManyColors);

    EXPECT_EQ(mcf.High, 199);
    EXPECT_EQ(mcf.Colors, before);
    EXPECT_EQ(mcf.FileName, good);
    EXPECT_EQ(mcf.GetName(), "good");
}

// A palette beyond the colour limit is refused as such, naming the line that
// crossed it, whether one count or many lines take it there.
TEST(McfLoad, TheColourLimitIsNamedAsTheCause)
{
    TempDir dir;
    std::string manyLines;
    for (int i = 0; i < 70000; ++i) manyLines += "#GRAD 000000,FFFFFF,255\n";
    struct Case {
        std::string text;
        int line;
    };
    // 65793 lines of 255 colours fit under 2^24; the next one does not.
    const Case cases[] = {{"#GRAD 000000,FFFFFF,2000000000\n", 1}, {"000000\n#LINE 0,1,0,1,0,1,16777216\n", 2},
                          {manyLines, 65794}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.line);
        TMcf mcf;
        mcf.SetDefault();
        try {
            mcf.LoadFromFile(dir.Write("many.mcf", c.text));
            ADD_FAILURE() << "accepted";
        } catch (const ETooManyColors& e) {
            EXPECT_EQ(e.Message(), std::to_string(c.line) + "行目で色の数が上限の 16777216 色を超えます。");
        }
        EXPECT_EQ(mcf.High, 127);
    }
    // Exactly at the limit is a palette.
    TMcf mcf;
    mcf.LoadFromFile(dir.Write("full.mcf", "#LINE 0,1,0,1,0,1,16777216\n"));
    EXPECT_EQ(mcf.High, TMcf::kMaxColors - 1);
}

TEST(McfLoad, ALargePaletteGrowsTheCapacityByDoubling)
{
    TempDir dir;
    TMcf mcf;
    mcf.SetDefault();
    mcf.LoadFromFile(dir.Write("big.mcf", "#LINE 0,1,0,0,0,0,1000\n"));
    EXPECT_EQ(mcf.High, 999);
    EXPECT_EQ(mcf.Colors.size(), 1024u);
    EXPECT_EQ(mcf.GetColor(999), 999 % 256);
    mcf.LoadFromFile(dir.Write("small.mcf", "123456\n"));
    EXPECT_EQ(mcf.High, 0);
    EXPECT_EQ(mcf.Colors.size(), 1024u);
    EXPECT_EQ(mcf.GetName(), "small");
}

// A stream that starts with head and then repeats tail without end, or
// fails with a read error once failAt bytes were served. It counts what was
// read, so a test sees how far the loader went.
class EndlessBuf : public std::streambuf {
public:
    EndlessBuf(std::string head, std::string tail, size_t failAt = SIZE_MAX)
        : head_(std::move(head)), tail_(std::move(tail)), failAt_(failAt)
    {}
    size_t Served() const { return served_; }
    // The first n bytes of the stream.
    std::string Prefix(size_t n) const
    {
        std::string s;
        for (size_t i = 0; i < n; ++i) s += At(i);
        return s;
    }

protected:
    int_type underflow() override
    {
        if (served_ >= failAt_) throw std::runtime_error("device error");
        for (char& c : chunk_) c = At(served_++);
        setg(chunk_, chunk_, chunk_ + sizeof chunk_);
        return traits_type::to_int_type(chunk_[0]);
    }

private:
    char At(size_t i) const { return i < head_.size() ? head_[i] : tail_[(i - head_.size()) % tail_.size()]; }

    std::string head_;
    std::string tail_;
    size_t failAt_;
    size_t served_ = 0;
    char chunk_[4096];
};

std::string LoadError(TMcf& mcf, std::istream& in)
{
    try {
        mcf.LoadFromStream(in, "stream.mcf");
    } catch (const Exception& e) {
        return e.Message();
    }
    return "loaded";
}

void ExpectDefaultPalette(const TMcf& mcf)
{
    EXPECT_EQ(mcf.High, 127);
    EXPECT_EQ(mcf.GetColor(127), 127 * 132104);
    EXPECT_EQ(mcf.GetName(), "標準");
}

// Nothing beyond the failing line is read: a file is never held whole, and a
// line never grows beyond the limit.
TEST(McfLoad, StopsAtTheFirstInvalidOrOverlongLineWithoutReadingTheRest)
{
    const size_t limit = TMcf::kMaxLineLength;
    struct Case {
        const char* what;
        std::string head;
        std::string tail; // repeated without end
        size_t line;
        size_t shownFrom; // the message shows the limit's worth of the line from here
    };
    const Case cases[] = {
        {"invalid line after many empty ones", std::string(300000, '\n') + "ZZ\n", "\r\n", 300001, 0},
        {"a colour line without end", "000000\r\n", "0", 2, 8},
        {"a comment without end", "\n\r*", "comment ", 3, 2},
        {"a generator without end", "#GRAD 000000,FFFFFF,", "1", 1, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        EndlessBuf buf(c.head, c.tail);
        std::istream in(&buf);
        TMcf mcf;
        mcf.SetDefault();
        const std::string message = LoadError(mcf, in);
        const std::string shown =
            c.line == 300001 ? "ZZ" : QuoteForMessage(buf.Prefix(c.shownFrom + limit).substr(c.shownFrom));
        EXPECT_EQ(message, std::to_string(c.line) + "行目の形式が不正です。" + shown);
        EXPECT_LT(buf.Served(), c.head.size() + limit + 256 * 1024);
        ExpectDefaultPalette(mcf);
    }
}

TEST(McfLoad, ALineOfExactlyTheLimitIsRead)
{
    TMcf mcf;
    std::istringstream in("*comment\n" + std::string("102030") + std::string(TMcf::kMaxLineLength - 6, ' ') +
                          "\r\n#GRAD 000000,FFFFFF,1" + std::string(TMcf::kMaxLineLength - 22, ' '));
    EXPECT_EQ(LoadError(mcf, in), "loaded");
    EXPECT_EQ(ColorsOf(mcf), (std::vector<int32_t>{0x302010, 0}));
    EXPECT_EQ(mcf.FileName, "stream.mcf");
}

// The reader takes the file in pieces of 64 KiB; a CR LF split between two of
// them is still one line end.
TEST(McfLoad, LineEndsSplitBetweenReadsCountOnce)
{
    struct Case {
        size_t firstLine; // bytes before the line end
        const char* end;
        int badLine;
    };
    const Case cases[] = {
        {65535, "\r\n", 2}, // CR last of the first piece, LF first of the next
        {65534, "\r\n", 2}, {65535, "\r", 2}, {65535, "\n", 2}, {65535, "\r\r\n", 3}, {65536, "\n\r", 3},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.firstLine << " " << std::strlen(c.end));
        std::istringstream in("000000" + std::string(c.firstLine - 6, '-') + c.end + "ZZ");
        TMcf mcf;
        EXPECT_EQ(LoadError(mcf, in), std::to_string(c.badLine) + "行目の形式が不正です。ZZ");
    }
}

TEST(McfLoad, AReadErrorIsTheOpenErrorAndChangesNothing)
{
    EndlessBuf buf("000000\n", "111111\n", 100000);
    std::istream in(&buf);
    TMcf mcf;
    mcf.SetDefault();
    EXPECT_EQ(LoadError(mcf, in), "ファイル 'stream.mcf' を開けません。");
    ExpectDefaultPalette(mcf);
}

} // namespace
