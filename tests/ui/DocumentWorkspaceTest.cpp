// The pattern as a document: the title with its change mark, 新規, 上書き保存
// and 名前を付けて保存, the question before a change is lost on each of its
// paths, the recent list, 表示範囲を戻す, and what persists between runs.
#include "tests/ui/WindowFixture.h"

#include "settings/UVelquorRegistry.h"
#include "tests/support/Files.h"
#include "ui/UFormulaSelect.h"

#include <QAction>
#include <QFile>
#include <QMenu>

namespace {

class DocumentWorkspaceTest : public WindowFixture {
protected:
    // A change of the pattern, as the formula dialog's OK makes one.
    void Change(long double x)
    {
        window_->RunCommand([&] {
            window_->StopDraw();
            window_->SetArea(x, 0, 1, 1);
            window_->StartDraw();
        });
        WaitUntilIdle();
    }
    QString Title() const { return window_->windowTitle(); }
    QString Notice() const { return window_->statusBar()->currentMessage(); }
    QStringList RecentItems() const
    {
        QStringList items;
        for (QAction* a : window_->findChild<QMenu*>(QStringLiteral("mnuFileRecent"))->actions()) items << a->text();
        return items;
    }
    // Saves the current pattern under name through 名前を付けて保存.
    QString SaveAs(const QString& name)
    {
        const QString path = TempPath(name);
        dialogs_.saveAnswers.push_back(TSaveFileResult{path, 1});
        window_->actSaveAs->trigger();
        return path;
    }
    void Open(const QString& path)
    {
        dialogs_.openAnswers.push_back(path);
        window_->actOpen->trigger();
        WaitUntilIdle();
    }
};

TEST_F(DocumentWorkspaceTest, TitleNamesTheDocumentAndMarksEveryChangeUntilSaved)
{
    CreateShown();
    EXPECT_EQ(Title(), QStringLiteral("Velquor"));
    Change(0.5);
    EXPECT_EQ(Title(), QStringLiteral("*Velquor"));
    window_->actUndo->trigger();
    WaitUntilIdle();
    EXPECT_EQ(Title(), QStringLiteral("Velquor")) << "back to the pattern it started with";

    Change(0.5);
    // 上書き保存 of a new pattern asks for a name.
    const QString path = TempPath(QStringLiteral("波.vqp"));
    dialogs_.saveAnswers.push_back(TSaveFileResult{path, 1});
    window_->actSave->trigger();
    ASSERT_EQ(dialogs_.saveRequests.size(), 1u);
    EXPECT_TRUE(dialogs_.saveRequests.back().overwritePrompt);
    ASSERT_TRUE(QFile::exists(path));
    EXPECT_EQ(Title(), QStringLiteral("波.vqp - Velquor"));
    EXPECT_EQ(Notice(), QStringLiteral("保存しました: 波.vqp"));

    // From then on it writes to that file without asking.
    Change(0.75);
    EXPECT_EQ(Title(), QStringLiteral("*波.vqp - Velquor"));
    window_->actSave->trigger();
    EXPECT_EQ(dialogs_.saveRequests.size(), 1u);
    EXPECT_EQ(Title(), QStringLiteral("波.vqp - Velquor"));
    EXPECT_NE(ReadBytes(path.toStdString()).find("0.75"), std::string::npos);

    // 名前を付けて保存 asks, proposes the current file, and the new name is the document.
    const QString other = SaveAs(QStringLiteral("other.vqp"));
    ASSERT_EQ(dialogs_.saveRequests.size(), 2u);
    EXPECT_EQ(dialogs_.saveRequests.back().fileName, path);
    EXPECT_TRUE(QFile::exists(other));
    EXPECT_EQ(Title(), QStringLiteral("other.vqp - Velquor"));
    EXPECT_TRUE(dialogs_.saveQuestions.isEmpty());
}

TEST_F(DocumentWorkspaceTest, EachWayOfLosingAChangeAsksAndEachAnswerDoesItsPart)
{
    struct Case {
        const char* what;
        TSaveAnswer answer;
        bool saveDialogAnswered; // for 保存 of a new pattern
        bool goesOn;             // the close, 新規 or 開く happens
        bool written;
    };
    const Case cases[] = {
        {"キャンセル", TSaveAnswer::Cancel, false, false, false},
        {"保存しない", TSaveAnswer::Discard, false, true, false},
        {"保存", TSaveAnswer::Save, true, true, true},
        {"保存, its dialog cancelled", TSaveAnswer::Save, false, false, false},
    };
    const QString target = TempPath(QStringLiteral("asked.vqp"));
    const QString doc = TempPath(QStringLiteral("doc.vqp"));
    for (const char* way : {"close", "new", "open"}) {
        for (const Case& c : cases) {
            SCOPED_TRACE(std::string(way) + ": " + c.what);
            QFile::remove(target);
            CreateShown();
            if (std::string(way) == "open") {
                // The document to open: the start-up pattern saved apart.
                window_->Operations().SaveDocument(doc.toStdString());
            }
            Change(2.5);
            dialogs_.saveQuestions.clear();
            dialogs_.saveQuestionAnswers = {c.answer};
            if (c.saveDialogAnswered) dialogs_.saveAnswers = {TSaveFileResult{target, 1}};
            else dialogs_.saveAnswers.clear();
            dialogs_.openAnswers = {doc};
            dialogs_.openRequests.clear();

            bool wentOn = false;
            if (std::string(way) == "close") {
                wentOn = window_->close();
                EXPECT_EQ(window_->isVisible(), !wentOn);
            } else if (std::string(way) == "new") {
                window_->actNew->trigger();
                WaitUntilIdle();
                wentOn = window_->Operations().Area().Center.X == 0;
            } else {
                window_->actOpen->trigger();
                WaitUntilIdle();
                wentOn = !dialogs_.openRequests.empty();
            }
            EXPECT_EQ(dialogs_.saveQuestions, QStringList{QStringLiteral("変更を保存しますか？")});
            EXPECT_EQ(wentOn, c.goesOn);
            EXPECT_EQ(QFile::exists(target), c.written);
            if (!c.goesOn) {
                EXPECT_EQ(window_->Operations().Area().Center.X, 2.5) << "the change is kept";
            }
            if (c.goesOn && std::string(way) != "close") {
                EXPECT_EQ(Title(),
                          std::string(way) == "new" ? QStringLiteral("Velquor") : QStringLiteral("doc.vqp - Velquor"));
            }
            window_.reset();
        }
    }
}

TEST_F(DocumentWorkspaceTest, NoChangeNoQuestionAndNewIsTheStartUpPattern)
{
    CreateShown();
    window_->RunCommand([&] {
        window_->StopDraw();
        window_->SelectFormula(1, "4");
        window_->SetImageSize(120, 90);
        window_->SetArea(3, 4, 0.5, 0.25);
        window_->Operations().SetShadeOff(true);
        window_->StartDraw();
    });
    WaitUntilIdle();
    SaveAs(QStringLiteral("saved.vqp"));
    window_->actNew->trigger();
    WaitUntilIdle();
    EXPECT_TRUE(dialogs_.saveQuestions.isEmpty()) << "saved, so nothing to lose";
    EXPECT_TRUE(SamePattern(window_->Operations().Snapshot(), StartupPattern()));
    EXPECT_FALSE(window_->actShadeOff->isChecked());
    EXPECT_EQ(Title(), QStringLiteral("Velquor"));
    EXPECT_EQ(window_->Document().FileName(), "");
    EXPECT_TRUE(window_->close());
    EXPECT_TRUE(dialogs_.saveQuestions.isEmpty());
}

TEST_F(DocumentWorkspaceTest, RecentListKeepsTheLastDocumentsAcrossRunsAndDropsAMissingOne)
{
    CreateShown();
    QStringList paths;
    for (const char* name : {"a.vqp", "b.vqp", "c.vqp"}) {
        Change(paths.size() + 1);
        paths << SaveAs(QString::fromLatin1(name));
    }
    EXPECT_EQ(RecentItems(), (QStringList{"&1 c.vqp", "&2 b.vqp", "&3 a.vqp"}));
    Open(paths[0]);
    EXPECT_EQ(RecentItems(), (QStringList{"&1 a.vqp", "&2 c.vqp", "&3 b.vqp"}));
    window_.reset();

    TfrmMain& again = CreateShown();
    ASSERT_EQ(RecentItems(), (QStringList{"&1 a.vqp", "&2 c.vqp", "&3 b.vqp"}));
    QMenu* menu = again.findChild<QMenu*>(QStringLiteral("mnuFileRecent"));
    // An entry opens its document.
    menu->actions()[1]->trigger();
    WaitUntilIdle();
    EXPECT_EQ(Title(), QStringLiteral("c.vqp - Velquor"));
    EXPECT_EQ(again.Operations().Area().Center.X, 3);

    // A document that has gone is reported and leaves the list.
    QFile::remove(paths[1]);
    dialogs_.messages.clear();
    menu->actions()[2]->trigger();
    ASSERT_EQ(dialogs_.messages.size(), 1);
    EXPECT_TRUE(dialogs_.messages.front().startsWith(paths[1] + QStringLiteral(" が見つかりません。")));
    EXPECT_EQ(RecentItems(), (QStringList{"&1 c.vqp", "&2 a.vqp"}));
    EXPECT_EQ(Title(), QStringLiteral("c.vqp - Velquor"));
}

TEST_F(DocumentWorkspaceTest, ResetAreaIsOneStepBackToTheStartUpCentreAndIncrement)
{
    CreateShown();
    window_->RunCommand([&] {
        window_->StopDraw();
        window_->SetArea(-1.5, 2, 0.01, 0.02);
        window_->SelectFormula(1, "3");
        window_->StartDraw();
    });
    WaitUntilIdle();
    const size_t steps = window_->Operations().History().UndoCount();
    window_->actResetArea->trigger();
    WaitUntilIdle();
    EXPECT_EQ(window_->Operations().Area(), (TPlaneArea{FloatPoint(0, 0), FloatPoint(1, 1)}));
    EXPECT_EQ(window_->Operations().FormulaName(), "3") << "only the area";
    EXPECT_EQ(window_->Operations().History().UndoCount(), steps + 1);
    window_->actUndo->trigger();
    WaitUntilIdle();
    EXPECT_EQ(window_->Operations().Area(), (TPlaneArea{FloatPoint(-1.5L, 2), FloatPoint(0.01, 0.02)}));
}

TEST_F(DocumentWorkspaceTest, WindowAndFormulaDialogPlacesPersist)
{
    TfrmMain& window = CreateShown();
    window.resize(700, 560);
    window.move(40, 30);
    window.actFunction->trigger();
    window.FormulaDialog().move(300, 200);
    QCoreApplication::processEvents();
    ASSERT_TRUE(window.close());
    window_.reset();

    TVelquorRegistry stored;
    stored.SetStorageFile(SettingsFile());
    stored.Load();
    EXPECT_FALSE(stored.WindowGeometry.empty());
    EXPECT_EQ(stored.FormulaDialogPlace, "300,200");

    TfrmMain& again = CreateShown();
    EXPECT_EQ(again.size(), QSize(700, 560));
    again.actFunction->trigger();
    EXPECT_EQ(again.FormulaDialog().pos(), QPoint(300, 200));
}

} // namespace
