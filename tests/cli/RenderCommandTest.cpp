#include "cli/RenderCommand.h"
#include "tests/support/Files.h"
#include "tests/support/TempDir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <new>
#include <set>
#include <sstream>

namespace fs = std::filesystem;

namespace {

class RenderCommandTest : public ::testing::Test {
protected:
    void SetUp() override { fs::create_directories(dir_ / "mcf"); }

    int Run(std::vector<std::string> args)
    {
        out_.str("");
        err_.str("");
        return RunRender(args, dir_.Path(), out_, err_, false);
    }
    std::string P(const std::string& name) const { return dir_ / name; }

    TempDir dir_;
    std::ostringstream out_;
    std::ostringstream err_;
};

// Byte offset of pixel (x, y) in a bottom-up 24-bit BMP.
size_t BmpOffset(int width, int height, int x, int y)
{
    const size_t stride = (static_cast<size_t>(width) * 3 + 3) & ~size_t{3};
    return 54 + static_cast<size_t>(height - 1 - y) * stride + static_cast<size_t>(x) * 3;
}

TEST_F(RenderCommandTest, StartUpPatternHasTheKnownPixels)
{
    ASSERT_EQ(Run({"-o", P("a.bmp")}), 0) << err_.str();
    const std::string bmp = ReadBytes(P("a.bmp"));
    ASSERT_EQ(bmp.size(), 54u + 1200u * 400u);
    const size_t centre = BmpOffset(400, 400, 200, 200);
    EXPECT_EQ(bmp.substr(centre, 3), std::string("\x02\x04\x08", 3));
    // (0, 0) maps to (-200, -200): v = 80000, index 80000 mod 127 + 1 = 118,
    // the default palette's entry 118 = 118 * 0x20408.
    const uint32_t entry = 118u * 0x20408u;
    const size_t corner = BmpOffset(400, 400, 0, 0);
    EXPECT_EQ(static_cast<uint8_t>(bmp[corner]), (entry >> 16) & 0xFF);
    EXPECT_EQ(static_cast<uint8_t>(bmp[corner + 1]), (entry >> 8) & 0xFF);
    EXPECT_EQ(static_cast<uint8_t>(bmp[corner + 2]), entry & 0xFF);
}

TEST_F(RenderCommandTest, ExplicitOptionsAndADocumentReachTheSamePicture)
{
    ASSERT_EQ(
        Run({"--formula", "5", "--point-move", "2", "--params", "0.25,0,0,0", "--center", "0.5,-1.25", "--increment",
             "0.5,0.5", "--size", "120x80", "--color-change", "2", "-o", P("a.bmp"), "--save-document", P("p.vqp")}),
        0)
        << err_.str();
    // The document names the built-in palette, which has no file: the
    // renderer says so and draws with the palette it has.
    ASSERT_EQ(Run({P("p.vqp"), "-o", P("b.bmp")}), 0) << err_.str();
    EXPECT_NE(err_.str().find("標準.mcf]を開けません。"), std::string::npos) << err_.str();
    EXPECT_EQ(ReadBytes(P("a.bmp")), ReadBytes(P("b.bmp")));
    EXPECT_EQ(ReadBytes(P("a.bmp")).size(), 54u + 360u * 80u);
}

TEST_F(RenderCommandTest, OptionsAfterADocumentOverrideIt)
{
    ASSERT_EQ(Run({"--size", "50x40", "--save-document", P("p.vqp")}), 0) << err_.str();
    EXPECT_FALSE(fs::exists(P("velquor.bmp")));
    ASSERT_EQ(Run({P("p.vqp"), "--size", "30x20", "-o", P("b.bmp")}), 0) << err_.str();
    EXPECT_EQ(ReadBytes(P("b.bmp")).size(), 54u + 92u * 20u);
}

TEST_F(RenderCommandTest, DocumentPaletteIsLookedUpInThePaletteFolder)
{
    WriteBytes(P("mcf/two.mcf"), "000000\r\n00FF00\r\n0000FF\r\n");
    WriteBytes(P("other.mcf"), "000000\r\nFF0000\r\n00FF00\r\n");
    ASSERT_EQ(Run({"--palette", P("mcf/two.mcf"), "--size", "4x4", "--save-document", P("p.vqp")}), 0) << err_.str();

    // Default folder: mcf beside the program.
    ASSERT_EQ(Run({P("p.vqp"), "-o", P("a.bmp")}), 0) << err_.str();
    EXPECT_EQ(err_.str(), "");
    // --palette-dir stands for the palette folder setting.
    fs::create_directories(dir_ / "pal");
    fs::copy_file(P("other.mcf"), P("pal/two.mcf"));
    ASSERT_EQ(Run({P("p.vqp"), "--palette-dir", P("pal"), "-o", P("b.bmp")}), 0) << err_.str();
    EXPECT_NE(ReadBytes(P("a.bmp")), ReadBytes(P("b.bmp")));
    // Entry 0 is never drawn: with "two" every pixel is green or blue, with
    // the other folder's file of the same name red or green.
    auto colours = [&](const std::string& bmp) {
        std::set<std::string> seen;
        for (int y = 0; y < 4; ++y)
            for (int x = 0; x < 4; ++x) seen.insert(bmp.substr(BmpOffset(4, 4, x, y), 3));
        return seen;
    };
    const std::string green("\x00\xFF\x00", 3), blue("\xFF\x00\x00", 3), red("\x00\x00\xFF", 3);
    EXPECT_EQ(colours(ReadBytes(P("a.bmp"))), (std::set<std::string>{green, blue}));
    EXPECT_EQ(colours(ReadBytes(P("b.bmp"))), (std::set<std::string>{red, green}));
}

struct ErrorCase {
    std::vector<std::string> args;
    const char* message;
};

TEST_F(RenderCommandTest, RefusedValuesGiveTheWindowsMessagesAndNoFile)
{
    const ErrorCase cases[] = {
        {{"--size", "10000x1"}, "幅の指定が不正です。[10000]"},
        {{"--size", "0x0"}, "幅の指定が不正です。[0]"},
        {{"--size", "1x-5"}, "高さの指定が不正です。[-5]"},
        {{"--size", "ax5"}, "'a' は整数ではありません"},
        {{"--formula", "7"}, "未サポートのFormulaNameです。"},
        {{"--formula", "x"}, "'x' は整数ではありません"},
        {{"--point-move", "-1"}, "未サポートのPointMoveTypeです。"},
        {{"--point-move", "5"}, "No Exist PointMove: PointMove[5]"},
        {{"--center", "abc,0"}, "'abc' は浮動小数点数ではありません"},
        {{"--formula-expr", "x * (y + 1"}, "式の誤り(11文字目): 「)」が足りません"},
        {{"--formula-expr", "sinh(x)"}, "式の誤り(1文字目): 名前 'sinh' は不明です"},
        {{"--formula-expr", "1 / (x - 1)", "--size", "3x3", "--center", "0.5,0"}, "ゼロによる除算"},
        {{"--color-change", "1e400"}, "浮動小数点数のオーバーフロー"},
        {{"--color-change", "-1E400"}, "浮動小数点数のオーバーフロー"},
    };
    for (const auto& c : cases) {
        std::vector<std::string> args = c.args;
        args.push_back("-o");
        args.push_back(P("x.bmp"));
        EXPECT_EQ(Run(args), 1) << c.message;
        EXPECT_EQ(err_.str(), std::string("velquor-render: ") + c.message + "\n");
        EXPECT_FALSE(fs::exists(P("x.bmp"))) << c.message;
    }
}

TEST_F(RenderCommandTest, TypedFormulaDrawsAndIsSavedAsTypeTwo)
{
    ASSERT_EQ(Run({"--formula-expr", "100*sin(x) + y", "--size", "60x40", "-o", P("typed.bmp"), "--save-document",
                   P("typed.vqp")}),
              0)
        << err_.str();
    ASSERT_EQ(Run({"--formula", "5", "--size", "60x40", "-o", P("builtin.bmp")}), 0) << err_.str();
    EXPECT_EQ(ReadBytes(P("typed.bmp")), ReadBytes(P("builtin.bmp")));
    EXPECT_NE(ReadBytes(P("typed.vqp")).find("<formula type=\"2\" name=\"100*sin(x) + y\">"), std::string::npos);

    // The last formula option counts; a document's formula gives way to it.
    ASSERT_EQ(Run({"--formula", "0", "--formula-expr", "100*sin(x) + y", "--size", "60x40", "-o", P("last.bmp")}), 0);
    EXPECT_EQ(ReadBytes(P("last.bmp")), ReadBytes(P("builtin.bmp")));
    ASSERT_EQ(Run({P("typed.vqp"), "--formula-expr", "x + y", "-o", P("over.bmp")}), 0);
    ASSERT_EQ(Run({"--formula", "3", "--size", "60x40", "-o", P("sum.bmp")}), 0);
    EXPECT_EQ(ReadBytes(P("over.bmp")), ReadBytes(P("sum.bmp")));
}

// The same text gives the same message on the command line as in a document.
TEST_F(RenderCommandTest, ColourChangeBeyondADoubleFailsAsInADocument)
{
    ASSERT_EQ(Run({"--save-document", P("d.vqp")}), 0) << err_.str();
    std::string document = ReadBytes(P("d.vqp"));
    const std::string value = "<colorchange value=\"1\">";
    ASSERT_NE(document.find(value), std::string::npos);
    document.replace(document.find(value), value.size(), "<colorchange value=\"1e400\">");
    WriteBytes(P("d.vqp"), document);

    EXPECT_EQ(Run({P("d.vqp"), "-o", P("x.bmp")}), 1);
    const std::string fromDocument = err_.str();
    EXPECT_EQ(Run({"--color-change", "1e400", "-o", P("x.bmp")}), 1);
    EXPECT_EQ(err_.str(), fromDocument);
    EXPECT_EQ(fromDocument, "velquor-render: 浮動小数点数のオーバーフロー\n");
    EXPECT_FALSE(fs::exists(P("x.bmp")));
}

TEST(RunReporting, OutOfMemoryIsTheProgramsOwnMessage)
{
    std::ostringstream err;
    EXPECT_EQ(RunReporting(err, []() -> int { throw std::bad_alloc(); }), 1);
    EXPECT_EQ(err.str(), "velquor-render: メモリが不足しています。\n");
    err.str("");
    EXPECT_EQ(RunReporting(err, [] { return 3; }), 3);
    EXPECT_EQ(err.str(), "");
}

TEST_F(RenderCommandTest, AFailedDrawingWritesNothing)
{
    WriteBytes(P("one.mcf"), "FF0000\n");
    EXPECT_EQ(Run({"--palette", P("one.mcf"), "--size", "4x4", "-o", P("x.bmp")}), 1);
    EXPECT_EQ(err_.str(), "velquor-render: ゼロによる除算\n");
    EXPECT_FALSE(fs::exists(P("x.bmp")));
}

TEST_F(RenderCommandTest, FileTypeFollowsTheExtensionThenTheFormat)
{
    ASSERT_EQ(Run({"--size", "3x2", "-o", P("pic.PNG")}), 0) << err_.str();
    EXPECT_EQ(ReadBytes(P("pic.PNG")).substr(0, 4), "\x89PNG");
    ASSERT_EQ(Run({"--size", "3x2", "--format", "png", "-o", P("pic")}), 0) << err_.str();
    EXPECT_EQ(ReadBytes(P("pic.png")).substr(0, 4), "\x89PNG");
    ASSERT_EQ(Run({"--size", "3x2", "-o", P("pic2")}), 0) << err_.str();
    EXPECT_EQ(ReadBytes(P("pic2.bmp")).substr(0, 2), "BM");
}

// Only a terminal sees progress: the save counts on one line, which is
// cleared before the result is printed.
TEST_F(RenderCommandTest, SaveProgressGoesOnlyToATerminal)
{
    for (const char* name : {"a.png", "a.bmp"}) {
        SCOPED_TRACE(name);
        ASSERT_EQ(Run({"--size", "300x200", "-o", P(name)}), 0) << err_.str();
        EXPECT_EQ(err_.str(), "");
        const std::string quiet = ReadBytes(P(name));

        err_.str("");
        out_.str("");
        ASSERT_EQ(RunRender({"--size", "300x200", "-o", P(name)}, dir_.Path(), out_, err_, true), 0) << err_.str();
        const std::string err = err_.str();
        for (const char* step : {"\rvelquor-render: saving 0%", "\rvelquor-render: saving 1%",
                                 "\rvelquor-render: saving 99%", "\rvelquor-render: saving 100%"})
            EXPECT_NE(err.find(step), std::string::npos) << step;
        EXPECT_EQ(err.substr(err.rfind('\r')), "\r\033[K");
        EXPECT_EQ(out_.str(), "velquor-render: wrote " + P(name) + "\n");
        if (std::string(name) == "a.bmp") EXPECT_EQ(ReadBytes(P(name)), quiet);
    }
}

TEST_F(RenderCommandTest, MalformedCommandLinesAreUsageErrors)
{
    EXPECT_EQ(Run({"--bogus"}), 2);
    EXPECT_NE(err_.str().find("unknown option --bogus"), std::string::npos);
    EXPECT_EQ(Run({"--size"}), 2);
    EXPECT_EQ(Run({"--formula-expr"}), 2);
    EXPECT_NE(err_.str().find("--formula-expr needs a value"), std::string::npos);
    EXPECT_EQ(Run({"--format", "gif"}), 2);
    EXPECT_EQ(Run({"--help"}), 0);
    EXPECT_NE(out_.str().find("usage: velquor-render"), std::string::npos);
    EXPECT_NE(out_.str().find("--formula-expr EXPR"), std::string::npos);
}

TEST_F(RenderCommandTest, VersionIsPrintedAndNothingIsDrawn)
{
    EXPECT_EQ(Run({"--version", "-o", P("v.bmp")}), 0);
    EXPECT_EQ(out_.str(), "velquor-render " VELQUOR_VERSION "\n");
    EXPECT_FALSE(fs::exists(P("v.bmp")));
}

} // namespace
