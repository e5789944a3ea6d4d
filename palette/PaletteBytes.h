// The palette of a drawing as ready pixel bytes, and the entry a formula
// value selects found without a division. Made once per drawing, for
// palettes of two colours or more (High >= 1); smaller ones fail at the first
// pixel and keep the per-pixel code that raises their errors.
#pragma once

#include "palette/UMcf.h"

#include <cstdint>
#include <vector>

// What a row needs to look a value up: small, copied into the row's locals.
struct TPaletteLookup {
    const uint32_t* entries; // entry i as blue | green << 8 | red << 16
    uint64_t reciprocal;     // ceil(2^64 / high), wrapping to 0 for high = 1
    uint32_t high;

    // |v| as the palette index takes it: the magnitude of the 32-bit value,
    // 2^31 for INT32_MIN.
    static uint32_t Magnitude(int32_t v)
    {
        return v < 0 ? uint32_t{0} - static_cast<uint32_t>(v) : static_cast<uint32_t>(v);
    }

    // (m mod high) + 1, the same as PaletteIndex for every m.
    uint32_t IndexOf(uint32_t m) const
    {
#ifdef __SIZEOF_INT128__
        // Remainder by multiplication with a 64-bit reciprocal (Lemire,
        // Kaser and Kurz), exact for every 32-bit m and divisor.
        __extension__ using Wide = unsigned __int128;
        const uint64_t fraction = reciprocal * m;
        return static_cast<uint32_t>((static_cast<Wide>(fraction) * high) >> 64) + 1;
#else
        return m % high + 1;
#endif
    }

    uint32_t Pixel(int32_t v) const { return entries[IndexOf(Magnitude(v))]; }
};

// Stores one pixel's three bytes.
inline void PutPixel(uint8_t* p, uint32_t bgr)
{
    p[0] = static_cast<uint8_t>(bgr);
    p[1] = static_cast<uint8_t>(bgr >> 8);
    p[2] = static_cast<uint8_t>(bgr >> 16);
}

class TPaletteBytes {
public:
    // mcf.High must be at least 1. Entry i in 1..High holds the colour of
    // index i turned by offset (NormalPaletteOffset), so every painter that
    // looks entries up applies the offset without a step of its own.
    explicit TPaletteBytes(const TMcf& mcf, int32_t offset = 0);
    TPaletteBytes(const TPaletteBytes&) = delete;
    TPaletteBytes& operator=(const TPaletteBytes&) = delete;

    int32_t High() const { return static_cast<int32_t>(lookup_.high); }
    const TPaletteLookup& Lookup() const { return lookup_; }

private:
    std::vector<uint32_t> entries_;
    TPaletteLookup lookup_;
};
