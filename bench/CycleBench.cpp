// Colour cycling at 1600 x 1000: steps per second from the entry picture
// (what the window's 色を回す does), without and with the blur, beside the
// steps a redraw per step would reach, for a pattern that draws in well
// under 30 ms and for a slower one.
//
//     bench_cycle [seconds per figure, default 2]
#include "document/MainOperations.h"
#include "document/PaletteCycle.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>

namespace {

using Clock = std::chrono::steady_clock;

class Host final : public IMainHost {
public:
    TMainOperations* ops = nullptr;
    void StopDraw() override
    {
        ops->Pattern().Stop();
        ops->Pattern().WaitUntilSuspended();
    }
    void StartDraw() override
    {
        StopDraw();
        ops->BeginDrawing();
        ops->Pattern().WaitUntilSuspended();
    }
    std::string PaletteDirectory() const override { return {}; }
    void ShowMessage(const std::string&) override {}
    void ErrorDialog(const std::string& text) override { std::fprintf(stderr, "bench_cycle: %s\n", text.c_str()); }
};

double Seconds(Clock::time_point since) { return std::chrono::duration<double>(Clock::now() - since).count(); }

// How many times step runs per second, over about `seconds`.
double PerSecond(double seconds, const std::function<void(int)>& step)
{
    int n = 0;
    const auto start = Clock::now();
    do step(++n);
    while (Seconds(start) < seconds);
    return n / Seconds(start);
}

void Measure(const char* name, double seconds, const std::function<void(TMainOperations&)>& set)
{
    Host host;
    TMainOperations ops(host, std::string(), TCanvasUse::DrawInto);
    host.ops = &ops;
    ops.SetImageSize(1600, 1000);
    set(ops);
    for (const bool blur : {false, true}) {
        ops.SetShadeOff(blur);
        auto start = Clock::now();
        host.StartDraw();
        const double drawMs = Seconds(start) * 1000;
        start = Clock::now();
        TPaletteCycle cycle(ops);
        cycle.Wait();
        const double planeMs = Seconds(start) * 1000;
        TBitmap24 target(1600, 1000);
        const double steps = PerSecond(seconds, [&](int offset) { cycle.Paint(offset, target); });
        const double redraws = PerSecond(seconds, [&](int) { host.StartDraw(); });
        std::printf("%-28s %-7s drawing %6.1f ms  entry picture %6.1f ms  cycling %7.1f steps/s  "
                    "redrawing %6.1f steps/s\n",
                    name, blur ? "blur" : "no blur", drawMs, planeMs, steps, redraws);
    }
}

} // namespace

int main(int argc, char** argv)
{
    const double seconds = argc > 1 ? std::atof(argv[1]) : 2.0;
    std::printf("bench_cycle: 1600 x 1000, the built-in palette (127 entries drawn)\n");
    Measure("formula 0, point move 0", seconds, [](TMainOperations& o) { o.SetArea(0, 0, 0.05L, 0.05L); });
    Measure("formula 4, point move 2", seconds, [](TMainOperations& o) {
        o.SelectFormula(1, "4");
        o.SelectPointMove(2, TPointMoveParam{0.3L, 1, 0, 0});
        o.SetArea(0.1L, -0.2L, 0.01L, 0.01L);
    });
    return 0;
}
