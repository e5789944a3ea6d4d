// ファイル > 画像を書き出す: the dialog with its preview and expected size, the
// export on a worker while the window goes on, its refusals, cancel and
// failure.
#include "tests/ui/UiFiles.h"
#include "tests/ui/WindowFixture.h"

#include "ui/ExportDialog.h"
#include "ui/ExportRunner.h"

#include <QAction>
#include <QCheckBox>
#include <QColorSpace>
#include <QComboBox>
#include <QImage>
#include <QLabel>
#include <QSpinBox>
#include <QStatusBar>

namespace {

QImage ImageOf(const TBitmap24& bitmap)
{
    return QImage(bitmap.Bits(), bitmap.Width(), bitmap.Height(), static_cast<qsizetype>(bitmap.Stride()),
                  QImage::Format_BGR888)
        .copy();
}

} // namespace

using ExportImageTest = WindowFixture;

TEST_F(ExportImageTest, TheDialogStartsAtThePatternsSizeAndPreviewsTheExportsCentre)
{
    TfrmMain& window = CreateShown();
    bool seen = false;
    dialogs_.onExec = [&](QDialog& d) {
        auto& dialog = dynamic_cast<TfrmExport&>(d);
        seen = true;
        EXPECT_EQ(dialog.edtWidth->value(), 400);
        EXPECT_EQ(dialog.edtHeight->value(), 400);
        EXPECT_EQ(dialog.edtScale->value(), 1);
        EXPECT_EQ(dialog.cmbAntialias->currentIndex(), 0);
        EXPECT_EQ(dialog.cmbFormat->currentText(), QStringLiteral("PNG"));
        EXPECT_TRUE(dialog.chkEmbed->isChecked());
        // At scale 1 the centre of the export is the centre of the window's
        // picture, pixel for pixel.
        const QImage centre = ImageOf(window.Operations().ImageBitmap()).copy(72, 72, 256, 256);
        EXPECT_EQ(dialog.Preview().size(), QSize(256, 256));
        EXPECT_EQ(dialog.Preview(), centre);
        EXPECT_TRUE(dialog.FileSizeText().startsWith(QStringLiteral("約 "))) << dialog.FileSizeText().toStdString();

        // A finer scale grows the picture with it and shows finer structure.
        dialog.edtScale->setValue(3);
        EXPECT_EQ(dialog.edtWidth->value(), 1200);
        EXPECT_EQ(dialog.edtHeight->value(), 1200);
        EXPECT_NE(dialog.Preview(), centre);
        const QImage fine = dialog.Preview();
        dialog.cmbAntialias->setCurrentIndex(1);
        EXPECT_NE(dialog.Preview(), fine);
        EXPECT_EQ(dialog.Options().size.antialias, 2);

        // BMP: no embedding, and the exact size of its file.
        dialog.cmbFormat->setCurrentIndex(1);
        EXPECT_FALSE(dialog.chkEmbed->isEnabled());
        EXPECT_FALSE(dialog.Options().embedDocument);
        EXPECT_EQ(dialog.FileSizeText(), QStringLiteral("4.1 MB")); // 54 + 3600 x 1200
        dialog.edtWidth->setValue(60000);
        dialog.edtHeight->setValue(60000);
        EXPECT_TRUE(dialog.FileSizeText().startsWith(QStringLiteral("BMP には大きすぎます")));
        return static_cast<int>(QDialog::Rejected);
    };
    window.actImgExport->trigger();
    EXPECT_TRUE(seen);
    EXPECT_TRUE(dialogs_.saveRequests.empty()); // cancelled: no file asked for
}

TEST_F(ExportImageTest, TheExportRunsBesideTheWindowAndWritesThePatternsPicture)
{
    TfrmMain& window = CreateShown();
    dialogs_.onExec = [](QDialog&) { return static_cast<int>(QDialog::Accepted); };
    dialogs_.saveAnswers.push_back(TSaveFileResult{TempPath(QStringLiteral("export")), 1});
    window.actImgExport->trigger();
    ASSERT_NE(window.ExportRunner(), nullptr);
    const TSaveFileRequest& request = dialogs_.saveRequests.back();
    EXPECT_EQ(request.filter, QStringLiteral("PNGﾌｧｲﾙ(*.png)|*.png"));
    EXPECT_TRUE(request.overwritePrompt);
    window.ExportRunner()->WaitForEnd();
    EXPECT_TRUE(dialogs_.errors.isEmpty()) << dialogs_.errors.join('\n').toStdString();
    QImage got = QImage(TempPath(QStringLiteral("export.png"))).convertToFormat(QImage::Format_BGR888);
    got.setColorSpace(QColorSpace());
    EXPECT_EQ(got, ImageOf(window.Operations().ImageBitmap()));
    EXPECT_EQ(window.statusBar()->currentMessage(), QStringLiteral("画像を書き出しました: export.png"));
    // The next export offers the name again.
    dialogs_.onExec = {};
    window.actImgExport->trigger();
    EXPECT_EQ(dialogs_.saveRequests.size(), 1u);
}

TEST_F(ExportImageTest, WhileItRunsTheWindowDrawsAnotherExportIsRefusedAndCancelKeepsTheOldFile)
{
    TfrmMain& window = CreateShown();
    const QString path = TempPath(QStringLiteral("big.png"));
    WriteFile(path, "old");
    dialogs_.onExec = [](QDialog& d) {
        auto& dialog = dynamic_cast<TfrmExport&>(d);
        dialog.edtWidth->setValue(30000);
        dialog.edtHeight->setValue(30000);
        dialog.cmbAntialias->setCurrentIndex(3);
        return static_cast<int>(QDialog::Accepted);
    };
    dialogs_.saveAnswers.push_back(TSaveFileResult{path, 1});
    window.actImgExport->trigger();
    TExportRunner* runner = window.ExportRunner();
    ASSERT_NE(runner, nullptr);
    ASSERT_TRUE(runner->Running());
    EXPECT_TRUE(runner->ProgressWindow()->isVisible());

    // The window goes on: a command changes the pattern and draws it.
    window.actRandom->trigger();
    WaitUntilIdle();
    EXPECT_TRUE(runner->Running());
    const int execs = dialogs_.execCount;
    window.actImgExport->trigger();
    EXPECT_EQ(dialogs_.execCount, execs);
    ASSERT_EQ(dialogs_.messages.size(), 1);
    EXPECT_EQ(dialogs_.messages.front(),
              QStringLiteral("画像を書き出しています。終わるか中止してから書き出してください。"));

    runner->Cancel();
    runner->WaitForEnd();
    EXPECT_FALSE(runner->Running());
    EXPECT_FALSE(runner->ProgressWindow()->isVisible());
    EXPECT_EQ(ReadFile(path), QByteArray("old"));
    EXPECT_TRUE(dialogs_.errors.isEmpty());
    EXPECT_EQ(window.statusBar()->currentMessage(), QStringLiteral("画像の書き出しを中止しました。"));
}

TEST_F(ExportImageTest, ADrawingFailureIsShownOnceTheExportHasEnded)
{
    TfrmMain& window = CreateShown();
    window.SetArea(1e4000L, 0, 1, 1);
    dialogs_.onExec = [](QDialog&) { return static_cast<int>(QDialog::Accepted); };
    dialogs_.saveAnswers.push_back(TSaveFileResult{TempPath(QStringLiteral("fail.bmp")), 1});
    window.actImgExport->trigger();
    ASSERT_NE(window.ExportRunner(), nullptr);
    window.ExportRunner()->WaitForEnd();
    ASSERT_EQ(dialogs_.errors.size(), 1);
    EXPECT_EQ(dialogs_.errors.front(), QStringLiteral("浮動小数点数のオーバーフロー"));
    EXPECT_FALSE(QFile::exists(TempPath(QStringLiteral("fail.bmp"))));
}
