#include "ui/PictureInput.h"

#include "document/ViewScale.h"
#include "ui/GraphView.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QRubberBand>
#include <QWheelEvent>

#include <cmath>
#include <utility>

namespace {

// The shown pixel a position lies in.
QPoint ShownPixelAt(QPointF pos)
{
    return QPoint(static_cast<int>(std::floor(pos.x())), static_cast<int>(std::floor(pos.y())));
}

// Corners at the pixels' edges: press and release on the same pixel span nothing.
QRect Spanned(QPoint a, QPoint b)
{
    return QRect(QPoint(std::min(a.x(), b.x()), std::min(a.y(), b.y())),
                 QSize(std::abs(b.x() - a.x()), std::abs(b.y() - a.y())));
}

} // namespace

QPoint TPictureInput::PixelAt(QPointF pos) const
{
    const double scale = view_.Scale();
    return QPoint(PixelUnder(pos.x(), scale), PixelUnder(pos.y(), scale));
}

TPictureInput::TPictureInput(TGraphView& view, THandlers handlers) : view_(view), handlers_(std::move(handlers))
{
    // A click gives the picture the focus, so the keys act on it only then.
    view_.setFocusPolicy(Qt::ClickFocus);
    view_.setMouseTracking(true);
    // The right button draws rectangles here.
    view_.setContextMenuPolicy(Qt::PreventContextMenu);
    band_ = new QRubberBand(QRubberBand::Rectangle, &view_);
    band_->setObjectName(QStringLiteral("bndZoom"));
    view_.installEventFilter(this);
}

TPictureInput::~TPictureInput()
{
    view_.removeEventFilter(this);
    delete band_;
}

bool TPictureInput::eventFilter(QObject* watched, QEvent* event)
{
    if (watched != &view_) return false;
    switch (event->type()) {
    case QEvent::Wheel: return Wheel(static_cast<QWheelEvent&>(*event));
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick: return Press(static_cast<QMouseEvent&>(*event));
    case QEvent::MouseMove: return Move(static_cast<QMouseEvent&>(*event));
    case QEvent::MouseButtonRelease: return Release(static_cast<QMouseEvent&>(*event));
    case QEvent::KeyPress: return Key(static_cast<QKeyEvent&>(*event));
    case QEvent::FocusOut: CancelDrag(); return false;
    case QEvent::Leave:
        if (drag_ == TDrag::None) handlers_.pointer(std::nullopt);
        return false;
    default: return false;
    }
}

bool TPictureInput::Wheel(QWheelEvent& event)
{
    // With scroll bars a plain wheel scrolls: the scroll area takes the
    // event once the picture has left it.
    if (handlers_.scrolls() && !(event.modifiers() & Qt::ControlModifier)) return false;
    event.accept();
    wheelRest_ += event.angleDelta().y();
    const int notches = wheelRest_ / kNotchAngle;
    wheelRest_ -= notches * kNotchAngle;
    if (notches != 0) handlers_.zoomAt(PixelAt(event.position()), notches);
    return true;
}

bool TPictureInput::Press(QMouseEvent& event)
{
    if (drag_ != TDrag::None) return true;
    const bool shift = event.modifiers() & Qt::ShiftModifier;
    if (event.button() == Qt::LeftButton && !shift) drag_ = TDrag::Pan;
    else if (event.button() == Qt::RightButton || event.button() == Qt::LeftButton) drag_ = TDrag::Rect;
    else return false;
    dragButton_ = event.button();
    dragStart_ = PixelAt(event.position());
    dragStartShown_ = ShownPixelAt(event.position());
    if (drag_ == TDrag::Rect) {
        band_->setGeometry(QRect(dragStartShown_, QSize()));
        band_->show();
    }
    return true;
}

QRect TPictureInput::DragRect(QPoint end) const { return Spanned(dragStart_, end); }

bool TPictureInput::Move(QMouseEvent& event)
{
    const QPoint pixel = PixelAt(event.position());
    switch (drag_) {
    case TDrag::Pan:
        view_.SetShift(pixel - dragStart_);
        // The pattern under the pointer is the one it was pressed on.
        handlers_.pointer(dragStart_);
        return true;
    case TDrag::Rect:
        band_->setGeometry(Spanned(dragStartShown_, ShownPixelAt(event.position())));
        handlers_.pointer(pixel);
        return true;
    case TDrag::None: handlers_.pointer(pixel); return false;
    }
    return false;
}

bool TPictureInput::Release(QMouseEvent& event)
{
    if (drag_ == TDrag::None || event.button() != dragButton_) return drag_ != TDrag::None;
    const QPoint pixel = PixelAt(event.position());
    const TDrag drag = drag_;
    drag_ = TDrag::None;
    dragButton_ = Qt::NoButton;
    if (drag == TDrag::Pan) {
        const QPoint shift = pixel - dragStart_;
        // The move shifts the picture itself, so the view stays shifted
        // until then and nothing jumps back in between.
        if (!shift.isNull()) handlers_.pan(shift.x(), shift.y());
        view_.SetShift(QPoint());
    } else {
        band_->hide();
        // A click is told from a rectangle by what the user saw.
        const QRect shown = Spanned(dragStartShown_, ShownPixelAt(event.position()));
        const QRect rect = DragRect(pixel);
        if (std::max(shown.width(), shown.height()) >= kMinRectPixels && !rect.isEmpty()) handlers_.zoomToRect(rect);
    }
    handlers_.pointer(pixel);
    return true;
}

void TPictureInput::CancelDrag()
{
    drag_ = TDrag::None;
    dragButton_ = Qt::NoButton;
    band_->hide();
    view_.SetShift(QPoint());
}

bool TPictureInput::Key(QKeyEvent& event)
{
    if (drag_ != TDrag::None) {
        if (event.key() == Qt::Key_Escape) CancelDrag();
        return true;
    }
    // Ctrl, Alt and Meta with these keys belong to shortcuts.
    if (event.modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)) return false;
    switch (event.key()) {
    case Qt::Key_Left: handlers_.arrow(TArrow::Left); return true;
    case Qt::Key_Right: handlers_.arrow(TArrow::Right); return true;
    case Qt::Key_Up: handlers_.arrow(TArrow::Up); return true;
    case Qt::Key_Down: handlers_.arrow(TArrow::Down); return true;
    // "=" is + without Shift on many keyboards.
    case Qt::Key_Plus:
    case Qt::Key_Equal: handlers_.zoomAboutCentre(1); return true;
    case Qt::Key_Minus: handlers_.zoomAboutCentre(-1); return true;
    default: return false;
    }
}
