// A 24-bit bitmap of our own: rows of blue, green, red bytes, top row first.
//
// Rows are padded to a multiple of four bytes, so the same memory can be
// wrapped by a toolkit image without copying and written to a BMP file row by
// row. A new size gets new memory that is zero already (TPictureMemory):
// nothing is filled or copied, and the first write of a row faults in its
// pages on the thread that writes it.
#pragma once

#include "bitmap/PictureMemory.h"

#include <cstddef>
#include <cstdint>

class TBitmap24 {
public:
    TBitmap24() = default;
    TBitmap24(int width, int height) { SetSize(width, height); }
    TBitmap24(const TBitmap24& other);
    TBitmap24& operator=(const TBitmap24& other);
    TBitmap24(TBitmap24&& other) noexcept;
    TBitmap24& operator=(TBitmap24&& other) noexcept;

    int Width() const { return width_; }
    int Height() const { return height_; }
    bool Empty() const { return width_ <= 0 || height_ <= 0; }
    // Bytes from one row to the next: 3 * width rounded up to a multiple of 4.
    size_t Stride() const { return stride_; }

    // A new size starts black (every byte 0, the padding too), with nothing
    // of the old picture; the same size keeps the pixels. Negative sizes
    // count as 0. Throws std::bad_alloc, keeping the old picture, when the
    // memory is refused.
    void SetSize(int width, int height);

    uint8_t* Row(int y) { return memory_.Data() + static_cast<size_t>(y) * stride_; }
    const uint8_t* Row(int y) const { return memory_.Data() + static_cast<size_t>(y) * stride_; }
    uint8_t* Bits() { return memory_.Data(); }
    const uint8_t* Bits() const { return memory_.Data(); }
    // The memory behind the rows (tests and benchmarks look at how it came).
    const TPictureMemory& Memory() const { return memory_; }

    // Copies source one to one with its top-left corner at (0, 0); only the
    // area both bitmaps cover is written.
    void Draw(const TBitmap24& source);

    static size_t StrideFor(int width) { return (static_cast<size_t>(width) * 3 + 3) & ~size_t{3}; }

private:
    int width_ = 0;
    int height_ = 0;
    size_t stride_ = 0;
    TPictureMemory memory_;
};
