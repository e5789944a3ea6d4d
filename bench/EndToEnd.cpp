// Whole velquor-render runs, as a user starts them, against the floor
// (bench_floor: map the picture, fill it on every processor, write the BMP).
// Runs take turns, each figure is the best of several, and the output files
// are removed before every run, so no run pays for replacing an older file.
//
//   bench_end_to_end [ROUNDS]     (default 5)
//
// Also, with strace installed: from the program's start to opening its
// output file, on both processors and on one, and the peak memory against
// the one picture.
#include <fcntl.h>
#include <sched.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <limits>
#include <sstream>
#include <string>
#include <vector>

namespace {

struct Run {
    double seconds = 0;
    double peakMb = 0;
};

// Runs args with standard output and error thrown away, on one processor
// when oneCore is set; the wall time from fork to its end and its peak memory.
Run RunChild(const std::vector<std::string>& args, bool oneCore = false)
{
    const auto start = std::chrono::steady_clock::now();
    const pid_t pid = fork();
    if (pid == 0) {
        const int null = open("/dev/null", O_WRONLY);
        dup2(null, 1);
        dup2(null, 2);
        if (oneCore) {
            cpu_set_t set;
            CPU_ZERO(&set);
            CPU_SET(0, &set);
            sched_setaffinity(0, sizeof set, &set);
        }
        std::vector<char*> argv;
        for (const std::string& a : args) argv.push_back(const_cast<char*>(a.c_str()));
        argv.push_back(nullptr);
        execvp(argv[0], argv.data());
        _exit(127);
    }
    int status = 0;
    rusage usage{};
    wait4(pid, &status, 0, &usage);
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
        std::fprintf(stderr, "bench_end_to_end: %s failed\n", args[0].c_str());
        std::exit(1);
    }
    return {seconds, static_cast<double>(usage.ru_maxrss) / 1024.0};
}

std::string Sibling(const char* self, const char* name)
{
    std::string dir = self;
    dir = dir.substr(0, dir.find_last_of('/') + 1);
    return dir + name;
}

bool HaveStrace() { return std::system("strace -V >/dev/null 2>&1") == 0; }

// Seconds from the program's execve to its first opening of the output
// folder for writing (the unnamed file the save starts with), read from an
// strace log with absolute time stamps.
double StartToOpen(const std::string& log, const std::string& folder)
{
    std::ifstream in(log);
    std::string line;
    double exec = -1;
    while (std::getline(in, line)) {
        std::istringstream fields(line);
        std::string pid, stamp;
        fields >> pid >> stamp;
        const double t = std::atof(stamp.c_str());
        if (exec < 0 && line.find("execve(") != std::string::npos) exec = t;
        if (exec >= 0 && line.find("openat(") != std::string::npos && line.find("\"" + folder) != std::string::npos &&
            line.find("O_WRONLY") != std::string::npos)
            return t - exec;
    }
    return -1;
}

} // namespace

int main(int argc, char** argv)
{
    const int rounds = argc >= 2 ? std::max(1, std::atoi(argv[1])) : 5;
    const std::string render = Sibling(argv[0], "velquor-render");
    const std::string floorProgram = Sibling(argv[0], "bench_floor");
    const std::string out = "/dev/shm/bench_e2e_render.bmp";
    const std::string floorOut = "/dev/shm/bench_e2e_floor.bmp";
    const std::string log = "/dev/shm/bench_e2e_strace.log";

    std::printf("whole runs, BMP to /dev/shm, best of %d taken in turn (seconds)\n", rounds);
    std::printf("%-11s %-8s %8s %8s %7s %7s %12s\n", "size", "formula", "floor", "render", "ratio", "target",
                "peak/picture");
    for (const int size : {4000, 9999}) {
        const double pictureMb = static_cast<double>((size * 3 + 3) / 4 * 4) * size / (1024.0 * 1024.0);
        const double target = size >= 9999 ? 2.0 : 2.5;
        for (const int formula : {0, 5}) {
            const std::string sizeText = std::to_string(size) + "x" + std::to_string(size);
            Run bestFloor{std::numeric_limits<double>::max(), 0}, bestRender{std::numeric_limits<double>::max(), 0};
            for (int r = 0; r < rounds; ++r) {
                unlink(floorOut.c_str());
                const Run f = RunChild({floorProgram, std::to_string(size), floorOut});
                unlink(out.c_str());
                const Run v = RunChild({render, "--formula", std::to_string(formula), "--size", sizeText, "-o", out});
                bestFloor.seconds = std::min(bestFloor.seconds, f.seconds);
                bestRender.seconds = std::min(bestRender.seconds, v.seconds);
                bestRender.peakMb = std::max(bestRender.peakMb, v.peakMb);
            }
            std::printf("%-11s %-8d %8.3f %8.3f %7.2f %7.1f %12.3f\n", sizeText.c_str(), formula, bestFloor.seconds,
                        bestRender.seconds, bestRender.seconds / bestFloor.seconds, target,
                        bestRender.peakMb / pictureMb);
        }
    }
    unlink(out.c_str());
    unlink(floorOut.c_str());

    if (!HaveStrace()) {
        std::printf("strace not found: start to output file not measured\n");
        return 0;
    }
    std::printf("\nstart to opening the output file, 9999 x 9999, formula 5 (strace), best of %d\n", rounds);
    double best[2] = {std::numeric_limits<double>::max(), std::numeric_limits<double>::max()};
    for (int r = 0; r < rounds; ++r) {
        for (const bool oneCore : {false, true}) {
            unlink(out.c_str());
            RunChild({"strace", "-f", "--seccomp-bpf", "-ttt", "-e", "trace=execve,openat", "-o", log, render,
                      "--formula", "5", "--size", "9999x9999", "-o", out},
                     oneCore);
            const double t = StartToOpen(log, "/dev/shm");
            if (t >= 0) best[oneCore] = std::min(best[oneCore], t);
        }
    }
    unlink(out.c_str());
    unlink(log.c_str());
    std::printf("  two processors %.3f s, one processor %.3f s: %.2f times (target >= 1.8)\n", best[0], best[1],
                best[1] / best[0]);
    return 0;
}
