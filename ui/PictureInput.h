// The mouse and the keys on the picture, turned into moves: the wheel zooms
// about the pointer (with scroll bars only with Ctrl; a plain wheel scrolls),
// a left drag pans with the picture following the pointer, a right drag or
// Shift + left drag spans a rectangle to zoom to, arrow keys pan and + and -
// zoom while the picture has the focus (a click gives it). Positions are
// reported in picture pixels at any view scale. What each move does to the
// pattern is the handlers' business.
#pragma once

#include "document/PlaneMoves.h"

#include <QObject>
#include <QPoint>
#include <QRect>

#include <functional>
#include <optional>

class QKeyEvent;
class QMouseEvent;
class QRubberBand;
class QWheelEvent;
class TGraphView;

class TPictureInput : public QObject {
public:
    struct THandlers {
        // True while the picture scrolls in its area (scroll bars shown).
        std::function<bool()> scrolls;
        // Wheel notches about a pixel; positive zooms in.
        std::function<void(QPoint pixel, int notches)> zoomAt;
        // The picture dragged by whole pixels.
        std::function<void(int dx, int dy)> pan;
        // A rectangle of pixels to fill the picture with.
        std::function<void(QRect rect)> zoomToRect;
        std::function<void(TArrow arrow)> arrow;
        // + and -: notches about the picture's centre.
        std::function<void(int notches)> zoomAboutCentre;
        // The pixel under the pointer, or none once it has left the picture.
        std::function<void(std::optional<QPoint> pixel)> pointer;
    };

    // Watches view, which must outlive this object.
    TPictureInput(TGraphView& view, THandlers handlers);
    ~TPictureInput() override;

    // A press and release closer than this is a click, not a rectangle.
    static constexpr int kMinRectPixels = 3;
    // A wheel notch in Qt's eighths of a degree.
    static constexpr int kNotchAngle = 120;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    enum class TDrag { None, Pan, Rect };

    bool Wheel(QWheelEvent& event);
    bool Press(QMouseEvent& event);
    bool Move(QMouseEvent& event);
    bool Release(QMouseEvent& event);
    bool Key(QKeyEvent& event);
    void CancelDrag();
    QRect DragRect(QPoint end) const;
    // The picture pixel under a position on the view, at its scale.
    QPoint PixelAt(QPointF pos) const;

    TGraphView& view_;
    THandlers handlers_;
    QRubberBand* band_ = nullptr;
    TDrag drag_ = TDrag::None;
    Qt::MouseButton dragButton_ = Qt::NoButton;
    // Where the drag began: the picture pixel and the shown pixel.
    QPoint dragStart_;
    QPoint dragStartShown_;
    // Eighths of a degree not yet making a whole notch (fine-grained wheels).
    int wheelRest_ = 0;
};
