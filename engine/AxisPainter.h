// Painters that compute what depends on the column only or on the row only
// once per drawing. Each table entry is formed by the same inline expression
// the per-pixel code uses, so the tables hold the very values every pixel
// would form; per pixel only what joins them remains.
#pragma once

#include "engine/RowPainter.h"
#include "palette/PaletteBytes.h"

#include <cstdint>
#include <memory>
#include <vector>

// One value per column or per row.
struct TAxisTable {
    std::vector<long double> value;
    // 0 where forming the value failed (an overflow): pixels that use it run
    // their whole per-pixel code, which meets the failure where it belongs.
    std::vector<uint8_t> ok;
};

// Point move 0 with a built-in formula: the formula's x part per column, its
// y part per row (see FormulaMath.h), joined per pixel by one extended
// addition or, for formula 4, multiplication. Typed formulas of that form
// (ExpressionPainter.h) use the same interface.
class TMove0Painter : public TRowPainter {
public:
    const TAxisTable& Columns() const { return columns_; }
    // Row entries exist once PrepareRow has formed them.
    const TAxisTable& Rows() const { return rows_; }
    bool Product() const { return product_; }
    double ColorChange() const { return colorChange_; }
    const TPaletteBytes& Palette() const { return *palette_; }
    const char* Name() const override { return "axis"; }

    // The formula value of one pixel: from the tables where both entries
    // hold, the whole per-pixel way otherwise. Raises the pixel's failure.
    virtual int32_t Value(int col, int row) const = 0;
    // Forms the row's entry. The thread that paints a row calls it when it
    // starts the row, so the rows' parts are computed once per drawing and in
    // parallel; nobody else touches that entry.
    virtual void PrepareRow(int row) const = 0;
    // Paints columns first .. last - 1 of a prepared row, left to right, into
    // the row's bytes.
    virtual void PaintColumns(uint8_t* rowBytes, int row, int first, int last) const = 0;
    void PaintRow(uint8_t* pixels, int row) const override
    {
        PrepareRow(row);
        PaintColumns(pixels, row, 0, setup_.width);
    }

protected:
    TMove0Painter(const DrawSetup& setup, bool product);

    const DrawSetup setup_;
    const bool product_;
    const double colorChange_;
    TAxisTable columns_;
    mutable TAxisTable rows_; // each entry written by the thread painting its row
    const std::unique_ptr<TPaletteBytes> palette_;
};

// Null unless the point move is 0, the formula a built-in one or a typed one
// of that form, and the palette has two colours or more.
std::unique_ptr<TMove0Painter> MakeMove0Painter(const DrawSetup& setup);

// Point moves 1, 3 and 4 shift x by a term of the row and y by a term of the
// column: both terms per axis, the shift, plane and formula per pixel. Null
// for other point moves and for palettes under two colours.
std::unique_ptr<TRowPainter> MakeShiftPainter(const DrawSetup& setup);
