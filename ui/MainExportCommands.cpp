// The main window's commands that take the picture out: image file,
// clipboard and wallpaper.
#include "ui/Main.h"

#include "ui/Dialogs.h"
#include "imaging/ImageFileType.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QImage>

#include <optional>

void TfrmMain::actImgSaveExecute()
{
    RunCommand([this] {
        TSaveFileRequest request;
        request.filter = QStringLiteral("ﾋﾞｯﾄﾏｯﾌﾟ(*.bmp)|*.bmp|PNGﾌｧｲﾙ(*.png)|*.png");
        request.fileName = imgSaveFileName_;
        request.filterIndex = imgSaveFilterIndex_;
        const std::optional<TSaveFileResult> result = dialogs_->SaveFile(this, request);
        if (!result)
            return;
        // Kept even when the write fails, as the dialog itself would.
        imgSaveFileName_ = result->fileName;
        imgSaveFilterIndex_ = result->filterIndex;
        SaveImageFile(ops_->ImageBitmap(), result->fileName.toStdString(), result->filterIndex);
    });
}

void TfrmMain::actClipbordSaveExecute()
{
    RunCommand([this] {
        const TBitmap24& bitmap = ops_->ImageBitmap();
        if (bitmap.Empty())
            return;
        // A deep copy: the clipboard outlives the next drawing into the bitmap.
        const QImage image = QImage(bitmap.Bits(), bitmap.Width(), bitmap.Height(),
                                    static_cast<qsizetype>(bitmap.Stride()), QImage::Format_BGR888)
                                 .convertToFormat(QImage::Format_RGB32);
        QGuiApplication::clipboard()->setImage(image);
    });
}

void TfrmMain::SetWallPaper(TWallpaperStyle style)
{
    RunCommand([this, style] { ::SetWallPaper(ops_->ImageBitmap(), *desktop_, programDir_, style); });
}

void TfrmMain::actWallCenterExecute()
{
    SetWallPaper(wpsCenter);
}

void TfrmMain::actWallStretchExecute()
{
    SetWallPaper(wpsStretch);
}

void TfrmMain::actWallTileExecute()
{
    SetWallPaper(wpsTile);
}
