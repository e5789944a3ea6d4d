// The main window: fresh start, bars and their settings, the checked
// operations' refusals through the default error display, and the save
// commands around a drawing.
#include "tests/support/WaitingHost.h"
#include "tests/ui/UiFiles.h"
#include "tests/ui/WindowFixture.h"

#include "settings/UVelquorRegistry.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>

#include <cstring>
#include <new>

namespace {

QString PanelText(TfrmMain& window, const char* name)
{
    return window.findChild<QLabel*>(QString::fromLatin1(name))->text();
}

} // namespace

using MainWindowTest = WindowFixture;

TEST_F(MainWindowTest, FreshStartDrawsTheDefaultsAt400By400)
{
    TfrmMain& window = CreateShown();
    auto* graph = window.findChild<QWidget*>(QStringLiteral("ptbGraph"));
    EXPECT_EQ(graph->size(), QSize(400, 400));
    EXPECT_EQ(window.ClientSize(), QSize(400, 400 + ToolBarHeight() + StatusBarHeight()));
    EXPECT_GT(ToolBarHeight(), 0);
    EXPECT_GT(StatusBarHeight(), 0);
    EXPECT_EQ(PanelText(window, "stbPanel0"), QStringLiteral("標準"));
    EXPECT_TRUE(window.mnuViewToolbar->isChecked());
    EXPECT_TRUE(window.mnuViewStatusbar->isChecked());
    EXPECT_FALSE(window.actShadeOff->isChecked());
    EXPECT_TRUE(window.actSave->isEnabled());
    EXPECT_TRUE(dialogs_.exceptions.isEmpty()) << dialogs_.exceptions.join('\n').toStdString();
    EXPECT_TRUE(dialogs_.errors.isEmpty());

    TWaitingHost host;
    TMainOperations reference(host, tmp_.path().toStdString());
    host.ops = &reference;
    reference.SetImageSize(400, 400);
    host.StartDraw();
    ASSERT_TRUE(SamePixels(window.Operations().ImageBitmap(), reference.ImageBitmap()));

    // What the paint box shows is that bitmap, unscaled at (0, 0).
    const TBitmap24& bitmap = reference.ImageBitmap();
    const QImage expected = QImage(bitmap.Bits(), bitmap.Width(), bitmap.Height(),
                                   static_cast<qsizetype>(bitmap.Stride()), QImage::Format_BGR888)
                                .convertToFormat(QImage::Format_RGB32);
    EXPECT_EQ(graph->grab().toImage().convertToFormat(QImage::Format_RGB32), expected);
}

TEST_F(MainWindowTest, BarTogglesResizeAndPersist)
{
    struct Case {
        const char* item;
        bool toolBar;
        bool statusBar;
    };
    for (const Case c : {Case{"mnuViewToolbar", false, true}, Case{"mnuViewStatusbar", true, false}}) {
        SCOPED_TRACE(c.item);
        QFile::remove(QString::fromStdString(SettingsFile()));
        TfrmMain& window = CreateShown();
        const int toolBar = ToolBarHeight();
        const int statusBar = StatusBarHeight();
        auto* item = window.findChild<QAction*>(QString::fromLatin1(c.item));
        item->trigger();
        EXPECT_FALSE(item->isChecked());
        const int expectedBars = (c.toolBar ? toolBar : 0) + (c.statusBar ? statusBar : 0);
        EXPECT_EQ(window.ClientSize(), QSize(400, 400 + expectedBars));
        EXPECT_EQ(window.findChild<QWidget*>(QStringLiteral("ptbGraph"))->size(), QSize(400, 400));
        window_.reset();

        TVelquorRegistry stored;
        stored.SetStorageFile(SettingsFile());
        stored.Load();
        EXPECT_EQ(stored.ToolBar, c.toolBar);
        EXPECT_EQ(stored.StatusBar, c.statusBar);

        // The next start comes up with the bar hidden and the item unchecked.
        TfrmMain& again = CreateShown();
        EXPECT_FALSE(again.findChild<QAction*>(QString::fromLatin1(c.item))->isChecked());
        EXPECT_EQ(again.ClientSize(), QSize(400, 400 + expectedBars));
        again.findChild<QAction*>(QString::fromLatin1(c.item))->trigger();
        EXPECT_EQ(again.ClientSize(), QSize(400, 400 + toolBar + statusBar));
        window_.reset();
    }
}

TEST_F(MainWindowTest, ImageSizeIsCheckedWidthFirst)
{
    struct Case {
        int width;
        int height;
        QString message; // empty: accepted
    };
    const Case cases[] = {
        {9999, 1, QString()},
        {10000, 1, QStringLiteral("幅の指定が不正です。[10000].")},
        {0, 0, QStringLiteral("幅の指定が不正です。[0].")},
        {1, -5, QStringLiteral("高さの指定が不正です。[-5].")},
    };
    TfrmMain& window = CreateShown();
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.width << " x " << c.height);
        window.SetImageSize(300, 200);
        const QSize client = window.ClientSize();
        dialogs_.exceptions.clear();
        window.RunCommand([&] { window.SetImageSize(c.width, c.height); });
        const TVelquor& pattern = window.Operations().Pattern();
        if (c.message.isEmpty()) {
            EXPECT_TRUE(dialogs_.exceptions.isEmpty());
            EXPECT_EQ(pattern.Width(), c.width);
            EXPECT_EQ(window.Operations().ImageBitmap().Width(), c.width);
            EXPECT_EQ(window.findChild<QWidget*>(QStringLiteral("ptbGraph"))->size(), QSize(c.width, c.height));
            continue;
        }
        ASSERT_EQ(dialogs_.exceptions.size(), 1);
        EXPECT_EQ(dialogs_.exceptions.front(), c.message);
        EXPECT_EQ(window.ClientSize(), client);
        EXPECT_EQ(pattern.Width(), 300);
        EXPECT_EQ(pattern.Height(), 200);
        EXPECT_EQ(window.Operations().ImageBitmap().Width(), 300);
        EXPECT_EQ(window.Operations().ImageBitmap().Height(), 200);
    }
}

TEST_F(MainWindowTest, FormulaRefusalsKeepTheFormula)
{
    struct Case {
        int type;
        const char* name;
        QString message;
    };
    const Case cases[] = {
        {1, "6", QString()},
        {0, "0", QStringLiteral("未サポートのFormulaTypeです。[0].")},
        {1, "7", QStringLiteral("未サポートのFormulaNameです。.")},
        {1, "-1", QStringLiteral("未サポートのFormulaNameです。.")},
        {1, "x", QStringLiteral("'x' は整数ではありません.")},
    };
    TfrmMain& window = CreateShown();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        window.SelectFormula(1, "2");
        dialogs_.exceptions.clear();
        window.RunCommand([&] { window.SelectFormula(c.type, c.name); });
        if (c.message.isEmpty()) {
            EXPECT_TRUE(dialogs_.exceptions.isEmpty());
            EXPECT_EQ(window.Operations().FormulaName(), c.name);
            continue;
        }
        ASSERT_EQ(dialogs_.exceptions.size(), 1);
        EXPECT_EQ(dialogs_.exceptions.front(), c.message);
        EXPECT_EQ(window.Operations().FormulaName(), "2");
    }
}

// Lack of memory in a command is told in the program's words, not the
// library's; the window goes on.
TEST_F(MainWindowTest, OutOfMemoryInACommandShowsTheProgramsMessage)
{
    TfrmMain& window = CreateShown();
    dialogs_.exceptions.clear();
    window.RunCommand([] { throw std::bad_alloc(); });
    ASSERT_EQ(dialogs_.exceptions.size(), 1);
    EXPECT_EQ(dialogs_.exceptions.front(), QStringLiteral("メモリが不足しています。."));
    window.RunCommand([&] { window.SetImageSize(20, 10); });
    EXPECT_EQ(dialogs_.exceptions.size(), 1);
    EXPECT_EQ(window.Operations().Pattern().Width(), 20);
}

TEST_F(MainWindowTest, PointMoveRefusals)
{
    TfrmMain& window = CreateShown();
    TMainOperations& ops = window.Operations();
    TPointMoveParam param;
    param.a = 1.5L;
    param.d = -2;

    window.RunCommand([&] { window.SelectPointMove(-1, param); });
    ASSERT_EQ(dialogs_.exceptions.size(), 1);
    EXPECT_EQ(dialogs_.exceptions.takeFirst(), QStringLiteral("未サポートのPointMoveTypeです。."));
    EXPECT_EQ(ops.PointMoveType(), 0);
    EXPECT_EQ(ops.PointMoveParam(), TPointMoveParam{});

    window.RunCommand([&] { window.SelectPointMove(4, param); });
    EXPECT_TRUE(dialogs_.exceptions.isEmpty());
    EXPECT_EQ(ops.PointMoveType(), 4);
    const TPointMove* accepted = &ops.Pattern().PointMove();
    EXPECT_EQ(accepted->Param, param);

    // A number past the catalogue is stored before the catalogue refuses it;
    // the renderer keeps the point move it had.
    param.b = 7;
    window.RunCommand([&] { window.SelectPointMove(7, param); });
    ASSERT_EQ(dialogs_.exceptions.size(), 1);
    EXPECT_EQ(dialogs_.exceptions.front(), QStringLiteral("No Exist PointMove: PointMove[7]."));
    EXPECT_EQ(ops.PointMoveType(), 7);
    EXPECT_EQ(ops.PointMoveParam(), param);
    EXPECT_EQ(&ops.Pattern().PointMove(), accepted);
    EXPECT_EQ(ops.Pattern().PointMove().Param.b, 0);
}

TEST_F(MainWindowTest, SaveCommandsAreOffWhileDrawingAlsoWhenItFails)
{
    TfrmMain& window = CreateShown();
    ASSERT_TRUE(window.actSave->isEnabled());
    ASSERT_TRUE(window.actImgSave->isEnabled());

    window.StartDraw();
    EXPECT_TRUE(window.Drawing());
    EXPECT_FALSE(window.actSave->isEnabled());
    EXPECT_FALSE(window.actImgSave->isEnabled());
    WaitUntilIdle();
    EXPECT_TRUE(window.actSave->isEnabled());
    EXPECT_TRUE(window.actImgSave->isEnabled());
    EXPECT_TRUE(dialogs_.errors.isEmpty());

    // A palette of one colour makes every pixel fail.
    const QString mcf = TempPath(QStringLiteral("one.mcf"));
    {
        QFile file(mcf);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("FF0000\n");
    }
    window.StopDraw();
    window.Operations().Pattern().Mcf().LoadFromFile(mcf.toStdString());
    window.StartDraw();
    EXPECT_FALSE(window.actSave->isEnabled());
    EXPECT_FALSE(window.actImgSave->isEnabled());
    WaitUntilIdle();
    const std::string failure = window.Operations().Pattern().ErrorMessage();
    ASSERT_FALSE(failure.empty());
    ASSERT_EQ(dialogs_.errors.size(), 1);
    EXPECT_EQ(dialogs_.errors.front(), QString::fromStdString(failure));
    EXPECT_TRUE(window.actSave->isEnabled());
    EXPECT_TRUE(window.actImgSave->isEnabled());
}

TEST_F(MainWindowTest, SettingsThatCannotBeWrittenAreReportedAtExit)
{
    // The settings "file" is a folder: loading finds nothing, saving fails.
    ASSERT_TRUE(QDir(tmp_.path()).mkdir(QStringLiteral("settings.ini")));
    CreateShown();
    window_.reset();
    ASSERT_FALSE(dialogs_.exceptions.isEmpty());
    EXPECT_TRUE(dialogs_.exceptions.back().endsWith(QLatin1Char('.'))) << dialogs_.exceptions.back().toStdString();
}
