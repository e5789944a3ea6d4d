// The File menu: documents, the picture as image file, clipboard copy and
// wallpaper, and closing the program.
#include "ui/Main.h"

#include "document/ImageExport.h"
#include "imaging/ImageFileType.h"
#include "imaging/ImagingErrors.h"
#include "settings/UVelquorRegistry.h"
#include "ui/Dialogs.h"
#include "ui/ExportDialog.h"
#include "ui/ExportRunner.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QImage>

namespace {

const char* const kVqpFilter = QT_TRANSLATE_NOOP("TfrmMain", "Velquorファイル(*.vqp)|*.vqp");
// Exported pictures that carry their pattern open like documents.
const char* const kOpenFilter = QT_TRANSLATE_NOOP(
    "TfrmMain", "Velquorファイル(*.vqp)|*.vqp|パターンを埋め込んだPNG(*.png)|*.png|すべて(*.vqp;*.png)|*.vqp;*.png");
const QString kVqpExt = QStringLiteral(".vqp");

} // namespace

std::optional<QString> TfrmMain::ChooseFileToOpen(QString& folder, const std::string& setting, const QString& filter,
                                                  const QString& defaultExt)
{
    RefreshDialogFolder(folder, setting);
    TOpenFileRequest request;
    request.filter = filter;
    request.defaultExt = defaultExt;
    request.initialDir = folder;
    return dialogs_->OpenFile(DialogParent(), request);
}

void TfrmMain::OpenDocument()
{
    const std::optional<QString> file =
        ChooseFileToOpen(vqpDialogFolder_, registry_->VqpDirectory, tr(kOpenFilter), kVqpExt);
    if (file) ops_->OpenDocument(file->toStdString());
}

void TfrmMain::SaveDocument()
{
    RefreshDialogFolder(vqpDialogFolder_, registry_->VqpDirectory);
    TSaveFileRequest request;
    request.filter = tr(kVqpFilter);
    request.defaultExt = kVqpExt;
    request.initialDir = vqpDialogFolder_;
    request.overwritePrompt = true;
    const std::optional<TSaveFileResult> result = dialogs_->SaveFile(DialogParent(), request);
    if (result) ops_->SaveDocument(result->fileName.toStdString());
}

void TfrmMain::SaveImage()
{
    TSaveFileRequest request;
    request.filter = tr("ﾋﾞｯﾄﾏｯﾌﾟ(*.bmp)|*.bmp|PNGﾌｧｲﾙ(*.png)|*.png");
    request.fileName = imgSaveFileName_;
    request.filterIndex = imgSaveFilterIndex_;
    const std::optional<TSaveFileResult> result = dialogs_->SaveFile(DialogParent(), request);
    if (!result) return;
    // Kept even when the write fails, as the dialog itself would.
    imgSaveFileName_ = result->fileName;
    imgSaveFilterIndex_ = result->filterIndex;
    const std::string fileName = result->fileName.toStdString();
    const int filterIndex = result->filterIndex;
    const TBitmap24& bitmap = ops_->ImageBitmap();
    // The picture is read on another thread while the window keeps painting;
    // no command may run meanwhile, as one could draw into it.
    savingImage_ = true;
    struct Release {
        bool& flag;
        ~Release() { flag = false; }
    } release{savingImage_};
    try {
        dialogs_->RunWithProgress(
            DialogParent(), tr("画像を保存しています..."),
            [&](const TReportProgress& report) { SaveImageFile(bitmap, fileName, filterIndex, report); });
    } catch (const ESaveCancelled&) {
        // The user's own choice; the previous file is as it was.
    }
}

void TfrmMain::ExportImage()
{
    if (exportRunner_ && exportRunner_->Running()) {
        ShowMessage("画像を書き出しています。終わるか中止してから書き出してください。");
        return;
    }
    TfrmExport dialog(DialogParent(), *ops_);
    if (dialogs_->Exec(dialog) != QDialog::Accepted) return;
    const TExportOptions options = dialog.Options();
    TSaveFileRequest request;
    const bool png = options.format == iftPng;
    request.filter = png ? QStringLiteral("PNGﾌｧｲﾙ(*.png)|*.png") : QStringLiteral("ﾋﾞｯﾄﾏｯﾌﾟ(*.bmp)|*.bmp");
    request.defaultExt = png ? QStringLiteral(".png") : QStringLiteral(".bmp");
    request.fileName = exportFileName_;
    request.overwritePrompt = true;
    const std::optional<TSaveFileResult> result = dialogs_->SaveFile(DialogParent(), request);
    if (!result) return;
    exportFileName_ = result->fileName;
    const std::string name = AddImageExtension(result->fileName.toStdString(), options.format);
    // Made here, from the pattern as it is now; the worker only draws it.
    auto job = std::make_unique<TImageExport>(*ops_, options);
    if (!exportRunner_)
        exportRunner_ = std::make_unique<TExportRunner>(this, [this](const QString&, const std::string& error) {
            if (!error.empty()) ErrorDialog(error);
        });
    exportRunner_->Start(std::move(job), QString::fromStdString(name));
}

void TfrmMain::CopyToClipboard()
{
    const TBitmap24& bitmap = ops_->ImageBitmap();
    if (bitmap.Empty()) return;
    // One deep copy in the bitmap's own three bytes a pixel, held by the
    // clipboard alone (the next drawing rewrites the bitmap); it is freed
    // when another program takes the clipboard over.
    const QImage image = QImage(bitmap.Bits(), bitmap.Width(), bitmap.Height(), static_cast<qsizetype>(bitmap.Stride()),
                                QImage::Format_BGR888)
                             .copy();
    QGuiApplication::clipboard()->setImage(image);
}

void TfrmMain::SetWallPaper(TWallpaperStyle style)
{
    const std::string failure = ::SetWallPaper(ops_->ImageBitmap(), *desktop_, programDir_, style);
    if (!failure.empty()) ErrorDialog(failure);
}

void TfrmMain::WallPaperCenter() { SetWallPaper(wpsCenter); }

void TfrmMain::WallPaperStretch() { SetWallPaper(wpsStretch); }

void TfrmMain::WallPaperTile() { SetWallPaper(wpsTile); }

void TfrmMain::CloseProgram() { close(); }
