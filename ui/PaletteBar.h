// The whole palette as one bar, every entry a band, with a line at each
// segment's start; the chosen segment is framed and a click chooses the
// segment under the pointer.
#pragma once

#include <QWidget>

#include <cstdint>
#include <functional>
#include <vector>

class TPaletteBar : public QWidget {
    Q_OBJECT
public:
    explicit TPaletteBar(QWidget* parent, std::function<void(int segment)> clicked);

    // colors: every entry; starts: the first entry of each segment (a
    // segment that adds no colour starts where the next one does).
    void SetPalette(std::vector<int32_t> colors, std::vector<size_t> starts, int chosen);
    void SetChosen(int segment)
    {
        chosen_ = segment;
        update();
    }
    // The segment whose colours are under x, or -1.
    int SegmentAt(int x) const;
    const std::vector<int32_t>& Colors() const { return colors_; }

    QSize sizeHint() const override { return {480, 40}; }
    QSize minimumSizeHint() const override { return {120, 24}; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    // The x of entry i's left edge.
    int EdgeOf(size_t i) const;

    std::function<void(int)> clicked_;
    std::vector<int32_t> colors_;
    std::vector<size_t> starts_;
    int chosen_ = -1;
};
