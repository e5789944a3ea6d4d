// Typed formulas in the window's operations and in documents: formula type 2
// carries the text, is checked before anything changes, and survives a save
// and reopen byte for byte.
#include "document/MainOperations.h"
#include "tests/support/Pictures.h"

#include "common/Exceptions.h"
#include "document/UVqd.h"
#include "engine/ExpressionFormula.h"
#include "expression/ExpressionError.h"
#include "tests/support/Files.h"
#include "tests/support/TempDir.h"
#include "tests/support/WaitingHost.h"

#include <gtest/gtest.h>

#include <typeinfo>

namespace {

class ExpressionDocumentTest : public ::testing::Test {
protected:
    ExpressionDocumentTest() : ops_(host_, dir_.Path()) { host_.ops = &ops_; }

    TempDir dir_;
    TWaitingHost host_;
    TMainOperations ops_;
};

TEST_F(ExpressionDocumentTest, TypeTwoSelectsTheTypedFormula)
{
    ops_.SetImageSize(40, 30);
    host_.StartDraw();
    const TBitmap24 builtin = ops_.ImageBitmap();

    ops_.SelectFormula(kExpressionFormulaType, "x*x + y*y");
    EXPECT_EQ(ops_.FormulaType(), 2);
    EXPECT_EQ(ops_.FormulaName(), "x*x + y*y");
    const auto* typed = dynamic_cast<const TFormula_Expression*>(&ops_.Pattern().Formula());
    ASSERT_NE(typed, nullptr);
    EXPECT_EQ(typed->Text(), "x*x + y*y");
    host_.StartDraw();
    EXPECT_TRUE(SamePixels(ops_.ImageBitmap(), builtin));

    // And back to a built-in.
    ops_.SelectFormula(kBuiltinFormulaType, "3");
    EXPECT_EQ(ops_.FormulaType(), 1);
    EXPECT_EQ(typeid(ops_.Pattern().Formula()), typeid(TFormula_X_plus_Y));
}

TEST_F(ExpressionDocumentTest, RefusedFormulasChangeNothing)
{
    ops_.SelectFormula(kExpressionFormulaType, "x - y");
    const TFormula* before = &ops_.Pattern().Formula();
    const struct {
        int32_t type;
        const char* name;
        const char* message;
    } cases[] = {
        {2, "x - ", "式の誤り(5文字目): 数値、名前、「(」または「-」が必要です"},
        {2, "", "式の誤り(1文字目): 式が空です"},
        {2, "x < y", "式の誤り(3文字目): 文字 '<' は使えません"},
        {1, "x - y", "'x - y' は整数ではありません"},
        {3, "x - y", "未サポートのFormulaTypeです。[3]"},
        {0, "0", "未サポートのFormulaTypeです。[0]"},
    };
    for (const auto& c : cases) {
        try {
            ops_.SelectFormula(c.type, c.name);
            ADD_FAILURE() << "accepted " << c.type << " " << c.name;
        } catch (const Exception& e) {
            EXPECT_EQ(e.Message(), c.message);
        }
        EXPECT_EQ(ops_.FormulaType(), 2);
        EXPECT_EQ(ops_.FormulaName(), "x - y");
        EXPECT_EQ(&ops_.Pattern().Formula(), before);
    }
}

TEST_F(ExpressionDocumentTest, MarkupCharactersSurviveADocumentByteForByte)
{
    // The document layer keeps any text; the operations would refuse this
    // one, so it goes through the record itself.
    const std::string text = "x < \"y\" & 'z' > &amp; \t\r\n  end";
    TVqd vqd;
    vqd.Center = {0, 0};
    vqd.ColorChange = 1;
    vqd.Incremental = {1, 1};
    vqd.PaletteName = "p";
    vqd.Size = {10, 10};
    vqd.FormulaType = 2;
    vqd.FormulaName = text;
    vqd.SaveToFile(dir_ / "a.vqp");
    TVqd back;
    back.LoadFromFile(dir_ / "a.vqp");
    EXPECT_EQ(back.FormulaType, 2);
    EXPECT_EQ(back.FormulaName, text);
    EXPECT_NE(ReadBytes(dir_ / "a.vqp").find("<formula type=\"2\" name=\"x &lt; &quot;y&quot; &amp; 'z' &gt; "),
              std::string::npos)
        << ReadBytes(dir_ / "a.vqp");
}

TEST_F(ExpressionDocumentTest, SavedExpressionReopensToTheSameTextAndPicture)
{
    // Blanks of every kind, which a document must not fold into spaces.
    const std::string text = "200*sin(x/10)\t+\r\n  hypot(x, y) ^ 1.5 / (1 + abs(y))";
    ops_.SelectFormula(kExpressionFormulaType, text);
    ops_.SetArea(0.5L, -1.25L, 0.25L, 0.25L);
    ops_.SetImageSize(40, 30);
    ops_.SetColorChange(0.5);
    host_.StartDraw();
    ASSERT_EQ(ops_.Pattern().ErrorMessage(), "");
    const TBitmap24 first = ops_.ImageBitmap();
    ops_.SaveDocument(dir_ / "s.vqp");

    TWaitingHost host2;
    TMainOperations ops2(host2, dir_.Path());
    host2.ops = &ops2;
    ops2.OpenDocument(dir_ / "s.vqp");
    EXPECT_EQ(ops2.FormulaType(), 2);
    EXPECT_EQ(ops2.FormulaName(), text);
    EXPECT_TRUE(SamePixels(ops2.ImageBitmap(), first));
    ops2.SaveDocument(dir_ / "t.vqp");
    EXPECT_EQ(ReadBytes(dir_ / "t.vqp"), ReadBytes(dir_ / "s.vqp"));
}

TEST_F(ExpressionDocumentTest, DocumentWithAFaultyExpressionIsRefusedBeforeAnythingChanges)
{
    WriteBytes(dir_ / "bad.vqp",
               "<?xml version=\"1.0\" encoding=\"UTF-8\"?><saveData>"
               "<applicationInfo name=\"velquor\" version=\"0.11.0\"/><dataInfo>"
               "<center x=\"3\" y=\"4\"/><incremental x=\"2\" y=\"2\"/><palette name=\"p\"/>"
               "<size x=\"20\" y=\"20\"/><formula type=\"2\" name=\"sin(x &amp; y)\"/>"
               "</dataInfo></saveData>");
    try {
        ops_.OpenDocument(dir_ / "bad.vqp");
        FAIL() << "faulty expression accepted";
    } catch (const EExpressionError& e) {
        EXPECT_EQ(e.Message(), "式の誤り(7文字目): 文字 '&' は使えません");
    }
    EXPECT_EQ(ops_.FormulaType(), 1);
    EXPECT_EQ(ops_.FormulaName(), "0");
    EXPECT_EQ(ops_.Pattern().Center, FloatPoint(0, 0));
    EXPECT_EQ(host_.starts, 0);
}

} // namespace
