// A 24-bit bitmap of our own: rows of blue, green, red bytes, top row first.
//
// Rows are padded to a multiple of four bytes, so the same memory can be
// wrapped by a toolkit image without copying and written to a BMP file row by
// row.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

class TBitmap24 {
public:
    TBitmap24() = default;
    TBitmap24(int width, int height) { SetSize(width, height); }

    int Width() const { return width_; }
    int Height() const { return height_; }
    bool Empty() const { return width_ <= 0 || height_ <= 0; }
    // Bytes from one row to the next: 3 * width rounded up to a multiple of 4.
    size_t Stride() const { return stride_; }

    // Resizing keeps the pixels of the area both sizes share; new pixels are
    // black. Negative sizes count as 0.
    void SetSize(int width, int height);
    void SetWidth(int width) { SetSize(width, height_); }
    void SetHeight(int height) { SetSize(width_, height); }

    uint8_t* Row(int y) { return data_.data() + static_cast<size_t>(y) * stride_; }
    const uint8_t* Row(int y) const { return data_.data() + static_cast<size_t>(y) * stride_; }
    uint8_t* Bits() { return data_.data(); }
    const uint8_t* Bits() const { return data_.data(); }

    // Copies source one to one with its top-left corner at (0, 0); only the
    // area both bitmaps cover is written.
    void Draw(const TBitmap24& source);

    static size_t StrideFor(int width) { return (static_cast<size_t>(width) * 3 + 3) & ~size_t{3}; }

private:
    int width_ = 0;
    int height_ = 0;
    size_t stride_ = 0;
    std::vector<uint8_t> data_;
};
