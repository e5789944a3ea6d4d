// The document, palette and random commands of the main window, driven
// through their actions with scripted file dialogs.
#include "tests/ui/UiFiles.h"
#include "tests/ui/WindowFixture.h"

#include "settings/UVelquorRegistry.h"

#include <QAction>
#include <QLabel>

#include <cmath>

namespace {

QString Panel0(TfrmMain& window) { return window.findChild<QLabel*>(QStringLiteral("stbPanel0"))->text(); }

} // namespace

class DocumentCommandsTest : public WindowFixture {
protected:
    // Opens path through the open command, as if chosen in its dialog.
    void Open(TfrmMain& window, const QString& path)
    {
        dialogs_.openAnswers.push_back(path);
        window.actOpen->trigger();
    }
};

TEST_F(DocumentCommandsTest, OpenAppliesEveryFieldAndDraws)
{
    const QString pals = TempPath(QStringLiteral("pals"));
    ASSERT_TRUE(WritePalette(pals + QStringLiteral("/森.mcf")));
    const QString doc = TempPath(QStringLiteral("docs/a.vqp"));
    QDir().mkpath(TempPath(QStringLiteral("docs")));
    TPointMoveParam move{1.5L, 0, 0, -2};
    WriteDocument(doc, [&](TVqd& vqd) {
        vqd.FormulaName = "6";
        vqd.ColorChange = 2.5;
        vqd.Center = {0.25L, -0.5L};
        vqd.Incremental = {0.03L, 0.02L};
        vqd.ShadeOff = true;
        vqd.Size = {120, 80};
        vqd.PaletteName = "森";
        vqd.PointMoveType = 4;
        vqd.PointMoveParam = move;
    });

    TfrmMain& window = CreateShown();
    window.Registry().PaletteDirectory = pals.toStdString();
    window.Registry().VqpDirectory = TempPath(QStringLiteral("docs")).toStdString();
    Open(window, doc);

    ASSERT_EQ(dialogs_.openRequests.size(), 1u);
    const TOpenFileRequest& request = dialogs_.openRequests.front();
    // Documents first, then the pictures that carry one.
    EXPECT_EQ(request.filter, QStringLiteral("Velquorファイル(*.vqp)|*.vqp|パターンを埋め込んだPNG(*.png)|*.png|"
                                             "すべて(*.vqp;*.png)|*.vqp;*.png"));
    EXPECT_EQ(request.defaultExt, QStringLiteral(".vqp"));
    EXPECT_EQ(request.initialDir, TempPath(QStringLiteral("docs")));
    EXPECT_TRUE(request.fileMustExist);

    EXPECT_TRUE(dialogs_.exceptions.isEmpty()) << dialogs_.exceptions.join('\n').toStdString();
    EXPECT_TRUE(dialogs_.messages.isEmpty()) << dialogs_.messages.join('\n').toStdString();
    EXPECT_TRUE(window.Drawing());
    const TMainOperations& ops = window.Operations();
    const TVelquor& pattern = ops.Pattern();
    EXPECT_EQ(ops.FormulaName(), "6");
    EXPECT_EQ(ops.ColorChange(), 2.5);
    EXPECT_EQ(pattern.Center, (TFloatPoint{0.25L, -0.5L}));
    EXPECT_EQ(pattern.Incremental, (TFloatPoint{0.03L, 0.02L}));
    EXPECT_TRUE(window.actShadeOff->isChecked());
    EXPECT_EQ(pattern.Width(), 120);
    EXPECT_EQ(pattern.Height(), 80);
    EXPECT_EQ(pattern.GetPaletteName(), "森");
    EXPECT_EQ(Panel0(window), QStringLiteral("森"));
    EXPECT_EQ(ops.PointMoveType(), 4);
    EXPECT_EQ(ops.PointMoveParam(), move);
    WaitUntilIdle();
    EXPECT_TRUE(dialogs_.errors.isEmpty());
}

TEST_F(DocumentCommandsTest, MissingPaletteIsReportedWithItsPathAndTheDrawingStillStarts)
{
    const QString doc = TempPath(QStringLiteral("a.vqp"));
    WriteDocument(doc, [](TVqd& vqd) { vqd.PaletteName = "foo"; });
    TfrmMain& window = CreateShown();
    Open(window, doc);
    ASSERT_EQ(dialogs_.messages.size(), 1);
    EXPECT_EQ(dialogs_.messages.front(), QStringLiteral("[%1/mcf/foo.mcf]を開けません。").arg(tmp_.path()));
    EXPECT_TRUE(dialogs_.exceptions.isEmpty());
    EXPECT_TRUE(window.Drawing());
    EXPECT_EQ(window.Operations().Pattern().GetPaletteName(), "標準");
    EXPECT_EQ(window.Operations().Pattern().Width(), 60);
    WaitUntilIdle();
}

TEST_F(DocumentCommandsTest, ZeroWidthStopsTheDrawingAndKeepsWhatCameBefore)
{
    ASSERT_TRUE(WritePalette(TempPath(QStringLiteral("mcf/pal.mcf"))));
    const QString doc = TempPath(QStringLiteral("a.vqp"));
    WriteDocument(doc, [](TVqd& vqd) {
        vqd.FormulaName = "3";
        vqd.ColorChange = 0.5;
        vqd.Center = {1.0L, 2.0L};
        vqd.Incremental = {0.5L, 0.25L};
        vqd.ShadeOff = true;
        vqd.Size = {0, 50};
        vqd.PointMoveType = 2;
    });
    TfrmMain& window = CreateShown();
    window.StartDraw();
    ASSERT_FALSE(window.Operations().Pattern().Suspended());
    Open(window, doc);

    ASSERT_EQ(dialogs_.exceptions.size(), 1);
    EXPECT_EQ(dialogs_.exceptions.front(), QStringLiteral("幅の指定が不正です。[0]."));
    const TMainOperations& ops = window.Operations();
    EXPECT_TRUE(ops.Pattern().Suspended());
    EXPECT_EQ(ops.FormulaName(), "3");
    EXPECT_EQ(ops.ColorChange(), 0.5);
    EXPECT_EQ(ops.Pattern().Center, (TFloatPoint{1.0L, 2.0L}));
    EXPECT_EQ(ops.Pattern().Incremental, (TFloatPoint{0.5L, 0.25L}));
    EXPECT_TRUE(window.actShadeOff->isChecked());
    EXPECT_EQ(ops.Pattern().Width(), 400);
    EXPECT_EQ(ops.Pattern().GetPaletteName(), "標準");
    EXPECT_EQ(ops.PointMoveType(), 0);
    EXPECT_TRUE(dialogs_.messages.isEmpty());
    WaitUntilIdle();
    EXPECT_TRUE(ops.Pattern().Suspended());
}

TEST_F(DocumentCommandsTest, SavedDocumentReopensToTheSamePicture)
{
    ASSERT_TRUE(WritePalette(TempPath(QStringLiteral("mcf/pal.mcf")), 0x40));
    const QString doc = TempPath(QStringLiteral("saved.vqp"));
    TfrmMain& window = CreateShown();
    // A folder setting that does not exist gives the dialog no folder.
    window.Registry().VqpDirectory = TempPath(QStringLiteral("gone")).toStdString();
    window.RunCommand([&] {
        window.Operations().LoadPalette(TempPath(QStringLiteral("mcf/pal.mcf")).toStdString());
        window.SelectFormula(1, "4");
        window.SetColorChange(1.75);
        window.SetArea(-0.3L, 0.2L, 0.004L, 0.006L);
        window.SetImageSize(90, 70);
        window.SelectPointMove(3, TPointMoveParam{0.5L, 0.25L, 0, 0});
        window.Operations().SetShadeOff(true);
        window.StartDraw();
    });
    WaitUntilIdle();
    ASSERT_TRUE(dialogs_.exceptions.isEmpty()) << dialogs_.exceptions.join('\n').toStdString();
    TBitmap24 before;
    before.SetSize(90, 70);
    before.Draw(window.Operations().ImageBitmap());

    dialogs_.saveAnswers.push_back(TSaveFileResult{doc, 1});
    window.actSave->trigger();
    ASSERT_EQ(dialogs_.saveRequests.size(), 1u);
    const TSaveFileRequest& request = dialogs_.saveRequests.front();
    EXPECT_EQ(request.filter, QStringLiteral("Velquorファイル(*.vqp)|*.vqp"));
    EXPECT_EQ(request.defaultExt, QStringLiteral(".vqp"));
    EXPECT_TRUE(request.overwritePrompt);
    EXPECT_TRUE(request.initialDir.isEmpty());
    ASSERT_TRUE(QFile::exists(doc));
    ASSERT_TRUE(dialogs_.exceptions.isEmpty()) << dialogs_.exceptions.join('\n').toStdString();

    window_.reset();
    TfrmMain& again = CreateShown();
    Open(again, doc);
    WaitUntilIdle();
    EXPECT_TRUE(dialogs_.messages.isEmpty());
    EXPECT_TRUE(again.actShadeOff->isChecked());
    EXPECT_TRUE(SamePixels(again.Operations().ImageBitmap(), before));
}

TEST_F(DocumentCommandsTest, CancelledDialogsDoNothing)
{
    TfrmMain& window = CreateShown();
    const TFloatPoint increment = window.Operations().Pattern().Incremental;
    window.actOpen->trigger();
    window.actSave->trigger();
    window.actPalette->trigger();
    EXPECT_EQ(dialogs_.openRequests.size(), 2u);
    EXPECT_EQ(dialogs_.saveRequests.size(), 1u);
    EXPECT_FALSE(window.Drawing());
    EXPECT_EQ(window.Operations().Pattern().Incremental, increment);
    EXPECT_TRUE(dialogs_.exceptions.isEmpty());
    EXPECT_TRUE(QDir(tmp_.path()).entryList({QStringLiteral("*.vqp")}).isEmpty());
}

TEST_F(DocumentCommandsTest, PaletteCommandStartsAmongTheShippedPalettesWithoutAFolderSetting)
{
    const QString shipped = TempPath(QStringLiteral("mcf"));
    ASSERT_TRUE(WritePalette(shipped + QStringLiteral("/one.mcf")));
    TfrmMain& window = CreateShown();
    window.Registry().PaletteDirectory.clear();
    window.actPalette->trigger();
    ASSERT_EQ(dialogs_.openRequests.size(), 1u);
    EXPECT_EQ(dialogs_.openRequests.back().initialDir, shipped);

    // A folder set later wins over the shipped one.
    const QString mine = TempPath(QStringLiteral("mine"));
    ASSERT_TRUE(WritePalette(mine + QStringLiteral("/a.mcf")));
    window.Registry().PaletteDirectory = mine.toStdString();
    window.actPalette->trigger();
    EXPECT_EQ(dialogs_.openRequests.back().initialDir, mine);
}

TEST_F(DocumentCommandsTest, PaletteCommandLoadsAndRedrawsAndABadFileKeepsTheOldOne)
{
    const QString pals = TempPath(QStringLiteral("pals"));
    ASSERT_TRUE(WritePalette(pals + QStringLiteral("/good.mcf")));
    ASSERT_TRUE(WriteFile(pals + QStringLiteral("/bad.mcf"), "#GRAD nonsense\n"));
    TfrmMain& window = CreateShown();
    window.Registry().PaletteDirectory = pals.toStdString();

    dialogs_.openAnswers.push_back(pals + QStringLiteral("/good.mcf"));
    window.actPalette->trigger();
    ASSERT_EQ(dialogs_.openRequests.size(), 1u);
    EXPECT_EQ(dialogs_.openRequests.front().filter,
              QStringLiteral("ﾊﾟﾚｯﾄ(*.mcf;*.map;*.gpl;*.ggr)|*.mcf;*.map;*.gpl;*.ggr|MCFﾌｧｲﾙ(*.mcf)|*.mcf|すべてのﾌｧｲﾙ|*"));
    EXPECT_EQ(dialogs_.openRequests.front().defaultExt, QStringLiteral(".mcf"));
    EXPECT_EQ(dialogs_.openRequests.front().initialDir, pals);
    EXPECT_TRUE(window.Drawing());
    WaitUntilIdle();
    EXPECT_EQ(Panel0(window), QStringLiteral("good"));
    TBitmap24 good;
    good.SetSize(400, 400);
    good.Draw(window.Operations().ImageBitmap());

    dialogs_.openAnswers.push_back(pals + QStringLiteral("/bad.mcf"));
    window.actPalette->trigger();
    ASSERT_EQ(dialogs_.exceptions.size(), 1);
    EXPECT_TRUE(dialogs_.exceptions.front().endsWith(QLatin1Char('.')));
    EXPECT_EQ(Panel0(window), QStringLiteral("good"));
    EXPECT_EQ(window.Operations().Pattern().GetPaletteName(), "good");
    // The old palette still draws the same picture.
    window.StartDraw();
    WaitUntilIdle();
    EXPECT_TRUE(SamePixels(window.Operations().ImageBitmap(), good));
}

TEST_F(DocumentCommandsTest, RandomScalesTheIncrementsTheSameWayEveryRun)
{
    TfrmMain& window = CreateShown();
    const TVelquor& pattern = window.Operations().Pattern();
    ASSERT_EQ(pattern.Incremental, (TFloatPoint{1, 1}));
    window.actRandom->trigger();
    EXPECT_TRUE(window.Drawing());
    WaitUntilIdle();
    const TFloatPoint first = pattern.Incremental;
    EXPECT_NEAR(static_cast<double>(first.X), 0.9000000000466, 1e-12);
    EXPECT_NEAR(static_cast<double>(first.Y), 0.9062759879, 1e-10);

    window.actRandom->trigger();
    WaitUntilIdle();
    EXPECT_NEAR(static_cast<double>(pattern.Incremental.X / first.X), 1.0722096934, 1e-10);
    EXPECT_NEAR(static_cast<double>(pattern.Incremental.Y / first.Y), 0.9405161930, 1e-10);
    EXPECT_EQ(pattern.Center, (TFloatPoint{0, 0}));
    EXPECT_EQ(pattern.Width(), 400);
    EXPECT_TRUE(dialogs_.exceptions.isEmpty());
}
