// The formula settings dialog: OK's order of steps when one fails, the
// number formats after a successful OK, the keys, and where it and its
// messages open.
#include "tests/ui/WindowFixture.h"

#include "ui/UFormulaSelect.h"

#include <QAbstractItemView>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

using FormulaSelectTest = WindowFixture;

namespace {

TfrmFormulaSelect& OpenDialog(TfrmMain& window)
{
    window.actFunction->trigger();
    return window.FormulaDialog();
}

} // namespace

TEST_F(FormulaSelectTest, ListsAndBoxesFollowTheWindow)
{
    TfrmMain& window = CreateShown();
    TfrmFormulaSelect& dialog = OpenDialog(window);
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("数式設定"));
    EXPECT_EQ(dialog.cmbFormula->count(), 8);
    EXPECT_EQ(dialog.cmbFormula->itemText(7), QStringLiteral("式を入力"));
    EXPECT_FALSE(dialog.edtExpression->isEnabled());
    EXPECT_EQ(dialog.cmbPointMove->count(), 5);
    EXPECT_EQ(dialog.cmbFormula->currentIndex(), 0);
    EXPECT_EQ(dialog.edtX->text(), QStringLiteral("0"));
    EXPECT_EQ(dialog.edtDX->text(), QStringLiteral("1"));
    EXPECT_EQ(dialog.edtSizeX->text(), QStringLiteral("400"));
    EXPECT_EQ(dialog.edtSizeY->text(), QStringLiteral("400"));
    EXPECT_EQ(dialog.edtColorChange->text(), QStringLiteral("1"));
    EXPECT_EQ(dialog.edtParamA->text(), QStringLiteral("0"));

    // A stored point move outside the list leaves none selected, and OK refuses it.
    window.RunCommand([&] { window.SelectPointMove(7, {}); });
    window.StartDraw();
    EXPECT_EQ(dialog.cmbPointMove->currentIndex(), -1);
    WaitUntilIdle();
    dialogs_.exceptions.clear();
    dialog.bbnOK->click();
    ASSERT_EQ(dialogs_.exceptions.size(), 1);
    EXPECT_EQ(dialogs_.exceptions.front(), QStringLiteral("未サポートのPointMoveTypeです。."));
}

TEST_F(FormulaSelectTest, FailingOkKeepsEarlierStepsAndTheTypedTexts)
{
    struct Case {
        const char* sizeX;
        const char* sizeY;
        const char* y;
        QString message;
        bool areaApplied;
    };
    const Case cases[] = {
        {"400", "400", "abc", QStringLiteral("'abc' は浮動小数点数ではありません."), false},
        {"0", "x", "0", QStringLiteral("'x' は整数ではありません."), true},
        {"0", "5", "0", QStringLiteral("幅の指定が不正です。[0]."), true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.message.toStdString());
        TfrmMain& window = CreateShown();
        TfrmFormulaSelect& dialog = OpenDialog(window);
        dialog.cmbFormula->setCurrentIndex(3);
        dialog.edtX->setText(QStringLiteral("2"));
        dialog.edtY->setText(QString::fromLatin1(c.y));
        dialog.edtDX->setText(QStringLiteral("0.5"));
        dialog.edtSizeX->setText(QString::fromLatin1(c.sizeX));
        dialog.edtSizeY->setText(QString::fromLatin1(c.sizeY));
        dialog.edtColorChange->setText(QStringLiteral("3"));
        dialog.cmbPointMove->setCurrentIndex(2);
        dialogs_.exceptions.clear();

        dialog.bbnOK->click();

        ASSERT_EQ(dialogs_.exceptions.size(), 1);
        EXPECT_EQ(dialogs_.exceptions.front(), c.message);
        const TMainOperations& ops = window.Operations();
        EXPECT_EQ(ops.FormulaName(), "3");
        EXPECT_EQ(ops.Pattern().Center, (c.areaApplied ? TFloatPoint{2, 0} : TFloatPoint{0, 0}));
        EXPECT_EQ(ops.Pattern().Incremental, (c.areaApplied ? TFloatPoint{0.5L, 1} : TFloatPoint{1, 1}));
        EXPECT_EQ(ops.Pattern().Width(), 400);
        EXPECT_EQ(ops.ColorChange(), 1.0);
        EXPECT_EQ(ops.PointMoveType(), 0);
        EXPECT_FALSE(window.Drawing());
        EXPECT_TRUE(dialog.isVisible());
        EXPECT_EQ(dialog.edtY->text(), QString::fromLatin1(c.y));
        EXPECT_EQ(dialog.edtSizeY->text(), QString::fromLatin1(c.sizeY));
        EXPECT_EQ(dialog.edtColorChange->text(), QStringLiteral("3"));
        window_.reset();
    }
}

TEST_F(FormulaSelectTest, OkRewritesTheBoxesInTheirFormats)
{
    TfrmMain& window = CreateShown();
    TfrmFormulaSelect& dialog = OpenDialog(window);
    struct Case {
        QLineEdit* edit;
        const char* typed;
        const char* shown;
    };
    const Case cases[] = {
        {dialog.edtX, "0.50", "0.5"},           {dialog.edtY, "1e20", "1E020"},
        {dialog.edtDX, "0.00001", "1E-005"},    {dialog.edtDY, "123456789.123456789", "123456789.123457"},
        {dialog.edtColorChange, "2.50", "2.5"}, {dialog.edtParamA, "0.00001", "1E-5"},
        {dialog.edtParamB, "1e20", "1E20"},     {dialog.edtParamC, "-0", "0"},
    };
    for (const Case& c : cases) c.edit->setText(QString::fromLatin1(c.typed));
    dialog.edtSizeX->setText(QStringLiteral("40"));
    dialog.edtSizeY->setText(QStringLiteral("30"));

    dialog.bbnOK->click();

    EXPECT_TRUE(dialogs_.exceptions.isEmpty()) << dialogs_.exceptions.join('\n').toStdString();
    EXPECT_TRUE(window.Drawing());
    for (const Case& c : cases) EXPECT_EQ(c.edit->text(), QString::fromLatin1(c.shown)) << c.typed;
    EXPECT_EQ(window.Operations().Pattern().Width(), 40);
    EXPECT_EQ(window.Operations().ColorChange(), 2.5);
    EXPECT_TRUE(dialog.isVisible());
    WaitUntilIdle();
}

TEST_F(FormulaSelectTest, EnterRunsOkAndEscapeHides)
{
    TfrmMain& window = CreateShown();
    TfrmFormulaSelect& dialog = OpenDialog(window);
    dialog.edtSizeX->setText(QStringLiteral("50"));
    QTest::keyClick(dialog.edtSizeX, Qt::Key_Return);
    EXPECT_EQ(window.Operations().Pattern().Width(), 50);
    EXPECT_TRUE(dialog.isVisible());
    WaitUntilIdle();

    dialog.edtSizeX->setText(QStringLiteral("60"));
    QTest::keyClick(dialog.edtSizeX, Qt::Key_Escape);
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(window.Operations().Pattern().Width(), 50);

    // Shown again it is refreshed at the next drawing, not before.
    window.actFunction->trigger();
    EXPECT_TRUE(dialog.isVisible());
    window.StartDraw();
    EXPECT_EQ(dialog.edtSizeX->text(), QStringLiteral("50"));
    WaitUntilIdle();
}

TEST_F(FormulaSelectTest, AltOPressesOkFromAnyBoxAndTypesNothing)
{
    TfrmMain& window = CreateShown();
    TfrmFormulaSelect& dialog = OpenDialog(window);
    QApplication::setActiveWindow(&dialog);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog));
    dialog.edtSizeX->setText(QStringLiteral("70"));
    dialog.edtX->setFocus();

    // Through the shortcut map, as a real key press goes.
    QTest::keyClick(dialog.edtX, Qt::Key_O, Qt::AltModifier);

    EXPECT_EQ(window.Operations().Pattern().Width(), 70);
    EXPECT_EQ(dialog.edtX->text(), QStringLiteral("0"));
    EXPECT_TRUE(dialogs_.exceptions.isEmpty()) << dialogs_.exceptions.join('\n').toStdString();
    WaitUntilIdle();
}

TEST_F(FormulaSelectTest, MessagesOpenOverTheDialogWhileItIsShown)
{
    TfrmMain& window = CreateShown();
    TfrmFormulaSelect& dialog = OpenDialog(window);
    dialog.edtX->setText(QStringLiteral("abc"));
    dialog.bbnOK->click();
    ASSERT_EQ(dialogs_.exceptions.size(), 1);
    EXPECT_EQ(dialogs_.parents.back(), &dialog);

    // A palette chosen meanwhile opens its file dialog there too.
    window.actPalette->trigger();
    EXPECT_EQ(dialogs_.parents.back(), &dialog);

    dialog.hide();
    window.actPalette->trigger();
    EXPECT_EQ(dialogs_.parents.back(), &window);
}

TEST_F(FormulaSelectTest, CentredOverTheWindowEachTimeItIsShownAgain)
{
    TfrmMain& window = CreateShown();
    TfrmFormulaSelect& dialog = OpenDialog(window);
    const auto centredOffset = [&] { return dialog.frameGeometry().center() - window.frameGeometry().center(); };
    EXPECT_LE(centredOffset().manhattanLength(), 2);
    dialog.move(dialog.pos() + QPoint(150, 90));
    window.actFunction->trigger(); // still shown: stays where the user put it
    EXPECT_GT(centredOffset().manhattanLength(), 100);
    dialog.hide();
    window.actFunction->trigger();
    EXPECT_LE(centredOffset().manhattanLength(), 2);
}

TEST_F(FormulaSelectTest, PointMoveListShowsItsLongestNameInFull)
{
    TfrmMain& window = Create();
    QComboBox* list = window.FormulaDialog().cmbPointMove;
    int widest = 0;
    for (int i = 0; i < list->count(); ++i)
        widest = std::max(widest, list->view()->fontMetrics().horizontalAdvance(list->itemText(i)));
    EXPECT_GT(widest, list->width() - 20) << "the names no longer need a wider list";
    EXPECT_GE(list->view()->minimumWidth(), widest);
}

TEST_F(FormulaSelectTest, TheLastEntryAppliesTheTypedFormula)
{
    TfrmMain& window = CreateShown();
    TfrmFormulaSelect& dialog = OpenDialog(window);
    const TMainOperations& ops = window.Operations();
    dialog.cmbFormula->setCurrentIndex(7);
    EXPECT_TRUE(dialog.edtExpression->isEnabled());

    // A mistake stops OK at the formula: nothing after it is applied and the
    // boxes keep what was typed.
    dialog.edtExpression->setText(QStringLiteral("x*(y"));
    dialog.edtX->setText(QStringLiteral("5"));
    dialogs_.exceptions.clear();
    dialog.bbnOK->click();
    ASSERT_EQ(dialogs_.exceptions.size(), 1);
    EXPECT_EQ(dialogs_.exceptions.front(), QStringLiteral("式の誤り(5文字目): 「)」が足りません."));
    EXPECT_EQ(ops.FormulaType(), kBuiltinFormulaType);
    EXPECT_EQ(ops.Pattern().Center, (TFloatPoint{0, 0}));
    EXPECT_FALSE(window.Drawing());
    EXPECT_EQ(dialog.edtExpression->text(), QStringLiteral("x*(y"));
    EXPECT_EQ(dialog.cmbFormula->currentIndex(), 7);

    // A sound one is drawn, and the refreshed dialog shows it, also when it
    // reads as a built-in's number.
    for (const char* text : {"x*x + y*y", "3"}) {
        SCOPED_TRACE(text);
        dialog.cmbFormula->setCurrentIndex(7);
        dialog.edtExpression->setText(QString::fromLatin1(text));
        dialogs_.exceptions.clear();
        dialog.bbnOK->click();
        EXPECT_TRUE(dialogs_.exceptions.empty());
        EXPECT_EQ(ops.FormulaType(), kExpressionFormulaType);
        EXPECT_EQ(ops.FormulaName(), text);
        WaitUntilIdle();
        dialog.cmbFormula->setCurrentIndex(1);
        dialog.edtExpression->clear();
        window.StartDraw();
        EXPECT_EQ(dialog.cmbFormula->currentIndex(), 7);
        EXPECT_EQ(dialog.edtExpression->text(), QString::fromLatin1(text));
        EXPECT_TRUE(dialog.edtExpression->isEnabled());
        WaitUntilIdle();
        EXPECT_EQ(window.Operations().Pattern().ErrorMessage(), "");
    }

    // Back to a built-in: the box is set aside with its text kept.
    dialog.cmbFormula->setCurrentIndex(2);
    dialog.bbnOK->click();
    WaitUntilIdle();
    EXPECT_EQ(ops.FormulaType(), kBuiltinFormulaType);
    EXPECT_EQ(ops.FormulaName(), "2");
    EXPECT_EQ(dialog.cmbFormula->currentIndex(), 2);
    EXPECT_FALSE(dialog.edtExpression->isEnabled());
    EXPECT_EQ(dialog.edtExpression->text(), QStringLiteral("3"));
}
