// The choice of painter for a drawing: the vector painter where it may run,
// the per-axis painters where tables apply, shared angles for the rotation,
// the per-pixel painter otherwise.
#include "engine/RowPainter.h"

#include "engine/AxisPainter.h"
#include "engine/ExpressionPainter.h"
#include "engine/PixelPainter.h"
#include "engine/RotationPainter.h"
#include "engine/VectorPainter.h"

std::unique_ptr<TRowPainter> MakeRowPainter(const DrawSetup& setup, TPainterKind kind)
{
    if (kind == TPainterKind::PerPixel || setup.mcf.High < 1) return MakePixelPainter(setup, false);
    if (std::unique_ptr<TMove0Painter> axis = MakeMove0Painter(setup)) {
        if (kind == TPainterKind::Fastest && VectorPainterUsable(*axis)) return MakeVectorPainter(std::move(axis));
        return axis;
    }
    if (std::unique_ptr<TRowPainter> typed = MakeExpressionPainter(setup)) return typed;
    if (std::unique_ptr<TRowPainter> shift = MakeShiftPainter(setup)) return shift;
    if (std::unique_ptr<TRowPainter> rotation = MakeRotationPainter(setup)) return rotation;
    return MakePixelPainter(setup, true);
}
