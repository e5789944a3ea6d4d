// Dropped files, the help command and the options dialog as the main window
// runs them.
#include "tests/ui/UiFiles.h"
#include "tests/ui/WindowFixture.h"
#include "ui/HelpWindow.h"

#include <QTest>
#include <QTextBrowser>

#include "settings/UVelquorRegistry.h"
#include "ui/USettings.h"

#include <QAction>
#include <QCoreApplication>
#include <QDropEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMimeData>
#include <QPointer>
#include <QUrl>

namespace {

const QString kHelpHint =
    QStringLiteral("\r\n\r\nﾍﾙﾌﾟを見るためには実行ﾌｧｲﾙのあるﾌｫﾙﾀﾞの中に\r\nVelquor.html がなければいけません\r\n");

QMimeData* FileDrop(const QStringList& paths)
{
    auto* data = new QMimeData;
    QList<QUrl> urls;
    for (const QString& path : paths) urls << QUrl::fromLocalFile(path);
    data->setUrls(urls);
    return data;
}

} // namespace

using DropTest = WindowFixture;

TEST_F(DropTest, PaletteWithUpperCaseExtensionLoadsAndRedraws)
{
    const QString palette = TempPath(QStringLiteral("b.MCF"));
    ASSERT_TRUE(WritePalette(palette));
    TfrmMain& window = CreateShown();
    std::unique_ptr<QMimeData> data(FileDrop({palette}));

    // The real event path: drag enter is accepted, the drop is handled.
    QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, data.get(), Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(&window, &enter);
    EXPECT_TRUE(enter.isAccepted());
    QDropEvent drop(QPointF(10, 10), Qt::CopyAction, data.get(), Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(&window, &drop);

    EXPECT_TRUE(window.Drawing());
    EXPECT_EQ(window.Operations().Pattern().GetPaletteName(), "b");
    EXPECT_EQ(window.findChild<QLabel*>(QStringLiteral("stbPanel0"))->text(), QStringLiteral("b"));
    WaitUntilIdle();
    EXPECT_TRUE(dialogs_.errors.isEmpty());
    EXPECT_TRUE(dialogs_.exceptions.isEmpty());
}

TEST_F(DropTest, OtherFilesAreRefusedAndOnlyTheFirstCounts)
{
    const QString text = TempPath(QStringLiteral("x.txt"));
    const QString palette = TempPath(QStringLiteral("c.mcf"));
    const QString doc = TempPath(QStringLiteral("d.vqp"));
    ASSERT_TRUE(WriteFile(text, "hello"));
    ASSERT_TRUE(WritePalette(palette));
    WriteDocument(doc, [](TVqd&) {});
    TfrmMain& window = CreateShown();

    std::unique_ptr<QMimeData> three(FileDrop({text, palette, doc}));
    window.DropMimeData(*three);
    ASSERT_EQ(dialogs_.errors.size(), 1);
    EXPECT_EQ(dialogs_.errors.front(), text + QStringLiteral("\r\nは扱えません。"));
    EXPECT_FALSE(window.Drawing());
    EXPECT_EQ(window.Operations().Pattern().GetPaletteName(), "標準");
    EXPECT_EQ(window.Operations().Pattern().Width(), 400);

    // A document first: it is opened, the palette after it is not loaded.
    dialogs_.errors.clear();
    std::unique_ptr<QMimeData> docFirst(FileDrop({doc, palette}));
    window.DropMimeData(*docFirst);
    EXPECT_TRUE(window.Drawing());
    EXPECT_EQ(window.Operations().Pattern().Width(), 60);
    EXPECT_EQ(window.Operations().Pattern().GetPaletteName(), "標準");
    WaitUntilIdle();
    EXPECT_TRUE(dialogs_.errors.isEmpty());
    // The document's palette "pal" is not in the program's mcf folder.
    EXPECT_EQ(dialogs_.messages.size(), 1);
}

using StartFileTest = WindowFixture;

TEST_F(StartFileTest, FileOnTheCommandLineIsTakenAsADrop)
{
    const QString doc = TempPath(QStringLiteral("d.vqp"));
    const QString palette = TempPath(QStringLiteral("p.mcf"));
    const QString text = TempPath(QStringLiteral("x.txt"));
    WriteDocument(doc, [](TVqd&) {});
    ASSERT_TRUE(WritePalette(palette));
    ASSERT_TRUE(WriteFile(text, "hello"));
    struct Case {
        QString file;
        int width;           // of the first drawing
        std::string palette; // after it
        QString error;       // the drop's message, if any
    };
    const Case cases[] = {
        {doc, 60, "標準", QString()},
        {palette, 400, "p", QString()},
        {text, 400, "標準", text + QStringLiteral("\r\nは扱えません。")},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.file.toStdString());
        dialogs_.errors.clear();
        startFile_ = c.file.toStdString();
        TfrmMain& window = CreateShown();
        const TVelquor& pattern = window.Operations().Pattern();
        EXPECT_EQ(pattern.Width(), c.width);
        EXPECT_EQ(pattern.GetPaletteName(), c.palette);
        EXPECT_GT(pattern.CopyCount(), 0) << "nothing was drawn";
        EXPECT_EQ(pattern.ErrorMessage(), "");
        if (c.error.isEmpty()) EXPECT_TRUE(dialogs_.errors.isEmpty()) << dialogs_.errors.join('\n').toStdString();
        else EXPECT_EQ(dialogs_.errors, QStringList{c.error});
        EXPECT_TRUE(dialogs_.exceptions.isEmpty());
        window_.reset();
    }
}

using HelpTest = WindowFixture;

TEST_F(HelpTest, OpensThePageBesideTheProgram)
{
    ASSERT_TRUE(WriteFile(TempPath(QStringLiteral("Velquor.html")),
                          "<html><body><h1>目次</h1><p><a href=\"formulas.html\">数式</a></p></body></html>"));
    ASSERT_TRUE(WriteFile(TempPath(QStringLiteral("formulas.html")), "<html><body><h1>数式の一覧</h1></body></html>"));
    TfrmMain& window = CreateShown();
    window.mnuHelpHelp->trigger();
    ASSERT_EQ(dialogs_.openedUrls.size(), 1);
    EXPECT_EQ(dialogs_.openedUrls.front(), QUrl::fromLocalFile(TempPath(QStringLiteral("Velquor.html"))));
    EXPECT_TRUE(dialogs_.errors.isEmpty());

    // A desktop whose viewer cannot start: the page opens in the program's
    // own help window, and its links lead on from there.
    dialogs_.openUrlAnswer = false;
    window.mnuHelpHelp->trigger();
    EXPECT_EQ(dialogs_.openedUrls.size(), 2);
    EXPECT_TRUE(dialogs_.errors.isEmpty()) << dialogs_.errors.join('\n').toStdString();
    THelpWindow* help = window.HelpWindow();
    ASSERT_NE(help, nullptr);
    EXPECT_TRUE(help->isVisible());
    QTextBrowser& browser = help->Browser();
    EXPECT_EQ(browser.source(), QUrl::fromLocalFile(TempPath(QStringLiteral("Velquor.html"))));
    EXPECT_TRUE(browser.toPlainText().contains(QStringLiteral("目次")));
    // The keyboard's way to a link: Tab selects it, Enter follows it.
    browser.setFocus();
    QTest::keyClick(&browser, Qt::Key_Tab);
    QTest::keyClick(&browser, Qt::Key_Return);
    EXPECT_EQ(browser.source().fileName(), QStringLiteral("formulas.html"));
    EXPECT_TRUE(browser.toPlainText().contains(QStringLiteral("数式の一覧")));
    EXPECT_TRUE(browser.isBackwardAvailable());
    EXPECT_TRUE(dialogs_.exceptions.isEmpty());
}

TEST_F(HelpTest, MissingPageAndMissingFolderHaveTheirMessages)
{
    TfrmMain& window = CreateShown();
    window.mnuHelpHelp->trigger();
    EXPECT_TRUE(dialogs_.openedUrls.isEmpty());
    ASSERT_EQ(dialogs_.errors.size(), 1);
    EXPECT_EQ(dialogs_.errors.front(), QStringLiteral("Velquor.html が見つかりません") + kHelpHint);
    window_.reset();

    dialogs_.errors.clear();
    programDir_ = TempPath(QStringLiteral("no-such-folder")).toStdString();
    TfrmMain& elsewhere = CreateShown();
    elsewhere.mnuHelpHelp->trigger();
    EXPECT_TRUE(dialogs_.openedUrls.isEmpty());
    ASSERT_EQ(dialogs_.errors.size(), 1);
    EXPECT_EQ(dialogs_.errors.front(),
              QString::fromStdString(programDir_) + QStringLiteral("/ が見つかりません") + kHelpHint);
}

using OptionsCommandTest = WindowFixture;

TEST_F(OptionsCommandTest, OkCopiesBothFoldersBackCancelLeavesThem)
{
    const QString pals = TempPath(QStringLiteral("pals"));
    const QString docs = TempPath(QStringLiteral("docs"));
    QDir().mkpath(pals);
    QDir().mkpath(docs);
    TfrmMain& window = CreateShown();
    window.Registry().PaletteDirectory = "/old/palettes";
    window.Registry().VqpDirectory = "";

    struct Case {
        const char* name;
        bool ok;
    };
    for (const Case c : {Case{"cancel", false}, Case{"ok", true}}) {
        SCOPED_TRACE(c.name);
        QPointer<TfrmSettings> shown;
        QString handedMcf, handedVqp;
        dialogs_.folderAnswers.push_back(pals);
        dialogs_.onExec = [&](QDialog& dialog) {
            auto& settings = dynamic_cast<TfrmSettings&>(dialog);
            shown = &settings;
            EXPECT_EQ(settings.parentWidget(), &window);
            handedMcf = settings.McfDirectory;
            handedVqp = settings.VqpDirectory;
            settings.FormShow();
            // The browse button goes through the window's folder picker.
            settings.bbnRefClick();
            settings.edtVqpDirectory->setText(docs);
            if (!c.ok) return static_cast<int>(QDialog::Rejected);
            settings.bbnOkClick();
            return settings.result();
        };
        window.actOption->trigger();
        EXPECT_TRUE(shown.isNull()) << "the dialog outlived the command";
        EXPECT_EQ(handedMcf, QStringLiteral("/old/palettes"));
        EXPECT_EQ(handedVqp, QString());
        ASSERT_FALSE(dialogs_.folderTitles.isEmpty());
        EXPECT_EQ(dialogs_.folderTitles.back(), QStringLiteral("MCFﾌｧｲﾙの読み込み元"));
        EXPECT_EQ(window.Registry().PaletteDirectory, c.ok ? pals.toStdString() : "/old/palettes");
        EXPECT_EQ(window.Registry().VqpDirectory, c.ok ? docs.toStdString() : "");
        EXPECT_TRUE(dialogs_.errors.isEmpty());
    }

    // The next palette and open commands start in the new folders.
    window.actPalette->trigger();
    window.actOpen->trigger();
    ASSERT_EQ(dialogs_.openRequests.size(), 2u);
    EXPECT_EQ(dialogs_.openRequests[0].initialDir, pals);
    EXPECT_EQ(dialogs_.openRequests[1].initialDir, docs);
    window_.reset();

    TVelquorRegistry stored;
    stored.SetStorageFile(SettingsFile());
    stored.Load();
    EXPECT_EQ(stored.PaletteDirectory, pals.toStdString());
    EXPECT_EQ(stored.VqpDirectory, docs.toStdString());
}
