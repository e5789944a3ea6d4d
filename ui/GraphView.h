// The paint box of the main window: shows the image bitmap at the view scale
// (1:1 by default), straight from the bitmap's rows. While the picture is
// dragged it is shown shifted, with the uncovered part blank.
#pragma once

#include <QPoint>
#include <QWidget>

class TBitmap24;

class TGraphView : public QWidget {
    Q_OBJECT
public:
    // bitmap is not owned and must outlive the view.
    TGraphView(const TBitmap24& bitmap, QWidget* parent);

    // The picture's size in its own pixels; the widget takes its shown size.
    void SetPictureSize(int width, int height);
    // Shown pixels per picture pixel; the widget takes the shown size.
    void SetScale(double scale);
    double Scale() const { return scale_; }

    // Where the bitmap's top-left corner is shown, in picture pixels;
    // (0, 0) but while dragged.
    void SetShift(QPoint shift);
    QPoint Shift() const { return shift_; }

    // Repaints the picture rows [first, last) where they are shown.
    void UpdateRows(int first, int last);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void ApplySize();
    void PaintScaled(QPainter& painter, const QRect& area);

    const TBitmap24& bitmap_;
    QPoint shift_;
    int pictureWidth_ = 0;
    int pictureHeight_ = 0;
    double scale_ = 1.0;
};
