#include "bitmap/Bitmap24.h"

#include <algorithm>
#include <cstring>
#include <utility>

TBitmap24::TBitmap24(const TBitmap24& other)
    : width_(other.width_), height_(other.height_), stride_(other.stride_), memory_(other.memory_.Size())
{
    if (memory_.Size() > 0) std::memcpy(memory_.Data(), other.memory_.Data(), memory_.Size());
}

TBitmap24& TBitmap24::operator=(const TBitmap24& other)
{
    if (this != &other) *this = TBitmap24(other);
    return *this;
}

TBitmap24::TBitmap24(TBitmap24&& other) noexcept
    : width_(std::exchange(other.width_, 0)), height_(std::exchange(other.height_, 0)),
      stride_(std::exchange(other.stride_, 0)), memory_(std::move(other.memory_))
{}

TBitmap24& TBitmap24::operator=(TBitmap24&& other) noexcept
{
    if (this != &other) {
        width_ = std::exchange(other.width_, 0);
        height_ = std::exchange(other.height_, 0);
        stride_ = std::exchange(other.stride_, 0);
        memory_ = std::move(other.memory_);
    }
    return *this;
}

void TBitmap24::SetSize(int width, int height)
{
    width = std::max(width, 0);
    height = std::max(height, 0);
    if (width == width_ && height == height_) return;
    const size_t stride = StrideFor(width);
    // The new memory is mapped before the old is let go; it costs address
    // space only until rows are written, so the peak stays one picture.
    TPictureMemory memory(stride * static_cast<size_t>(height));
    memory_ = std::move(memory);
    width_ = width;
    height_ = height;
    stride_ = stride;
}

void TBitmap24::Draw(const TBitmap24& source)
{
    if (&source == this) return;
    const int rows = std::min(height_, source.height_);
    const size_t bytes = static_cast<size_t>(std::min(width_, source.width_)) * 3;
    for (int y = 0; y < rows; ++y) std::memcpy(Row(y), source.Row(y), bytes);
}
