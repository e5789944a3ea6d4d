// The export against the image save, and its memory at sizes the window
// cannot hold.
//
//   bench_export [REPEATS] [FOLDER] [9999]     (9999: the first figure only)
//
// Each measurement runs in a child process of its own, so the peak resident
// memory the system reports for it (ru_maxrss) is that measurement's alone,
// whole process included. Files go to FOLDER (default the system's temporary
// folder) through the safe replacement and are removed afterwards. The best
// of REPEATS runs (default 3) is printed, the save and the export taken in
// turn; the machine is shared, so take the figures while nobody compiles.
//
// 1. 9999 x 9999, scale 1, no anti-aliasing, PNG: the image save of the
//    picture the renderer drew (its save alone, and draw plus save, the way a
//    user gets a file) against the export, which draws as it writes.
// 2. 30000 x 20000 PNG, K = 1 and K = 2: the start-up pattern at 600 x 400
//    exported at scale 50, time, output megapixels a second and peak memory.
#include "document/ImageExport.h"
#include "document/MainOperations.h"
#include "engine/UVelquor.h"
#include "imaging/PngFile.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

double Now()
{
    using namespace std::chrono;
    return duration<double>(steady_clock::now().time_since_epoch()).count();
}

struct Result {
    double seconds[2] = {0, 0}; // up to two timed steps
    long peakKb = 0;
    bool ok = false;
};

// Runs work in a child; work fills up to two timings.
Result InChild(const std::function<void(double*)>& work)
{
    int fds[2];
    if (pipe(fds) != 0) return {};
    const pid_t pid = fork();
    if (pid == 0) {
        close(fds[0]);
        double t[2] = {0, 0};
        try {
            work(t);
        } catch (const std::exception& e) {
            std::fprintf(stderr, "bench_export: %s\n", e.what());
            _exit(1);
        }
        if (write(fds[1], t, sizeof t) != sizeof t) _exit(1);
        _exit(0);
    }
    close(fds[1]);
    Result r;
    const ssize_t n = read(fds[0], r.seconds, sizeof r.seconds);
    close(fds[0]);
    int status = 0;
    rusage usage{};
    wait4(pid, &status, 0, &usage);
    r.ok = n == sizeof r.seconds && WIFEXITED(status) && WEXITSTATUS(status) == 0;
    r.peakKb = usage.ru_maxrss;
    return r;
}

class QuietHost : public IMainHost {
public:
    TMainOperations* ops = nullptr;
    void StopDraw() override
    {
        ops->Pattern().Stop();
        ops->Pattern().WaitUntilSuspended();
    }
    void StartDraw() override {}
    std::string PaletteDirectory() const override { return {}; }
    void ShowMessage(const std::string&) override {}
    void ErrorDialog(const std::string&) override {}
};

// The start-up pattern at the given size, with nothing drawn.
struct Pattern {
    QuietHost host;
    TMainOperations ops;
    explicit Pattern(int width, int height) : ops(host, "/nonexistent", TCanvasUse::DrawInto)
    {
        host.ops = &ops;
        ops.SetImageSize(width, height);
        ops.Pattern().WaitUntilSuspended();
    }
};

// Keeps the faster of best and r, with the larger peak of the two.
void KeepBest(Result& best, const Result& r)
{
    if (!r.ok) return;
    if (!best.ok || r.seconds[0] + r.seconds[1] < best.seconds[0] + best.seconds[1]) {
        const long peak = std::max(best.peakKb, r.peakKb);
        best = r;
        best.peakKb = peak;
    } else {
        best.peakKb = std::max(best.peakKb, r.peakKb);
    }
}

Result Best(int repeats, const std::function<void(double*)>& work)
{
    Result best;
    for (int i = 0; i < repeats; ++i) KeepBest(best, InChild(work));
    return best;
}

} // namespace

int main(int argc, char** argv)
{
    const int repeats = argc > 1 ? std::atoi(argv[1]) : 3;
    const std::string folder = argc > 2 ? argv[2] : (std::getenv("TMPDIR") ? std::getenv("TMPDIR") : "/tmp");
    const std::string file = folder + "/bench_export_" + std::to_string(getpid()) + ".png";

    std::printf("9999 x 9999, scale 1, no anti-aliasing, PNG (best of %d):\n", repeats);
    const auto saveWork = [&](double* t) {
        Pattern p(9999, 9999);
        double start = Now();
        p.ops.BeginDrawing();
        p.ops.Pattern().WaitUntilSuspended();
        t[0] = Now() - start;
        start = Now();
        SavePngFile(p.ops.ImageBitmap(), file);
        t[1] = Now() - start;
        unlink(file.c_str());
    };
    const auto exportWork = [&](double* t) {
        Pattern p(9999, 9999);
        TExportOptions o;
        o.size = {9999, 9999, 1, 1};
        o.embedDocument = false;
        const double start = Now();
        TImageExport(p.ops, o).Run(file);
        t[0] = Now() - start;
        unlink(file.c_str());
    };
    // Taken in turn, so that a busy moment of the machine falls on both.
    Result save, exported;
    for (int i = 0; i < repeats; ++i) {
        KeepBest(save, InChild(saveWork));
        KeepBest(exported, InChild(exportWork));
    }
    if (!save.ok || !exported.ok) return 1;
    std::printf("  draw %.2f s, image save %.2f s (draw and save %.2f s), peak %.0f MB\n", save.seconds[0],
                save.seconds[1], save.seconds[0] + save.seconds[1], save.peakKb / 1024.0);
    std::printf("  export %.2f s, peak %.0f MB: %.2f x the image save, %.2f x draw and save\n", exported.seconds[0],
                exported.peakKb / 1024.0, exported.seconds[0] / save.seconds[1],
                exported.seconds[0] / (save.seconds[0] + save.seconds[1]));

    if (argc > 3 && std::string(argv[3]) == "9999") return 0;

    std::printf("30000 x 20000 PNG, the start-up pattern at 600 x 400 and scale 50 (best of %d):\n", repeats);
    double k1 = 0;
    for (int k : {1, 2}) {
        const Result r = Best(repeats, [&](double* t) {
            Pattern p(600, 400);
            TExportOptions o;
            o.size = {30000, 20000, 50, k};
            o.embedDocument = true;
            const double start = Now();
            TImageExport(p.ops, o).Run(file);
            t[0] = Now() - start;
            unlink(file.c_str());
        });
        if (!r.ok) return 1;
        if (k == 1) k1 = r.seconds[0];
        std::printf("  K = %d: %.2f s, %.1f Mpx/s, peak %.0f MiB", k, r.seconds[0], 600.0 / r.seconds[0],
                    r.peakKb / 1024.0);
        if (k == 2) std::printf(", %.2f x K = 1", r.seconds[0] / k1);
        std::printf("\n");
    }
    return 0;
}
