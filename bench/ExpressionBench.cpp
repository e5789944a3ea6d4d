// Typed formulas: the speed of the whole per-pixel evaluation on one thread
// against a plain inline loop of formula 0 (what every pixel ran before
// drawings split typed formulas into parts per column and per row, and what
// pixels whose parts fail and other point moves still run), whole drawings
// through TVelquor against their built-in twins (split and drawn like them;
// bench_render has the figures at 4000 x 4000 with mixed expressions too),
// compile time, and the allocations made while evaluating (none expected).
#include "engine/ExpressionFormula.h"
#include "engine/FormulaMath.h"
#include "engine/UVelquor.h"
#include "expression/ExpressionParser.h"
#include "palette/ColorSplit.h"
#include "palette/PaletteIndex.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <new>

namespace {

std::atomic<long> allocations{0};

constexpr int kSize = 2000;

template <class Work>
double Seconds(Work&& work)
{
    double best = 1e300;
    for (int run = 0; run < 3; ++run) {
        const auto start = std::chrono::steady_clock::now();
        work();
        best = std::min(best, std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
    }
    return best;
}

// One drawing of kSize x kSize pixels around (0.5, -0.25) with increment
// 0.05 on this thread alone: coordinates as the renderer forms them, the
// value, the palette entry and the pixel bytes, as bench_render's plain loop.
template <class Fn>
void PaintPlain(const TMcf& mcf, TBitmap24& out, Fn&& value)
{
    const long double inc = 0.05L, left = 0.5L - kSize * inc / 2, top = -0.25L - kSize * inc / 2;
    for (int row = 0; row < kSize; ++row) {
        uint8_t* p = out.Row(row);
        const double y = fpu::ToDoubleArg(top + row * inc);
        for (int col = 0; col < kSize; ++col) {
            const double x = fpu::ToDoubleArg(left + col * inc);
            const colorsplit::Channels c = colorsplit::Split(mcf.GetColor(PaletteIndex(value(x, y), mcf.High)));
            p[0] = static_cast<uint8_t>(c.b);
            p[1] = static_cast<uint8_t>(c.g);
            p[2] = static_cast<uint8_t>(c.r);
            p += 3;
        }
    }
}

// Instructions other than plain leaves: the steps evaluation makes.
bool SamePixels(const TBitmap24& a, const TBitmap24& b)
{
    for (int y = 0; y < a.Height(); ++y)
        if (std::memcmp(a.Row(y), b.Row(y), static_cast<size_t>(a.Width()) * 3) != 0) return false;
    return true;
}

int Operations(const TExpressionProgram& p)
{
    int n = 0;
    for (const ExprInstr& i : p.Code()) n += i.op > ExprOp::PushConst;
    return n;
}

} // namespace

// Counting every allocation of the program shows whether evaluation makes any.
void* operator new(size_t size)
{
    allocations.fetch_add(1, std::memory_order_relaxed);
    if (void* p = std::malloc(size == 0 ? 1 : size)) return p;
    throw std::bad_alloc();
}
void operator delete(void* p) noexcept { std::free(p); }
void operator delete(void* p, size_t) noexcept { std::free(p); }

int main()
{
    const double mpx = static_cast<double>(kSize) * kSize / 1e6;
    std::printf("Whole per-pixel evaluation, one thread, %d x %d pixels, best of 3 runs\n", kSize, kSize);
    TMcf mcf;
    mcf.SetDefault();
    TBitmap24 plainPicture, typedPicture;
    plainPicture.SetSize(kSize, kSize);
    typedPicture.SetSize(kSize, kSize);
    const double plain = Seconds([&] {
        PaintPlain(mcf, plainPicture, [](double x, double y) { return formulamath::SqrXPlusSqrY(x, y, 1.0); });
    });
    std::printf("%-58s %5s %7.1f Mpx/s\n", "formula 0, plain single-threaded loop", "", mpx / plain);

    const char* const texts[] = {
        "x*x + y*y",
        "x + y",
        "100*sin(x) + y",
        "200*sin(x/10) + 200*sin(y/10)",
        "hypot(x, y)*(3 + sin(6*atan2(y, x)))",
        "100*sin(x/9)*cos(y/9) + 100*cos(x/23 + y/31)",
        "(x*x - y*y)/(1 + abs(x*y)) * 50 + mod(x, 7)",
        "(x*x*x - 3*x*y*y)/(x*x + y*y + 1) * 40 - y/2 + x/3",
    };
    long evaluationAllocations = 0;
    for (const char* text : texts) {
        const TFormula_Expression typed(text);
        const TFormula& f = typed;
        const long before = allocations.load();
        const double t =
            Seconds([&] { PaintPlain(mcf, typedPicture, [&f](double x, double y) { return f.Calc(x, y); }); });
        evaluationAllocations += allocations.load() - before;
        const bool twin = std::string(text) == "x*x + y*y";
        std::printf("%-58s %2d ops %7.1f Mpx/s  %.2f of formula 0%s\n", text, Operations(typed.Program()), mpx / t,
                    plain / t, twin ? (SamePixels(plainPicture, typedPicture) ? ", same picture" : ", DIFFERENT") : "");
    }
    std::printf("allocations while evaluating: %ld\n\n", evaluationAllocations);

    std::printf("Whole drawings through TVelquor, %d x %d, %u hardware threads\n", kSize, kSize,
                std::thread::hardware_concurrency());
    const char* const twins[] = {
        "x*x + y*y", "x*x - y*y", "x*x + y", "x + y", "x * y", "100*sin(x) + y", "200*sin(x/10) + 200*sin(y/10)"};
    for (int type = 0; type < 7; ++type) {
        double times[2];
        for (int typed = 0; typed < 2; ++typed) {
            TVelquor v(true, nullptr);
            v.SetSize(kSize, kSize);
            v.Center = {0.5L, -0.25L};
            v.Incremental = {0.05L, 0.05L};
            if (typed) v.SetFormula(std::make_unique<TFormula_Expression>(twins[type]));
            else v.SetFormula(TFormulaBox::GetFormula(type));
            times[typed] = Seconds([&] {
                v.Resume();
                v.WaitUntilSuspended();
            });
        }
        std::printf("formula %d %-32s built-in %7.1f Mpx/s  typed %7.1f Mpx/s  %.2f\n", type, twins[type],
                    mpx / times[0], mpx / times[1], times[0] / times[1]);
    }

    std::string longest = "x";
    while (longest.size() + 8 <= 1000) longest += "+sin(x*y)";
    const double compile = Seconds([&] {
        for (int i = 0; i < 1000; ++i) CompileExpression(longest);
    });
    std::printf("\ncompiling a %zu-character text: %.1f us\n", longest.size(), compile / 1000 * 1e6);
    return evaluationAllocations == 0 ? 0 : 1;
}
