// The File menu: documents (new, open, save to the current file or under a
// name, the last documents, the question before a change is lost), the
// picture as image file, clipboard copy and wallpaper, and closing the
// program.
#include "ui/Main.h"

#include "common/FileSystem.h"
#include "common/Paths.h"
#include "document/ImageExport.h"
#include "imaging/ImageFileType.h"
#include "imaging/ImagingErrors.h"
#include "settings/UVelquorRegistry.h"
#include "ui/Dialogs.h"
#include "ui/ExportDialog.h"
#include "ui/ExportRunner.h"
#include "ui/StatusPanels.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QImage>
#include <QMenu>

#include <algorithm>

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

void TfrmMain::NewDocument()
{
    if (!ConfirmDiscard()) return;
    // While the picture follows the window, a new pattern fills it too.
    const QSize area = PictureArea();
    const bool follow = actFollowWindow->isChecked();
    ops_->NewPattern(follow ? std::clamp(area.width(), 1, 9999) : 400,
                     follow ? std::clamp(area.height(), 1, 9999) : 400);
    doc_.New(ops_->Snapshot());
}

void TfrmMain::OpenDocument()
{
    if (!ConfirmDiscard()) return;
    const std::optional<QString> file =
        ChooseFileToOpen(vqpDialogFolder_, registry_->VqpDirectory, tr(kOpenFilter), kVqpExt);
    if (file) OpenDocumentFile(file->toStdString());
}

void TfrmMain::OpenDocumentFile(const std::string& fileName)
{
    ops_->OpenDocument(fileName);
    // Only a document applied whole is the one the window holds; one that
    // failed half-way leaves the previous document, now changed.
    doc_.Stored(fileName, ops_->Snapshot());
    AddRecent(fileName);
}

void TfrmMain::OpenRecent(const std::string& fileName)
{
    if (!IsFile(fileName)) {
        recent_.Remove(fileName);
        RebuildRecentMenu();
        ShowMessage(tr("%1 が見つかりません。\r\n最近使ったﾌｧｲﾙの一覧から外しました。")
                        .arg(QString::fromStdString(fileName))
                        .toStdString());
        return;
    }
    if (ConfirmDiscard()) OpenDocumentFile(fileName);
}

void TfrmMain::SaveDocument() { SaveCurrent(); }

void TfrmMain::SaveDocumentAs() { SaveAs(); }

bool TfrmMain::SaveCurrent()
{
    if (doc_.FileName().empty()) return SaveAs();
    SaveTo(doc_.FileName());
    return true;
}

bool TfrmMain::SaveAs()
{
    RefreshDialogFolder(vqpDialogFolder_, registry_->VqpDirectory);
    TSaveFileRequest request;
    request.filter = tr(kVqpFilter);
    request.defaultExt = kVqpExt;
    request.initialDir = vqpDialogFolder_;
    if (!doc_.FileName().empty()) request.fileName = QString::fromStdString(doc_.FileName());
    request.overwritePrompt = true;
    const std::optional<TSaveFileResult> result = dialogs_->SaveFile(DialogParent(), request);
    if (!result) return false;
    SaveTo(result->fileName.toStdString());
    return true;
}

void TfrmMain::SaveTo(const std::string& fileName)
{
    ops_->SaveDocument(fileName);
    doc_.Stored(fileName, ops_->Snapshot());
    AddRecent(fileName);
    statusPanels_->ShowNotice(tr("保存しました: ") + QString::fromStdString(FileNamePart(fileName)));
}

bool TfrmMain::ConfirmDiscard()
{
    if (!doc_.Modified(ops_->Snapshot())) return true;
    switch (dialogs_->AskToSave(DialogParent(), tr("変更を保存しますか？"))) {
    case TSaveAnswer::Save: return SaveCurrent();
    case TSaveAnswer::Discard: return true;
    case TSaveAnswer::Cancel: return false;
    }
    return false;
}

void TfrmMain::AddRecent(const std::string& fileName)
{
    recent_.Add(fileName);
    RebuildRecentMenu();
}

void TfrmMain::RebuildRecentMenu()
{
    recentMenu_->clear();
    const std::vector<std::string>& files = recent_.Files();
    for (size_t i = 0; i < files.size(); ++i) {
        QAction* item = recentMenu_->addAction(QString::fromStdString(RecentMenuCaption(i, files[i])));
        item->setObjectName(QStringLiteral("mnuFileRecent%1").arg(i + 1));
        item->setStatusTip(QString::fromStdString(files[i]));
        connect(item, &QAction::triggered, this, [this, file = files[i]] { RunCommand([&] { OpenRecent(file); }); });
    }
    recentMenu_->setEnabled(!files.empty());
    registry_->RecentFiles = files;
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
        dialogs_->RunWithProgress(DialogParent(), tr("画像を保存しています..."), [&](const TReportProgress& report) {
            SaveImageFile(bitmap, fileName, filterIndex, report);
        });
    } catch (const ESaveCancelled&) {
        // The user's own choice; the previous file is as it was.
        statusPanels_->ShowNotice(tr("画像の保存を取り消しました。"));
        return;
    }
    statusPanels_->ShowNotice(tr("画像を保存しました: ") + QString::fromStdString(FileNamePart(fileName)));
}

void TfrmMain::ExportImage()
{
    if (exportRunner_ && exportRunner_->Running()) {
        ShowMessage(tr("画像を書き出しています。終わるか中止してから書き出してください。").toStdString());
        return;
    }
    TfrmExport dialog(DialogParent(), *ops_);
    if (dialogs_->Exec(dialog) != QDialog::Accepted) return;
    const TExportOptions options = dialog.Options();
    TSaveFileRequest request;
    const bool png = options.format == iftPng;
    request.filter = png ? tr("PNGﾌｧｲﾙ(*.png)|*.png") : tr("ﾋﾞｯﾄﾏｯﾌﾟ(*.bmp)|*.bmp");
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
        exportRunner_ = std::make_unique<TExportRunner>(
            this, [this](const QString& path, const std::string& error, bool cancelled) {
                if (!error.empty()) ErrorDialog(error);
                else if (cancelled) statusPanels_->ShowNotice(tr("画像の書き出しを中止しました。"));
                else
                    statusPanels_->ShowNotice(tr("画像を書き出しました: ") +
                                              QString::fromStdString(FileNamePart(path.toStdString())));
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
    statusPanels_->ShowNotice(tr("画像をｸﾘｯﾌﾟﾎﾞｰﾄﾞにｺﾋﾟｰしました。"));
}

void TfrmMain::SetWallPaper(TWallpaperStyle style)
{
    std::string path;
    const std::string failure = ::SetWallPaper(ops_->ImageBitmap(), *desktop_, programDir_, style, &path);
    if (!failure.empty()) ErrorDialog(failure);
    // Where the picture went: beside the program, or the user's data folder.
    else statusPanels_->ShowNotice(tr("壁紙に設定しました: ") + QString::fromStdString(path));
}

void TfrmMain::WallPaperCenter() { SetWallPaper(wpsCenter); }

void TfrmMain::WallPaperStretch() { SetWallPaper(wpsStretch); }

void TfrmMain::WallPaperTile() { SetWallPaper(wpsTile); }

void TfrmMain::CloseProgram() { close(); }
