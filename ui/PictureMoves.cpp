// The mouse and the keys on the picture: each move runs as a command (so it
// is shown when refused and becomes a step of the history), then the picture
// and the pointer's panel show its result.
#include "ui/Main.h"

#include "document/PointerText.h"
#include "engine/PixelProbe.h"
#include "engine/UPointMove.h"
#include "ui/GraphView.h"
#include "ui/PictureInput.h"
#include "ui/StatusPanels.h"

#include <QScrollArea>

void TfrmMain::CreatePictureInput()
{
    // What a pan uncovers is blank as it was while dragging.
    const QColor blank = ptbGraph->palette().window().color();
    ops_->SetBlankColor(static_cast<uint8_t>(blank.blue()), static_cast<uint8_t>(blank.green()),
                        static_cast<uint8_t>(blank.red()));
    TPictureInput::THandlers h;
    h.scrolls = [this] { return PictureScrolls(); };
    h.zoomAt = [this](QPoint pixel, int notches) { RunMove([&] { ops_->ZoomAt(pixel.x(), pixel.y(), notches); }); };
    h.pan = [this](int dx, int dy) { RunMove([&] { ops_->PanBy(dx, dy); }); };
    h.zoomToRect = [this](QRect r) { RunMove([&] { ops_->ZoomToRect(r.x(), r.y(), r.width(), r.height()); }); };
    h.arrow = [this](TArrow arrow) { RunMove([&] { ops_->ArrowKey(arrow); }); };
    h.zoomAboutCentre = [this](int notches) { RunMove([&] { ops_->ZoomAboutCentre(notches); }); };
    h.pointer = [this](std::optional<QPoint> pixel) { ShowPointer(pixel); };
    pictureInput_ = std::make_unique<TPictureInput>(*ptbGraph, std::move(h));
}

void TfrmMain::RunMove(const std::function<void()>& move)
{
    RunCommand(move);
    // A pan has moved the shown picture itself.
    ptbGraph->update();
}

void TfrmMain::ShowPointer(std::optional<QPoint> pixel)
{
    pointer_ = pixel;
    std::string text;
    const TVelquor& pattern = ops_->Pattern();
    const int32_t type = ops_->PointMoveType();
    // A point move of our own: the renderer's is the worker's to resize.
    if (pixel && type >= 0 && type < TPointMoveBox::PointMoveCount()) {
        const std::unique_ptr<TPointMove> move = TPointMoveBox::GetPointMove(type);
        move->SetParam(ops_->PointMoveParam());
        move->SetSize(pattern.Width(), pattern.Height());
        text = PointerText(ProbePixel(pattern, *move, pixel->x(), pixel->y()), type != 0, pattern.Incremental.X,
                           pattern.Incremental.Y);
    }
    statusPanels_->ShowPointer(QString::fromStdString(text));
}
