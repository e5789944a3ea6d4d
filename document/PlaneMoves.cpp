#include "document/PlaneMoves.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <vector>

long double NotchFactor(int notches)
{
    // exp2l is exact for whole powers, so four notches are exactly a halving.
    return std::exp2l(-static_cast<long double>(notches) / kNotchesPerDoubling);
}

TPlaneArea ZoomAbout(const TPlaneArea& area, TPictureSize size, long double px, long double py, int notches)
{
    const long double factor = NotchFactor(notches);
    TPlaneArea out;
    out.Incremental = FloatPoint(area.Incremental.X * factor, area.Incremental.Y * factor);
    // The pixel's point P = C - W*I/2 + p*I stays where it is when
    // C' = C + (p - W/2) * (I - I').
    const long double ox = px - size.Width / 2.0L;
    const long double oy = py - size.Height / 2.0L;
    out.Center = FloatPoint(area.Center.X + ox * (area.Incremental.X - out.Incremental.X),
                            area.Center.Y + oy * (area.Incremental.Y - out.Incremental.Y));
    return out;
}

TPlaneArea Pan(const TPlaneArea& area, long double dx, long double dy)
{
    return TPlaneArea{FloatPoint(area.Center.X - dx * area.Incremental.X, area.Center.Y - dy * area.Incremental.Y),
                      area.Incremental};
}

TPlaneArea ZoomToRect(const TPlaneArea& area, TPictureSize size, long double left, long double top, long double width,
                      long double height)
{
    if (width <= 0 && height <= 0) return area;
    if (size.Width <= 0 || size.Height <= 0) return area;
    const long double factor = std::max(width / size.Width, height / size.Height);
    const long double ox = left + width / 2 - size.Width / 2.0L;
    const long double oy = top + height / 2 - size.Height / 2.0L;
    return TPlaneArea{FloatPoint(area.Center.X + ox * area.Incremental.X, area.Center.Y + oy * area.Incremental.Y),
                      FloatPoint(area.Incremental.X * factor, area.Incremental.Y * factor)};
}

void ArrowOffset(TPictureSize size, TArrow arrow, int& dx, int& dy)
{
    const int stepX = std::max(1, size.Width / 8);
    const int stepY = std::max(1, size.Height / 8);
    dx = dy = 0;
    switch (arrow) {
    case TArrow::Left: dx = stepX; break;
    case TArrow::Right: dx = -stepX; break;
    case TArrow::Up: dy = stepY; break;
    case TArrow::Down: dy = -stepY; break;
    }
}

bool AreaIsFinite(const TPlaneArea& area, TPictureSize size)
{
    const auto finite = [](long double v) { return std::isfinite(v); };
    if (!finite(area.Center.X) || !finite(area.Center.Y) || !finite(area.Incremental.X) || !finite(area.Incremental.Y))
        return false;
    // The drawing computes Center - Size * Inc / 2 first; an overflow there
    // would only show as a failed drawing.
    const long double halfX = size.Width * area.Incremental.X / 2;
    const long double halfY = size.Height * area.Incremental.Y / 2;
    return finite(area.Center.X - halfX) && finite(area.Center.X + halfX) && finite(area.Center.Y - halfY) &&
           finite(area.Center.Y + halfY);
}

void ShiftPicture(TBitmap24& bitmap, int dx, int dy, uint8_t blue, uint8_t green, uint8_t red)
{
    const int width = bitmap.Width();
    const int height = bitmap.Height();
    if (width <= 0 || height <= 0) return;
    std::vector<uint8_t> blank(static_cast<size_t>(width) * 3);
    for (size_t i = 0; i < blank.size(); i += 3) {
        blank[i] = blue;
        blank[i + 1] = green;
        blank[i + 2] = red;
    }
    // Columns that keep a pixel: destination x in [dstX, dstX + keep).
    const int keep = std::max(0, width - std::abs(dx));
    const int dstX = std::max(0, dx);
    const int srcX = std::max(0, -dx);
    const auto shiftRow = [&](uint8_t* dst, const uint8_t* src) {
        // dst and src may be the same row, so the kept run is moved first.
        if (keep > 0) std::memmove(dst + dstX * 3, src + srcX * 3, static_cast<size_t>(keep) * 3);
        if (dx > 0) std::memcpy(dst, blank.data(), static_cast<size_t>(std::min(dx, width)) * 3);
        if (dx < 0) std::memcpy(dst + keep * 3, blank.data(), static_cast<size_t>(width - keep) * 3);
    };
    // Rows are taken in the order that reads each source before it is written.
    if (dy >= 0) {
        for (int y = height - 1; y >= 0; --y) {
            const int from = y - dy;
            if (from >= 0) shiftRow(bitmap.Row(y), bitmap.Row(from));
            else std::memcpy(bitmap.Row(y), blank.data(), blank.size());
        }
    } else {
        for (int y = 0; y < height; ++y) {
            const int from = y - dy;
            if (from < height) shiftRow(bitmap.Row(y), bitmap.Row(from));
            else std::memcpy(bitmap.Row(y), blank.data(), blank.size());
        }
    }
}
