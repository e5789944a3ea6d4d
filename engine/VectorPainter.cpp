// AVX2 row painting for point move 0. Only the functions marked VQ_AVX2 use
// AVX2 and FMA, so every other function here, and every inline function from
// the headers, stays code for the base processor. This file must be compiled
// without floating-point contraction: a multiply fused into an add would
// change the roundings the bounds count.
#include "engine/VectorPainter.h"

#include <cmath>
#include <cstdint>
#include <limits>
#include <vector>

#if defined(__x86_64__) && defined(__GNUC__)
#define VQ_HAVE_VECTOR 1
#include <immintrin.h>
#endif

#ifdef VQ_HAVE_VECTOR

namespace {

#define VQ_AVX2 __attribute__((target("avx2,fma")))

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

bool DefaultFloatingPoint()
{
    uint16_t x87;
    asm volatile("fnstcw %0" : "=m"(x87));
    const unsigned sse = _mm_getcsr();
    // x87: precision control 64 bits, rounding to nearest. SSE: rounding to
    // nearest, every exception masked, FTZ and DAZ off (status flags ignored).
    return (x87 & 0x0F00) == 0x0300 && (sse & 0xFFC0) == 0x1F80;
}

// An extended table value as an exact pair hi + lo of doubles (lo has at
// most 11 significant bits); NaN for both when there is none: the value
// failed, lies beyond the double range, or is so small that lo lost bits.
struct Pair {
    double hi, lo;
};

Pair Split(long double v, bool ok)
{
    const double hi = static_cast<double>(v);
    // Exact: v and its rounding to a double are within a factor of two.
    const long double rest = v - static_cast<long double>(hi);
    const double lo = static_cast<double>(rest);
    if (!ok || !std::isfinite(hi) || static_cast<long double>(lo) != rest) return {kNaN, kNaN};
    return {hi, lo};
}

// A factor of a product: the kernels multiply doubles, so a value that needs
// a lo part has no pair there (typed products of extended parts).
Pair Factor(long double v, bool ok)
{
    const Pair p = Split(v, ok);
    return p.lo == 0 ? p : Pair{kNaN, kNaN};
}

// Tier 1 bound of one side of a sum: covers |cc| |lo| (the part the doubles
// leave out), the double roundings of the sum and the product, the two
// extended roundings and, with its absolute term, underflow and the roundings
// of the comparison. NaN (never decides) when |cc hi| >= 2^29, which keeps
// a decided |q| below 2^30.
double SideBound(const Pair& p, double absCc)
{
    if (!(absCc * std::fabs(p.hi) < 0x1p29)) return kNaN;
    return absCc * (std::fabs(p.lo) + 0x1p-51 * std::fabs(p.hi)) * (1 + 0x1p-40) + 0x1p-51;
}

// Tier 1 of formula 4 uses y * cc per row; outside [2^-960, 2^960] its
// relative bound would not hold. It is exactly 0 only when y or cc is.
double RowScale(double y, double cc)
{
    const double yc = y * cc;
    if (yc == 0) return y == 0 || cc == 0 ? 0.0 : kNaN;
    const double a = std::fabs(yc);
    return a >= 0x1p-960 && a <= 0x1p960 ? yc : kNaN;
}

// What one row's vector code reads.
struct RowJob {
    const double* ahi; // per column: x part as hi + lo (formula 4: x)
    const double* alo;
    const double* thr; // per column: 1/2 - tier 1 bound (sums only)
    double bhi;        // the row's y part as hi + lo (formula 4: y)
    double blo;
    double bu; // sums: the row's tier 1 bound; formula 4: y * cc
    double cc;
    double high; // palette High and RN(1 / High)
    double rHigh;
    int width;
    int row;
    TPaletteLookup palette;
    const TMove0Painter* axis;
    uint8_t* out;
};

// The pixels of one block of up to eight whose lanes were not all decided,
// left to right: decided lanes from their magnitudes, the others the
// extended way, which raises a failure with the pixels before it stored.
void FinishLanes(const RowJob& j, int col, int count, const double* magnitude, int decided)
{
    uint8_t* p = j.out + 3 * static_cast<size_t>(col);
    for (int i = 0; i < count; ++i, p += 3) {
        const uint32_t m = (decided >> i & 1) ? static_cast<uint32_t>(magnitude[i])
                                              : TPaletteLookup::Magnitude(j.axis->Value(col + i, j.row));
        PutPixel(p, j.palette.entries[j.palette.IndexOf(m)]);
    }
}

// Four lanes: the magnitude |v| of each pixel's 32-bit value, as a double,
// and which lanes it is proven for (all ones in a lane).
struct Lanes {
    __m256d magnitude;
    __m256d ok;
};

VQ_AVX2 inline __m256d Set(double v) { return _mm256_set1_pd(v); }
VQ_AVX2 inline __m256d Abs(__m256d v) { return _mm256_andnot_pd(_mm256_set1_pd(-0.0), v); }
VQ_AVX2 inline __m256d Nearest(__m256d v) { return _mm256_round_pd(v, _MM_FROUND_TO_NEAREST_INT | _MM_FROUND_NO_EXC); }
VQ_AVX2 inline __m256d Floor(__m256d v) { return _mm256_round_pd(v, _MM_FROUND_TO_NEG_INF | _MM_FROUND_NO_EXC); }
VQ_AVX2 inline __m256d Lt(__m256d a, __m256d b) { return _mm256_cmp_pd(a, b, _CMP_LT_OQ); }
VQ_AVX2 inline __m256d Le(__m256d a, __m256d b) { return _mm256_cmp_pd(a, b, _CMP_LE_OQ); }
VQ_AVX2 inline __m256d Gt(__m256d a, __m256d b) { return _mm256_cmp_pd(a, b, _CMP_GT_OQ); }
VQ_AVX2 inline __m256d Ge(__m256d a, __m256d b) { return _mm256_cmp_pd(a, b, _CMP_GE_OQ); }
VQ_AVX2 inline __m256d Eq(__m256d a, __m256d b) { return _mm256_cmp_pd(a, b, _CMP_EQ_OQ); }
VQ_AVX2 inline __m256d And(__m256d a, __m256d b) { return _mm256_and_pd(a, b); }
VQ_AVX2 inline __m256d Or(__m256d a, __m256d b) { return _mm256_or_pd(a, b); }
VQ_AVX2 inline __m256d Add(__m256d a, __m256d b) { return _mm256_add_pd(a, b); }
VQ_AVX2 inline __m256d Sub(__m256d a, __m256d b) { return _mm256_sub_pd(a, b); }
VQ_AVX2 inline __m256d Mul(__m256d a, __m256d b) { return _mm256_mul_pd(a, b); }

// Tier 1 of the sums: s = a_hi + b_hi, q = s * cc, n = nearest(q); decided
// when |q - n| + U_row <= 1/2 - U_col. |n| < 2^30, so |v| = |n|.
VQ_AVX2 inline Lanes Tier1Sum(const double* ahi, const double* thr, __m256d bhi, __m256d bu, __m256d cc)
{
    const __m256d q = Mul(Add(_mm256_loadu_pd(ahi), bhi), cc);
    const __m256d n = Nearest(q);
    const __m256d e = Add(Abs(Sub(q, n)), bu);
    return {Abs(n), Le(e, _mm256_loadu_pd(thr))};
}

// Tier 1 of formula 4: q = x * (y cc), bound 2^-50 |q| + 2^-51, |q| < 2^30.
VQ_AVX2 inline Lanes Tier1Product(const double* x, __m256d yc)
{
    const __m256d q = Mul(_mm256_loadu_pd(x), yc);
    const __m256d aq = Abs(q);
    const __m256d n = Nearest(q);
    const __m256d e = Add(Abs(Sub(q, n)), Add(Mul(aq, Set(0x1p-50)), Set(0x1p-51)));
    return {Abs(n), And(Le(e, Set(0.5)), Lt(aq, Set(0x1p30)))};
}

// Tier 2's decision. Z = q + r2 approximates P, the extended product, with
// |P - Z| < 2^-61 |q| + 2^-50 |cc| T + 2^-900, where T sums the magnitudes of
// what the doubles left out of the exact sum (0: the sum is exact and
// Z = S cc exactly). R, the rounded P, is decided when no half-integer lies
// within the bound of Z; when T = 0 and Z is a half-integer h, P = h (|h| <
// 2^62 has 64 bits) and R is its even neighbour: below 2^52 nearest(h) in
// doubles, above it n + m as computed, since there q is the even neighbour
// or a multiple of 2 and nearest(r2) rounds its half to even.
VQ_AVX2 inline Lanes Decide(__m256d q, __m256d r2, __m256d t, __m256d ccBound)
{
    const __m256d zero = _mm256_setzero_pd();
    const __m256d half = Set(0.5);
    const __m256d sign = Set(-0.0);
    const __m256d aq = Abs(q);
    const __m256d n = Nearest(q);
    // From 2^52 on q is an integer and the fraction of Z sits in r2: R is
    // the pair n + (m + step), as their sum may not be a double.
    const __m256d big = Ge(aq, Set(0x1p52));
    const __m256d m = And(big, Nearest(r2));
    // Z - (n + m) = x + y; x and the differences below are exact.
    const __m256d x = _mm256_blendv_pd(Sub(q, n), Sub(r2, m), big);
    const __m256d y = _mm256_andnot_pd(big, r2);
    const __m256d dUp = Add(Sub(x, half), y);   // Z - (n + m + 1/2)
    const __m256d dDown = Add(Add(x, half), y); // Z - (n + m - 1/2)
    const __m256d bound = Add(Mul(aq, Set(0x1p-61)), Add(Mul(t, ccBound), Set(0x1p-900)));
    const __m256d negBound = _mm256_xor_pd(bound, sign);
    const __m256d up = Gt(dUp, bound);
    const __m256d down = Lt(dDown, negBound);
    const __m256d inside = And(Lt(dUp, negBound), Gt(dDown, bound));
    const __m256d exact = Eq(t, zero);
    const __m256d tieUp = And(exact, Eq(dUp, zero));
    const __m256d tieDown = And(exact, Eq(dDown, zero));
    const __m256d tie = Or(tieUp, tieDown);
    const __m256d ok = And(Lt(aq, Set(0x1p62)), Or(Or(up, down), Or(inside, tie)));

    // Below 2^52: R = n + step, or at a tie the even one of n and n +/- 1.
    const __m256d step = Or(And(up, Set(1.0)), And(down, Set(-1.0)));
    const __m256d tied = Nearest(Add(n, Or(And(tieUp, half), And(tieDown, Set(-0.5)))));
    const __m256d small = _mm256_blendv_pd(Add(n, step), tied, tie);
    // |R| mod 2^32: for big lanes |n| mod 2^32 plus m with n's sign.
    const __m256d whole = _mm256_blendv_pd(Abs(small), Abs(n), big);
    const __m256d extra = And(big, _mm256_xor_pd(m, And(n, sign)));
    const __m256d two32 = Set(0x1p32);
    __m256d low = Add(Sub(whole, Mul(Floor(Mul(whole, Set(0x1p-32))), two32)), extra);
    low = Add(low, And(Lt(low, zero), two32));
    low = Sub(low, And(Ge(low, two32), two32));
    // The low 32 bits as a signed value, and its magnitude.
    return {_mm256_min_pd(low, Sub(two32, low)), ok};
}

// Tier 1b: the sum (or product) is exact in doubles, so E = s and q + r = s cc
// exactly (FMA); P = RN64(q + r) is decided against the nearest
// half-integer with the bound 2^-61 |q| + 2^-900, and when q + r is that
// half-integer, P is too and R its even neighbour. Kept to |q| < 2^31, so
// |v| = |R|.
VQ_AVX2 inline Lanes DecideExact(__m256d q, __m256d r, __m256d exact)
{
    const __m256d zero = _mm256_setzero_pd();
    const __m256d half = Set(0.5);
    const __m256d aq = Abs(q);
    const __m256d n = Nearest(q);
    const __m256d x = Sub(q, n);
    const __m256d dUp = Add(Sub(x, half), r);
    const __m256d dDown = Add(Add(x, half), r);
    const __m256d bound = Add(Mul(aq, Set(0x1p-61)), Set(0x1p-900));
    const __m256d negBound = _mm256_xor_pd(bound, Set(-0.0));
    const __m256d up = Gt(dUp, bound);
    const __m256d down = Lt(dDown, negBound);
    const __m256d inside = And(Lt(dUp, negBound), Gt(dDown, bound));
    const __m256d tieUp = Eq(dUp, zero);
    const __m256d tieDown = Eq(dDown, zero);
    const __m256d tie = Or(tieUp, tieDown);
    const __m256d ok = And(And(exact, Lt(aq, Set(0x1p31))), Or(Or(up, down), Or(inside, tie)));
    const __m256d step = Or(And(up, Set(1.0)), And(down, Set(-1.0)));
    const __m256d tied = Nearest(Add(n, Or(And(tieUp, half), And(tieDown, Set(-0.5)))));
    return {Abs(_mm256_blendv_pd(Add(n, step), tied, tie)), ok};
}

// A row's sum for tiers 1a and 1b, whose part is a double (b_lo = 0):
// s = a_hi + b_hi and s cc = q + r (FMA); exact where a_lo = 0 and s is the
// sum itself (TwoSum error 0).
struct ExactSum {
    __m256d q, r, exact;
};

VQ_AVX2 inline __attribute__((always_inline)) ExactSum ExactSumOf(const double* ahiAt, const double* aloAt, __m256d bhi,
                                                                  __m256d cc)
{
    const __m256d ahi = _mm256_loadu_pd(ahiAt);
    const __m256d s = Add(ahi, bhi);
    const __m256d bb = Sub(s, ahi);
    const __m256d t = Add(Sub(ahi, Sub(s, bb)), Sub(bhi, bb));
    const __m256d q = Mul(s, cc);
    const __m256d zero = _mm256_setzero_pd();
    return {q, _mm256_fmsub_pd(s, cc, q), And(Eq(t, zero), Eq(_mm256_loadu_pd(aloAt), zero))};
}

// Tier 1b of the sums, where the sum is exact.
VQ_AVX2 inline Lanes Tier1bSum(const double* ahiAt, const double* aloAt, __m256d bhi, __m256d cc)
{
    const ExactSum e = ExactSumOf(ahiAt, aloAt, bhi, cc);
    return DecideExact(e.q, e.r, e.exact);
}

// The common case of tier 1b: the sum is exact and so is its product with
// cc (r = 0), so P = q and R = nearest(q), ties to even as the processor
// rounds. Where |q| < 2^-900 the error may have underflowed to 0, but there
// |P| is far below 1/2 and R = 0 = nearest(q) all the same. This spares the
// exact pictures (binary increments, a colour change of 1, odd sizes whose
// points all sum to half-integers) the half-integer distances of the full
// tier.
VQ_AVX2 inline Lanes Tier1aSum(const double* ahiAt, const double* aloAt, __m256d bhi, __m256d cc)
{
    const ExactSum e = ExactSumOf(ahiAt, aloAt, bhi, cc);
    const __m256d exact = And(e.exact, Eq(e.r, _mm256_setzero_pd()));
    return {Abs(Nearest(e.q)), And(exact, Lt(Abs(e.q), Set(0x1p31)))};
}

// Tier 1b of formula 4: exact where x y is a double (FMA error 0) and did
// not underflow.
VQ_AVX2 inline Lanes Tier1bProduct(const double* xAt, __m256d y, __m256d cc)
{
    const __m256d x = _mm256_loadu_pd(xAt);
    const __m256d s = Mul(x, y);
    const __m256d t = _mm256_fmsub_pd(x, y, s);
    const __m256d q = Mul(s, cc);
    const __m256d r = _mm256_fmsub_pd(s, cc, q);
    return DecideExact(q, r, And(Eq(t, _mm256_setzero_pd()), Ge(Abs(s), Set(0x1p-960))));
}

// Tier 2 of the sums: A + B = a_hi + b_hi + a_lo + b_lo carried as a
// renormalised pair s2 + w2, times cc as q + r exactly (FMA) plus w2 cc.
VQ_AVX2 inline Lanes Tier2Sum(const double* ahiAt, const double* aloAt, __m256d bhi, __m256d blo, __m256d cc,
                              __m256d ccBound)
{
    const __m256d ahi = _mm256_loadu_pd(ahiAt);
    const __m256d alo = _mm256_loadu_pd(aloAt);
    const __m256d s = Add(ahi, bhi);
    const __m256d bb = Sub(s, ahi);
    const __m256d t = Add(Sub(ahi, Sub(s, bb)), Sub(bhi, bb));
    const __m256d w = Add(t, Add(alo, blo));
    const __m256d s2 = Add(s, w);
    const __m256d bb2 = Sub(s2, s);
    const __m256d w2 = Add(Sub(s, Sub(s2, bb2)), Sub(w, bb2));
    const __m256d q = Mul(s2, cc);
    const __m256d r = _mm256_fmsub_pd(s2, cc, q);
    const __m256d r2 = Add(r, Mul(w2, cc));
    const __m256d left = Add(Add(Abs(t), Abs(alo)), Abs(blo));
    return Decide(q, r2, left, ccBound);
}

// Tier 2 of formula 4: x y = s + t exactly by FMA unless the product
// underflows (|s| < 2^-960 leaves the lane undecided).
VQ_AVX2 inline Lanes Tier2Product(const double* xAt, __m256d y, __m256d cc, __m256d ccBound)
{
    const __m256d x = _mm256_loadu_pd(xAt);
    const __m256d s = Mul(x, y);
    const __m256d t = _mm256_fmsub_pd(x, y, s);
    const __m256d q = Mul(s, cc);
    const __m256d r = _mm256_fmsub_pd(s, cc, q);
    const __m256d r2 = Add(r, Mul(t, cc));
    const __m256d left = _mm256_blendv_pd(Set(kNaN), Abs(t), Ge(Abs(s), Set(0x1p-960)));
    return Decide(q, r2, left, ccBound);
}

// Lanes the first tier left open take the second tier's answer.
VQ_AVX2 inline Lanes Merge(const Lanes& first, const Lanes& second)
{
    return {_mm256_blendv_pd(second.magnitude, first.magnitude, first.ok), Or(first.ok, second.ok)};
}

// (|v| mod High) without a division: for |v| <= 2^31 the floor of
// (|v| + 1/2) RN(1/High) is |v| div High, the remainder then exact.
VQ_AVX2 inline __m128i Indexes(__m256d magnitude, __m256d high, __m256d rHigh)
{
    const __m256d quotient = Floor(Mul(Add(magnitude, Set(0.5)), rHigh));
    return _mm256_cvttpd_epi32(Sub(magnitude, Mul(quotient, high)));
}

// Eight pixels: entries (index + 1) gathered, packed to 24 bytes, stored.
VQ_AVX2 inline void Store8(uint8_t* p, const uint32_t* entries, __m128i i0, __m128i i1)
{
    const __m256i index = _mm256_set_m128i(i1, i0);
    const __m256i px = _mm256_i32gather_epi32(reinterpret_cast<const int*>(entries + 1), index, 4);
    const __m256i pack = _mm256_setr_epi8(0, 1, 2, 4, 5, 6, 8, 9, 10, 12, 13, 14, -1, -1, -1, -1, //
                                          0, 1, 2, 4, 5, 6, 8, 9, 10, 12, 13, 14, -1, -1, -1, -1);
    const __m256i packed = _mm256_shuffle_epi8(px, pack);
    const __m256i joined = _mm256_permutevar8x32_epi32(packed, _mm256_setr_epi32(0, 1, 2, 4, 5, 6, 3, 7));
    _mm_storeu_si128(reinterpret_cast<__m128i*>(p), _mm256_castsi256_si128(joined));
    _mm_storel_epi64(reinterpret_cast<__m128i*>(p + 16), _mm256_extracti128_si256(joined, 1));
}

// Stores a block of eight (the last one of a row may hold fewer pixels);
// answers how many of its pixels needed the extended code.
VQ_AVX2 inline int StoreBlock(const RowJob& j, int col, const Lanes& g0, const Lanes& g1, __m256d high, __m256d rHigh)
{
    const int count = j.width - col < 8 ? j.width - col : 8;
    const int decided = _mm256_movemask_pd(g0.ok) | _mm256_movemask_pd(g1.ok) << 4;
    if (count == 8 && decided == 0xFF) {
        Store8(j.out + 3 * static_cast<size_t>(col), j.palette.entries, Indexes(g0.magnitude, high, rHigh),
               Indexes(g1.magnitude, high, rHigh));
        return 0;
    }
    alignas(32) double magnitude[8];
    _mm256_store_pd(magnitude, g0.magnitude);
    _mm256_store_pd(magnitude + 4, g1.magnitude);
    FinishLanes(j, col, count, magnitude, decided);
    return count - __builtin_popcount(static_cast<unsigned>(decided) & ((1u << count) - 1));
}

// Where the cheap tiers keep failing, the vector code costs more than the
// extended code alone: near 2^63 no tier decides, and at huge coordinates
// tier 2 decides everything but takes longer than the x87 does. After a
// block whose pixels mostly needed tier 2 or the extended code, the axis
// painter takes the next stretch of the row, twice as long each time it
// happens again, until a block is decided by the cheap tiers. It paints in
// pixel order like everything else, so failures stay where they are.
class Backoff {
public:
    // The column the vector code goes on at after the block ending at col;
    // deep lanes reached tier 2, extended ones the x87 code.
    int After(const RowJob& j, int col, int deep, int extended)
    {
        if (deep == 0) stretch_ = kFirst;
        if ((deep < 6 && extended < 4) || col >= j.width) return col;
        const int to = j.width - col < stretch_ ? j.width : col + stretch_;
        j.axis->PaintColumns(j.out, j.row, col, to);
        stretch_ = stretch_ < (1 << 20) ? stretch_ * 2 : stretch_;
        return to;
    }

private:
    static constexpr int kFirst = 64;
    int stretch_ = kFirst;
};

VQ_AVX2 inline bool AllDecided(const Lanes& g) { return _mm256_movemask_pd(g.ok) == 0xF; }

VQ_AVX2 inline int Open(const Lanes& g)
{
    return 4 - __builtin_popcount(static_cast<unsigned>(_mm256_movemask_pd(g.ok)));
}

// Tiers 1a (unless it was tried first), 1b and 2 for a group the first tier
// tried left open; deep counts the lanes that reach tier 2. Inlined by force:
// called, it passes its vectors through memory, which costs more than the
// tiers themselves on exact pictures.
VQ_AVX2 inline __attribute__((always_inline)) Lanes
LaterSumTiers(const RowJob& j, int col, Lanes g, bool exactRow, bool triedExact, __m256d cc, __m256d ccBound, int& deep)
{
    const __m256d bhi = Set(j.bhi);
    if (exactRow) {
        if (!triedExact) {
            g = Merge(g, Tier1aSum(j.ahi + col, j.alo + col, bhi, cc));
            if (AllDecided(g)) return g;
        }
        g = Merge(g, Tier1bSum(j.ahi + col, j.alo + col, bhi, cc));
        if (AllDecided(g)) return g;
    }
    deep += Open(g);
    return Merge(g, Tier2Sum(j.ahi + col, j.alo + col, bhi, Set(j.blo), cc, ccBound));
}

VQ_AVX2 void PaintSumRow(const RowJob& j)
{
    const __m256d cc = Set(j.cc), ccBound = Set(std::fabs(j.cc) * 0x1p-50);
    const __m256d bhi = Set(j.bhi), bu = Set(j.bu);
    const __m256d high = Set(j.high), rHigh = Set(j.rHigh);
    const bool exactRow = j.blo == 0;
    // A row whose tier 1 bound failed (|cc y part| >= 2^29) skips tier 1.
    const bool tier1 = !std::isnan(j.bu);
    const Lanes open{_mm256_setzero_pd(), _mm256_setzero_pd()};
    Backoff backoff;
    // On exact pictures every tie fails tier 1 and tier 1a decides it: after
    // a block tier 1 decided nothing of, tier 1a goes first, for as long as it
    // decides whole blocks. Every tier is exact on its own, so the order
    // changes only the time; a lane tier 1a leaves open goes on to 1b and 2.
    bool exactFirst = false;
    for (int col = 0; col < j.width;) {
        Lanes g0 = open, g1 = open;
        const bool triedExact = exactFirst;
        if (exactFirst) {
            g0 = Tier1aSum(j.ahi + col, j.alo + col, bhi, cc);
            g1 = Tier1aSum(j.ahi + col + 4, j.alo + col + 4, bhi, cc);
            exactFirst = AllDecided(g0) && AllDecided(g1);
        } else if (tier1) {
            g0 = Tier1Sum(j.ahi + col, j.thr + col, bhi, bu, cc);
            g1 = Tier1Sum(j.ahi + col + 4, j.thr + col + 4, bhi, bu, cc);
            exactFirst = exactRow && Open(g0) == 4 && Open(g1) == 4;
        }
        int deep = 0;
        if (!AllDecided(g0)) g0 = LaterSumTiers(j, col, g0, exactRow, triedExact, cc, ccBound, deep);
        if (!AllDecided(g1)) g1 = LaterSumTiers(j, col + 4, g1, exactRow, triedExact, cc, ccBound, deep);
        const int extended = StoreBlock(j, col, g0, g1, high, rHigh);
        col = backoff.After(j, col + 8, deep, extended);
    }
}

VQ_AVX2 inline Lanes LaterProductTiers(const RowJob& j, int col, Lanes g, __m256d cc, __m256d ccBound, int& deep)
{
    const __m256d y = Set(j.bhi);
    g = Merge(g, Tier1bProduct(j.ahi + col, y, cc));
    if (AllDecided(g)) return g;
    deep += Open(g);
    return Merge(g, Tier2Product(j.ahi + col, y, cc, ccBound));
}

VQ_AVX2 void PaintProductRow(const RowJob& j)
{
    const __m256d cc = Set(j.cc), ccBound = Set(std::fabs(j.cc) * 0x1p-50);
    const __m256d yc = Set(j.bu);
    const __m256d high = Set(j.high), rHigh = Set(j.rHigh);
    const bool tier1 = !std::isnan(j.bu);
    const Lanes open{_mm256_setzero_pd(), _mm256_setzero_pd()};
    Backoff backoff;
    for (int col = 0; col < j.width;) {
        Lanes g0 = tier1 ? Tier1Product(j.ahi + col, yc) : open;
        Lanes g1 = tier1 ? Tier1Product(j.ahi + col + 4, yc) : open;
        int deep = 0;
        if (!AllDecided(g0)) g0 = LaterProductTiers(j, col, g0, cc, ccBound, deep);
        if (!AllDecided(g1)) g1 = LaterProductTiers(j, col + 4, g1, cc, ccBound, deep);
        const int extended = StoreBlock(j, col, g0, g1, high, rHigh);
        col = backoff.After(j, col + 8, deep, extended);
    }
}

class TVectorPainter final : public TRowPainter {
public:
    explicit TVectorPainter(std::unique_ptr<TMove0Painter> axis) : axis_(std::move(axis))
    {
        const TAxisTable& columns = axis_->Columns();
        const double absCc = std::fabs(axis_->ColorChange());
        width_ = static_cast<int>(columns.value.size());
        // A block of eight may start at any column; the columns past the
        // picture hold 0, which every tier decides, and are never stored.
        const size_t padded = columns.value.size() + 8;
        ahi_.assign(padded, 0.0);
        alo_.assign(padded, 0.0);
        thr_.assign(padded, 0.5 - 0x1p-51);
        for (size_t c = 0; c < columns.value.size(); ++c) {
            const bool ok = columns.ok[c] != 0;
            const Pair p = axis_->Product() ? Factor(columns.value[c], ok) : Split(columns.value[c], ok);
            ahi_[c] = p.hi;
            alo_[c] = p.lo;
            thr_[c] = 0.5 - SideBound(p, absCc);
        }
    }

    void PaintRow(uint8_t* pixels, int row) const override
    {
        axis_->PrepareRow(row);
        const TAxisTable& rows = axis_->Rows();
        const size_t r = static_cast<size_t>(row);
        const bool ok = rows.ok[r] != 0;
        const Pair y = axis_->Product() ? Factor(rows.value[r], ok) : Split(rows.value[r], ok);
        const double cc = axis_->ColorChange();
        const TPaletteLookup& palette = axis_->Palette().Lookup();
        const RowJob job{ahi_.data(),
                         alo_.data(),
                         thr_.data(),
                         y.hi,
                         y.lo,
                         axis_->Product() ? RowScale(y.hi, cc) : SideBound(y, std::fabs(cc)),
                         cc,
                         static_cast<double>(palette.high),
                         1.0 / static_cast<double>(palette.high),
                         width_,
                         row,
                         palette,
                         axis_.get(),
                         pixels};
        if (axis_->Product()) PaintProductRow(job);
        else PaintSumRow(job);
    }

    const char* Name() const override { return "vector"; }

private:
    const std::unique_ptr<TMove0Painter> axis_;
    int width_ = 0;
    std::vector<double> ahi_, alo_, thr_; // per column, padded
};

// The product kernels multiply doubles: a product whose column values need
// more bits would leave every pixel to the extended code.
bool FactorsAreDoubles(const TMove0Painter& axis)
{
    if (!axis.Product()) return true;
    const TAxisTable& columns = axis.Columns();
    for (size_t c = 0; c < columns.value.size(); ++c)
        if (columns.ok[c] && std::isnan(Factor(columns.value[c], true).hi)) return false;
    return true;
}

} // namespace

bool VectorPainterUsable(const TMove0Painter& axis)
{
    return __builtin_cpu_supports("avx2") && __builtin_cpu_supports("fma") && DefaultFloatingPoint() &&
           std::isfinite(axis.ColorChange()) && FactorsAreDoubles(axis);
}

std::unique_ptr<TRowPainter> MakeVectorPainter(std::unique_ptr<TMove0Painter> axis)
{
    return std::make_unique<TVectorPainter>(std::move(axis));
}

#else

bool VectorPainterUsable(const TMove0Painter&) { return false; }

std::unique_ptr<TRowPainter> MakeVectorPainter(std::unique_ptr<TMove0Painter> axis) { return axis; }

#endif
