// The paint box of the main window: shows the image bitmap unscaled at its
// top-left corner, straight from the bitmap's rows. While the picture is
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

    // Where the bitmap's top-left corner is shown; (0, 0) but while dragged.
    void SetShift(QPoint shift);
    QPoint Shift() const { return shift_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    const TBitmap24& bitmap_;
    QPoint shift_;
};
