// The paint box of the main window.
#include "ui/GraphView.h"

#include "bitmap/Bitmap24.h"

#include <QImage>
#include <QPaintEvent>
#include <QPainter>
#include <QRegion>

TGraphView::TGraphView(const TBitmap24& bitmap, QWidget* parent) : QWidget(parent), bitmap_(bitmap)
{
    setObjectName(QStringLiteral("ptbGraph"));
    // Every pixel is painted from the bitmap; no background fill first.
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void TGraphView::SetShift(QPoint shift)
{
    if (shift == shift_) return;
    shift_ = shift;
    update();
}

void TGraphView::paintEvent(QPaintEvent* event)
{
    QPainter painter(this);
    const QRect picture(shift_, QSize(bitmap_.Width(), bitmap_.Height()));
    const QRect shown = event->rect().intersected(picture);
    if (!shown.isEmpty()) {
        // Wraps only the rows asked for, without copying: the bitmap stores
        // blue, green, red bytes per pixel and pads each row to four bytes,
        // which is BGR888. A huge picture costs what its visible part costs.
        const int firstRow = shown.top() - shift_.y();
        const uint8_t* first = bitmap_.Bits() + static_cast<size_t>(firstRow) * bitmap_.Stride();
        const QImage image(first, bitmap_.Width(), shown.height(), static_cast<qsizetype>(bitmap_.Stride()),
                           QImage::Format_BGR888);
        painter.drawImage(shown.topLeft(), image, QRect(shown.left() - shift_.x(), 0, shown.width(), shown.height()));
    }
    for (const QRect& rest : QRegion(event->rect()).subtracted(shown)) painter.fillRect(rest, palette().window());
}
