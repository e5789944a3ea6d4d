// The mean of several pixels in linear light: what an anti-aliased export
// stores for each of its pixels.
#pragma once

#include <cstdint>

namespace linearlight {

// A byte of an sRGB channel as linear light in [0, 1]: v / 255 decoded with
// the standard sRGB curve, in double precision.
double Decode(uint8_t v);

// Linear light encoded with the inverse curve, times 255, rounded to nearest
// (ties to even) and kept within 0 .. 255; computed with the formula itself.
uint8_t EncodeByFormula(double linear);

// The same byte as EncodeByFormula for every linear value in [0, 1], found
// through thresholds that were computed with the formula (and with the
// formula itself where a value lies too near a threshold to be sure).
uint8_t Encode(double linear);

// One output row of an image drawn k times finer in each direction: rows
// points at the k sample rows (blue, green, red bytes, k * width pixels
// each); out gets width pixels. Each channel is the mean of its k * k
// samples, summed row by row, left to right, and divided by k * k.
void ReduceRow(const uint8_t* const* rows, int k, int width, uint8_t* out);

} // namespace linearlight
