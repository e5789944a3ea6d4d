// The palette editor in the window: opened on the palette in use, its edits
// previewed on the picture after a pause, saved with the generator lines
// kept, applied as one step, and cancelled back to the palette as it was.
#include "tests/ui/UiFiles.h"
#include "tests/ui/WindowFixture.h"
#include "palette/PaletteFile.h"
#include <QFileInfo>

#include "palette/UMcf.h"
#include "settings/UVelquorRegistry.h"
#include "ui/PaletteBar.h"
#include "ui/PaletteEditor.h"

#include <QAction>
#include <QDoubleSpinBox>
#include <QElapsedTimer>
#include <QListWidget>
#include <QPushButton>
#include <QSpinBox>
#include <QTimer>

#include <sstream>

namespace {

std::vector<int32_t> Loaded(const std::string& text)
{
    std::istringstream in(text);
    TMcf mcf;
    mcf.LoadFromStream(in, "x.mcf");
    return std::vector<int32_t>(mcf.Colors.begin(), mcf.Colors.begin() + (mcf.High + 1));
}

std::vector<int32_t> InUse(TfrmMain& window)
{
    const TMcf& mcf = window.Operations().Pattern().Mcf();
    return std::vector<int32_t>(mcf.Colors.begin(), mcf.Colors.begin() + (mcf.High + 1));
}

// Serves events for ms milliseconds, timers included.
void Serve(int ms)
{
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < ms) QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
}

const char* const kFlames = "* flames, dark to bright\n"
                            "000000\n"
                            "#GRAD 200000,FF8000,40\n"
                            "* the white-hot end\n"
                            "#LINE 255,0,128,2,0,4,30\n";

} // namespace

class PaletteEditorTest : public WindowFixture {
protected:
    // The editor the window opens, driven by script while it is "modal".
    void Edit(TfrmMain& window, const std::function<int(TPaletteEditor&)>& script)
    {
        dialogs_.onExec = [&script](QDialog& dialog) {
            auto* editor = dynamic_cast<TPaletteEditor*>(&dialog);
            EXPECT_NE(editor, nullptr);
            return editor != nullptr ? script(*editor) : int(QDialog::Rejected);
        };
        window.actPaletteEdit->trigger();
        dialogs_.onExec = nullptr;
    }

    TfrmMain& ShownWithFlames()
    {
        flames_ = TempPath(QStringLiteral("pals/炎.mcf"));
        EXPECT_TRUE(WriteFile(flames_, kFlames));
        TfrmMain& window = CreateShown();
        dialogs_.openAnswers.push_back(flames_);
        window.actPalette->trigger();
        WaitUntilIdle();
        return window;
    }

    QString flames_;
};

TEST_F(PaletteEditorTest, ShowsTheSegmentsOfTheFileAndSavesEditsWithTheGeneratorLinesKept)
{
    TfrmMain& window = ShownWithFlames();
    Edit(window, [&](TPaletteEditor& editor) {
        EXPECT_EQ(editor.lstSegments->count(), 3);
        EXPECT_EQ(editor.lstSegments->item(1)->text(), QStringLiteral("#GRAD 200000,FF8000,40"));
        EXPECT_EQ(editor.pbxPalette->Colors(), Loaded(kFlames));
        // The gradient: a new end colour from the colour dialog and a count.
        editor.ChooseSegment(1);
        EXPECT_TRUE(editor.bbnEndColor->isEnabled());
        EXPECT_FALSE(editor.spnStepR->isEnabled());
        dialogs_.colorAnswers.push_back(QColor(0x10, 0x20, 0xFF));
        editor.bbnEndColor->click();
        EXPECT_EQ(dialogs_.colorsShown.back(), QColor(0xFF, 0x80, 0x00));
        editor.spnCount->setValue(8);
        // The ramp's blue step.
        editor.ChooseSegment(2);
        editor.spnStepB->setValue(-1.5);
        editor.bbnSave->click();
        return int(QDialog::Accepted);
    });
    const QByteArray saved = ReadFile(flames_);
    EXPECT_EQ(saved, QByteArray("* flames, dark to bright\n"
                                "000000\n"
                                "#GRAD 200000,1020FF,8\n"
                                "* the white-hot end\n"
                                "#LINE 255,0,128,2,0,-1.5,30\n"));
    EXPECT_TRUE(dialogs_.exceptions.isEmpty()) << dialogs_.exceptions.join('\n').toStdString();
    // The picture draws the saved file, named as before.
    EXPECT_EQ(window.Operations().PaletteFile(), flames_.toStdString());
    EXPECT_EQ(InUse(window), Loaded(saved.toStdString()));
    WaitUntilIdle();
}

TEST_F(PaletteEditorTest, EditsArePreviewedOnceThePausePassesAndCancelPutsTheOldPaletteBack)
{
    TfrmMain& window = ShownWithFlames();
    const std::vector<int32_t> before = InUse(window);
    const Bytes pictureBefore = ToRgb(window.Operations().ImageBitmap());
    const size_t stepsBefore = window.Operations().History().UndoCount();
    Edit(window, [&](TPaletteEditor& editor) {
        editor.ChooseSegment(1);
        // A burst of edits: nothing is drawn until they pause.
        for (int n = 10; n <= 14; ++n) {
            editor.spnCount->setValue(n);
            Serve(20);
        }
        EXPECT_EQ(InUse(window), before);
        Serve(TPaletteEditor::kPreviewPauseMs + 200);
        EXPECT_EQ(InUse(window), Loaded(editor.Lines().Text()));
        EXPECT_EQ(InUse(window).size(), 1u + 14u + 30u);
        // Deleting and reversing are previewed too; the drawing before is stopped.
        editor.bbnDelete->click();
        editor.bbnReverse->click();
        Serve(TPaletteEditor::kPreviewPauseMs + 200);
        EXPECT_EQ(InUse(window), Loaded(editor.Lines().Text()));
        EXPECT_EQ(editor.lstSegments->item(0)->text(), QStringLiteral("#LINE 255,0,128,2,0,4,30"));
        // Saving as another file, then cancelling: the palette is the old one.
        dialogs_.saveAnswers.push_back(TSaveFileResult{TempPath(QStringLiteral("pals/copy.mcf")), 1});
        editor.bbnSaveAs->click();
        return int(QDialog::Rejected);
    });
    WaitUntilIdle();
    EXPECT_EQ(InUse(window), before);
    EXPECT_EQ(window.Operations().PaletteFile(), flames_.toStdString());
    EXPECT_EQ(ToRgb(window.Operations().ImageBitmap()), pictureBefore);
    EXPECT_EQ(window.Operations().History().UndoCount(), stepsBefore) << "a cancelled edit is no step";
    // What was saved stays saved, and the file keeps the generator lines.
    EXPECT_EQ(ReadFile(TempPath(QStringLiteral("pals/copy.mcf"))),
              QByteArray("* flames, dark to bright\n* the white-hot end\n#LINE 255,0,128,2,0,4,30\n000000\n"));
    ASSERT_EQ(dialogs_.saveRequests.size(), 1u);
    EXPECT_EQ(dialogs_.saveRequests[0].filter,
              QStringLiteral("MCFﾌｧｲﾙ(*.mcf)|*.mcf|Fractintﾊﾟﾚｯﾄ(*.map)|*.map|GIMPﾊﾟﾚｯﾄ(*.gpl)|*.gpl"));
    EXPECT_TRUE(dialogs_.saveRequests[0].overwritePrompt);
}

TEST_F(PaletteEditorTest, AnUnsavedEditKeepsItsLinesAndOpensWithThemAgain)
{
    TfrmMain& window = CreateShown();
    // The built-in palette has no lines: one colour line for each entry.
    Edit(window, [&](TPaletteEditor& editor) {
        EXPECT_EQ(editor.lstSegments->count(), 128);
        EXPECT_TRUE(editor.FileName().isEmpty());
        editor.ChooseSegment(0);
        editor.bbnInsertGradient->click();
        EXPECT_EQ(editor.ChosenSegment(), 1);
        editor.bbnUp->click();
        EXPECT_EQ(editor.ChosenSegment(), 0);
        return int(QDialog::Accepted);
    });
    EXPECT_EQ(window.Operations().Pattern().GetPaletteName(), "名称未設定");
    EXPECT_EQ(InUse(window).size(), 64u + 128u);
    WaitUntilIdle();
    Edit(window, [&](TPaletteEditor& editor) {
        EXPECT_EQ(editor.lstSegments->count(), 129);
        EXPECT_EQ(editor.lstSegments->item(0)->text(), QStringLiteral("#GRAD 000000,FFFFFF,64"));
        // Save with no file asks for one.
        dialogs_.saveAnswers.push_back(TSaveFileResult{TempPath(QStringLiteral("new.mcf")), 1});
        editor.bbnSave->click();
        EXPECT_EQ(editor.FileName(), TempPath(QStringLiteral("new.mcf")));
        return int(QDialog::Accepted);
    });
    EXPECT_EQ(window.Operations().PaletteFile(), TempPath(QStringLiteral("new.mcf")).toStdString());
    EXPECT_EQ(window.Registry().RecentPalettes.front(), TempPath(QStringLiteral("new.mcf")).toStdString());
    EXPECT_TRUE(ReadFile(TempPath(QStringLiteral("new.mcf"))).startsWith("#GRAD 000000,FFFFFF,64\n000000\n080402\n"));
}

TEST_F(PaletteEditorTest, SaveAsMapOrGimpPaletteWritesColoursThatLoadBackTheSame)
{
    TfrmMain& window = ShownWithFlames();
    std::vector<int32_t> colours;
    Edit(window, [&](TPaletteEditor& editor) {
        colours = editor.Lines().Colors();
        for (const char* name : {"pals/copy.map", "pals/copy.gpl"}) {
            dialogs_.saveAnswers.push_back(TSaveFileResult{TempPath(QString::fromLatin1(name)), 1});
            editor.bbnSaveAs->click();
        }
        // A gradient file is read, never written: the message says so and nothing is made.
        dialogs_.saveAnswers.push_back(TSaveFileResult{TempPath(QStringLiteral("pals/copy.ggr")), 1});
        editor.bbnSaveAs->click();
        return int(QDialog::Rejected);
    });
    EXPECT_EQ(dialogs_.exceptions.size(), 1);
    EXPECT_FALSE(QFileInfo::exists(TempPath(QStringLiteral("pals/copy.ggr"))));
    EXPECT_TRUE(ReadFile(TempPath(QStringLiteral("pals/copy.gpl"))).startsWith("GIMP Palette"));
    for (const char* name : {"pals/copy.map", "pals/copy.gpl"}) {
        TMcf loaded;
        LoadPaletteFile(loaded, TempPath(QString::fromLatin1(name)).toStdString());
        EXPECT_EQ(std::vector<int32_t>(loaded.Colors.begin(), loaded.Colors.begin() + loaded.High + 1), colours) << name;
    }
}

TEST_F(PaletteEditorTest, AFailedSaveIsReportedAndTheOldFileStays)
{
    TfrmMain& window = ShownWithFlames();
    Edit(window, [&](TPaletteEditor& editor) {
        editor.ChooseSegment(0);
        editor.bbnInsertColor->click();
        dialogs_.saveAnswers.push_back(TSaveFileResult{TempPath(QStringLiteral("missing/folder/x.mcf")), 1});
        editor.bbnSaveAs->click();
        EXPECT_FALSE(editor.Saved());
        return int(QDialog::Rejected);
    });
    ASSERT_EQ(dialogs_.exceptions.size(), 1);
    EXPECT_TRUE(dialogs_.exceptions[0].contains(QStringLiteral("作成できません"))) << dialogs_.exceptions[0].toStdString();
    EXPECT_EQ(ReadFile(flames_), QByteArray(kFlames));
}

TEST_F(PaletteEditorTest, AnAppliedEditIsOneStepThatUndoTakesBack)
{
    TfrmMain& window = CreateShown();
    const std::vector<int32_t> builtIn = InUse(window);
    Edit(window, [&](TPaletteEditor& editor) {
        editor.ChooseSegment(5);
        editor.bbnInsertRamp->click();
        editor.bbnInsertColor->click();
        Serve(TPaletteEditor::kPreviewPauseMs + 200);
        return int(QDialog::Accepted);
    });
    WaitUntilIdle();
    EXPECT_EQ(InUse(window).size(), 128u + 64u + 1u);
    EXPECT_EQ(window.Operations().History().UndoCount(), 1u) << "previews and the end are one step";
    window.actUndo->trigger();
    WaitUntilIdle();
    EXPECT_EQ(InUse(window), builtIn);
    EXPECT_TRUE(dialogs_.exceptions.isEmpty()) << dialogs_.exceptions.join('\n').toStdString();
}
