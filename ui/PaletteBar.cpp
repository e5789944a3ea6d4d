// Painting the palette bar.
#include "ui/PaletteBar.h"

#include <QMouseEvent>
#include <QPainter>

TPaletteBar::TPaletteBar(QWidget* parent, std::function<void(int segment)> clicked)
    : QWidget(parent), clicked_(std::move(clicked))
{
    setObjectName(QStringLiteral("pbxPalette"));
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
}

void TPaletteBar::SetPalette(std::vector<int32_t> colors, std::vector<size_t> starts, int chosen)
{
    colors_ = std::move(colors);
    starts_ = std::move(starts);
    chosen_ = chosen;
    update();
}

int TPaletteBar::EdgeOf(size_t i) const
{
    if (colors_.empty()) return 0;
    return static_cast<int>(static_cast<double>(width()) * static_cast<double>(i) / static_cast<double>(colors_.size()));
}

int TPaletteBar::SegmentAt(int x) const
{
    if (colors_.empty() || x < 0 || x >= width()) return -1;
    const auto entry = static_cast<size_t>(static_cast<double>(x) * static_cast<double>(colors_.size()) / width());
    int segment = -1;
    // The last segment starting at or before the entry that adds colours.
    for (size_t s = 0; s < starts_.size(); ++s) {
        const size_t end = s + 1 < starts_.size() ? starts_[s + 1] : colors_.size();
        if (starts_[s] <= entry && entry < end) segment = static_cast<int>(s);
    }
    return segment;
}

void TPaletteBar::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), palette().window());
    if (colors_.empty()) return;
    for (size_t i = 0; i < colors_.size(); ++i) {
        const int32_t v = colors_[i];
        const int left = EdgeOf(i);
        const int right = std::max(left + 1, EdgeOf(i + 1));
        painter.fillRect(QRect(left, 0, right - left, height()), QColor(v & 0xFF, (v >> 8) & 0xFF, (v >> 16) & 0xFF));
    }
    // Segment boundaries: a dark line with a light edge shows on any colour.
    for (size_t s = 1; s < starts_.size(); ++s) {
        const int x = EdgeOf(starts_[s]);
        painter.fillRect(QRect(x - 1, 0, 1, height()), Qt::white);
        painter.fillRect(QRect(x, 0, 1, height()), Qt::black);
    }
    if (chosen_ >= 0 && static_cast<size_t>(chosen_) < starts_.size()) {
        const auto s = static_cast<size_t>(chosen_);
        const size_t end = s + 1 < starts_.size() ? starts_[s + 1] : colors_.size();
        const QRect frame(EdgeOf(starts_[s]), 0, std::max(3, EdgeOf(end) - EdgeOf(starts_[s])), height());
        painter.setPen(QPen(Qt::black, 2));
        painter.drawRect(frame.adjusted(1, 1, -1, -1));
        painter.setPen(QPen(Qt::white, 1, Qt::DotLine));
        painter.drawRect(frame.adjusted(1, 1, -1, -1));
    }
}

void TPaletteBar::mousePressEvent(QMouseEvent* event)
{
    const int segment = SegmentAt(static_cast<int>(event->position().x()));
    if (segment >= 0 && clicked_) clicked_(segment);
}
