// Memory and time of loading palette files far larger than any palette:
// 200 MB of empty lines (nothing to keep, so the load should cost next to
// nothing), then 1 GB of colour lines, which the colour limit refuses. Peak
// resident memory is the process's high-water mark, measured after each.
#include "common/Exceptions.h"
#include "palette/UMcf.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <unistd.h>

#include <sys/resource.h>

namespace {

double PeakMb()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss / 1024.0; // kilobytes on Linux
}

// Writes the file in 1 MB pieces so writing it costs no memory.
bool WriteRepeated(const std::string& path, const std::string& unit, size_t totalBytes)
{
    FILE* f = std::fopen(path.c_str(), "wb");
    if (!f) return false;
    std::string piece;
    while (piece.size() < (1u << 20)) piece += unit;
    size_t written = 0;
    bool ok = true;
    while (ok && written < totalBytes) {
        const size_t n = std::min(piece.size(), totalBytes - written);
        ok = std::fwrite(piece.data(), 1, n, f) == n;
        written += n;
    }
    return std::fclose(f) == 0 && ok;
}

void Load(const char* what, const std::string& path)
{
    TMcf mcf;
    mcf.SetDefault();
    const auto start = std::chrono::steady_clock::now();
    std::string result = "loaded";
    try {
        mcf.LoadFromFile(path);
    } catch (const Exception& e) {
        result = e.Message();
    }
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    std::printf("%-34s %6.2f s  peak RSS %6.1f MB  %d colours  (%s)\n", what, seconds, PeakMb(), mcf.High + 1,
                result.c_str());
}

} // namespace

int main(int argc, char** argv)
{
    // A folder on a real disk can be named; the default is the temporary folder.
    const std::string folder = argc > 1 ? argv[1] : (std::getenv("TMPDIR") ? std::getenv("TMPDIR") : "/tmp");
    const std::string path = folder + "/bench_palette_" + std::to_string(getpid()) + ".mcf";

    std::printf("before loading                              peak RSS %6.1f MB\n", PeakMb());
    if (!WriteRepeated(path, "\n", 200u << 20)) return std::perror(path.c_str()), 1;
    Load("200 MB of empty lines", path);
    if (!WriteRepeated(path, "0A0B0C\r\n", size_t{1} << 30)) return std::perror(path.c_str()), 1;
    Load("1 GB of colour lines", path);
    unlink(path.c_str());
    return 0;
}
