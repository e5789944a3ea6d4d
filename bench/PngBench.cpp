// Speed and memory of our PNG encoder against libpng on a large picture.
//
// Both encode the same 4000 x 4000 picture with zlib's default level, filter
// None and no interlacing into a sink that only counts bytes. Every operator
// new of the process is counted, and the encoder routes zlib's memory through
// it, so the peak during our encode is all the encoder itself allocates.
#include "engine/UVelquor.h"
#include "imaging/PngWriteStream.h"

#include <png.h>
#include <zlib.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <new>
#include <ostream>
#include <streambuf>

namespace {

size_t gCurrent = 0;
size_t gPeak = 0;

// Each block carries its size in front, aligned for any type.
constexpr size_t kHeader = alignof(std::max_align_t);

void* CountedAlloc(size_t size) noexcept
{
    auto* block = static_cast<unsigned char*>(std::malloc(size + kHeader));
    if (block == nullptr) return nullptr;
    *reinterpret_cast<size_t*>(block) = size;
    gCurrent += size;
    gPeak = std::max(gPeak, gCurrent);
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
constexpr int kRuns = 3;

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

// A picture drawn by the renderer itself: formula 5 through the swirl point
// move, smooth bands with sharp edges as users see them.
TBitmap24 RenderedPicture()
{
    TBitmap24 bitmap;
    TVelquor renderer(false, &bitmap);
    renderer.WaitUntilSuspended();
    bitmap.SetSize(kSize, kSize);
    renderer.SetSize(kSize, kSize);
    renderer.SetFormula(TFormulaBox::GetFormula(5));
    auto move = TPointMoveBox::GetPointMove(2);
    move->SetParam(TPointMoveParam{0.25L, 0, 0, 0});
    renderer.SetPointMove(std::move(move));
    renderer.Incremental = FloatPoint(0.1L, 0.1L);
    renderer.Resume();
    renderer.WaitUntilSuspended();
    return bitmap;
}

double Seconds(std::chrono::steady_clock::duration d) { return std::chrono::duration<double>(d).count(); }

size_t EncodeOurs(const TBitmap24& bitmap, size_t& peakBytes)
{
    CountingBuffer sink;
    std::ostream out(&sink);
    const size_t baseline = gCurrent;
    gPeak = gCurrent;
    {
        TPngWriteStream encoder{TPngSettings{}};
        encoder.Encode(bitmap, out);
    }
    peakBytes = gPeak - baseline;
    return sink.bytes;
}

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

} // namespace

int main()
{
    const TBitmap24 bitmap = RenderedPicture();
    const double megabytes = static_cast<double>(kSize) * kSize * 3 / 1e6;
    std::printf("picture %d x %d, %.1f MB of pixels, best of %d runs\n", kSize, kSize, megabytes, kRuns);

    double oursBest = 1e30, libpngBest = 1e30;
    size_t oursBytes = 0, libpngBytes = 0, peak = 0;
    for (int run = 0; run < kRuns; ++run) {
        auto start = std::chrono::steady_clock::now();
        oursBytes = EncodeOurs(bitmap, peak);
        oursBest = std::min(oursBest, Seconds(std::chrono::steady_clock::now() - start));
        start = std::chrono::steady_clock::now();
        libpngBytes = EncodeLibpng(bitmap);
        libpngBest = std::min(libpngBest, Seconds(std::chrono::steady_clock::now() - start));
    }
    std::printf("ours:   %8.1f MB/s  %.3f s  %zu bytes\n", megabytes / oursBest, oursBest, oursBytes);
    std::printf("libpng: %8.1f MB/s  %.3f s  %zu bytes\n", megabytes / libpngBest, libpngBest, libpngBytes);
    std::printf("ours / libpng speed: %.2f\n", libpngBest / oursBest);
    const size_t rowBytes = static_cast<size_t>(kSize) * 3;
    std::printf("peak memory of our encoder: %zu bytes (%.1f KiB; one row is %zu bytes, limit 1 MiB + a few rows)\n",
                peak, peak / 1024.0, rowBytes);
    return 0;
}
