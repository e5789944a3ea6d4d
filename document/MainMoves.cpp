// Moving about the plane: the arithmetic of PlaneMoves applied through the
// same operations as the formula dialog's OK.
#include "document/MainOperations.h"

#include "common/Exceptions.h"

TPlaneArea TMainOperations::Area() const { return TPlaneArea{pattern_->Center, pattern_->Incremental}; }

TPictureSize TMainOperations::PictureSize() const { return TPictureSize{pattern_->Width(), pattern_->Height()}; }

void TMainOperations::MoveTo(const TPlaneArea& area)
{
    if (!AreaIsFinite(area, PictureSize())) throw EOverflow(kMsgOverflow);
    host_.StopDraw();
    SetArea(area.Center.X, area.Center.Y, area.Incremental.X, area.Incremental.Y);
    host_.StartDraw();
}

void TMainOperations::ZoomAt(long double px, long double py, int notches)
{
    if (notches == 0) return;
    MoveTo(ZoomAbout(Area(), PictureSize(), px, py, notches));
}

void TMainOperations::PanBy(int dx, int dy)
{
    if (dx == 0 && dy == 0) return;
    const TPlaneArea area = Pan(Area(), dx, dy);
    if (!AreaIsFinite(area, PictureSize())) throw EOverflow(kMsgOverflow);
    host_.StopDraw();
    // After the stop, so no progress copy of the old drawing lands on it.
    ShiftPicture(imageBitmap_, dx, dy, blank_.blue, blank_.green, blank_.red);
    SetArea(area.Center.X, area.Center.Y, area.Incremental.X, area.Incremental.Y);
    host_.StartDraw();
}

void TMainOperations::ZoomToRect(long double left, long double top, long double width, long double height)
{
    if (width <= 0 && height <= 0) return;
    MoveTo(::ZoomToRect(Area(), PictureSize(), left, top, width, height));
}

void TMainOperations::ArrowKey(TArrow arrow)
{
    int dx = 0, dy = 0;
    ArrowOffset(PictureSize(), arrow, dx, dy);
    PanBy(dx, dy);
}

void TMainOperations::ZoomAboutCentre(int notches)
{
    const TPictureSize size = PictureSize();
    ZoomAt(size.Width / 2.0L, size.Height / 2.0L, notches);
}

void TMainOperations::ResetArea() { MoveTo(TPlaneArea{FloatPoint(0, 0), FloatPoint(1, 1)}); }
