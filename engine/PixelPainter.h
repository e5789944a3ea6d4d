// The painter that runs the whole arithmetic for every pixel.
#pragma once

#include "engine/RowPainter.h"

// With bytePalette false this is the plain loop: palette index by division,
// colour split per pixel, the only way for palettes under two colours. With
// it true the palette is looked up as ready bytes (High >= 1 only).
std::unique_ptr<TRowPainter> MakePixelPainter(const DrawSetup& setup, bool bytePalette);
