// The XML layer: lookups, the exact written bytes, CP932 round trips, and the
// refusal of documents that would reach outside their own text.
#include "xml/XmlDom.h"
#include "xml/XmlError.h"
#include "xml/XmlParser.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>

namespace {

using ::testing::HasSubstr;

class XmlLayer : public ::testing::Test {
protected:
    TXmlDomImplementation dom;
    TXmlParser parser{dom};

    // Parses and returns the message of the EXmlError it must raise; nothing
    // may reach stderr on the way.
    std::string ErrorOf(const std::string& bytes, const std::string& name = "doc.xml")
    {
        ::testing::internal::CaptureStderr();
        std::string message = "(no error)";
        try {
            parser.ParseBytes(bytes, name);
        } catch (const EXmlError& e) {
            message = e.Message();
        }
        EXPECT_EQ(::testing::internal::GetCapturedStderr(), "");
        return message;
    }
};

TEST_F(XmlLayer, FindsFirstDirectChildAndAttributesByExactName)
{
    auto& doc = parser.ParseText(
        "<?xml version=\"1.0\"?><root><a n=\"1\"><b/></a><A n=\"x\"/><a n=\"2\" m=\"&lt;&amp;&#x263A;\"/></root>",
        "mem");
    ASSERT_EQ(dom.DocumentCount(), 1u);
    EXPECT_FALSE(doc.FindChild("Root"));
    auto root = doc.FindChild("root");
    ASSERT_TRUE(root);
    auto a = root->FindChild("a");
    ASSERT_TRUE(a);
    EXPECT_EQ(a->FindAttribute("n"), "1");
    EXPECT_FALSE(a->FindAttribute("N"));
    EXPECT_FALSE(root->FindChild("b")) << "only direct children count";
    EXPECT_EQ(root->FindChild("A")->FindAttribute("n"), "x");
    EXPECT_EQ(root->FindChild("a")->Name(), "a");

    a->SetAttribute("n", "changed");
    a->SetAttribute("added", "new");
    EXPECT_EQ(a->FindAttribute("n"), "changed");
    EXPECT_EQ(a->FindAttribute("added"), "new");
}

TEST_F(XmlLayer, WritesDeclarationCommentAndEndTagsWithCrLfInCp932)
{
    auto& doc = parser.ParseText(
        "<?xml version=\"1.0\" encoding=\"Shift_JIS\"?>\r\n<!-- 保存 -->\r\n<r>\r\n\t<e a=\"1\" b=\"2\" />\r\n</r>",
        "mem");
    doc.FindChild("r")->FindChild("e")->SetAttribute("a", "稲妻");
    const std::string expected =
        "<?xml version=\"1.0\" encoding=\"Shift_JIS\"?>\r\n<!-- \x95\xdb\x91\xb6 -->\r\n"
        "<r>\r\n\t<e a=\"\x88\xee\x8d\xc8\" b=\"2\"></e>\r\n</r>\r\n";
    EXPECT_EQ(doc.SaveToShiftJis(), expected);
}

TEST_F(XmlLayer, AttributeTextSurvivesWriteAndRead)
{
    const std::string values[] = {
        "稲妻", "～ wave", "a&b<c>d\"e'f", "tab\there", "line\nfeed\r\nend", "😀 emoji", "Ω̈", "한국어", "  spaced  ", "",
    };
    for (const auto& value : values) {
        dom.Clear();
        auto& doc = parser.ParseText("<r><e v=\"\"/></r>", "mem");
        doc.FindChild("r")->FindChild("e")->SetAttribute("v", value);
        const std::string bytes = doc.SaveToShiftJis();
        auto& back = parser.ParseBytes(bytes, "written");
        EXPECT_EQ(back.FindChild("r")->FindChild("e")->FindAttribute("v"), value) << bytes;
    }
}

TEST_F(XmlLayer, WritesCharactersOutsideCp932AsReferences)
{
    auto& doc = parser.ParseText("<r/>", "mem");
    doc.FindChild("r")->SetAttribute("v", "A😀한");
    EXPECT_THAT(doc.SaveToShiftJis(), HasSubstr("v=\"A&#128512;&#54620;\""));
}

// A reference in a name is not a character of it, so a name Shift_JIS
// cannot hold would give a file no reader accepts: it is refused.
TEST_F(XmlLayer, RefusesNamesShiftJisCannotHold)
{
    const char* const documents[] = {
        "<r><한 v=\"1\"/></r>",       "<r 한=\"1\"/>", "<r><e a=\"1\" x😀=\"2\"/></r>", "<r xmlns:한=\"urn:x\"/>",
        "<한:r xmlns:한=\"urn:x\"/>",
    };
    for (const char* text : documents) {
        SCOPED_TRACE(text);
        dom.Clear();
        auto& doc = parser.ParseText(text, "mem");
        try {
            doc.SaveToShiftJis();
            ADD_FAILURE() << "written";
        } catch (const EXmlError& e) {
            EXPECT_THAT(e.Message(), HasSubstr("XMLの書き出しに失敗しました: 名前 '"));
            EXPECT_THAT(e.Message(), HasSubstr("' はShift_JISで書けません"));
        }
    }
    // Names Shift_JIS holds are written as they are.
    dom.Clear();
    EXPECT_THAT(parser.ParseText("<保存 値=\"1\"/>", "mem").SaveToShiftJis(),
                HasSubstr("<\x95\xdb\x91\xb6 \x92\x6c=\"1\"></\x95\xdb\x91\xb6>"));
}

TEST_F(XmlLayer, RefusesTextXmlCannotHold)
{
    auto& doc = parser.ParseText("<r/>", "mem");
    auto r = doc.FindChild("r");
    for (const std::string& bad : {std::string("a\x01z"), std::string("\xff\xfe"), std::string("\xed\xa0\x80")})
        EXPECT_THROW(r->SetAttribute("v", bad), EXmlError);
    EXPECT_FALSE(r->FindAttribute("v"));
}

TEST_F(XmlLayer, ReadsShiftJisAsCp932)
{
    // 0x81 0x60 is U+FF5E in CP932 but U+301C in JIS's Shift_JIS.
    for (const char* name : {"Shift_JIS", "sjis", "CP932", "windows-31j", "SHIFT_JIS"}) {
        dom.Clear();
        const std::string bytes =
            std::string("<?xml version=\"1.0\" encoding=\"") + name + "\"?><r v=\"\x81\x60\x88\xee\"/>";
        auto& doc = parser.ParseBytes(bytes, "sjis.xml");
        EXPECT_EQ(doc.FindChild("r")->FindAttribute("v"), "～稲") << name;
    }
}

TEST_F(XmlLayer, ReportsWhatAndWhere)
{
    EXPECT_EQ(ErrorOf("<?xml version=\"1.0\"?>\n<r>\n<e>\n</r>", "bad.xml"),
              "XMLの解析に失敗しました: bad.xml(4行目5列目): 開始タグ <e>(3行目)と終了タグ </r> が対応していません");
    EXPECT_THAT(ErrorOf("<?xml version=\"1.0\" encoding=\"Shift_JIS\"?>\n<r v=\"\x81\x20\"/>", "sj.xml"),
                HasSubstr("sj.xml(2行目7列目)"));
    EXPECT_THAT(ErrorOf(""), HasSubstr("doc.xml"));
    EXPECT_THAT(ErrorOf("<r>&undefined;</r>"), HasSubstr("(1行目15列目): 宣言されていない実体を参照しています"));
    EXPECT_THAT(ErrorOf("<?xml version=\"1.0\" encoding=\"no-such-code\"?><r/>"), HasSubstr("doc.xml"));
}

TEST_F(XmlLayer, RefusesEntitiesAndExternalReferences)
{
    const std::string bomb =
        "<?xml version=\"1.0\"?>\n<!DOCTYPE r [\n<!ENTITY a \"aaaaaaaaaa\">\n"
        "<!ENTITY b \"&a;&a;&a;&a;&a;&a;&a;&a;&a;&a;\">\n<!ENTITY c \"&b;&b;&b;&b;&b;&b;&b;&b;&b;&b;\">\n]>\n"
        "<r v=\"&c;&c;&c;\">&c;</r>";
    EXPECT_EQ(ErrorOf(bomb, "bomb.xml"),
              "XMLの解析に失敗しました: bomb.xml(3行目24列目): 実体を宣言した文書は読み込めません");

    const std::string secret = (std::filesystem::temp_directory_path() / "vq_xml_secret.txt").string();
    std::ofstream(secret) << "secret";
    const std::string external =
        "<?xml version=\"1.0\"?>\n<!DOCTYPE r [<!ENTITY s SYSTEM \"file://" + secret + "\">]>\n<r>&s;</r>";
    EXPECT_THAT(ErrorOf(external), HasSubstr("実体を宣言した文書は読み込めません"));
    const std::string dtd = "<?xml version=\"1.0\"?>\n<!DOCTYPE r SYSTEM \"file://" + secret + "\">\n<r/>";
    EXPECT_THAT(ErrorOf(dtd), HasSubstr("外部のDTDを参照する文書は読み込めません"));
    const std::string parameter = "<!DOCTYPE r [<!ENTITY % p SYSTEM \"file://" + secret + "\"> %p;]><r/>";
    EXPECT_THAT(ErrorOf(parameter), HasSubstr("実体を宣言した文書は読み込めません"));
    std::remove(secret.c_str());
    EXPECT_EQ(dom.DocumentCount(), 0u) << "a refused document is not kept";

    // A plain DOCTYPE names nothing outside and is harmless.
    EXPECT_NO_THROW(parser.ParseBytes("<!DOCTYPE r><r/>", "doctype.xml"));
}

TEST_F(XmlLayer, FileThatCannotBeReadNamesThePath)
{
    const std::string missing = (std::filesystem::temp_directory_path() / "vq_no_such_file.xml").string();
    const std::string folder = std::filesystem::temp_directory_path().string();
    const std::pair<std::string, std::string> cases[] = {
        {missing, "ファイル '" + missing + "' を開けません。ファイルが見つかりません。"},
        {folder, "'" + folder + "' はフォルダーです。読み込めるのは通常のファイルだけです。"},
    };
    for (const auto& [path, message] : cases) {
        try {
            parser.ParseFile(path);
            ADD_FAILURE() << path;
        } catch (const EXmlError& e) {
            EXPECT_EQ(e.Message(), message);
        }
    }
}

TEST_F(XmlLayer, ImplementationHoldsDocumentsUntilCleared)
{
    parser.ParseText("<a/>", "1");
    parser.ParseText("<b/>", "2");
    ASSERT_EQ(dom.DocumentCount(), 2u);
    EXPECT_TRUE(dom.Document(1).FindChild("b"));
    dom.Clear();
    EXPECT_EQ(dom.DocumentCount(), 0u);
    EXPECT_THROW(dom.Document(0), ERangeError);
}

} // namespace
