// Rendering speed: 4000 x 4000 pixels through TVelquor for three settings,
// next to a plain single-threaded loop doing the same arithmetic inline, and
// a check that both produce the same bytes.
#include "engine/ColorSplit.h"
#include "engine/FpuMath.h"
#include "engine/PaletteIndex.h"
#include "engine/UVelquor.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <functional>

namespace {

constexpr int kSize = 4000;
constexpr long double kTwoPi = 6.283185307179586477L;

struct Setting {
    const char* name;
    int formula;
    int pointMove;
    TPointMoveParam param;
};

// Best of a few runs: the machine is shared, and the fastest run is the one
// least disturbed by others.
double Seconds(const std::function<void()>& work)
{
    double best = 1e300;
    for (int run = 0; run < 3; ++run) {
        const auto start = std::chrono::steady_clock::now();
        work();
        best = std::min(best, std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
    }
    return best;
}

inline int32_t Finish(long double e, double cc)
{
    const int64_t r = fpu::Round(e * cc);
    const uint64_t m = r < 0 ? uint64_t{0} - static_cast<uint64_t>(r) : static_cast<uint64_t>(r);
    return static_cast<int32_t>(static_cast<uint32_t>(m));
}

// The arithmetic of one drawing written out for one setting, no virtual calls.
void Reference(const Setting& s, const TMcf& mcf, TFloatPoint centre, TFloatPoint inc, double cc, TBitmap24& out)
{
    out.SetSize(kSize, kSize);
    const int w = kSize, h = kSize;
    const int32_t cx = w / 2, cy = h / 2;
    for (int row = 0; row < h; ++row) {
        uint8_t* p = out.Row(row);
        for (int col = 0; col < w; ++col) {
            long double mx = col, my = row;
            if (s.pointMove == 2) {
                const int64_t dx = col - cx, dy = row - cy;
                const int64_t r2 = dx * dx + dy * dy;
                const double root = static_cast<double>(fpu::Sqrt(static_cast<long double>(r2)));
                const double rho = static_cast<double>(fpu::Sqrt(static_cast<long double>(root)));
                const double theta = fpu::ToDoubleArg(fpu::Checked(kTwoPi * rho * s.param.a) / 10);
                const long double c = fpu::Cos(theta), sn = fpu::Sin(theta);
                const long double ldx = static_cast<long double>(dx), ldy = static_cast<long double>(dy);
                mx = static_cast<long double>(fpu::Round(ldx * c - ldy * sn + cx));
                my = static_cast<long double>(fpu::Round(ldx * sn + ldy * c + cy));
            }
            const long double x = centre.X - w * inc.X / 2 + mx * inc.X;
            const long double y = centre.Y - h * inc.Y / 2 + my * inc.Y;
            const long double lx = fpu::ToDoubleArg(x), ly = fpu::ToDoubleArg(y);
            const int32_t v = s.formula == 5 ? Finish(100.0L * fpu::Sin(lx) + ly, cc) : Finish(lx * lx + ly * ly, cc);
            const colorsplit::Channels k = colorsplit::Split(mcf.GetColor(PaletteIndex(v, mcf.High)));
            p[0] = static_cast<uint8_t>(k.b);
            p[1] = static_cast<uint8_t>(k.g);
            p[2] = static_cast<uint8_t>(k.r);
            p += 3;
        }
    }
}

bool SameBytes(const TBitmap24& a, const TBitmap24& b)
{
    if (a.Width() != b.Width() || a.Height() != b.Height()) return false;
    for (int y = 0; y < a.Height(); ++y)
        if (std::memcmp(a.Row(y), b.Row(y), static_cast<size_t>(a.Width()) * 3) != 0) return false;
    return true;
}

} // namespace

int main()
{
    const Setting settings[] = {
        {"formula 0, point move 0", 0, 0, {}},
        {"formula 5, point move 0", 5, 0, {}},
        {"formula 0, point move 2", 0, 2, {0.25L, 0, 0, 0}},
    };
    const double mpx = static_cast<double>(kSize) * kSize / 1e6;
    std::printf("%d x %d pixels, best of 3 runs, %u hardware threads\n", kSize, kSize,
                std::thread::hardware_concurrency());
    std::printf("%-26s %12s %12s %7s  %s\n", "setting", "TVelquor", "plain loop", "ratio", "bytes");
    int mismatches = 0;
    for (const auto& s : settings) {
        TVelquor v(true, nullptr);
        v.SetSize(kSize, kSize);
        v.Center = {0.5L, -0.25L};
        v.Incremental = {0.05L, 0.05L};
        v.SetColorChange(1.0);
        v.SetFormula(TFormulaBox::GetFormula(s.formula));
        auto pm = TPointMoveBox::GetPointMove(s.pointMove);
        pm->SetParam(s.param);
        v.SetPointMove(std::move(pm));
        const double engine = Seconds([&] {
            v.Resume();
            v.WaitUntilSuspended();
        });
        if (!v.ErrorMessage().empty()) std::printf("drawing failed: %s\n", v.ErrorMessage().c_str());
        TBitmap24 plain;
        const double reference = Seconds([&] { Reference(s, v.Mcf(), v.Center, v.Incremental, 1.0, plain); });
        const bool same = SameBytes(plain, v.Bitmap());
        if (!same) ++mismatches;
        std::printf("%-26s %7.1f Mpx/s %7.1f Mpx/s %7.2f  %s\n", s.name, mpx / engine, mpx / reference,
                    reference / engine, same ? "identical" : "DIFFERENT");
    }
    return mismatches == 0 ? 0 : 1;
}
