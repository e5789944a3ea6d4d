// The palette browser in the window: shown from the View menu, listing the
// folders, applying a palette on a click and on each step of the keys, one
// undo step each, and keeping the recent list.
#include "tests/ui/UiFiles.h"
#include "tests/ui/WindowFixture.h"

#include "settings/UVelquorRegistry.h"
#include "ui/PaletteBrowser.h"

#include <QAction>
#include <QListWidget>
#include <QPushButton>
#include <QTest>

namespace {

QStringList Rows(const TPaletteBrowser& browser)
{
    QStringList rows;
    for (int i = 0; i < browser.lstPalettes->count(); ++i) rows << browser.lstPalettes->item(i)->text();
    return rows;
}

int RowNamed(const TPaletteBrowser& browser, const QString& name)
{
    const QList<QListWidgetItem*> found = browser.lstPalettes->findItems(name, Qt::MatchExactly);
    return found.isEmpty() ? -1 : browser.lstPalettes->row(found.last());
}

} // namespace

class PaletteBrowserTest : public WindowFixture {
protected:
    void SetUp() override
    {
        WindowFixture::SetUp();
        // Shipped palettes beside the program, and a palette folder of the user's.
        ASSERT_TRUE(WritePalette(TempPath(QStringLiteral("mcf/青.mcf")), 0x10));
        ASSERT_TRUE(WritePalette(TempPath(QStringLiteral("mcf/緑.mcf")), 0x30));
        ASSERT_TRUE(WritePalette(TempPath(QStringLiteral("mine/a.mcf")), 0x50));
        ASSERT_TRUE(WritePalette(TempPath(QStringLiteral("mine/b.mcf")), 0x70));
        ASSERT_TRUE(WriteFile(TempPath(QStringLiteral("mine/c.mcf")), "000000\nnot a colour\n"));
    }

    TfrmMain& ShownWithBrowser()
    {
        TfrmMain& window = CreateShown();
        window.Registry().PaletteDirectory = TempPath(QStringLiteral("mine")).toStdString();
        window.actPaletteBrowser->trigger();
        return window;
    }

    void Click(TfrmMain& window, const QString& name)
    {
        QListWidget* list = window.PaletteBrowser().lstPalettes;
        const int row = RowNamed(window.PaletteBrowser(), name);
        ASSERT_GE(row, 0) << name.toStdString();
        const QRect rect = list->visualItemRect(list->item(row));
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, rect.center());
    }
};

TEST_F(PaletteBrowserTest, ViewMenuShowsThePanelBesideThePictureAndTheSettingKeepsIt)
{
    TfrmMain& window = CreateShown();
    const int narrow = window.width();
    EXPECT_TRUE(window.PaletteBrowser().isHidden());
    EXPECT_EQ(window.actPaletteBrowser->property("menuItem").toString(), QStringLiteral("mnuViewPaletteBrowser"));

    window.actPaletteBrowser->trigger();
    EXPECT_TRUE(window.actPaletteBrowser->isChecked());
    EXPECT_FALSE(window.PaletteBrowser().isHidden());
    EXPECT_GT(window.width(), narrow + 100) << "the panel comes beside the picture, which keeps its size";
    EXPECT_TRUE(window.Registry().PaletteBrowser);

    window.actPaletteBrowser->trigger();
    EXPECT_TRUE(window.PaletteBrowser().isHidden());
    EXPECT_EQ(window.width(), narrow);
    EXPECT_FALSE(window.Registry().PaletteBrowser);

    // Shown at the next start when it was shown at the end of this one.
    window.actPaletteBrowser->trigger();
    window_.reset();
    TfrmMain& again = CreateShown();
    EXPECT_FALSE(again.PaletteBrowser().isHidden());
    EXPECT_TRUE(again.actPaletteBrowser->isChecked());
}

TEST_F(PaletteBrowserTest, ListsTheFolderThenTheShippedPalettesWithTheBuiltInOne)
{
    TfrmMain& window = ShownWithBrowser();
    EXPECT_EQ(Rows(window.PaletteBrowser()),
              (QStringList{"ﾊﾟﾚｯﾄﾌｫﾙﾀﾞ", "a", "b", "c", "付属のﾊﾟﾚｯﾄ", "標準", "緑", "青"}));
    // The built-in palette is in use and its row is the current one.
    EXPECT_EQ(window.PaletteBrowser().lstPalettes->currentRow(), RowNamed(window.PaletteBrowser(), "標準"));
    const TPaletteEntry& a = window.PaletteBrowser().Palettes()[0];
    EXPECT_EQ(a.strip.size(), 100u);
    EXPECT_EQ(a.strip[0], 0x505050);
    EXPECT_FALSE(window.PaletteBrowser().Palettes()[2].error.empty());
}

TEST_F(PaletteBrowserTest, AClickAppliesThePaletteAsOneStepAndUndoBringsTheOldOneBack)
{
    TfrmMain& window = ShownWithBrowser();
    const Bytes before = ToRgb(window.Operations().ImageBitmap());
    Click(window, "緑");
    EXPECT_EQ(window.Operations().Pattern().GetPaletteName(), "緑");
    EXPECT_TRUE(window.Drawing());
    WaitUntilIdle();
    EXPECT_NE(ToRgb(window.Operations().ImageBitmap()), before);
    EXPECT_EQ(window.Operations().History().UndoCount(), 1u);
    EXPECT_TRUE(dialogs_.exceptions.isEmpty()) << dialogs_.exceptions.join('\n').toStdString();

    window.actUndo->trigger();
    WaitUntilIdle();
    EXPECT_EQ(window.Operations().Pattern().GetPaletteName(), "標準");
    EXPECT_EQ(ToRgb(window.Operations().ImageBitmap()), before);
    EXPECT_EQ(window.PaletteBrowser().lstPalettes->currentRow(), RowNamed(window.PaletteBrowser(), "標準"));
}

TEST_F(PaletteBrowserTest, TheKeysStepThroughTheListAndThePictureFollowsEachStep)
{
    TfrmMain& window = ShownWithBrowser();
    Click(window, "a");
    WaitUntilIdle();
    QListWidget* list = window.PaletteBrowser().lstPalettes;
    // A burst of steps: each stops the drawing before it, none waits in a queue.
    QTest::keyClick(list, Qt::Key_Down);
    EXPECT_EQ(window.Operations().Pattern().GetPaletteName(), "b");
    EXPECT_TRUE(window.Drawing());
    QTest::keyClick(list, Qt::Key_Down); // c cannot be read: its message, the palette stays
    ASSERT_EQ(dialogs_.exceptions.size(), 1);
    EXPECT_TRUE(dialogs_.exceptions[0].startsWith(QStringLiteral("2行目の形式が不正です。"))) << dialogs_.exceptions[0].toStdString();
    EXPECT_EQ(window.Operations().Pattern().GetPaletteName(), "b");
    QTest::keyClick(list, Qt::Key_Down); // over the heading to the built-in palette
    EXPECT_EQ(window.Operations().Pattern().GetPaletteName(), "標準");
    QTest::keyClick(list, Qt::Key_Down);
    EXPECT_EQ(window.Operations().Pattern().GetPaletteName(), "緑");
    QTest::keyClick(list, Qt::Key_Up);
    EXPECT_EQ(window.Operations().Pattern().GetPaletteName(), "標準");
    WaitUntilIdle();
    // a, b, 標準, 緑, 標準: five steps, the failed one none.
    EXPECT_EQ(window.Operations().History().UndoCount(), 5u);
    // What the browser applies is no recent palette: the list stays as it was.
    EXPECT_TRUE(window.Registry().RecentPalettes.empty());
    EXPECT_EQ(Rows(window.PaletteBrowser()).first(), QStringLiteral("ﾊﾟﾚｯﾄﾌｫﾙﾀﾞ"));
}

TEST_F(PaletteBrowserTest, APaletteLoadedByTheCommandBecomesARecentOneAtTheTop)
{
    TfrmMain& window = ShownWithBrowser();
    const QString elsewhere = TempPath(QStringLiteral("elsewhere/炎.mcf"));
    ASSERT_TRUE(WritePalette(elsewhere, 0x90));
    dialogs_.openAnswers.push_back(elsewhere);
    window.actPalette->trigger();
    WaitUntilIdle();
    EXPECT_EQ(window.Registry().RecentPalettes, std::vector<std::string>{elsewhere.toStdString()});
    const QStringList rows = Rows(window.PaletteBrowser());
    ASSERT_GE(rows.size(), 3);
    EXPECT_EQ(rows.mid(0, 3), (QStringList{"最近使ったﾊﾟﾚｯﾄ", "炎", "ﾊﾟﾚｯﾄﾌｫﾙﾀﾞ"}));
    EXPECT_EQ(window.PaletteBrowser().lstPalettes->currentRow(), 1);

    // Gone from the disk: left out of the list when it is read again.
    ASSERT_TRUE(QFile::remove(elsewhere));
    window.PaletteBrowser().bbnRefresh->click();
    EXPECT_EQ(Rows(window.PaletteBrowser()).first(), QStringLiteral("ﾊﾟﾚｯﾄﾌｫﾙﾀﾞ"));
}
