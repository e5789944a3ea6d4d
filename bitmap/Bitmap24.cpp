#include "bitmap/Bitmap24.h"

#include <algorithm>
#include <cstring>

void TBitmap24::SetSize(int width, int height)
{
    width = std::max(width, 0);
    height = std::max(height, 0);
    if (width == width_ && height == height_) return;
    const size_t stride = StrideFor(width);
    std::vector<uint8_t> data(stride * static_cast<size_t>(height), 0);
    const int rows = std::min(height, height_);
    const size_t bytes = static_cast<size_t>(std::min(width, width_)) * 3;
    for (int y = 0; y < rows; ++y) std::memcpy(data.data() + static_cast<size_t>(y) * stride, Row(y), bytes);
    data_.swap(data);
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
