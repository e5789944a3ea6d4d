#include "engine/PixelProbe.h"

#include "common/Exceptions.h"
#include "common/FpuMath.h"
#include "palette/PaletteIndex.h"

TPixelProbe ProbePixel(const TVelquor& pattern, const TPointMove& move, int column, int row)
{
    TPixelProbe probe;
    const int width = pattern.Width();
    const int height = pattern.Height();
    if (column < 0 || row < 0 || column >= width || row >= height) return probe;
    probe.Inside = true;
    probe.MovedX = move.GetX(column, row);
    probe.MovedY = move.GetY(column, row);
    const long double incX = pattern.Incremental.X;
    const long double incY = pattern.Incremental.Y;
    // The drawing's order: the picture's left edge first, then the pixel.
    const long double left = pattern.Center.X - width * incX / 2;
    const long double top = pattern.Center.Y - height * incY / 2;
    const long double x = left + probe.MovedX * incX;
    const long double y = top + probe.MovedY * incY;
    probe.X = static_cast<double>(x);
    probe.Y = static_cast<double>(y);
    try {
        probe.Raw = pattern.Formula().Raw(fpu::ToDoubleArg(x), fpu::ToDoubleArg(y));
        probe.HasRaw = true;
        probe.Value = pattern.Formula().Calc(fpu::ToDoubleArg(x), fpu::ToDoubleArg(y));
        probe.Index = PaletteIndex(probe.Value, pattern.Mcf().High);
        // An index the palette does not have fails the drawing there.
        if (probe.Index > pattern.Mcf().High) pattern.Mcf().GetColor(probe.Index);
        // The entry the drawing shows, the palette turned by its offset.
        const int32_t high = pattern.Mcf().High;
        probe.Index = OffsetPaletteIndex(probe.Index, high, NormalPaletteOffset(pattern.PaletteOffset(), high));
    } catch (const Exception& e) {
        probe.Error = e.Message();
    }
    return probe;
}
