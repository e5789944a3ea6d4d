// Reading pattern documents: the order of the checks and their messages, the
// value readers, the optional parts, and documents in other encodings.
#include "common/Exceptions.h"
#include "common/TextEncoding.h"
#include "document/UVqd.h"
#include "tests/support/Files.h"
#include "tests/support/TempDir.h"

#include <gtest/gtest.h>

#include <optional>

namespace {

const std::string kGood =
    "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
    "<saveData><applicationInfo name=\"velquor\" version=\"0.11.0\"/><dataInfo>\n"
    "<center x=\"0.5\" y=\"-1.25\"/><colorchange value=\"2.5\"/><incremental x=\"0.001\" y=\"1E-6\"/>"
    "<palette name=\"稲妻\"/><size x=\"640\" y=\"480\"/><formula type=\"1\" name=\"3\"/>"
    "<effect shadeoff=\"-1\"/><pointmove type=\"2\" a=\"1\" b=\"-2\" c=\"0.25\" d=\"4E3\"/>\n"
    "</dataInfo></saveData>";

std::string Replaced(std::string text, const std::string& from, const std::string& to)
{
    for (size_t at = text.find(from); at != std::string::npos; at = text.find(from, at + to.size()))
        text.replace(at, from.size(), to);
    return text;
}

class VqdRead : public ::testing::Test {
protected:
    TempDir dir;
    TVqd vqd;

    // The message of the error reading text raises, or "" when it loads.
    std::string Load(const std::string& bytes)
    {
        WriteBytes(dir / "doc.vqp", bytes);
        try {
            vqd.LoadFromFile(dir / "doc.vqp");
        } catch (const Exception& e) {
            return e.Message();
        }
        return "";
    }
};

TEST_F(VqdRead, ReadsEveryField)
{
    ASSERT_EQ(Load(kGood), "");
    EXPECT_EQ(vqd.AppName, "velquor");
    EXPECT_EQ(vqd.AppVersion, "0.11.0");
    EXPECT_EQ(vqd.Center, FloatPoint(0.5L, -1.25L));
    EXPECT_EQ(vqd.ColorChange, 2.5);
    EXPECT_EQ(vqd.Incremental, FloatPoint(0.001L, 1E-6L));
    EXPECT_EQ(vqd.PaletteName, "稲妻");
    EXPECT_EQ(vqd.Size, (TIntPoint{640, 480}));
    EXPECT_EQ(vqd.FormulaType, 1);
    EXPECT_EQ(vqd.FormulaName, "3");
    EXPECT_TRUE(vqd.ShadeOff);
    EXPECT_EQ(vqd.PointMoveType, 2);
    EXPECT_EQ(vqd.PointMoveParam, (TPointMoveParam{1, -2, 0.25L, 4000}));
}

struct BrokenCase {
    const char* from;
    const char* to;
    const char* message;
};

// In the order in which the reader looks for the parts.
const BrokenCase kBroken[] = {
    {"saveData", "savedata", "<saveData>が読み込めません。"},
    {"<applicationInfo name=\"velquor\" version=\"0.11.0\"/>", "", "<applicationInfo>が読み込めません。"},
    {" name=\"velquor\"", "", "<applicationInfo/@name>が読み込めません。"},
    {"name=\"velquor\"", "name=\"Velquor\"", "他アプリケーションのファイルです。"},
    {"name=\"velquor\" version=\"0.11.0\"", "name=\"velquor\" Version=\"0.11.0\"",
     "<applicationInfo/@version>が読み込めません。"},
    {"dataInfo", "DataInfo", "<dataInfo>が読み込めません。"},
    {"<center x=\"0.5\" y=\"-1.25\"/>", "<centre x=\"0.5\" y=\"-1.25\"/>", "<center>が読み込めません。"},
    {"<center x=\"0.5\" y=\"-1.25\"/>", "<center y=\"-1.25\"/>", "<center/@x>が読み込めません。"},
    {"<center x=\"0.5\" y=\"-1.25\"/>", "<center x=\"0.5\"/>", "<center/@y>が読み込めません。"},
    {"<incremental x=\"0.001\" y=\"1E-6\"/>", "", "<incremental>が読み込めません。"},
    {"<incremental x=\"0.001\" y=\"1E-6\"/>", "<incremental y=\"1E-6\"/>", "<incremental/@x>が読み込めません。"},
    {"<incremental x=\"0.001\" y=\"1E-6\"/>", "<incremental x=\"0.001\"/>", "<incremental/@y>が読み込めません。"},
    {"<palette name=\"稲妻\"/>", "", "<palette>が読み込めません。"},
    {"<palette name=\"稲妻\"/>", "<palette/>", "<palette/@name>が読み込めません。"},
    {"<size x=\"640\" y=\"480\"/>", "", "<size>が読み込めません。"},
    {"<size x=\"640\" y=\"480\"/>", "<size y=\"480\"/>", "<size/@x>が読み込めません。"},
    {"<size x=\"640\" y=\"480\"/>", "<size x=\"640\"/>", "<size/@y>が読み込めません。"},
    {"<formula type=\"1\" name=\"3\"/>", "", "<formula>が読み込めません。"},
    {"<formula type=\"1\" name=\"3\"/>", "<formula name=\"3\"/>", "<formula/@type>が読み込めません。"},
    {"<formula type=\"1\" name=\"3\"/>", "<formula type=\"1\"/>", "<formula/@name>が読み込めません。"},
    {"<effect shadeoff=\"-1\"/>", "<effect/>", "<effect/@shadeoff>が読み込めません。"},
    {"<colorchange value=\"2.5\"/>", "<colorchange/>", "<colorchange/@value>が読み込めません。"},
    {"<pointmove type=\"2\" a=\"1\" b=\"-2\" c=\"0.25\" d=\"4E3\"/>", "<pointmove/>",
     "<pointmove/@type>が読み込めません。"},
    {" a=\"1\"", "", "<pointmove/@a>が読み込めません。"},
    {" b=\"-2\"", "", "<pointmove/@b>が読み込めません。"},
    {" c=\"0.25\"", "", "<pointmove/@c>が読み込めません。"},
    {" d=\"4E3\"", "", "<pointmove/@d>が読み込めません。"},
    // Each value is converted when found, before the next part is looked up.
    {"<center x=\"0.5\" y=\"-1.25\"/>", "<center x=\"abc\" y=\"-1.25\"/>", "'abc' は浮動小数点数ではありません"},
    {"x=\"0.5\" y=\"-1.25\"/><colorchange value=\"2.5\"/><incremental x=\"0.001\" y=\"1E-6\"/>",
     "x=\"0.5\" y=\"1,5\"/><colorchange value=\"2.5\"/>", "'1,5' は浮動小数点数ではありません"},
    {"<size x=\"640\"", "<size x=\"1.5\"", "'1.5' は整数ではありません"},
    {"type=\"1\"", "type=\"one\"", "'one' は整数ではありません"},
    {"shadeoff=\"-1\"", "shadeoff=\"yes\"", "'yes' は正しい論理型ではありません"},
    {"value=\"2.5\"", "value=\" 2.5\"", "' 2.5' は浮動小数点数ではありません"},
    {"value=\"2.5\"", "value=\"1E400\"", "浮動小数点数のオーバーフロー"},
    {"pointmove type=\"2\"", "pointmove type=\"\"", "'' は整数ではありません"},
    {" d=\"4E3\"", " d=\"4E\"", "'4E' は浮動小数点数ではありません"},
};

TEST_F(VqdRead, FirstFaultDecidesTheMessage)
{
    for (const auto& c : kBroken) {
        const std::string text = Replaced(kGood, c.from, c.to);
        ASSERT_NE(text, kGood) << c.from;
        EXPECT_EQ(Load(text), c.message) << text;
    }
}

TEST_F(VqdRead, MissingOptionalPartsTakeTheirDefaults)
{
    vqd.ShadeOff = true;
    vqd.ColorChange = 7;
    vqd.PointMoveType = 3;
    vqd.PointMoveParam = {1, 2, 3, 4};
    std::string text = Replaced(kGood, "<colorchange value=\"2.5\"/>", "");
    text = Replaced(text, "<effect shadeoff=\"-1\"/>", "");
    text = Replaced(text, "<pointmove type=\"2\" a=\"1\" b=\"-2\" c=\"0.25\" d=\"4E3\"/>", "");
    ASSERT_EQ(Load(text), "");
    EXPECT_FALSE(vqd.ShadeOff);
    EXPECT_EQ(vqd.ColorChange, 1.0);
    EXPECT_EQ(vqd.PointMoveType, 0);
    EXPECT_EQ(vqd.PointMoveParam, TPointMoveParam{});
}

TEST_F(VqdRead, BooleansAreNumbersOrTrueAndFalse)
{
    const std::pair<const char*, bool> cases[] = {
        {"-1", true}, {"1", true},  {"2.5", true},  {"True", true},   {"TRUE", true},
        {"$1", true}, {"0", false}, {"0.0", false}, {"false", false}, {"FaLsE", false},
    };
    for (const auto& [text, value] : cases) {
        vqd.ShadeOff = !value;
        ASSERT_EQ(Load(Replaced(kGood, "shadeoff=\"-1\"", std::string("shadeoff=\"") + text + "\"")), "") << text;
        EXPECT_EQ(vqd.ShadeOff, value) << text;
    }
}

TEST_F(VqdRead, IgnoresOrderExtrasAndLaterDuplicates)
{
    std::string text =
        Replaced(kGood, "<dataInfo>", "<dataInfo><!-- note --><extra/>text<size x=\"0\" y=\"20000\" z=\"1\"/>");
    text = Replaced(text, "<center x=\"0.5\" y=\"-1.25\"/>",
                    "<center x=\"0.5\" y=\"-1.25\" w=\"9\"/><center x=\"9\" y=\"9\"/>");
    ASSERT_EQ(Load(text), "");
    EXPECT_EQ(vqd.Center, FloatPoint(0.5L, -1.25L));
    EXPECT_EQ(vqd.Size, (TIntPoint{0, 20000})) << "the size is checked by whoever applies it";
}

TEST_F(VqdRead, TakesTheEncodingFromTheDeclaration)
{
    const std::string text = Replaced(kGood, "稲妻", "稲妻ー");
    const std::pair<const char*, const char*> encodings[] = {
        {"UTF-8", "UTF-8"}, {"UTF-16", "UTF-16"}, {"UTF-16", "UTF-16BE"}, {"EUC-JP", "EUC-JP"}, {"Shift_JIS", "CP932"},
    };
    for (const auto& [declared, iconvName] : encodings) {
        vqd.PaletteName.clear();
        const std::optional<std::string> bytes =
            FromUtf8(iconvName, Replaced(text, "encoding=\"UTF-8\"", std::string("encoding=\"") + declared + "\""));
        ASSERT_TRUE(bytes.has_value()) << iconvName;
        ASSERT_EQ(Load(*bytes), "") << iconvName;
        EXPECT_EQ(vqd.PaletteName, "稲妻ー") << iconvName;
        EXPECT_EQ(vqd.Incremental.Y, 1E-6L) << iconvName;
    }
}

TEST_F(VqdRead, UnreadableAndMalformedFilesNameThemselves)
{
    const std::string missing = dir / "missing.vqp";
    try {
        vqd.LoadFromFile(missing);
        ADD_FAILURE();
    } catch (const Exception& e) {
        EXPECT_EQ(e.Message(), "ファイル '" + missing + "' を開けません。ファイルが見つかりません。");
    }
    const std::string message = Load(Replaced(kGood, "</dataInfo>", "</datainfo>"));
    EXPECT_EQ(message.rfind("XMLの解析に失敗しました: " + (dir / "doc.vqp") + "(4行目12列目): ", 0), 0u) << message;
}

} // namespace
