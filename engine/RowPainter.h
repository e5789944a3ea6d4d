// Row painters: one row of a drawing, from the point move through the plane,
// the formula and the palette to the pixel bytes. Every painter gives the
// same bytes and fails with the same message at the same pixel; they differ
// only in speed.
#pragma once

#include "bitmap/Bitmap24.h"
#include "engine/UFormula.h"
#include "engine/UPointMove.h"
#include "palette/UMcf.h"

#include <memory>

// What a drawing needs per pixel, read once when it starts and shared
// read-only by every thread that draws rows.
struct DrawSetup {
    const TPointMove& pointMove;
    const TFormula& formula;
    const TMcf& mcf;
    int width;
    int height;
    long double incX;
    long double incY;
    long double left; // Center.X - Width * Incremental.X / 2
    long double top;  // Center.Y - Height * Incremental.Y / 2
    // The palette offset taken modulo the palette (NormalPaletteOffset).
    int32_t paletteOffset = 0;
};

// Which painters a drawing may use.
enum class TPainterKind {
    // Per-axis tables, and the vector painter where the processor and the
    // floating-point settings allow it.
    Fastest,
    // Per-axis tables and the palette as ready bytes; no vector code.
    Portable,
    // The whole arithmetic for every pixel and the palette through a
    // division: the plain loop every other painter is measured against.
    PerPixel,
};

class TRowPainter {
public:
    virtual ~TRowPainter() = default;
    // Paints row `row` of the drawing from the left into pixels (3 bytes per
    // column, blue, green, red). A failure at a pixel is raised with every
    // pixel before it in the row stored and none after it.
    virtual void PaintRow(uint8_t* pixels, int row) const = 0;
    // The same into the bitmap's row of that number.
    void Paint(TBitmap24& bitmap, int row) const { PaintRow(bitmap.Row(row), row); }
    // "vector", "axis" or "pixel": what does the work, for tests and benchmarks.
    virtual const char* Name() const = 0;
};

// The painter for one drawing. Per-axis tables are computed here, once, on
// the calling thread; the painter is then shared read-only by the threads
// that draw rows. Settings that are not valid are not checked here: each
// pixel meets its failure as the per-pixel code would.
std::unique_ptr<TRowPainter> MakeRowPainter(const DrawSetup& setup, TPainterKind kind);
