// A long randomized comparison of the row painters: random pictures, most of
// them tie-heavy or at the edges of the arithmetic, each painted by the
// fastest painter, the portable one and the per-pixel plain loop, which must
// agree in every byte, in the failure message and in the failing row. A
// part of the pictures use typed formulas: the built-ins' twins and random
// expressions of x and y.
//
// usage: painter_compare [SECONDS [SEED]]   (default 60 s, seed from the clock)
#include "common/Exceptions.h"
#include "engine/ExpressionFormula.h"
#include "engine/RowPainter.h"

#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <random>
#include <string>

namespace {

struct Setting {
    int formula = 0;
    int pointMove = 0;
    TPointMoveParam param;
    long double cx = 0, cy = 0, dx = 1, dy = 1;
    double cc = 1;
    int width = 1, height = 1;
    int colours = 128; // 0 for the default palette
    std::string text;  // a typed formula instead of the built-in one
};

const char* const kTwins[] = {
    "x*x + y*y", "x*x - y*y", "x*x + y", "x + y", "x * y", "100*sin(x) + y", "200*sin(x/10) + 200*sin(y/10)",
};

struct Outcome {
    TBitmap24 picture;
    std::string error;
    int failedRow = -1;
    std::string painter;
};

Outcome Paint(const Setting& s, const TMcf& mcf, TPainterKind kind)
{
    std::unique_ptr<TFormula> formula;
    if (s.text.empty()) formula = TFormulaBox::GetFormula(s.formula);
    else formula = std::make_unique<TFormula_Expression>(s.text);
    formula->ColorChange = s.cc;
    auto move = TPointMoveBox::GetPointMove(s.pointMove);
    move->SetParam(s.param);
    move->SetSize(s.width, s.height);
    const DrawSetup setup{
        *move, *formula, mcf, s.width, s.height, s.dx, s.dy, s.cx - s.width * s.dx / 2, s.cy - s.height * s.dy / 2};
    Outcome o;
    o.picture.SetSize(s.width, s.height);
    std::memset(o.picture.Bits(), 0xA5, o.picture.Stride() * static_cast<size_t>(s.height));
    const auto painter = MakeRowPainter(setup, kind);
    o.painter = painter->Name();
    for (int row = 0; row < s.height; ++row) {
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

bool Same(const Outcome& a, const Outcome& b)
{
    return a.error == b.error && a.failedRow == b.failedRow &&
           std::memcmp(a.picture.Bits(), b.picture.Bits(), a.picture.Stride() * a.picture.Height()) == 0;
}

class Generator {
public:
    explicit Generator(uint64_t seed) : random_(seed) {}

    Setting Next()
    {
        Setting s;
        switch (Int(0, 3)) {
        case 0: s = Edges(); break;
        case 1: s = LargeNearTies(); break;
        case 2: s = Cancelling(); break;
        default: s = Decimal(); break;
        }
        if (Chance(0.2)) s.text = kTwins[s.formula];
        else if (Chance(0.25)) s.text = Expression(Int(1, 4));
        return s;
    }

private:
    // A random expression of x and y with at most depth levels of operations.
    std::string Expression(int depth)
    {
        if (depth == 0 || Chance(0.2)) {
            const char* const leaves[] = {"x", "y", "x", "y", "2", "0.5", "pi", "100", "1e-3", "3.7"};
            return Pick(leaves);
        }
        const char* const unary[] = {"sin", "cos", "abs", "sqrt", "exp", "ln", "floor", "round", "tan", "-"};
        const char* const binary[] = {"+", "-", "*", "/", "^"};
        const char* const calls[] = {"min", "max", "mod", "atan2", "hypot"};
        const std::string a = Expression(depth - 1);
        switch (Int(0, 5)) {
        case 0: return std::string(Pick(unary)) + "(" + a + ")";
        case 1: return std::string(Pick(calls)) + "(" + a + ", " + Expression(depth - 1) + ")";
        case 2: return "(" + a + ")^2";
        default: return "(" + a + ") " + Pick(binary) + " (" + Expression(depth - 1) + ")";
        }
    }

    // Anything: special values, huge and tiny scales, ties, every point move.
    Setting Edges()
    {
        Setting s;
        s.formula = Int(0, 6);
        s.pointMove = Chance(0.8) ? 0 : Int(1, 4);
        s.param = {Pick({0.0L, 0.5L, 1.5L, Real(-3, 3)}), Pick({0.0L, 0.1L, 2.0L, Real(-1, 1)}),
                   Pick({0.0L, 0.5L, Real(-3, 3)}), Pick({0.0L, 0.3L, Real(-1, 1)})};
        const long double centres[] = {0,
                                       0.5L,
                                       Real(-100, 100),
                                       std::round(Real(-1000, 1000)),
                                       1e8L,
                                       3.037e9L,
                                       std::ldexp(Real(1, 2), Int(-60, 70)),
                                       -2147483648.0L,
                                       4294967296.0L};
        s.cx = Pick(centres) * (Chance(0.3) ? -1 : 1);
        s.cy = Chance(0.5) ? s.cx : Pick(centres);
        const long double steps[] = {1,          0.5L, 0.25L, 0.05L, 0.1L, 1e-10L, 0, std::ldexp(1.0L, Int(-40, 4)),
                                     Real(0, 2), 3};
        s.dx = Pick(steps) * (Chance(0.2) ? -1 : 1);
        s.dy = Chance(0.5) ? s.dx : Pick(steps);
        const double changes[] = {1,
                                  0.5,
                                  0.3,
                                  0.1,
                                  10,
                                  1.0 / 3,
                                  std::ldexp(1.0, Int(-30, 60)),
                                  static_cast<double>(Real(-5, 5)),
                                  1e15,
                                  1e-300,
                                  0,
                                  0.5 + 0x1p-52,
                                  0.5 - 0x1p-53};
        s.cc = Pick(changes);
        s.width = Chance(0.1) ? Int(1, 9) : Int(1, 70);
        s.height = Int(1, 12);
        s.colours = Pick({0, 2, 3, 127, 128, 65535, Int(2, 300)});
        return s;
    }

    // Values of 2^20 to 2^31 from inexact decimal steps: the largest errors
    // the first tier must bound, and many pixels near a half-integer.
    Setting LargeNearTies()
    {
        Setting s = Decimal();
        s.formula = Pick({0, 1, 2, 3, 5, 6, 4});
        const double scale = std::ldexp(1.0, Int(20, 31));
        const long double root = std::sqrt(scale / std::fabs(s.cc));
        s.cx = s.formula == 3 || s.formula >= 5 ? scale / s.cc : root;
        s.cy = Chance(0.5) ? s.cx * Real(-1, 1) : root * Real(-1, 1);
        return s;
    }

    // x^2 - y^2 along the diagonal: large parts that cancel to a small value.
    Setting Cancelling()
    {
        Setting s = Decimal();
        s.formula = Chance(0.8) ? 1 : 3;
        s.cx = Pick({1e3L, 1e6L, 1e8L, 3.037e9L, Real(1, 1e9)});
        s.cy = s.formula == 1 ? s.cx * (Chance(0.5) ? 1 : -1) : -s.cx;
        s.dy = s.dx * (Chance(0.5) ? 1 : -1);
        return s;
    }

    // Decimal increments and colour changes, mid-sized pictures.
    Setting Decimal()
    {
        Setting s;
        s.formula = Int(0, 6);
        s.cx = std::round(Real(-50, 50)) / 10;
        s.cy = std::round(Real(-50, 50)) / 10;
        s.dx = Pick({0.05L, 0.1L, 0.01L, 0.3L, 0.7L, std::round(Real(1, 99)) / 100});
        s.dy = Chance(0.5) ? s.dx : Pick({0.05L, 0.1L, 0.03L, 1.0L});
        s.cc = Pick({1.0, 0.3, 0.7, 0.1, 2.5, 3.3, 1.0 / 3, std::round(static_cast<double>(Real(1, 99))) / 10});
        s.width = Int(64, 256);
        s.height = Int(8, 32);
        s.colours = Pick({0, 2, 65535, Int(2, 300)});
        return s;
    }

    int Int(int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(random_); }
    long double Real(double lo, double hi) { return std::uniform_real_distribution<double>(lo, hi)(random_); }
    bool Chance(double p) { return std::bernoulli_distribution(p)(random_); }
    template <class T, size_t N>
    T Pick(const T (&values)[N])
    {
        return values[static_cast<size_t>(Int(0, static_cast<int>(N) - 1))];
    }
    template <class T>
    T Pick(std::initializer_list<T> values)
    {
        return values.begin()[Int(0, static_cast<int>(values.size()) - 1)];
    }

    std::mt19937_64 random_;
};

void Describe(const Setting& s)
{
    std::printf(
        "  formula %d, point move %d (%Lg %Lg %Lg %Lg), centre %.21Lg %.21Lg, increment %.21Lg %.21Lg, "
        "colour change %.17g, %d x %d, colours %d%s%s\n",
        s.formula, s.pointMove, s.param.a, s.param.b, s.param.c, s.param.d, s.cx, s.cy, s.dx, s.dy, s.cc, s.width,
        s.height, s.colours, s.text.empty() ? "" : ", typed ", s.text.c_str());
}

} // namespace

int main(int argc, char** argv)
{
    const double seconds = argc > 1 ? std::atof(argv[1]) : 60;
    const uint64_t seed = argc > 2 ? std::strtoull(argv[2], nullptr, 10)
                                   : static_cast<uint64_t>(std::chrono::steady_clock::now().time_since_epoch().count());
    std::printf("seed %llu, %.0f s\n", static_cast<unsigned long long>(seed), seconds);
    Generator generator(seed);
    std::mt19937 colours(static_cast<uint32_t>(seed));
    const auto end = std::chrono::steady_clock::now() + std::chrono::duration<double>(seconds);
    long pictures = 0, pixels = 0, vector = 0, typed = 0, failures = 0, mismatches = 0;
    while (std::chrono::steady_clock::now() < end) {
        const Setting s = generator.Next();
        TMcf mcf;
        if (s.colours == 0) mcf.SetDefault();
        for (int i = 0; i < s.colours; ++i) mcf.Add(static_cast<int32_t>(colours() & 0xFFFFFF));
        const Outcome plain = Paint(s, mcf, TPainterKind::PerPixel);
        for (TPainterKind kind : {TPainterKind::Fastest, TPainterKind::Portable}) {
            const Outcome o = Paint(s, mcf, kind);
            if (o.painter == "vector") ++vector;
            if (kind == TPainterKind::Fastest && !s.text.empty()) ++typed;
            if (!Same(o, plain)) {
                if (++mismatches <= 20) {
                    std::printf("MISMATCH (%s painter): '%s' at row %d, plain loop '%s' at row %d\n", o.painter.c_str(),
                                o.error.c_str(), o.failedRow, plain.error.c_str(), plain.failedRow);
                    Describe(s);
                }
            }
        }
        ++pictures;
        pixels += static_cast<long>(s.width) * s.height;
        if (!plain.error.empty()) ++failures;
    }
    std::printf(
        "%ld pictures (%ld by the vector painter, %ld typed), %ld pixels, %ld ending in a failure: %ld "
        "mismatches\n",
        pictures, vector, typed, pixels, failures, mismatches);
    return mismatches == 0 ? 0 : 1;
}
