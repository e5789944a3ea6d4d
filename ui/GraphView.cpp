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

void TGraphView::paintEvent(QPaintEvent* event)
{
    QPainter painter(this);
    const QRect picture(0, 0, bitmap_.Width(), bitmap_.Height());
    const QRect rows = event->rect().intersected(picture);
    if (rows.isEmpty()) {
        painter.fillRect(event->rect(), palette().window());
        return;
    }
    // Wraps only the rows asked for, without copying: the bitmap stores blue,
    // green, red bytes per pixel and pads each row to four bytes, which is
    // BGR888. A huge picture costs what its visible part costs.
    const uint8_t* first = bitmap_.Bits() + static_cast<size_t>(rows.top()) * bitmap_.Stride();
    const QImage image(first, bitmap_.Width(), rows.height(), static_cast<qsizetype>(bitmap_.Stride()),
                       QImage::Format_BGR888);
    painter.drawImage(QPoint(rows.left(), rows.top()), image, QRect(rows.left(), 0, rows.width(), rows.height()));
    for (const QRect& rest : QRegion(event->rect()).subtracted(rows)) painter.fillRect(rest, palette().window());
}
