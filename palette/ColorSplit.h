// Splitting a colour value into clamped channels, shared by TRgb and the
// drawing loop so both give the same bytes.
#pragma once

#include <cstdint>

namespace colorsplit {

inline int32_t Clamp255(int32_t v) { return v < 0 ? 0 : (v > 255 ? 255 : v); }

// Channels of 0x00BBGGRR by truncating division: blue = v div 65536, green =
// (v div 256) mod 256, red = v mod 256; negative parts become 0 and a blue
// part above 255 becomes 255.
struct Channels {
    int32_t r, g, b;
};

inline Channels Split(int32_t v) { return {Clamp255(v % 256), Clamp255((v / 256) % 256), Clamp255(v / 65536)}; }

} // namespace colorsplit
