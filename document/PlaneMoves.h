// Moving about the plane with the mouse and the keyboard, as arithmetic on
// the centre and the increment alone. Pixel positions are those of the
// picture (column, row, 0 at the top left); pixel column mx lies at
// Center.X - Width * Inc.X / 2 + mx * Inc.X, and the same for rows.
#pragma once

#include "bitmap/Bitmap24.h"
#include "engine/UFloatPoint.h"

#include <cstdint>

// The part of the plane the picture shows.
struct TPlaneArea {
    TFloatPoint Center;
    TFloatPoint Incremental;
    bool operator==(const TPlaneArea&) const = default;
};

// The picture's size in pixels.
struct TPictureSize {
    int Width = 0;
    int Height = 0;
};

// Notches of the mouse wheel between a halving or doubling of the increments.
constexpr int kNotchesPerDoubling = 4;

// The factor one or more notches scale both increments by: 2^(-notches/4),
// so a positive count (the wheel turned away from the user) zooms in.
long double NotchFactor(int notches);

// Zooms by notches about the pixel (px, py): both increments are scaled by
// NotchFactor (their signs kept) and the centre moves so the pixel shows the
// same point of the plane as before.
TPlaneArea ZoomAbout(const TPlaneArea& area, TPictureSize size, long double px, long double py, int notches);

// The picture dragged by (dx, dy) pixels: the centre moves the other way.
TPlaneArea Pan(const TPlaneArea& area, long double dx, long double dy);

// The rectangle (left, top, width, height in pixels) fills the picture: its
// centre becomes the centre and both increments are scaled by the one factor
// that makes its relatively longer side span the picture, so all of it stays
// in view. A rectangle of no size leaves the area as it is.
TPlaneArea ZoomToRect(const TPlaneArea& area, TPictureSize size, long double left, long double top, long double width,
                      long double height);

// An arrow key drags the picture by an eighth of its size (whole pixels, at
// least one) against the key, so the view travels the way the key points.
enum class TArrow { Left, Right, Up, Down };
void ArrowOffset(TPictureSize size, TArrow arrow, int& dx, int& dy);

// True when the centre, the increment and the plane points of the picture's
// edges are all finite numbers; a move that gives anything else is refused.
bool AreaIsFinite(const TPlaneArea& area, TPictureSize size);

// Moves the picture's pixels by (dx, dy) and fills what is uncovered with one
// colour (blue, green, red), so a dragged picture stays where the pointer
// left it until the new drawing reaches each row.
void ShiftPicture(TBitmap24& bitmap, int dx, int dy, uint8_t blue, uint8_t green, uint8_t red);
