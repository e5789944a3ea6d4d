// Every row painter against the plain per-pixel loop, byte for byte, over
// the cases where a faster arithmetic could go wrong: exact and near ties,
// huge and tiny scales, every failure with its message, its row and the
// pixels drawn before it, palettes of every size and odd widths.
#include "engine/RowPainter.h"
#include "tests/support/Pictures.h"

#include "common/Exceptions.h"
#include "engine/ExpressionFormula.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <random>
#include <sstream>

#if defined(__x86_64__)
#include <xmmintrin.h>
#endif

namespace {

struct Case {
    const char* name;
    int formula;
    long double cx, cy, dx, dy;
    double cc;
    int width = 37;
    int height = 11;
    int pointMove = 0;
    TPointMoveParam param{};
    // The failure the plain loop meets ("" none), so a case cannot quietly
    // stop testing what it was written for; null where it depends on the
    // formula.
    const char* error = "";
    // A typed formula instead of the built-in one, and the painter that
    // draws it at point move 0 with every processor feature: "vector" (or
    // "axis" without), "axis" or "expression".
    const char* text = nullptr;
    const char* typedPainter = "vector";
};

// Each built-in formula written the way it computes.
const char* const kTwins[] = {
    "x*x + y*y", "x*x - y*y", "x*x + y", "x + y", "x * y", "100*sin(x) + y", "200*sin(x/10) + 200*sin(y/10)",
};

struct Outcome {
    TBitmap24 picture;
    std::string error;
    int failedRow = -1;
    std::string painter;
};

// Rows painted in order on one thread until the first failure, into a
// bitmap filled with a marker, so pixels after the failure show too.
Outcome PaintAll(const DrawSetup& setup, TPainterKind kind)
{
    Outcome o;
    o.picture.SetSize(setup.width, setup.height);
    std::memset(o.picture.Bits(), 0x5A, o.picture.Stride() * static_cast<size_t>(setup.height));
    const auto painter = MakeRowPainter(setup, kind);
    o.painter = painter->Name();
    for (int row = 0; row < setup.height; ++row) {
        try {
            painter->Paint(o.picture, row);
        } catch (const Exception& e) {
            o.error = e.Message();
            o.failedRow = row;
            break;
        }
    }
    return o;
}

Outcome PaintCase(const Case& c, const TMcf& mcf, TPainterKind kind)
{
    std::unique_ptr<TFormula> formula;
    if (c.text) formula = std::make_unique<TFormula_Expression>(c.text);
    else formula = TFormulaBox::GetFormula(c.formula);
    formula->ColorChange = c.cc;
    auto move = TPointMoveBox::GetPointMove(c.pointMove);
    move->SetParam(c.param);
    move->SetSize(c.width, c.height);
    const DrawSetup setup{
        *move, *formula, mcf, c.width, c.height, c.dx, c.dy, c.cx - c.width * c.dx / 2, c.cy - c.height * c.dy / 2};
    return PaintAll(setup, kind);
}

bool VectorProcessor()
{
#if defined(__x86_64__)
    return __builtin_cpu_supports("avx2") && __builtin_cpu_supports("fma");
#else
    return false;
#endif
}

std::string ExpectedPainter(const Case& c, const TMcf& mcf, TPainterKind kind)
{
    if (kind == TPainterKind::PerPixel || mcf.High < 1) return "pixel";
    if (c.text && c.pointMove == 0 && std::string(c.typedPainter) != "vector") return c.typedPainter;
    switch (c.pointMove) {
    case 0: return kind == TPainterKind::Fastest && VectorProcessor() && std::isfinite(c.cc) ? "vector" : "axis";
    case 2: return "rotation";
    default: return "axis";
    }
}

std::string FirstDifference(const TBitmap24& a, const TBitmap24& b)
{
    for (int y = 0; y < a.Height(); ++y)
        for (int x = 0; x < a.Width(); ++x)
            if (PixelAt(a, x, y) != PixelAt(b, x, y)) {
                std::ostringstream s;
                s << "first difference at column " << x << ", row " << y << ": " << std::hex << PixelAt(a, x, y)
                  << " instead of " << PixelAt(b, x, y);
                return s.str();
            }
    return "same pixels";
}

// The fastest and the portable painter give what the plain loop gives.
void ExpectSameAsPlainLoop(const Case& c, const TMcf& mcf)
{
    const Outcome plain = PaintCase(c, mcf, TPainterKind::PerPixel);
    if (c.error) {
        EXPECT_EQ(plain.error, c.error) << c.name << ": the case does not fail as it was written to";
    }
    for (TPainterKind kind : {TPainterKind::Fastest, TPainterKind::Portable}) {
        const Outcome o = PaintCase(c, mcf, kind);
        const char* kindName = kind == TPainterKind::Fastest ? "fastest" : "portable";
        EXPECT_EQ(o.painter, ExpectedPainter(c, mcf, kind)) << c.name << ", " << kindName;
        EXPECT_EQ(o.error, plain.error) << c.name << ", " << o.painter;
        EXPECT_EQ(o.failedRow, plain.failedRow) << c.name << ", " << o.painter;
        EXPECT_TRUE(std::memcmp(o.picture.Bits(), plain.picture.Bits(),
                                plain.picture.Stride() * static_cast<size_t>(plain.picture.Height())) == 0)
            << c.name << ", " << o.painter << ": " << FirstDifference(o.picture, plain.picture);
    }
}

// The same for a built-in formula and for its typed twin, which takes the
// typed formulas' own painters through the same hard cases.
void ExpectAsPlainLoop(const Case& c, const TMcf& mcf)
{
    ExpectSameAsPlainLoop(c, mcf);
    if (c.text) return;
    Case twin = c;
    twin.text = kTwins[c.formula];
    SCOPED_TRACE(twin.text);
    ExpectSameAsPlainLoop(twin, mcf);
}

TMcf DefaultPalette()
{
    TMcf mcf;
    mcf.SetDefault();
    return mcf;
}

// A palette of n colours, all different in their low 24 bits.
TMcf PaletteOf(int n)
{
    TMcf mcf;
    for (int i = 0; i < n; ++i) mcf.Add(static_cast<int32_t>((static_cast<uint32_t>(i) * 2654435761u) & 0xFFFFFF));
    return mcf;
}

const char* const kOverflow = "浮動小数点数のオーバーフロー";
const char* const kInvalid = "不正な浮動小数点数演算命令";

TEST(RowPainter, EveryFormulaAtTheStartUpTieHeavyAndDecimalSettings)
{
    const TMcf mcf = DefaultPalette();
    for (int f = 0; f < 7; ++f) {
        const Case cases[] = {
            {"start-up", f, 0, 0, 1, 1, 1},
            {"increment 0.5, colour change 0.5: exact ties k + 1/2", f, 0, 0, 0.5L, 0.5L, 0.5},
            {"integer grid, colour change 0.3: near ties", f, 0, 0, 1, 1, 0.3},
            {"integer grid off centre, colour change 0.3", f, 17, -4, 1, 1, 0.3, 64, 9},
            {"increment 0.25, colour change 2.5", f, 0.125L, -0.375L, 0.25L, 0.25L, 2.5},
            {"increment 0.05, colour change 1", f, 0, 0, 0.05L, 0.05L, 1},
            {"increment 0.1, colour change 10", f, 1.5L, -2.5L, 0.1L, 0.1L, 10},
            {"colour change just above 1/2", f, 0, 0, 0.5L, 0.5L, 0.5 + 0x1p-53},
            {"colour change just below 1/2", f, 0, 0, 0.5L, 0.5L, 0.5 - 0x1p-54},
            {"colour change 1/3", f, 0, 0, 1, 1, 1.0 / 3},
            {"negative colour change and increments", f, 3, 2, -0.3L, -0.7L, -1.7},
            {"colour change 0", f, 3, 2, 0.3L, 0.7L, 0},
            {"colour change -0", f, 3, 2, 0.3L, 0.7L, -0.0},
            {"zero increments", f, 2.5L, -1.5L, 0, 0, 1},
            {"zero row increment", f, 2.5L, -1.5L, 1, 0, 0.5},
            {"zero column increment", f, 2.5L, -1.5L, 0, 0.5L, 0.5},
        };
        for (const Case& c : cases) {
            SCOPED_TRACE(testing::Message() << "formula " << f);
            ExpectAsPlainLoop(c, mcf);
        }
    }
}

TEST(RowPainter, HugeAndTinyScales)
{
    const TMcf mcf = DefaultPalette();
    for (int f = 0; f < 7; ++f) {
        const Case cases[] = {
            {"centre 1e8", f, 1e8L, 1e8L, 1, 1, 1},
            {"centre 1e8, ties", f, 1e8L, -1e8L, 0.5L, 0.5L, 0.5},
            {"centre 1e8, decimal", f, 1e8L, 3e7L, 0.05L, 0.3L, 0.3},
            {"centre 1e8 on the diagonal: parts that cancel", f, 1e8L, 1e8L, 0.05L, 0.05L, 1},
            {"centre 1e8 across the diagonal", f, 1e8L, -1e8L, 0.05L, -0.05L, 3.3},
            {"values around 2^31 and 2^32", f, 46340.95L, 0, 0.01L, 0.01L, 1},
            {"values around 2^34", f, 65536, 262144, 1, 1, 1},
            // x + y exact integers, times 1.5 or 0.75: exact ties k + 1/2 beyond 2^52.
            {"exact ties above 2^52", f, 4e15L, 0, 1, 1, 1.5, 37, 11, 0, {}, nullptr},
            {"exact ties above 2^53", f, 6e15L, 2e15L, 2, 2, 0.75, 37, 11, 0, {}, nullptr},
            {"exact ties above 2^60", f, 0x1p58L, 0x1p58L, 0x1p8L, 0x1p8L, 1.5 + 0x1p-10, 37, 11, 0, {}, nullptr},
            {"tiny increments, huge colour change", f, 0, 0, 1e-10L, 1e-10L, 1e20},
            {"binary tiny increments, huge colour change",
             f,
             0.25L,
             0,
             0x1p-40L,
             0x1p-40L,
             0x1p60,
             37,
             11,
             0,
             {},
             nullptr},
            {"increments 1e-300", f, 0, 0, 1e-300L, 1e-300L, 1e300},
            {"increments 1e-170, colour change 1e300", f, 0, 0, 1e-170L, 1e-170L, 1e300, 37, 11, 0, {}, nullptr},
            {"sines beyond 2^63", f, 0x1p63L, 0x1p64L, 1e15L, 3, 1, 37, 11, 0, {}, nullptr},
        };
        for (const Case& c : cases) {
            SCOPED_TRACE(testing::Message() << "formula " << f);
            ExpectAsPlainLoop(c, mcf);
        }
    }
    // Past the signed 64-bit range some pixels fail: the first one in pixel
    // order is the one reported, with every pixel before it drawn.
    const Case failing[] = {
        {"x^2 + y^2 reaches 2^63 inside the first row", 0, 3.037e9L, 0, 1e5L, 1e5L, 1, 37, 11, 0, {}, kInvalid},
        {"x^2 - y^2 around 2^63", 1, 3.037e9L, 1e3L, 1e5L, 1e6L, 1, 37, 11, 0, {}, kInvalid},
        {"x + y from row 93 on beyond 2^63", 3, 0, 50e17L, 1, 1e17L, 1, 10, 100, 0, {}, kInvalid},
        {"x * y beyond 2^63 in a middle row", 4, 3.037e9L, 3.037e9L, 1e3L, 1e8L, 1, 29, 11, 0, {}, kInvalid},
        {"centre 3.037e9, colour change 0.5", 0, 3.037e9L, 3.037e9L, 1e5L, 1e5L, 0.5, 37, 11, 0, {}, kInvalid},
    };
    for (const Case& c : failing) ExpectAsPlainLoop(c, mcf);
    for (int f : {3, 5})
        ExpectAsPlainLoop({"centre 3.037e9: values wrap past 2^32", f, 3.037e9L, 3.037e9L, 1, 1, 1}, mcf);
    // Rows that run from values no tier decides (beyond 2^62) through
    // decidable ones and back, where the extended code takes over stretches
    // of the row; the second one fails in its last columns.
    for (int f : {3, 4}) {
        ExpectAsPlainLoop({"from beyond 2^62 and back", f, 0, 0, 6e16L, 0.5L, 1, 300, 3}, mcf);
        ExpectAsPlainLoop({"from beyond 2^62 to beyond 2^63", f, 0, 0, 6.2e16L, 0.5L, 1.5, 300, 3, 0, {}, kInvalid},
                          mcf);
    }
}

TEST(RowPainter, FailuresKeepTheirMessageRowAndThePixelsBeforeThem)
{
    const TMcf mcf = DefaultPalette();
    // With colour change 0 every finite value gives 0, so only the
    // coordinates can fail, for every formula alike.
    const Case coordinates[] = {
        {"x beyond the double range", 0, 0, 0, 1e308L, 1, 0, 37, 11, 0, {}, kOverflow},
        {"y beyond the double range", 0, 0, 0, 1, 1e308L, 0, 37, 11, 0, {}, kOverflow},
        {"x beyond the double range from column 23 on", 0, 1.4e308L, 0, 1e307L, 1, 0, 37, 11, 0, {}, kOverflow},
        {"y beyond the double range in row 10", 0, 0, 1.4e308L, 1, 1e307L, 0, 5, 11, 0, {}, kOverflow},
        {"increment beyond the extended range", 0, 0, 0, 1e4930L, 1, 0, 37, 11, 0, {}, kOverflow},
    };
    // The formula's value fails: where depends on the formula.
    const Case values[] = {
        {"colour change beyond 2^63", 0, 0, 0, 1, 1, 1e300, 37, 11, 0, {}, nullptr},
        {"infinite colour change", 0, 0, 0, 1, 1, INFINITY, 37, 11, 0, {}, nullptr},
        {"values beyond 2^63 from a middle column on", 0, 0, 0, 1e17L, 1e5L, 1, 37, 11, 0, {}, nullptr},
        {"values beyond 2^63 from a middle row on", 0, 0, 0, 1e5L, 1e18L, 1, 37, 11, 0, {}, nullptr},
        {"sines of a middle column beyond 2^63, then an invalid value",
         0,
         0,
         0,
         1e18L,
         1e17L,
         1,
         37,
         11,
         0,
         {},
         nullptr},
    };
    int failed[std::size(values)] = {};
    for (int f = 0; f < 7; ++f) {
        SCOPED_TRACE(testing::Message() << "formula " << f);
        for (Case c : coordinates) {
            c.formula = f;
            ExpectAsPlainLoop(c, mcf);
        }
        for (size_t i = 0; i < std::size(values); ++i) {
            Case c = values[i];
            c.formula = f;
            if (!PaintCase(c, mcf, TPainterKind::PerPixel).error.empty()) ++failed[i];
            ExpectAsPlainLoop(c, mcf);
        }
    }
    for (size_t i = 0; i < std::size(values); ++i) EXPECT_GE(failed[i], 3) << values[i].name;
}

TEST(RowPainter, PalettesOfEverySize)
{
    // Values near 2^31 and 2^32, where the 32-bit value turns negative and
    // wraps: x + y over 2^31 - 18 .. 2^31 + 18, then around 2^32.
    const Case cases[] = {
        {"start-up", 0, 0, 0, 1, 1, 1},
        {"around 2^31", 3, 2147483648.0L, 0, 1, 1, 1},
        {"around 2^32", 3, 4294967296.0L, 0.5L, 1, 1, 1},
        {"around -2^31", 3, -2147483648.0L, -0.5L, 1, 1, 1},
        {"wide values", 3, 0, 0, 1e7L, 1.3e7L, 1},
        {"ties", 0, 0, 0, 0.5L, 0.5L, 0.5},
    };
    for (int colours : {2, 3, 127, 128, 129, 65535}) {
        const TMcf mcf = PaletteOf(colours);
        for (const Case& c : cases) {
            SCOPED_TRACE(testing::Message() << colours << " colours");
            ExpectAsPlainLoop(c, mcf);
        }
    }
    const struct {
        int colours;
        const char* error;
    } failing[] = {{1, "ゼロによる除算"}, {0, "パレットの範囲を越えています。最大[-1] 指定[1]"}};
    for (const auto& p : failing) {
        const TMcf mcf = PaletteOf(p.colours);
        for (int f = 0; f < 7; ++f) {
            for (int move = 0; move < 5; ++move) {
                Case c{"palette under two colours", f, 0, 0, 1, 1, 1, 9, 3, move, {0.5L, 0.5L, 0.5L, 0.5L}, p.error};
                ExpectAsPlainLoop(c, mcf);
            }
            // A coordinate failure comes first at the first pixel.
            ExpectAsPlainLoop({"overflow before the palette", f, 0, 0, 1e308L, 1, 1, 9, 3, 0, {}, kOverflow}, mcf);
        }
    }
}

TEST(RowPainter, OddWidths)
{
    const TMcf mcf = DefaultPalette();
    for (int width : {1, 2, 3, 7, 8, 9, 15, 16, 17, 9999})
        for (int f = 0; f < 7; ++f) {
            SCOPED_TRACE(testing::Message() << "width " << width << ", formula " << f);
            const int height = width > 100 ? 2 : 5;
            ExpectAsPlainLoop({"start-up", f, 0, 0, 1, 1, 1, width, height}, mcf);
            ExpectAsPlainLoop({"ties", f, 0.25L, 0, 0.5L, 0.5L, 0.5, width, height}, mcf);
            ExpectAsPlainLoop({"decimal", f, 0.1L, 0, 0.05L, 0.05L, 0.3, width, height}, mcf);
            // The failure at the last column of a row: x reaches 1.8e308
            // there, 0.8e308 one column before.
            const long double left = 1.8e308L - (width - 1) * 1e308L;
            ExpectAsPlainLoop({"overflow at the last column",
                               f,
                               left + width * 1e308L / 2,
                               0,
                               1e308L,
                               1,
                               0,
                               width,
                               height,
                               0,
                               {},
                               kOverflow},
                              mcf);
        }
}

TEST(RowPainter, ProductsThatUnderflowBeforeTheColourChange)
{
    // x = 2^-494, y = (1 + 2^-52) 2^-529: the extended product is exact, its
    // double rounding is subnormal and loses the last bit; times 2^1022 the
    // extended value is 1/2 + 2^-53, which rounds to 1.
    const TMcf mcf = DefaultPalette();
    const long double x = 0x1p-494L, y = (1 + 0x1p-52L) * 0x1p-529L;
    ExpectAsPlainLoop({"subnormal product", 4, x, y, 0, 0, 0x1p1022, 9, 3}, mcf);
    ExpectAsPlainLoop({"subnormal product, next pixels", 4, x, y, 0x1p-540L, 0x1p-580L, 0x1p1022, 9, 3}, mcf);
    ExpectAsPlainLoop({"subnormal squares", 0, x, y, 0x1p-500L, 0x1p-500L, 0x1p1022, 9, 3}, mcf);
    const Outcome o = PaintCase({"", 4, x, y, 0, 0, 0x1p1022, 9, 3}, mcf, TPainterKind::Fastest);
    EXPECT_EQ(PixelAt(o.picture, 0, 0), static_cast<uint32_t>(mcf.GetColor(2))); // v = 1
}

#ifdef __SIZEOF_FLOAT128__
using Quad = __float128;

// Extended values E and colour changes cc whose extended product
// P = RN64(E cc) is exactly a half-integer while the exact product is not:
// P rounds half to even, the exact product would round the other way in
// half of them. Only the extended arithmetic knows; every vector tier must
// leave these pixels to it. kind 0: E = x + y is a double sum (tier 1b),
// kind 1: x + y needs 64 bits (tier 2), kind 2: x * y is a double (tier 1b),
// kind 3: x * y needs more bits (tier 2).
std::vector<Case> ExtendedHalfIntegers(int kind, int count)
{
    std::vector<Case> cases;
    std::mt19937_64 random(static_cast<uint64_t>(kind) * 7919 + 1);
    for (int attempt = 0; attempt < 400000 && static_cast<int>(cases.size()) < count; ++attempt) {
        const int bits = 1 + static_cast<int>(random() % 61);
        const long double h = static_cast<long double>(random() >> (64 - bits)) + 0.5L;
        // 48-bit colour changes keep E cc exact in quad precision.
        const double cc = std::ldexp(static_cast<double>((random() >> 16) | (uint64_t{1} << 47)), -47);
        const long double target = h / cc;
        long double x, y, e;
        if (kind <= 1) {
            x = static_cast<double>(target);
            y = kind == 0 ? 0 : static_cast<double>(target - x);
            e = x + y;
        } else if (kind == 2) {
            // A power of two times a double: the product is that double.
            x = std::ldexp(1.0L, static_cast<int>(random() % 7) - 3);
            y = static_cast<double>(target / x);
            e = x * y;
        } else {
            x = std::ldexp(static_cast<double>(random() >> 11), -52) + 1; // [1, 2)
            y = static_cast<double>(target / x);
            e = x * y;
        }
        if (kind == 1 && static_cast<long double>(static_cast<double>(e)) == e) continue;
        if (kind == 3 && static_cast<long double>(static_cast<double>(e)) == e) continue;
        const Quad exact = static_cast<Quad>(e) * static_cast<Quad>(cc);
        const long double p = static_cast<long double>(exact);
        if (p != h || exact == static_cast<Quad>(h)) continue;
        const int formula = kind <= 1 ? 3 : 4;
        const long double sign = (attempt & 1) ? -1 : 1;
        cases.push_back({"extended product rounds to a half-integer", formula, sign * x, y, 0, 0, cc, 9, 2});
    }
    return cases;
}

TEST(RowPainter, ExtendedProductsThatRoundToAHalfInteger)
{
    const TMcf mcf = DefaultPalette();
    for (int kind = 0; kind < 4; ++kind) {
        const std::vector<Case> cases = ExtendedHalfIntegers(kind, 12);
        EXPECT_EQ(cases.size(), 12u) << "kind " << kind;
        for (const Case& c : cases) {
            SCOPED_TRACE(testing::Message() << "kind " << kind << ": x " << static_cast<double>(c.cx) << ", y "
                                            << static_cast<double>(c.cy) << ", cc " << c.cc);
            ExpectAsPlainLoop(c, mcf);
        }
    }
}
#endif

// Squares x^2 whose double rounding is a half-integer while the extended
// square is not: the double parts alone look like a tie, the extended value
// lies on one side of it. As the column part (x, 0) and as the row part (0, x).
TEST(RowPainter, SquaresWhoseDoublePartIsAHalfInteger)
{
    const TMcf mcf = DefaultPalette();
    std::mt19937_64 random(5);
    int found = 0;
    for (int attempt = 0; attempt < 20000 && found < 24; ++attempt) {
        const double h = static_cast<double>(random() >> (64 - 1 - static_cast<int>(random() % 40))) + 0.5;
        const double root = std::sqrt(h);
        for (int j = -8; j <= 8; ++j) {
            const double x = root + j * std::ldexp(1.0, std::ilogb(root) - 52);
            const long double square = static_cast<long double>(x) * x;
            if (static_cast<double>(square) != h || square == h) continue;
            ++found;
            for (int f : {0, 1, 2}) {
                ExpectAsPlainLoop({"column part", f, x, 0, 0, 0, 1, 9, 2}, mcf);
                if (f != 2) ExpectAsPlainLoop({"row part", f, 0, x, 0, 0, 1, 9, 2}, mcf);
            }
        }
    }
    EXPECT_GE(found, 24);
}

// Typed formulas of every shape the painters tell apart: a sum, difference
// or product of a part in x and a part in y (either way round), x or y or no
// variable alone, and code that mixes them, with parts the vector painter
// cannot hold (extended products, values beyond the double range).
TEST(RowPainter, TypedFormulasOfEveryShape)
{
    const struct {
        const char* text;
        const char* painter;
    } formulas[] = {
        {"y*y - x*x", "vector"},
        {"sin(y/3) + x*x/7", "vector"},
        {"x*x*x", "vector"},
        {"y/7", "vector"},
        {"2*pi", "vector"},
        {"7", "vector"},
        {"1/x - 1/y", "vector"},
        {"x*1e300 + y*1e300", "vector"},
        {"sin(x/4) * y", "axis"},    // an extended factor: no vector product
        {"(2*x) * (y/4)", "vector"}, // factors that are doubles
        {"100*sin(x/9)*cos(y/9)", "axis"},
        {"x*y + 3", "expression"},
        {"(x*x - y*y)/(1 + abs(x*y)) * 50 + mod(x, 7)", "expression"},
        {"(x*x*x - 3*x*y*y)/(x*x + y*y + 1) * 40 - y/2 + x/3", "expression"},
        {"hypot(x, y)*(3 + sin(6*atan2(y, x)))", "expression"},
        {"100*sin(x/9)*cos(y/9) + 100*cos(x/23 + y/31)", "expression"},
        {"min(x, y) - max(x, -y) + floor(x/y) + ceil(y/3) + round(x*y/5)", "expression"},
        {"2^(x/50) * y - sqrt(abs(x*y)) + exp(-x*x*y*y/1e4) + ln(1 + abs(x - y))", "expression"},
        {"tan(x*y/1000) * 50 - -x*y", "expression"},
        {"(x - y) * (x + y) / 3 - (y - x) / (x*x + 1)", "expression"},
        // A leaf, a row's or a column's value first and mixed code second.
        {"y - x*y/7 + 100/(x*y + 0.5) + mod(3.5, x*y + 1)", "expression"},
        {"(x - x*y/9) * 2^(x*y/1000) + atan2(sin(x), x*y)", "expression"},
        {"sin(x) - x*y / (cos(x) + 2) - hypot(y/3, x*y)", "expression"},
    };
    const Case settings[] = {
        {"start-up", 0, 0, 0, 1, 1, 1},
        {"ties", 0, 0.25L, 0, 0.5L, 0.5L, 0.5},
        {"decimal", 0, 0.1L, -0.3L, 0.05L, 0.07L, 0.3},
        // The last bits of every extended value show in the picture.
        {"decimal, colour change 1e15", 0, 0.1L, -0.3L, 0.05L, 0.07L, 1e15},
        {"centre 1e8", 0, 1e8L, -1e8L, 0.05L, 0.05L, 1e-9},
        {"width 1", 0, 0, 0, 1, 1, 1, 1, 5},
        {"width 3", 0, 0.5L, 0, 0.3L, 0.7L, 3, 3, 5},
        {"width 7", 0, 0.5L, 0, 0.3L, 0.7L, 3, 7, 5},
    };
    for (const TMcf& mcf : {DefaultPalette(), PaletteOf(2), PaletteOf(65535)}) {
        for (const auto& f : formulas) {
            for (Case c : settings) {
                SCOPED_TRACE(testing::Message() << f.text << ", " << mcf.High + 1 << " colours");
                c.text = f.text;
                c.typedPainter = f.painter;
                c.error = nullptr;
                ExpectAsPlainLoop(c, mcf);
            }
        }
    }
}

// A failure of a part, of the join or of the code left per pixel ends the
// picture at the pixel, with the message and the pixels before it of the
// whole per-pixel code. 37 x 11 pixels; with centre (0.5, 0.5) and
// increment 1, x = column - 18 and y = row - 5.
TEST(RowPainter, TypedFormulasFailWhereTheWholeCodeFails)
{
    const char* const kZeroDivide = "ゼロによる除算";
    const struct {
        const char* text;
        const char* painter;
        long double cx, cy, dx, dy;
        double cc;
        const char* error;
        bool atOnce; // fails at the first pixel
    } cases[] = {
        {"ln(-x) + y", "vector", 0.5L, 0.5L, 1, 1, 1, kZeroDivide, false},   // a column part, column 18
        {"x + sqrt(3 - y)", "vector", 0.5L, 0.5L, 1, 1, 1, kInvalid, false}, // a row part, row 9
        // Both parts fail at the first pixel: the first in the code wins.
        {"sqrt(x) + 1/(y + 5)", "vector", 0.5L, 0.5L, 1, 1, 1, kInvalid, true},
        {"1/(y + 5) + sqrt(x)", "vector", 0.5L, 0.5L, 1, 1, 1, kZeroDivide, true},
        // A part beyond the extended range, and parts within it whose sum
        // or product is not (colour change 0 keeps huge values from failing).
        {"exp(x) + y", "vector", 11340.5L, 0.5L, 1, 1, 0, kOverflow, false},
        {"exp(x) + exp(y)", "vector", 11352, 11355.55L, 0.25L, 0.1L, 0, kOverflow, false},
        {"exp(x) * exp(y)", "axis", 5668, 5684, 0.25L, 0.5L, 0, kOverflow, false},
        {"x/19 * 1e4932 - y/19 * 1e4932", "vector", 0.5L, 0.5L, 1, 1, 0, kOverflow, false},
        {"x * 1e4000 + y * 1e4000", "vector", 0.5L, 0.5L, 1, 1, 1, kInvalid, true},
        {"(y + 2) * 3e18 + x", "vector", 0.5L, 0.5L, 1, 1, 1, kInvalid, false}, // beyond 2^63 from row 7
        {"1/(x + y - 3)", "expression", 0.5L, 0.5L, 1, 1, 1, kZeroDivide, false},
        {"sqrt(x*y) + x", "expression", 0.5L, 0.5L, 1, 1, 1, kInvalid, false},
        {"exp((x + y) * 700) + 1", "expression", 0.5L, 0.5L, 1, 1, 0, kOverflow, false},
        {"(x - 3) / (x - 3) * y", "vector", 0.5L, 0.5L, 1, 1, 1, kInvalid, false}, // 0 / 0 in a column
        {"ln(x*y - 4) * 0 + sqrt(y - 4)", "expression", 0.5L, 0.5L, 1, 1, 1, kInvalid, true},
        {"mod(x*y, y + 2)", "expression", 0.5L, 0.5L, 1, 1, 1, kZeroDivide, false},
        {"(x*y) ^ -1", "expression", 0.5L, 0.5L, 1, 1, 1, kZeroDivide, false},
        {"(x*y - 70) ^ 0.5 + 1", "expression", 0.5L, 0.5L, 1, 1, 1, kInvalid, false},
        {"x*y * 1e4930 * 1e10", "expression", 0.5L, 0.5L, 1, 1, 0, kOverflow, true},
        {"(x*y - 50) * 1e17", "expression", 0.5L, 0.5L, 1, 1, 1, kInvalid, false}, // beyond 2^63
        {"(x*y - 50) * 1e4930", "expression", 0.5L, 0.5L, 1, 1, 1e300, kOverflow, true},
        {"sin(x) * y + 1/(x*y - 20)", "expression", 0.5L, 0.5L, 1, 1, 1, kZeroDivide, false},
        // x beyond the double range from column 30 on.
        {"ln(x + 2e308) + x*y", "expression", 0.7e308L, 0.5L, 1e307L, 1, 0, kOverflow, false},
    };
    for (const TMcf& mcf : {DefaultPalette(), PaletteOf(2)})
        for (const auto& f : cases) {
            for (int width : {37, 3}) {
                Case c{f.text, 0, f.cx, f.cy, f.dx, f.dy, f.cc, width, 11};
                c.text = f.text;
                c.typedPainter = f.painter;
                c.error = width == 37 ? f.error : nullptr;
                ExpectAsPlainLoop(c, mcf);
                if (width == 37 && *f.error) {
                    const Outcome plain = PaintCase(c, mcf, TPainterKind::PerPixel);
                    const bool drewSome = plain.failedRow > 0 || PixelAt(plain.picture, 0, 0) != 0x5A5A5Au;
                    EXPECT_EQ(drewSome, !f.atOnce) << f.text;
                }
            }
        }
}

// The index without a division at multiples of High, where RN(1/High) below
// 1/High could make the quotient one too small: (col + row * width) * High
// times powers of two.
TEST(RowPainter, PaletteIndexAtMultiplesOfHigh)
{
    // For 49, 103, 253 and 65029 the product rounds below k at k = 2^j.
    for (int high : {3, 49, 103, 127, 253, 65029, 65535}) {
        const TMcf mcf = PaletteOf(high + 1);
        const int width = 16, height = 4;
        for (int j = 0; j <= 24; ++j) {
            SCOPED_TRACE(testing::Message() << "High " << high << ", times 2^" << j);
            const long double dx = high, dy = static_cast<long double>(high) * width;
            ExpectAsPlainLoop(
                {"multiples of High", 3, width * dx / 2, height * dy / 2, dx, dy, std::ldexp(1.0, j), width, height},
                mcf);
        }
    }
}

TEST(RowPainter, ShiftingAndRotatingPointMoves)
{
    const TMcf mcf = DefaultPalette();
    const TPointMoveParam params[] = {
        {10, 0.05L, 10, 0.05L}, {1.5L, 2, 0.5L, 3}, {-3, 0.7L, 2, -0.2L}, {0, 0, 0, 0}, {0.25L, 0.1L, 0.3L, 0.2L}};
    for (int move = 1; move < 5; ++move)
        for (int f = 0; f < 7; ++f)
            for (const TPointMoveParam& p : params) {
                SCOPED_TRACE(testing::Message() << "point move " << move << ", formula " << f);
                ExpectAsPlainLoop({"start-up", f, 0, 0, 1, 1, 1, 23, 7, move, p}, mcf);
                ExpectAsPlainLoop({"decimal", f, 1e3L, -2.5L, 0.05L, 0.07L, 0.3, 23, 7, move, p}, mcf);
            }
    // A term that overflows fails at its row (x terms) or column (y terms).
    const Case failing[] = {
        {"x term overflows from row 12 on", 0, 0, 0, 1, 1, 1, 9, 20, 1, {1, 1e4931L, 1, 1}, kOverflow},
        {"y term overflows from column 12 on", 0, 0, 0, 1, 1, 1, 20, 3, 1, {1, 1, 1, 1e4931L}, kOverflow},
        {"linear term overflows from row 12 on", 0, 0, 0, 1, 1, 1, 9, 20, 3, {1e4931L, 1, 0, 0}, kOverflow},
        {"linear y term overflows from column 12 on", 0, 0, 0, 1, 1, 1, 20, 3, 3, {1, 1e4931L, 0, 0}, kOverflow},
        {"abs sine term overflows", 0, 0, 0, 1, 1, 1, 9, 20, 4, {1, 1e4931L, 1, 1}, kOverflow},
        {"shifted x beyond the double range from row 2 on", 3, 0, 0, 1, 1, 0, 9, 20, 3, {1e308L, 0, 0, 0}, kOverflow},
        {"rotation of a far pixel", 0, 1e300L, 0, 1e10L, 1, 1, 9, 3, 2, {0.25L, 0, 0, 0}, kInvalid},
        {"rotation angle beyond the extended range", 0, 0, 0, 1, 1, 1, 9, 3, 2, {1e4931L, 0, 0, 0}, kOverflow},
        {"rotation angle beyond the double range far out", 0, 0, 0, 1, 1, 1, 80, 3, 2, {5e307L, 0, 0, 0}, kOverflow},
    };
    for (const Case& c : failing) ExpectAsPlainLoop(c, mcf);
}

// Classes of other origin go through their virtual operations in every painter.
class StripeFormula final : public TFormula {
public:
    int32_t Calc(double x, double y) const override { return static_cast<int32_t>(std::floor(x * 3 + y)); }
};
class MirrorMove final : public TPointMove {
public:
    long double GetX(int32_t x, int32_t y) const override { return y - x; }
    long double GetY(int32_t x, int32_t y) const override { return x + 2 * y; }
};

TEST(RowPainter, OtherFormulaAndPointMoveClasses)
{
    const TMcf mcf = PaletteOf(97);
    const StripeFormula stripes;
    const MirrorMove mirror;
    for (int m = 0; m < 6; ++m) {
        auto builtin = m < 5 ? TPointMoveBox::GetPointMove(m) : nullptr;
        if (builtin) builtin->SetParam({0.5L, 0.25L, 0.5L, 0.25L});
        const TPointMove& move = builtin ? *builtin : static_cast<const TPointMove&>(mirror);
        const DrawSetup setup{move, stripes, mcf, 19, 5, 0.3L, 0.2L, -2.85L, -0.5L};
        const Outcome plain = PaintAll(setup, TPainterKind::PerPixel);
        for (TPainterKind kind : {TPainterKind::Fastest, TPainterKind::Portable}) {
            const Outcome o = PaintAll(setup, kind);
            EXPECT_TRUE(SamePixels(o.picture, plain.picture)) << "move " << m << ", " << o.painter;
            EXPECT_EQ(o.error, "");
        }
    }
}

#if defined(__x86_64__)
// Under other floating-point settings than the defaults the vector painter
// stands aside; the tables still give what the plain loop gives under the
// same settings.
TEST(RowPainter, OtherFloatingPointSettingsKeepTheExtendedPainters)
{
    const TMcf mcf = DefaultPalette();
    const Case c{"decimal", 0, 0.1L, 0.3L, 0.05L, 0.07L, 0.3};
    const auto expectAxis = [&](const char* setting) {
        const Outcome o = PaintCase(c, mcf, TPainterKind::Fastest);
        const Outcome plain = PaintCase(c, mcf, TPainterKind::PerPixel);
        EXPECT_EQ(o.painter, "axis") << setting;
        EXPECT_TRUE(SamePixels(o.picture, plain.picture)) << setting;
    };
    const unsigned sse = _mm_getcsr();
    _mm_setcsr(sse | 0x8000); // flush to zero
    expectAxis("flush to zero");
    _mm_setcsr((sse & ~0x6000u) | 0x2000); // SSE rounding down
    expectAxis("SSE rounding down");
    _mm_setcsr(sse);

    uint16_t x87;
    asm volatile("fnstcw %0" : "=m"(x87));
    const uint16_t doublePrecision = static_cast<uint16_t>((x87 & ~0x0300) | 0x0200);
    asm volatile("fldcw %0" : : "m"(doublePrecision));
    expectAxis("x87 with 53-bit significands");
    asm volatile("fldcw %0" : : "m"(x87));

    const Outcome o = PaintCase(c, mcf, TPainterKind::Fastest);
    EXPECT_EQ(o.painter, VectorProcessor() ? "vector" : "axis") << "settings restored";
}
#endif

} // namespace
