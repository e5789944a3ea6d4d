// Encoding with pow for each of billions of channels would cost more than
// drawing them. The encoded byte only changes at 255 linear values, so those
// thresholds are found once, by bisection over the doubles with the very
// formula, and a value is placed among them; within a tiny distance of a
// threshold, where the formula's own rounding could tip the result, the
// formula decides.
#include "engine/LinearLight.h"

#include <array>
#include <cmath>
#include <cstring>

namespace linearlight {

namespace {

double DecodeByFormula(int v)
{
    const double c = v / 255.0;
    return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
}

uint64_t Bits(double d)
{
    uint64_t u;
    std::memcpy(&u, &d, sizeof u);
    return u;
}

double FromBits(uint64_t u)
{
    double d;
    std::memcpy(&d, &u, sizeof d);
    return d;
}

constexpr int kBuckets = 4096;
// Far beyond the formula's own error (a few units in the last place), far
// below the distance of any two thresholds.
constexpr double kGuard = 1.0 / (1 << 30);

struct Tables {
    std::array<double, 256> decode{};
    // threshold[b]: the least value that encodes to b or more (b >= 1).
    std::array<double, 257> threshold{};
    // The byte of each bucket's lower end.
    std::array<uint8_t, kBuckets + 1> bucket{};

    Tables()
    {
        for (int v = 0; v < 256; ++v) decode[static_cast<size_t>(v)] = DecodeByFormula(v);
        threshold[0] = 0;
        for (int b = 1; b < 256; ++b) {
            // Positive doubles are ordered like their bit patterns.
            uint64_t lo = 0, hi = Bits(1.0);
            while (hi - lo > 1) {
                const uint64_t mid = lo + (hi - lo) / 2;
                if (EncodeByFormula(FromBits(mid)) >= b) hi = mid;
                else lo = mid;
            }
            threshold[static_cast<size_t>(b)] = FromBits(hi);
        }
        threshold[256] = 2.0; // above every mean
        int b = 0;
        for (int i = 0; i <= kBuckets; ++i) {
            const double start = static_cast<double>(i) / kBuckets;
            while (b < 255 && start >= threshold[static_cast<size_t>(b) + 1]) ++b;
            bucket[static_cast<size_t>(i)] = static_cast<uint8_t>(b);
        }
    }
};

const Tables& TheTables()
{
    static const Tables tables;
    return tables;
}

} // namespace

double Decode(uint8_t v) { return TheTables().decode[v]; }

uint8_t EncodeByFormula(double linear)
{
    const double e = linear <= 0.0031308 ? 12.92 * linear : 1.055 * std::pow(linear, 1 / 2.4) - 0.055;
    const double r = std::nearbyint(e * 255);
    return static_cast<uint8_t>(r < 0 ? 0 : r > 255 ? 255 : r);
}

namespace {

inline uint8_t EncodeWith(const Tables& t, double m)
{
    if (!(m >= 0 && m <= 1)) return EncodeByFormula(m);
    size_t b = t.bucket[static_cast<size_t>(m * kBuckets)];
    while (m >= t.threshold[b + 1]) ++b;
    const double below = t.threshold[b];
    const double above = t.threshold[b + 1];
    if (m - below <= below * kGuard || above - m <= above * kGuard) return EncodeByFormula(m);
    return static_cast<uint8_t>(b);
}

} // namespace

uint8_t Encode(double linear) { return EncodeWith(TheTables(), linear); }

void ReduceRow(const uint8_t* const* rows, int k, int width, uint8_t* out)
{
    const Tables& t = TheTables();
    const double* lin = t.decode.data();
    const double count = static_cast<double>(k) * k;
    const size_t step = static_cast<size_t>(k) * 3;
    for (int x = 0; x < width; ++x, out += 3) {
        const size_t at = static_cast<size_t>(x) * step;
        for (int ch = 0; ch < 3; ++ch) {
            double sum = 0;
            const uint8_t first = rows[0][at + static_cast<size_t>(ch)];
            bool same = true;
            for (int r = 0; r < k; ++r) {
                const uint8_t* p = rows[r] + at + static_cast<size_t>(ch);
                for (int c = 0; c < k; ++c, p += 3) {
                    sum += lin[*p];
                    same &= *p == first;
                }
            }
            // k * k equal samples: their mean lies within a few units in
            // the last place of the sample's own value, half a byte away
            // from every threshold, so it encodes to the sample again.
            out[ch] = same ? first : EncodeWith(t, sum / count);
        }
    }
}

} // namespace linearlight
