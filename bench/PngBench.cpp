// Speed, size and memory of our PNG encoder.
//
// A smooth picture (drawn by the renderer) and a noisy one (random bytes),
// both 4000 x 4000, go through the parallel path, the single-stream path
// (one zlib stream at level 6 on one thread, as before the blocks) and
// libpng (level 6, filter None, no interlacing), each into a sink that only
// counts bytes. Then pictures of rising size go through both of our paths to
// show where the parallel one starts to pay: that is the threshold the writer
// uses. Every operator new of the process is counted, and the encoder routes
// zlib's memory through it, so the peak during one encode is all that encoder
// allocates; it is shown for two heights to show it does not grow with them.
#include "engine/UVelquor.h"
#include "imaging/ParallelDeflate.h"
#include "imaging/PngWriteStream.h"

#include <png.h>
#include <zlib.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cinttypes>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <new>
#include <ostream>
#include <random>
#include <streambuf>
#include <thread>
#include <vector>

#include <sys/resource.h>

namespace {

std::atomic<size_t> gCurrent{0};
std::atomic<size_t> gPeak{0};

// Each block carries its size in front, aligned for any type.
constexpr size_t kHeader = alignof(std::max_align_t);

void* CountedAlloc(size_t size) noexcept
{
    auto* block = static_cast<unsigned char*>(std::malloc(size + kHeader));
    if (block == nullptr) return nullptr;
    *reinterpret_cast<size_t*>(block) = size;
    const size_t now = gCurrent += size;
    size_t peak = gPeak.load();
    while (now > peak && !gPeak.compare_exchange_weak(peak, now)) {}
    return block + kHeader;
}

void CountedFree(void* p) noexcept
{
    if (p == nullptr) return;
    auto* block = static_cast<unsigned char*>(p) - kHeader;
    gCurrent -= *reinterpret_cast<size_t*>(block);
    std::free(block);
}

} // namespace

void* operator new(size_t size)
{
    if (void* p = CountedAlloc(size)) return p;
    throw std::bad_alloc();
}
void* operator new[](size_t size) { return ::operator new(size); }
void* operator new(size_t size, const std::nothrow_t&) noexcept { return CountedAlloc(size); }
void* operator new[](size_t size, const std::nothrow_t&) noexcept { return CountedAlloc(size); }
void operator delete(void* p) noexcept { CountedFree(p); }
void operator delete[](void* p) noexcept { CountedFree(p); }
void operator delete(void* p, size_t) noexcept { CountedFree(p); }
void operator delete[](void* p, size_t) noexcept { CountedFree(p); }
void operator delete(void* p, const std::nothrow_t&) noexcept { CountedFree(p); }
void operator delete[](void* p, const std::nothrow_t&) noexcept { CountedFree(p); }

namespace {

constexpr int kSize = 4000;
constexpr int kRuns = 5;

class CountingBuffer : public std::streambuf {
public:
    size_t bytes = 0;

protected:
    std::streamsize xsputn(const char*, std::streamsize n) override
    {
        bytes += static_cast<size_t>(n);
        return n;
    }
    int_type overflow(int_type c) override
    {
        ++bytes;
        return traits_type::not_eof(c);
    }
};

// Formula 5 through the swirl point move: smooth bands with sharp edges as
// users see them.
TBitmap24 RenderedPicture(int width, int height)
{
    TBitmap24 bitmap;
    TVelquor renderer(false, &bitmap);
    renderer.WaitUntilSuspended();
    bitmap.SetSize(width, height);
    renderer.SetSize(width, height);
    renderer.SetFormula(TFormulaBox::GetFormula(5));
    auto move = TPointMoveBox::GetPointMove(2);
    move->SetParam(TPointMoveParam{0.25L, 0, 0, 0});
    renderer.SetPointMove(std::move(move));
    renderer.Incremental = FloatPoint(0.1L, 0.1L);
    renderer.Resume();
    renderer.WaitUntilSuspended();
    return bitmap;
}

TBitmap24 NoisyPicture(int width, int height)
{
    TBitmap24 bitmap(width, height);
    std::mt19937 random(1);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width * 3; ++x) bitmap.Row(y)[x] = static_cast<uint8_t>(random());
    return bitmap;
}

double CpuSeconds()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    const auto seconds = [](const timeval& t) { return static_cast<double>(t.tv_sec) + t.tv_usec / 1e6; };
    return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

struct Result {
    double seconds = 1e300; // best run
    double cpu = 1e300;     // processor time of all threads in the best run
    size_t bytes = 0;
    size_t peak = 0; // our encoder only
};

using Encoder = std::function<size_t(const TBitmap24&)>;

// One more run of encode on bitmap, kept in r if it is the fastest so far.
void MeasureOnce(const Encoder& encode, const TBitmap24& bitmap, Result& r)
{
    const size_t baseline = gCurrent.load();
    gPeak = baseline;
    const auto start = std::chrono::steady_clock::now();
    const double cpuStart = CpuSeconds();
    r.bytes = encode(bitmap);
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    if (seconds < r.seconds) {
        r.seconds = seconds;
        r.cpu = CpuSeconds() - cpuStart;
    }
    r.peak = std::max(r.peak, gPeak.load() - baseline);
}

// The machine is shared: each round runs every encoder once, so a busy
// moment slows one run of each rather than every run of one, and the best
// round of each is the least disturbed.
std::vector<Result> Measure(const std::vector<Encoder>& encoders, const TBitmap24& bitmap, int rounds)
{
    std::vector<Result> results(encoders.size());
    for (int round = 0; round < rounds; ++round)
        for (size_t i = 0; i < encoders.size(); ++i) MeasureOnce(encoders[i], bitmap, results[i]);
    return results;
}

Result Measure(const Encoder& encode, const TBitmap24& bitmap, int runs)
{
    return Measure(std::vector<Encoder>{encode}, bitmap, runs)[0];
}

Encoder Ours(uint64_t parallelFrom, unsigned threads = 0)
{
    return [=](const TBitmap24& bitmap) {
        TPngSettings settings;
        settings.parallelFrom = parallelFrom;
        settings.threads = threads;
        CountingBuffer sink;
        std::ostream out(&sink);
        TPngWriteStream encoder(settings);
        encoder.Encode(bitmap, out);
        return sink.bytes;
    };
}

const Encoder kParallel = Ours(0);
const Encoder kSingle = Ours(UINT64_MAX);

void CountBytes(png_structp png, png_bytep, png_size_t size) { *static_cast<size_t*>(png_get_io_ptr(png)) += size; }
void NoFlush(png_structp) {}

size_t EncodeLibpng(const TBitmap24& bitmap)
{
    size_t bytes = 0;
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png_create_info_struct(png);
    if (setjmp(png_jmpbuf(png))) {
        std::fprintf(stderr, "libpng failed\n");
        std::exit(1);
    }
    png_set_write_fn(png, &bytes, CountBytes, NoFlush);
    png_set_IHDR(png, info, bitmap.Width(), bitmap.Height(), 8, PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE,
                 PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_set_filter(png, PNG_FILTER_TYPE_BASE, PNG_FILTER_NONE);
    png_set_compression_level(png, Z_DEFAULT_COMPRESSION);
    png_write_info(png, info);
    png_set_bgr(png); // the bitmap keeps blue first, as ours converts it too
    for (int y = 0; y < bitmap.Height(); ++y) png_write_row(png, const_cast<png_bytep>(bitmap.Row(y)));
    png_write_end(png, info);
    png_destroy_write_struct(&png, &info);
    return bytes;
}

double RawMegabytes(const TBitmap24& bitmap) { return static_cast<double>(bitmap.Width()) * bitmap.Height() * 3 / 1e6; }

void Line(const char* name, const Result& r, const TBitmap24& bitmap)
{
    std::printf("  %-20s %6.1f MB/s  %6.3f s (cpu %6.3f s)  %9zu bytes", name, RawMegabytes(bitmap) / r.seconds,
                r.seconds, r.cpu, r.bytes);
    if (r.peak > 0) std::printf("  peak %6.2f MB", r.peak / 1e6);
    std::printf("\n");
}

void Compare(const char* title, const TBitmap24& bitmap)
{
    std::printf("%s %d x %d, %.1f MB of pixels, best of %d rounds\n", title, bitmap.Width(), bitmap.Height(),
                RawMegabytes(bitmap), kRuns);
    const std::vector<Result> r = Measure({kParallel, Ours(0, 1), kSingle, EncodeLibpng}, bitmap, kRuns);
    const Result &parallel = r[0], &oneWorker = r[1], &single = r[2], &libpng = r[3];
    Line("parallel", parallel, bitmap);
    Line("parallel, 1 worker", oneWorker, bitmap);
    Line("single stream", single, bitmap);
    Line("libpng", libpng, bitmap);
    std::printf("  parallel / single stream: speed %.2fx, size %+.3f %%\n\n", single.seconds / parallel.seconds,
                (static_cast<double>(parallel.bytes) / static_cast<double>(single.bytes) - 1) * 100);
}

void PeakAgainstHeight()
{
    std::printf("peak memory of the parallel encoder (noise, width 4000):\n");
    for (const int height : {500, 4000}) {
        const TBitmap24 bitmap = NoisyPicture(kSize, height);
        std::printf("  height %5d: %.2f MB\n", height, Measure(kParallel, bitmap, 1).peak / 1e6);
    }
    // The most workers the encoder starts, as on a machine of 16 or more
    // hardware threads.
    const TBitmap24 bitmap = NoisyPicture(kSize, 1000);
    std::printf("  height  1000, %u workers: %.2f MB\n\n", TDeflatePlan::kMaxWorkers,
                Measure(Ours(0, TDeflatePlan::kMaxWorkers), bitmap, 1).peak / 1e6);
}

// Square rendered pictures from 64 KiB to 3 MB of filtered data: where the
// parallel path overtakes the single stream.
void Threshold()
{
    std::printf("single stream against parallel by size (rendered pictures, best of 15 rounds):\n");
    for (const int side : {150, 200, 260, 296, 370, 420, 520, 740, 1000}) {
        const TBitmap24 bitmap = RenderedPicture(side, side);
        const uint64_t filtered = static_cast<uint64_t>(side) * (1 + 3 * static_cast<uint64_t>(side));
        const std::vector<Result> r = Measure({kSingle, kParallel}, bitmap, 15);
        const Result &single = r[0], &parallel = r[1];
        std::printf("  %4d x %-4d %8" PRIu64 " bytes filtered: single %7.2f ms, parallel %7.2f ms, ratio %.2f\n", side,
                    side, filtered, single.seconds * 1e3, parallel.seconds * 1e3, single.seconds / parallel.seconds);
    }
    std::printf("the writer's threshold: %" PRIu64 " bytes of filtered data\n", TPngSettings::kParallelFrom);
}

} // namespace

int main()
{
    std::printf("%u hardware threads\n\n", std::thread::hardware_concurrency());
    Compare("smooth", RenderedPicture(kSize, kSize));
    Compare("noisy", NoisyPicture(kSize, kSize));
    PeakAgainstHeight();
    Threshold();
    return 0;
}
