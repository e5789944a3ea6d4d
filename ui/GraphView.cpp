// The paint box of the main window.
#include "ui/GraphView.h"

#include "bitmap/Bitmap24.h"

#include <QImage>
#include <QPainter>

TGraphView::TGraphView(const TBitmap24& bitmap, QWidget* parent) : QWidget(parent), bitmap_(bitmap)
{
    setObjectName(QStringLiteral("ptbGraph"));
    // Every pixel is painted from the bitmap; no background fill first.
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void TGraphView::paintEvent(QPaintEvent* /*event*/)
{
    QPainter painter(this);
    if (bitmap_.Empty()) {
        painter.fillRect(rect(), palette().window());
        return;
    }
    // Wraps the rows without copying: the bitmap stores blue, green, red
    // bytes per pixel and pads each row to four bytes, which is BGR888.
    const QImage image(bitmap_.Bits(), bitmap_.Width(), bitmap_.Height(), static_cast<qsizetype>(bitmap_.Stride()),
                       QImage::Format_BGR888);
    painter.drawImage(0, 0, image);
}
