// The paint box of the main window.
#include "ui/GraphView.h"

#include "bitmap/Bitmap24.h"
#include "document/ViewScale.h"

#include <QImage>
#include <QPaintEvent>
#include <QPainter>
#include <QRegion>

#include <algorithm>
#include <cmath>

TGraphView::TGraphView(const TBitmap24& bitmap, QWidget* parent) : QWidget(parent), bitmap_(bitmap)
{
    setObjectName(QStringLiteral("ptbGraph"));
    // Every pixel is painted from the bitmap; no background fill first.
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void TGraphView::SetPictureSize(int width, int height)
{
    pictureWidth_ = width;
    pictureHeight_ = height;
    ApplySize();
}

void TGraphView::SetScale(double scale)
{
    if (scale == scale_) return;
    scale_ = scale;
    ApplySize();
    update();
}

void TGraphView::ApplySize() { setFixedSize(ScaledLength(pictureWidth_, scale_), ScaledLength(pictureHeight_, scale_)); }

void TGraphView::SetShift(QPoint shift)
{
    if (shift == shift_) return;
    shift_ = shift;
    update();
}

void TGraphView::UpdateRows(int first, int last)
{
    if (last <= first) return;
    const int top = static_cast<int>(std::floor((first + shift_.y()) * scale_));
    const int bottom = static_cast<int>(std::ceil((last + shift_.y()) * scale_));
    update(0, top, width(), bottom - top);
}

void TGraphView::paintEvent(QPaintEvent* event)
{
    QPainter painter(this);
    // The bitmap may be a different size for a moment while a new size is
    // applied; only what both have is painted.
    const int bitmapWidth = std::min(bitmap_.Width(), pictureWidth_);
    const int bitmapHeight = std::min(bitmap_.Height(), pictureHeight_);
    if (scale_ != 1.0) {
        PaintScaled(painter, event->rect());
        return;
    }
    const QRect picture(shift_, QSize(bitmapWidth, bitmapHeight));
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

void TGraphView::PaintScaled(QPainter& painter, const QRect& area)
{
    const int bitmapWidth = std::min(bitmap_.Width(), pictureWidth_);
    const int bitmapHeight = std::min(bitmap_.Height(), pictureHeight_);
    // The picture pixels that the area shows, whole pixels at its edges.
    const int left = std::max(0, static_cast<int>(std::floor(area.left() / scale_)) - shift_.x());
    const int top = std::max(0, static_cast<int>(std::floor(area.top() / scale_)) - shift_.y());
    const int right = std::min(bitmapWidth, static_cast<int>(std::ceil((area.right() + 1) / scale_)) - shift_.x());
    const int bottom = std::min(bitmapHeight, static_cast<int>(std::ceil((area.bottom() + 1) / scale_)) - shift_.y());
    // The background first, so that a partly covered edge pixel is the
    // picture's where the picture reaches.
    QRegion rest(area);
    const bool any = right > left && bottom > top;
    const QRectF target((left + shift_.x()) * scale_, (top + shift_.y()) * scale_, (right - left) * scale_,
                        (bottom - top) * scale_);
    if (any) {
        const QRect inner(QPoint(static_cast<int>(std::ceil(target.left())), static_cast<int>(std::ceil(target.top()))),
                          QPoint(static_cast<int>(std::floor(target.right())) - 1,
                                 static_cast<int>(std::floor(target.bottom())) - 1));
        rest -= inner;
    }
    for (const QRect& r : rest) painter.fillRect(r, palette().window());
    if (!any) return;
    const uint8_t* first = bitmap_.Bits() + static_cast<size_t>(top) * bitmap_.Stride();
    const QImage image(first, bitmap_.Width(), bottom - top, static_cast<qsizetype>(bitmap_.Stride()),
                       QImage::Format_BGR888);
    // Reduced, neighbouring pixels are blended; enlarged, each stays a sharp
    // square, which is what one looks at a pattern closely for.
    painter.setRenderHint(QPainter::SmoothPixmapTransform, scale_ < 1.0);
    painter.setClipRect(area);
    painter.drawImage(target, image, QRectF(left, 0, right - left, bottom - top));
}
