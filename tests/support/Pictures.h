// Test pictures and ways to compare them.
#pragma once

#include "bitmap/Bitmap24.h"

#include <cstdint>
#include <vector>

using Bytes = std::vector<uint8_t>;

// The picture as R, G, B bytes per pixel, rows top to bottom.
Bytes ToRgb(const TBitmap24& bitmap);
// Pixels the compressor cannot shrink.
TBitmap24 NoisePicture(int width, int height, uint32_t seed);
// Smooth rings and bands like a rendered formula pattern.
TBitmap24 PatternPicture(int width, int height);
// A picture drawn by the renderer: formula 5 through the swirl point move.
TBitmap24 RenderedPicture(int width, int height);
// Colour value 0x00BBGGRR of a pixel, and its inverse.
uint32_t PixelAt(const TBitmap24& bitmap, int x, int y);
void SetPixelAt(TBitmap24& bitmap, int x, int y, uint32_t color);
// Same size and the same colour in every pixel; row padding is ignored.
bool SamePixels(const TBitmap24& a, const TBitmap24& b);
