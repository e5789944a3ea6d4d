// What the readers below the documents say about a faulty input: the XML
// parser, the typed formula and the palette loader. Japanese unless English
// is chosen, each message one sentence with its values in place.
#include "common/Exceptions.h"
#include "common/Texts.h"
#include "expression/ExpressionParser.h"
#include "palette/UMcf.h"
#include "xml/XmlDom.h"
#include "xml/XmlParser.h"

#include <gtest/gtest.h>

#include <functional>

namespace {

// The message of what fail throws, or a note that it threw nothing.
std::string MessageOfFailure(const std::function<void()>& fail)
{
    try {
        fail();
    } catch (const Exception& e) {
        return e.Message();
    }
    return "(accepted)";
}

void ParseXml(const std::string& text)
{
    TXmlDomImplementation dom;
    TXmlParser(dom).ParseBytes(text, "doc.xml");
}

void LoadPalette(const std::string& text)
{
    TMcf mcf;
    mcf.LoadFromText(text, "x.mcf");
}

class ReaderMessagesLanguage : public ::testing::Test {
protected:
    void TearDown() override { SetTextLanguage(TTextLanguage::Japanese); }
};

TEST_F(ReaderMessagesLanguage, JapaneseByDefaultEnglishWhenChosen)
{
    struct Case {
        const char* name;
        std::function<void()> fail;
        const char* japanese;
        const char* english;
    };
    const Case cases[] = {
        {"mismatched tags", [] { ParseXml("<r>\n<a></b></r>"); },
         "XMLの解析に失敗しました: doc.xml(2行目8列目): 開始タグ <a>(2行目)と終了タグ </b> が対応していません",
         "Failed to parse XML: doc.xml (line 2, column 8): The start tag <a> (line 2) does not match the end tag </b>"},
        {"an entity declared", [] { ParseXml("<!DOCTYPE r [<!ENTITY e \"x\">]><r/>"); },
         "XMLの解析に失敗しました: doc.xml(1行目28列目): 実体を宣言した文書は読み込めません",
         "Failed to parse XML: doc.xml (line 1, column 28): Documents that declare entities cannot be read"},
        {"a formula's call short of a bracket", [] { CompileExpression("sin(x"); },
         "式の誤り(6文字目): 「)」が足りません", "Error in the expression (character 6): \")\" is missing"},
        {"a formula's call with too many arguments", [] { CompileExpression("y + max(1, 2, 3)"); },
         "式の誤り(5文字目): 関数 'max' の引数は2個です(指定は3個)",
         "Error in the expression (character 5): The function 'max' takes 2 arguments (3 given)"},
        {"a palette beyond the colour limit", [] { LoadPalette("000000\n#LINE 0,1,0,1,0,1,16777216\n"); },
         "2行目で色の数が上限の 16777216 色を超えます。",
         "On line 2: There are more colours than the limit of 16777216."},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        SetTextLanguage(TTextLanguage::Japanese);
        EXPECT_EQ(MessageOfFailure(c.fail), c.japanese);
        SetTextLanguage(TTextLanguage::English);
        EXPECT_EQ(MessageOfFailure(c.fail), c.english);
    }
}

} // namespace
