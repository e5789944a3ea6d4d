#include "cli/RenderCommand.h"
#include "common/Texts.h"
#include "platform/AppPaths.h"
#include "tests/support/Files.h"
#include "tests/support/TempDir.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <new>
#include <set>
#include <sstream>
#include <thread>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

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
    // The document names the built-in palette, which has no file: that is
    // the built-in palette, without a word.
    ASSERT_EQ(Run({P("p.vqp"), "-o", P("b.bmp")}), 0) << err_.str();
    EXPECT_EQ(err_.str(), "");
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
    std::string message;
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
        // The formula dialog's message for a number it does not offer.
        {{"--point-move", "5"}, "未サポートのPointMoveTypeです。"},
        {{"--size", std::string(100000, '7') + "x1"}, "'" + std::string(80, '7') + "…' は整数ではありません"},
        {{"--center", "\x1b[2J,0"}, "'\\x1b[2J' は浮動小数点数ではありません"},
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
        for (const char* step : {"\rvelquor-render: 保存中 0%", "\rvelquor-render: 保存中 1%",
                                 "\rvelquor-render: 保存中 99%", "\rvelquor-render: 保存中 100%"})
            EXPECT_NE(err.find(step), std::string::npos) << step;
        EXPECT_EQ(err.substr(err.rfind('\r')), "\r\033[K");
        EXPECT_EQ(out_.str(), "velquor-render: " + P(name) + " を書き出しました。\n");
        if (std::string(name) == "a.bmp") {
            EXPECT_EQ(ReadBytes(P(name)), quiet);
        }
    }
}

// Every message of the renderer's own is Japanese, names what was given
// (quoted safely) and points to --help; the status is 2 and nothing is drawn.
TEST_F(RenderCommandTest, SpeaksEnglishWhenTheLanguageIsEnglish)
{
    struct English {
        English() { SetTextLanguage(TTextLanguage::English); }
        ~English() { SetTextLanguage(TTextLanguage::Japanese); }
    } english;
    EXPECT_EQ(Run({"--bogus"}), 2);
    EXPECT_EQ(err_.str(), "velquor-render: There is no option --bogus.\n(velquor-render --help shows how to use it)\n");
    EXPECT_EQ(Run({"--center", "1,2,3"}), 2);
    EXPECT_EQ(err_.str().substr(0, 66), "velquor-render: --center needs 2 numbers separated by commas.\n(vel");
    EXPECT_EQ(Run({"--help"}), 0);
    EXPECT_EQ(out_.str().rfind("Usage: velquor-render [DOCUMENT.vqp] [OPTIONS]\n", 0), 0u) << out_.str();
    const std::string picture = dir_ / "english.bmp";
    EXPECT_EQ(Run({"--size", "8x8", "-o", picture}), 0);
    EXPECT_NE(out_.str().find("Wrote " + picture + "."), std::string::npos) << out_.str() << err_.str();
}

TEST_F(RenderCommandTest, MalformedCommandLinesAreUsageErrors)
{
    const std::string hint = "\n(使い方は velquor-render --help で表示されます)\n";
    const ErrorCase cases[] = {
        {{"--bogus"}, "--bogus というオプションはありません。"},
        {{"--bogus\x1b[2J"}, "--bogus\\x1b[2J というオプションはありません。"},
        {{"--size"}, "--size の後に値を指定してください。"},
        {{"-o"}, "-o の後に値を指定してください。"},
        {{"--formula-expr"}, "--formula-expr の後に値を指定してください。"},
        {{"--size", "400"}, "--size は 幅x高さ の形で指定してください(例: 400x400)。"},
        {{"--center", "1,2,3"}, "--center にはカンマで区切った 2 個の数値を指定してください。"},
        {{"--params", "1"}, "--params にはカンマで区切った 4 個の数値を指定してください。"},
        {{"--format", "gif"}, "--format には bmp か png を指定してください('gif' は使えません)。"},
        {{"a.vqp", "b.vqp"}, "描画できる文書は1つだけです('a.vqp' と 'b.vqp' が指定されました)。"},
        {{""}, "文書のファイル名が空です。"},
        {{"-o", ""}, "-o の出力ファイル名が空です。"},
        {{"--save-document", ""}, "--save-document のファイル名が空です。"},
        {{"--palette", ""}, "--palette のファイル名が空です。"},
    };
    const auto before = dir_.Entries();
    for (const auto& c : cases) {
        SCOPED_TRACE(c.message);
        EXPECT_EQ(Run(c.args), 2);
        EXPECT_EQ(err_.str(), "velquor-render: " + c.message + hint);
        EXPECT_EQ(out_.str(), "");
    }
    EXPECT_EQ(dir_.Entries(), before);
    EXPECT_FALSE(fs::exists("velquor.bmp"));

    EXPECT_EQ(Run({"--help"}), 0);
    EXPECT_EQ(out_.str().rfind("使い方: velquor-render [文書.vqp] [オプション]\n", 0), 0u);
    EXPECT_NE(out_.str().find("--formula-expr 式"), std::string::npos);
}

// An output that names an input, or the other output, is refused before
// anything is written, whatever spelling or link names it; the old file
// keeps its bytes.
TEST_F(RenderCommandTest, NoOutputOverwritesAnInputOrTheOtherOutput)
{
    WriteBytes(P("p.mcf"), "000000\n102030\n");
    WriteBytes(P("mcf/two.mcf"), "000000\n00FF00\n");
    ASSERT_EQ(Run({"--palette", P("mcf/two.mcf"), "--size", "4x4", "--save-document", P("d.vqp")}), 0) << err_.str();
    fs::create_directories(dir_ / "sub");
    fs::create_hard_link(P("d.vqp"), P("hard.bmp"));
    fs::create_symlink(P("p.mcf"), P("soft.png"));
    const std::string document = ReadBytes(P("d.vqp"));
    const std::string palette = ReadBytes(P("p.mcf"));
    const std::string documentPalette = ReadBytes(P("mcf/two.mcf"));

    struct Case {
        std::vector<std::string> args;
        std::string message;
    };
    const std::string d = P("d.vqp"), p = P("p.mcf");
    const Case cases[] = {
        {{d, "-o", d}, "画像の出力先 '" + d + "' は読み込む文書 '" + d + "' と同じファイルです。"},
        {{d, "-o", P("sub/../d.vqp")},
         "画像の出力先 '" + P("sub/../d.vqp") + "' は読み込む文書 '" + d + "' と同じファイルです。"},
        {{d, "-o", P("hard.bmp")},
         "画像の出力先 '" + P("hard.bmp") + "' は読み込む文書 '" + d + "' と同じファイルです。"},
        {{"--palette", p, "-o", p}, "画像の出力先 '" + p + "' はパレット '" + p + "' と同じファイルです。"},
        {{"--palette", p, "-o", P("soft.png")},
         "画像の出力先 '" + P("soft.png") + "' はパレット '" + p + "' と同じファイルです。"},
        // The palette the document named is an input too.
        {{d, "-o", P("mcf/two.mcf")},
         "画像の出力先 '" + P("mcf/two.mcf") + "' はパレット '" + P("mcf/two.mcf") + "' と同じファイルです。"},
        {{"--palette", p, "--save-document", p},
         "文書の保存先 '" + p + "' はパレット '" + p + "' と同じファイルです。"},
        {{"-o", P("s.png"), "--save-document", P("s.png")},
         "画像の出力先 '" + P("s.png") + "' は文書の保存先 '" + P("s.png") + "' と同じファイルです。"},
        // The picture's name is completed before it is compared.
        {{"-o", P("x"), "--save-document", P("x.bmp")},
         "画像の出力先 '" + P("x.bmp") + "' は文書の保存先 '" + P("x.bmp") + "' と同じファイルです。"},
        {{"-o", P("sub")}, "'" + P("sub") + "' はフォルダーです。画像を書き出すファイルの名前を指定してください。"},
        {{"--save-document", P("sub")},
         "'" + P("sub") + "' はフォルダーです。文書を保存するファイルの名前を指定してください。"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.message);
        EXPECT_EQ(Run(c.args), 2);
        EXPECT_EQ(err_.str().rfind("velquor-render: " + c.message, 0), 0u) << err_.str();
        EXPECT_EQ(out_.str(), "");
        EXPECT_EQ(ReadBytes(P("d.vqp")), document);
        EXPECT_EQ(ReadBytes(P("p.mcf")), palette);
        EXPECT_EQ(ReadBytes(P("mcf/two.mcf")), documentPalette);
    }
    EXPECT_FALSE(fs::exists(P("s.png")));
    EXPECT_FALSE(fs::exists(P("x.bmp")));
    EXPECT_FALSE(fs::exists(P("sub.bmp")));
    EXPECT_TRUE(fs::is_empty(dir_ / "sub"));

    // Saving the document back over the one read is an edit in place.
    ASSERT_EQ(Run({d, "--size", "5x3", "--save-document", d}), 0) << err_.str();
    EXPECT_NE(ReadBytes(d), document);
    EXPECT_NE(ReadBytes(d).find("<size x=\"5\" y=\"3\">"), std::string::npos);
}

// A device or a pipe is written as it is, without an extension: the
// picture can feed another program, and the result is reported on the
// message stream so it stays out of the picture's way.
TEST_F(RenderCommandTest, DevicesAndPipesAreWrittenAsTheyAre)
{
    ASSERT_EQ(Run({"--size", "3x2", "-o", "/dev/null"}), 0) << err_.str();
    EXPECT_EQ(err_.str(), "velquor-render: /dev/null を書き出しました。\n");
    EXPECT_EQ(out_.str(), "");
    EXPECT_FALSE(fs::exists("/dev/null.bmp"));

    ASSERT_EQ(mkfifo(P("pipe").c_str(), 0600), 0);
    std::string received;
    std::thread reader([&] { received = ReadBytes(P("pipe")); });
    const int status = Run({"--size", "3x2", "--format", "png", "-o", P("pipe")});
    if (status != 0) close(open(P("pipe").c_str(), O_WRONLY | O_NONBLOCK)); // lets the reader end
    reader.join();
    EXPECT_EQ(status, 0) << err_.str();
    EXPECT_EQ(received.substr(0, 4), "\x89PNG");
    EXPECT_FALSE(fs::exists(P("pipe.png")));

    EXPECT_EQ(Run({"--size", "3x2", "-o", "/dev/full"}), 1);
    EXPECT_EQ(err_.str(), "velquor-render: '/dev/full' に書き込めません。ディスクに空きがありません。\n");
    EXPECT_FALSE(fs::exists("/dev/full.bmp"));
}

// A document that is a device, a pipe or too large ends at once with the
// reader's message.
TEST_F(RenderCommandTest, DocumentsThatAreNoFilesEndAtOnce)
{
    ASSERT_EQ(mkfifo(P("fifo.vqp").c_str(), 0600), 0);
    const ErrorCase cases[] = {
        {{"/dev/zero"}, "'/dev/zero' はデバイスです。読み込めるのは通常のファイルだけです。"},
        {{P("fifo.vqp")}, "'" + P("fifo.vqp") + "' は名前付きパイプです。読み込めるのは通常のファイルだけです。"},
        {{"--palette", P("fifo.vqp")},
         "'" + P("fifo.vqp") + "' は名前付きパイプです。読み込めるのは通常のファイルだけです。"},
    };
    for (const auto& c : cases) {
        std::vector<std::string> args = c.args;
        args.push_back("-o");
        args.push_back(P("x.bmp"));
        EXPECT_EQ(Run(args), 1);
        EXPECT_EQ(err_.str(), "velquor-render: " + c.message + "\n");
        EXPECT_FALSE(fs::exists(P("x.bmp")));
    }
}

} // namespace

namespace {

// The export options: the pattern drawn at its own size, finer or smoother,
// with the window's checks and the progress on a terminal only.
TEST_F(RenderCommandTest, ExportAtScaleOneIsTheRenderedFileAndScaleAndAntialiasingGrowIt)
{
    ASSERT_EQ(Run({"--size", "120x90", "--shade-off", "-o", P("plain.bmp")}), 0) << err_.str();
    ASSERT_EQ(Run({"--size", "120x90", "--shade-off", "--scale", "1", "-o", P("export.bmp")}), 0) << err_.str();
    EXPECT_EQ(ReadBytes(P("export.bmp")), ReadBytes(P("plain.bmp")));
    EXPECT_EQ(out_.str(), "velquor-render: " + P("export.bmp") + " を書き出しました。\n");

    // Scale 2 on a pattern of 60 x 45 is the pattern drawn at 120 x 90 with
    // half the increments.
    ASSERT_EQ(Run({"--size", "120x90", "--increment", "0.5,0.5", "-o", P("fine.bmp")}), 0) << err_.str();
    ASSERT_EQ(Run({"--size", "60x45", "--scale", "2", "-o", P("scaled.bmp")}), 0) << err_.str();
    EXPECT_EQ(ReadBytes(P("scaled.bmp")), ReadBytes(P("fine.bmp")));

    ASSERT_EQ(Run({"--canvas", "10001x3", "--antialias", "2", "-o", P("wide.bmp")}), 0) << err_.str();
    const std::string wide = ReadBytes(P("wide.bmp"));
    EXPECT_EQ(wide.size(), 54u + 30004u * 3u);
    EXPECT_EQ(wide.substr(0, 2), "BM");
}

TEST_F(RenderCommandTest, ExportValuesAreCheckedWithTheirMessages)
{
    const ErrorCase cases[] = {
        {{"--canvas", "65536x10"}, "書き出す画像の幅の指定が不正です。[65536]"},
        {{"--canvas", "10x0"}, "書き出す画像の高さの指定が不正です。[0]"},
        {{"--scale", "65"}, "倍率の指定が不正です。[65]"},
        {{"--scale", "x"}, "'x' は整数ではありません"},
        {{"--antialias", "9"}, "アンチエイリアスの指定が不正です。[9]"},
        // 2000 x 64 passes 65535.
        {{"--size", "2000x10", "--scale", "64"}, "書き出す画像の幅の指定が不正です。[128000]"},
        {{"--canvas", "40000x40000"}, "Write Image (BMP): Image Too Large"},
        {{"--center", "1e4000,0", "--canvas", "20x20", "--antialias", "3"}, "浮動小数点数のオーバーフロー"},
    };
    for (const auto& c : cases) {
        std::vector<std::string> args = c.args;
        args.push_back("-o");
        args.push_back(P("x.bmp"));
        EXPECT_EQ(Run(args), 1) << c.message;
        EXPECT_EQ(err_.str(), std::string("velquor-render: ") + c.message + "\n");
        EXPECT_FALSE(fs::exists(P("x.bmp"))) << c.message;
    }
    EXPECT_EQ(Run({"--embed-document", "-o", P("x.bmp")}), 2);
    EXPECT_NE(err_.str().find("--embed-document は PNG ファイルにだけ使えます"), std::string::npos) << err_.str();
    EXPECT_EQ(Run({"--canvas", "12"}), 2);
    EXPECT_NE(err_.str().find("--canvas は 幅x高さ の形で指定してください"), std::string::npos) << err_.str();
}

TEST_F(RenderCommandTest, ExportProgressGoesOnlyToATerminal)
{
    ASSERT_EQ(RunRender({"--canvas", "300x200", "-o", P("a.png")}, dir_.Path(), out_, err_, true), 0) << err_.str();
    const std::string err = err_.str();
    for (const char* step :
         {"\rvelquor-render: 書き出し中 0%", "\rvelquor-render: 書き出し中 50%", "\rvelquor-render: 書き出し中 100%"})
        EXPECT_NE(err.find(step), std::string::npos) << step;
    EXPECT_EQ(err.substr(err.rfind('\r')), "\r\033[K");
}

} // namespace

namespace {

TEST_F(RenderCommandTest, APngWithItsPatternRendersAsTheDocumentWould)
{
    ASSERT_EQ(Run({"--formula", "3", "--size", "50x40", "--increment", "0.5,0.25", "--canvas", "100x80", "--antialias",
                   "2", "--embed-document", "-o", P("e.png")}),
              0)
        << err_.str();
    ASSERT_EQ(Run({"--formula", "3", "--size", "50x40", "--increment", "0.5,0.25", "-o", P("direct.bmp")}), 0);
    ASSERT_EQ(Run({P("e.png"), "-o", P("again.bmp")}), 0) << err_.str();
    EXPECT_EQ(ReadBytes(P("again.bmp")), ReadBytes(P("direct.bmp")));

    ASSERT_EQ(Run({"--size", "20x20", "-o", P("plain.png")}), 0);
    EXPECT_EQ(Run({P("plain.png"), "-o", P("x.bmp")}), 1);
    EXPECT_EQ(err_.str(), "velquor-render: '" + P("plain.png") + "' にはパターンが埋め込まれていません。\n");
    EXPECT_FALSE(fs::exists(P("x.bmp")));
}

} // namespace

namespace {

class PaletteRenderTest : public RenderCommandTest {
protected:
    // The picture of the palette file, as BMP bytes.
    std::string Picture(const std::string& palette, std::vector<std::string> more = {})
    {
        std::vector<std::string> args = {"--palette",      P(palette), "--size", "48x32",
                                         "--color-change", "7",        "-o",     P("out.bmp")};
        args.insert(args.end(), more.begin(), more.end());
        EXPECT_EQ(Run(args), 0) << palette << ": " << err_.str();
        return ReadBytes(P("out.bmp"));
    }
};

} // namespace

TEST_F(PaletteRenderTest, EveryFormatDrawsThePictureOfTheSameColoursInMcf)
{
    WriteBytes(P("c.mcf"), "000000\r\nFF0000\r\n00FF00\r\n0000FF\r\n804020\r\n");
    WriteBytes(P("c.map"), "0 0 0\n255 0 0\n0 255 0 green\n0 0 255\n128 64 32\n");
    WriteBytes(P("c.gpl"),
               "GIMP Palette\nName: c\nColumns: 5\n#\n0 0 0\tblack\n255 0 0 red\n0 255 0\n0 0 255\n128 64 32\n");
    const std::string mcf = Picture("c.mcf");
    EXPECT_EQ(Picture("c.map"), mcf);
    EXPECT_EQ(Picture("c.gpl"), mcf);

    // A gradient from black to white: 256 greys, written out as MCF lines.
    WriteBytes(P("g.ggr"), "GIMP Gradient\nName: grey\n1\n0 0.5 1 0 0 0 1 1 1 1 1 0 0\n");
    std::string greys;
    for (int i = 0; i < 256; ++i) {
        char line[16];
        std::snprintf(line, sizeof line, "%02X%02X%02X\n", i, i, i);
        greys += line;
    }
    WriteBytes(P("g.mcf"), greys);
    EXPECT_EQ(Picture("g.ggr"), Picture("g.mcf"));
}

TEST_F(PaletteRenderTest, TheOffsetDrawsThePictureOfTheRotatedPalette)
{
    WriteBytes(P("c.mcf"), "000000\nFF0000\n00FF00\n0000FF\n804020\n");
    WriteBytes(P("turned.mcf"), "000000\n0000FF\n804020\nFF0000\n00FF00\n");
    const std::string turned = Picture("turned.mcf");
    EXPECT_EQ(Picture("c.mcf", {"--palette-offset", "2"}), turned);
    EXPECT_EQ(Picture("c.mcf", {"--palette-offset", "-6"}), turned);
    EXPECT_NE(Picture("c.mcf"), turned);
    EXPECT_NE(Run({"--palette-offset", "two"}), 0);
    EXPECT_NE(err_.str().find("'two' は整数ではありません"), std::string::npos) << err_.str();
}

TEST_F(PaletteRenderTest, EveryShippedPaletteDraws)
{
    const fs::path folder = fs::path(DataDir(ProgramDir())) / "mcf";
    int palettes = 0;
    std::set<std::string> pictures;
    for (const auto& entry : fs::directory_iterator(folder)) {
        const std::u8string u8 = entry.path().u8string();
        const std::string path(u8.begin(), u8.end());
        SCOPED_TRACE(path);
        ++palettes;
        ASSERT_EQ(Run({"--palette", path, "--size", "48x32", "-o", P("out.bmp")}), 0) << err_.str();
        EXPECT_EQ(err_.str(), "");
        pictures.insert(ReadBytes(P("out.bmp")));
    }
    EXPECT_GE(palettes, 30);
    // Each draws a picture of its own.
    EXPECT_EQ(pictures.size(), static_cast<size_t>(palettes));
}
