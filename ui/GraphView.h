// The paint box of the main window: shows the image bitmap unscaled at its
// top-left corner, straight from the bitmap's rows.
#pragma once

#include <QWidget>

class TBitmap24;

class TGraphView : public QWidget {
    Q_OBJECT
public:
    // bitmap is not owned and must outlive the view.
    TGraphView(const TBitmap24& bitmap, QWidget* parent);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    const TBitmap24& bitmap_;
};
