// Rendering speed and memory.
//
// For each setting, 4000 x 4000 pixels drawn by the renderer on one thread
// and on all threads, next to the plain single-threaded loop (the per-pixel
// painter: the whole arithmetic for every pixel, palette through a
// division), with the ratios and a check that all three give the same bytes.
// Then typed formulas: the seven typed twins of the built-in formulas next to
// them, and expressions that mix x and y next to the plain loop of formula 0.
// Then the blur, against the single-threaded filter over a whole copy that
// it replaced, and the peak memory of velquor-render at 9999 x 9999 with and
// without blur against the size of one bitmap.
//
// usage: bench_render [SIZE [typed]]   (default 4000; the memory is always
// measured at 9999 x 9999; "typed" prints the typed formulas' tables only)
#include "engine/ExpressionFormula.h"
#include "engine/ImageEffect.h"
#include "engine/UVelquor.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <functional>
#include <string>
#include <sys/resource.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <vector>

namespace {

struct Setting {
    const char* name;
    int formula;
    int pointMove;
    TPointMoveParam param;
    TFloatPoint increment;
    double colorChange;
    const char* text = nullptr; // a typed formula instead of the built-in one
};

// Best of several runs: the machine is shared, and the fastest run is the
// one least disturbed by others. The painters of one setting take turns run
// by run, so a disturbance hits them alike; at least three runs each, short
// ones repeated until about a second has been measured.
std::vector<double> BestSeconds(const std::vector<std::function<void()>>& works)
{
    std::vector<double> best(works.size(), 1e300), total(works.size(), 0);
    for (int run = 0; run < 40; ++run) {
        bool more = false;
        for (size_t i = 0; i < works.size(); ++i) {
            if (run >= 3 && total[i] >= 1.0) continue;
            more = true;
            const auto start = std::chrono::steady_clock::now();
            works[i]();
            const double t = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
            best[i] = std::min(best[i], t);
            total[i] += t;
        }
        if (!more) break;
    }
    return best;
}

bool SameBytes(const TBitmap24& a, const TBitmap24& b)
{
    if (a.Width() != b.Width() || a.Height() != b.Height()) return false;
    for (int y = 0; y < a.Height(); ++y)
        if (std::memcmp(a.Row(y), b.Row(y), static_cast<size_t>(a.Width()) * 3) != 0) return false;
    return true;
}

// A renderer set up for one setting.
std::unique_ptr<TVelquor> Renderer(const Setting& s, int size, TDrawTuning tuning)
{
    auto v = std::make_unique<TVelquor>(true, nullptr);
    v->SetSize(size, size);
    v->Incremental = s.increment;
    v->SetColorChange(s.colorChange);
    if (s.text) v->SetFormula(std::make_unique<TFormula_Expression>(s.text));
    else v->SetFormula(TFormulaBox::GetFormula(s.formula));
    auto pm = TPointMoveBox::GetPointMove(s.pointMove);
    pm->SetParam(s.param);
    v->SetPointMove(std::move(pm));
    v->SetTuning(tuning);
    return v;
}

void DrawWith(TVelquor& v)
{
    v.Resume();
    v.WaitUntilSuspended();
}

// The filter as it was: one thread over a whole working copy.
void ShadeOffWithCopy(TBitmap24& bitmap)
{
    const int h = bitmap.Height(), rowBytes = bitmap.Width() * 3;
    const TBitmap24 copy(bitmap);
    for (int i = 0; i < h; ++i) {
        const uint8_t* up = copy.Row(std::max(i - 1, 0));
        const uint8_t* mid = copy.Row(i);
        const uint8_t* down = copy.Row(std::min(i + 1, h - 1));
        uint8_t* out = bitmap.Row(i);
        for (int b = 0; b < rowBytes; ++b) {
            const int l = b >= 3 ? b - 3 : b;
            const int r = b + 3 < rowBytes ? b + 3 : b;
            out[b] = static_cast<uint8_t>(
                (up[l] + up[b] + up[r] + mid[l] + 2 * mid[b] + mid[r] + down[l] + down[b] + down[r]) / 10);
        }
    }
}

// Peak resident memory of a child process in bytes, or -1.
long PeakMemoryOf(const std::vector<std::string>& args)
{
    std::vector<char*> argv;
    for (const auto& a : args) argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    const pid_t pid = fork();
    if (pid == 0) {
        const int quiet = open("/dev/null", O_WRONLY);
        if (quiet >= 0) dup2(quiet, STDOUT_FILENO);
        execv(argv[0], argv.data());
        _exit(127);
    }
    if (pid < 0) return -1;
    int status = 0;
    struct rusage usage {};
    if (wait4(pid, &status, 0, &usage) != pid || !WIFEXITED(status) || WEXITSTATUS(status) != 0) return -1;
    return usage.ru_maxrss * 1024L;
}

// Peak memory of the command-line renderer at the largest size, against one
// bitmap. Measured before this program holds any picture: a forked child
// counts its parent's resident pages until it runs the other program.
std::string RendererMemory(const std::string& render, int& failures)
{
    const std::filesystem::path out =
        std::filesystem::temp_directory_path() / ("bench_render_" + std::to_string(getpid()) + ".bmp");
    const double bitmap = static_cast<double>(TBitmap24::StrideFor(9999)) * 9999;
    std::string text = "\nvelquor-render at 9999 x 9999, peak resident memory against one bitmap (" +
                       std::to_string(static_cast<int>(bitmap / 1e6)) + " MB):\n";
    for (bool blur : {false, true}) {
        std::vector<std::string> args = {render, "--size", "9999x9999", "-o", out.string()};
        if (blur) args.push_back("--shade-off");
        const auto start = std::chrono::steady_clock::now();
        const long peak = PeakMemoryOf(args);
        const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        char line[200];
        if (peak < 0) {
            std::snprintf(line, sizeof line, "  %-12s could not run %s\n", blur ? "with blur" : "without blur",
                          render.c_str());
            ++failures;
        } else {
            std::snprintf(line, sizeof line, "  %-12s %6.0f MB = %.3f bitmaps (%.1f s with writing the file)\n",
                          blur ? "with blur" : "without blur", peak / 1e6, peak / bitmap, seconds);
        }
        text += line;
    }
    std::filesystem::remove(out);
    return text;
}

// Instructions other than leaves: the operations a pixel would run.
int Operations(const char* text)
{
    const TFormula_Expression formula(text);
    int n = 0;
    for (const ExprInstr& i : formula.Program().Code()) n += i.op > ExprOp::PushConst;
    return n;
}

void TypedFormulas(int size, int& mismatches)
{
    const double mpx = static_cast<double>(size) * size / 1e6;
    const TPointMoveParam none{};
    const char* const twins[] = {
        "x*x + y*y", "x*x - y*y", "x*x + y", "x + y", "x * y", "100*sin(x) + y", "200*sin(x/10) + 200*sin(y/10)",
    };
    std::printf("\ntyped twins at start-up settings against their built-ins (Mpx/s)\n");
    std::printf("%-32s %9s %9s %6s %9s %9s %6s  %s\n", "typed formula", "built-in", "typed", "ratio", "built-in",
                "typed", "ratio", "bytes");
    std::printf("%-32s %9s %9s %6s %9s %9s %6s\n", "", "1 thread", "1 thread", "", "all", "all", "");
    for (int type = 0; type < 7; ++type) {
        const Setting builtin{"", type, 0, none, {1, 1}, 1};
        const Setting typed{"", type, 0, none, {1, 1}, 1, twins[type]};
        const auto b1 = Renderer(builtin, size, {1, TPainterKind::Fastest});
        const auto t1 = Renderer(typed, size, {1, TPainterKind::Fastest});
        const auto ba = Renderer(builtin, size, {0, TPainterKind::Fastest});
        const auto ta = Renderer(typed, size, {0, TPainterKind::Fastest});
        const std::vector<double> t = BestSeconds(
            {[&] { DrawWith(*b1); }, [&] { DrawWith(*t1); }, [&] { DrawWith(*ba); }, [&] { DrawWith(*ta); }});
        // The twins draw the built-ins' pictures.
        const bool same = t1->ErrorMessage().empty() && ta->ErrorMessage().empty() &&
                          SameBytes(b1->Bitmap(), t1->Bitmap()) && SameBytes(b1->Bitmap(), ta->Bitmap());
        if (!same) ++mismatches;
        std::printf("%-32s %9.1f %9.1f %6.2f %9.1f %9.1f %6.2f  %s\n", twins[type], mpx / t[0], mpx / t[1], t[0] / t[1],
                    mpx / t[2], mpx / t[3], t[2] / t[3], same ? "identical" : "DIFFERENT");
    }

    const char* const mixed[] = {
        "x*y + x - y",
        "max(x, y) * 3 - min(x*y, 100)",
        "(x*x + y*y) / (x - y + 0.5)",
        "(x*x - y*y)/(1 + abs(x*y)) * 50 + mod(x, 7)",
        "x*y*(x - y)/1000 + (x + y)*3 - x*x/(y*y + 1)",
        "(x + y)*(x - y) + x*y/(x - y + 0.5) - x*y",
        "(x*x*x - 3*x*y*y)/(x*x + y*y + 1) * 40 - y/2 + x/3",
        "100*sin(x/9)*cos(y/9) + 100*cos(x/23 + y/31)",
        "hypot(x, y)*(3 + sin(6*atan2(y, x)))",
    };
    // Formula 0's plain loop takes turns with each expression, so both see
    // the same disturbances.
    const Setting f0{"", 0, 0, none, {1, 1}, 1};
    const auto plainF0 = Renderer(f0, size, {1, TPainterKind::PerPixel});
    std::printf("\nexpressions of x and y at start-up settings against formula 0's plain loop (Mpx/s)\n");
    std::printf("%-52s %3s %9s %9s %9s %9s %8s %8s  %s\n", "typed formula", "ops", "1 thread", "all", "per-pixel",
                "f0 plain", "1t/f0", "all/f0", "bytes");
    for (const char* text : mixed) {
        const Setting typed{"", 0, 0, none, {1, 1}, 1, text};
        const auto one = Renderer(typed, size, {1, TPainterKind::Fastest});
        const auto all = Renderer(typed, size, {0, TPainterKind::Fastest});
        const auto pixel = Renderer(typed, size, {1, TPainterKind::PerPixel});
        const std::vector<double> t =
            BestSeconds({[&] { DrawWith(*one); }, [&] { DrawWith(*all); }, [&] { DrawWith(*plainF0); }});
        const double plain = t[2];
        const auto start = std::chrono::steady_clock::now();
        DrawWith(*pixel);
        const double perPixel = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        const bool same = one->ErrorMessage() == pixel->ErrorMessage() &&
                          all->ErrorMessage() == pixel->ErrorMessage() && SameBytes(one->Bitmap(), pixel->Bitmap()) &&
                          SameBytes(all->Bitmap(), pixel->Bitmap());
        if (!same) ++mismatches;
        std::printf("%-52s %3d %9.1f %9.1f %9.1f %9.1f %8.2f %8.2f  %s\n", text, Operations(text), mpx / t[0],
                    mpx / t[1], mpx / perPixel, mpx / plain, plain / t[0], plain / t[1],
                    same ? "identical" : "DIFFERENT");
    }
}

} // namespace

int main(int argc, char** argv)
{
    int mismatches = 0;
    if (argc > 2 && std::strcmp(argv[2], "typed") == 0) {
        TypedFormulas(std::atoi(argv[1]), mismatches);
        return mismatches == 0 ? 0 : 1;
    }
    const std::string memory =
        RendererMemory((std::filesystem::path(argv[0]).parent_path() / "velquor-render").string(), mismatches);

    const int size = argc > 1 ? std::atoi(argv[1]) : 4000;
    const TPointMoveParam none{};
    const TPointMoveParam waves{10, 0.05L, 10, 0.05L};
    const Setting settings[] = {
        {"f0 start-up", 0, 0, none, {1, 1}, 1},
        {"f1 start-up", 1, 0, none, {1, 1}, 1},
        {"f2 start-up", 2, 0, none, {1, 1}, 1},
        {"f3 start-up", 3, 0, none, {1, 1}, 1},
        {"f4 start-up", 4, 0, none, {1, 1}, 1},
        {"f5 start-up", 5, 0, none, {1, 1}, 1},
        {"f6 start-up", 6, 0, none, {1, 1}, 1},
        {"f0 inc 0.05", 0, 0, none, {0.05L, 0.05L}, 1},
        {"f1 inc 0.05", 1, 0, none, {0.05L, 0.05L}, 1},
        {"f2 inc 0.05", 2, 0, none, {0.05L, 0.05L}, 1},
        {"f3 inc 0.05", 3, 0, none, {0.05L, 0.05L}, 1},
        {"f4 inc 0.05", 4, 0, none, {0.05L, 0.05L}, 1},
        {"f5 inc 0.05", 5, 0, none, {0.05L, 0.05L}, 1},
        {"f6 inc 0.05", 6, 0, none, {0.05L, 0.05L}, 1},
        {"ties: inc 0.5, cc 0.5", 0, 0, none, {0.5L, 0.5L}, 0.5},
        {"ties: grid, cc 0.3", 0, 0, none, {1, 1}, 0.3},
        {"f0 point move 1", 0, 1, waves, {1, 1}, 1},
        {"f0 point move 2", 0, 2, {0.25L, 0, 0, 0}, {1, 1}, 1},
        {"f0 point move 3", 0, 3, {0.1L, 0.2L, 0, 0}, {1, 1}, 1},
        {"f0 point move 4", 0, 4, waves, {1, 1}, 1},
    };
    const double mpx = static_cast<double>(size) * size / 1e6;
    std::printf("%d x %d pixels, best of at least 3 runs, %u hardware threads\n", size, size,
                std::thread::hardware_concurrency());
    std::printf("%-22s %10s %10s %10s %8s %8s %8s  %s\n", "setting", "1 thread", "all", "plain", "1t/plain",
                "all/plain", "all/1t", "bytes");
    std::printf("%-22s %10s %10s %10s\n", "", "Mpx/s", "Mpx/s", "Mpx/s");
    for (const auto& s : settings) {
        const auto plain = Renderer(s, size, {1, TPainterKind::PerPixel});
        const auto one = Renderer(s, size, {1, TPainterKind::Fastest});
        const auto all = Renderer(s, size, {0, TPainterKind::Fastest});
        const std::vector<double> t =
            BestSeconds({[&] { DrawWith(*plain); }, [&] { DrawWith(*one); }, [&] { DrawWith(*all); }});
        const bool same = plain->ErrorMessage().empty() && one->ErrorMessage().empty() && all->ErrorMessage().empty() &&
                          SameBytes(plain->Bitmap(), one->Bitmap()) && SameBytes(plain->Bitmap(), all->Bitmap());
        if (!same) ++mismatches;
        std::printf("%-22s %10.1f %10.1f %10.1f %8.2f %8.2f %8.2f  %s\n", s.name, mpx / t[1], mpx / t[2], mpx / t[0],
                    t[0] / t[1], t[0] / t[2], t[1] / t[2], same ? "identical" : "DIFFERENT");
    }

    TypedFormulas(size, mismatches);

    // The blur of a rendered picture.
    const auto renderer = Renderer(settings[15], size, {});
    DrawWith(*renderer);
    const TBitmap24& picture = renderer->Bitmap();
    const int threads = static_cast<int>(std::max(1u, std::thread::hardware_concurrency()));
    // Timed on pictures blurred again and again (the time does not depend on
    // the pixels); the bytes checked on one blur of the drawing each.
    TBitmap24 oldRuns = picture, oneRuns = picture, allRuns = picture;
    const std::vector<double> t = BestSeconds({[&] { ShadeOffWithCopy(oldRuns); }, [&] { ApplyShadeOff(oneRuns, 1); },
                                               [&] { ApplyShadeOff(allRuns, threads); }});
    const double old = t[0], oneThread = t[1], allThreads = t[2];
    TBitmap24 reference = picture, blurredOne = picture, blurredAll = picture;
    ShadeOffWithCopy(reference);
    ApplyShadeOff(blurredOne, 1);
    ApplyShadeOff(blurredAll, threads);
    const bool sameOne = SameBytes(blurredOne, reference);
    const bool sameAll = SameBytes(blurredAll, reference);
    if (!sameOne || !sameAll) ++mismatches;
    std::printf(
        "\nblur %d x %d: over a whole copy on one thread %.1f ms; rolling rows, one thread %.1f ms, %d threads "
        "%.1f ms (%.2fx the old filter)  %s\n",
        size, size, old * 1e3, oneThread * 1e3, threads, allThreads * 1e3, old / allThreads,
        sameOne && sameAll ? "identical" : "DIFFERENT");

    std::printf("%s", memory.c_str());
    return mismatches == 0 ? 0 : 1;
}
