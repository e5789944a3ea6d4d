// The shade-off filter: a light 3 x 3 blur of a finished image.
#pragma once

#include "bitmap/Bitmap24.h"

// Smooths every channel in place with the kernel 1 1 1 / 1 2 1 / 1 1 1
// divided by 10 (truncating), edge pixels replicated; every sum reads the
// image as it was before the call. A bitmap without pixels is left alone.
// The rows are shared by up to `threads` threads, each keeping a few rows of
// the original in its own buffer instead of a copy of the whole image; the
// bytes are the same for every number of threads. Lack of memory for those
// buffers throws before any pixel changes.
void ApplyShadeOff(TBitmap24& bitmap, int threads = 1);

// One blurred row from the original rows above, at and below it (the row
// itself where the picture has no neighbour), rowBytes = 3 x width bytes.
void ShadeOffRow(const uint8_t* up, const uint8_t* mid, const uint8_t* down, uint8_t* out, int rowBytes);
