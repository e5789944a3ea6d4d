// The shade-off filter: a light 3 x 3 blur of a finished image.
#pragma once

#include "bitmap/Bitmap24.h"

// Smooths every channel in place with the kernel 1 1 1 / 1 2 1 / 1 1 1
// divided by 10 (truncating), edge pixels replicated. A bitmap without pixels
// is left alone. Lack of memory for the working copy throws before any pixel
// changes.
void ApplyShadeOff(TBitmap24& bitmap);
