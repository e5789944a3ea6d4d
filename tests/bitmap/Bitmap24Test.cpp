// The picture's memory: zero from the start without costing memory before it
// is drawn, new memory for a new size, and copies that own their pixels.
#include "bitmap/Bitmap24.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <new>
#include <thread>
#include <vector>

#if defined(__linux__)
#include <unistd.h>
#endif

namespace {

bool AllZero(const TBitmap24& b)
{
    for (int y = 0; y < b.Height(); ++y)
        for (size_t i = 0; i < b.Stride(); ++i)
            if (b.Row(y)[i] != 0) return false;
    return true;
}

void Scribble(TBitmap24& b, uint8_t seed)
{
    for (int y = 0; y < b.Height(); ++y)
        for (size_t i = 0; i < static_cast<size_t>(b.Width()) * 3; ++i)
            b.Row(y)[i] = static_cast<uint8_t>(seed + y * 7 + i);
}

#if defined(__linux__)
// Resident memory of this process in bytes.
size_t Resident()
{
    long pages = 0, resident = 0;
    FILE* f = std::fopen("/proc/self/statm", "r");
    if (!f) return 0;
    if (std::fscanf(f, "%ld %ld", &pages, &resident) != 2) resident = 0;
    std::fclose(f);
    return static_cast<size_t>(resident) * static_cast<size_t>(sysconf(_SC_PAGESIZE));
}
#endif

} // namespace

// Small pictures come from the C library, large ones from a mapping; both
// are zero in every byte, the row padding included.
TEST(Bitmap24, ANewPictureIsZeroInEveryByte)
{
    struct Case {
        int width, height;
        bool mapped;
    };
    const Case cases[] = {{1, 1, false}, {3, 2, false}, {401, 399, true}, {1000, 1000, true}, {9999, 3, false}};
    for (const Case& c : cases) {
        TBitmap24 b(c.width, c.height);
        EXPECT_EQ(b.Stride(), TBitmap24::StrideFor(c.width));
        EXPECT_TRUE(AllZero(b)) << c.width << "x" << c.height;
#if defined(__linux__)
        EXPECT_EQ(b.Memory().Mapped(), c.mapped) << c.width << "x" << c.height;
#endif
    }
}

#if defined(__linux__)
// A picture of 2 MiB or more starts on a huge-page boundary, so huge pages
// can back it from its first row.
TEST(Bitmap24, ALargePictureStartsOnAHugePage)
{
    const TBitmap24 b(2000, 1000);
    EXPECT_EQ(reinterpret_cast<uintptr_t>(b.Bits()) % (2u << 20), 0u);
}

// Nothing is filled when the picture is made: its memory comes in only as
// rows are written, on the threads that write them.
TEST(Bitmap24, MemoryComesInOnlyWhereRowsAreWritten)
{
    const size_t before = Resident();
    TBitmap24 b(6000, 6000); // 108 MB
    const size_t made = Resident();
    EXPECT_LT(made - before, size_t{8} << 20);

    std::vector<std::thread> writers;
    for (int t = 0; t < 2; ++t)
        writers.emplace_back([&b, t] {
            for (int y = t * 1500; y < t * 1500 + 1500; ++y) std::fill_n(b.Row(y), b.Stride(), uint8_t{1});
        });
    for (auto& w : writers) w.join();
    const size_t written = Resident();
    // Half the rows written: about 54 MB, far from the whole picture.
    EXPECT_GT(written - before, size_t{40} << 20);
    EXPECT_LT(written - before, size_t{80} << 20);
    EXPECT_EQ(b.Row(2999)[0], 1);
    EXPECT_EQ(b.Row(3000)[0], 0);
}
#endif

// A new size owes nothing to the old picture; only the same size keeps it.
TEST(Bitmap24, ANewSizeStartsBlackAndTheSameSizeKeepsThePixels)
{
    struct Case {
        int width, height;
    };
    const Case sizes[] = {{50, 40}, {30, 20}, {60, 20}, {30, 50}, {600, 500}, {20, 600}};
    TBitmap24 b(40, 30);
    for (const Case& s : sizes) {
        Scribble(b, 9);
        b.SetSize(s.width, s.height);
        EXPECT_EQ(b.Width(), s.width);
        EXPECT_EQ(b.Height(), s.height);
        EXPECT_TRUE(AllZero(b)) << s.width << "x" << s.height;
    }
    Scribble(b, 3);
    const TBitmap24 drawn = b;
    b.SetSize(b.Width(), b.Height());
    for (int y = 0; y < b.Height(); ++y) ASSERT_EQ(std::memcmp(b.Row(y), drawn.Row(y), b.Stride()), 0) << y;

    b.SetSize(-4, 7);
    EXPECT_EQ(b.Width(), 0);
    EXPECT_EQ(b.Height(), 7);
    EXPECT_TRUE(b.Empty());
}

// Memory the system refuses is lack of memory, and the picture stays.
TEST(Bitmap24, RefusedMemoryKeepsTheOldPicture)
{
    TBitmap24 b(20, 10);
    Scribble(b, 5);
    const TBitmap24 before = b;
    EXPECT_THROW(b.SetSize(INT_MAX, INT_MAX), std::bad_alloc);
    ASSERT_EQ(b.Width(), 20);
    ASSERT_EQ(b.Height(), 10);
    for (int y = 0; y < b.Height(); ++y) EXPECT_EQ(std::memcmp(b.Row(y), before.Row(y), b.Stride()), 0) << y;
}

TEST(Bitmap24, CopiesOwnTheirPixelsAndMovesLeaveAnEmptyPicture)
{
    for (const int width : {7, 700}) {
        TBitmap24 a(width, 300);
        Scribble(a, 1);
        TBitmap24 copy = a;
        ASSERT_NE(copy.Bits(), a.Bits());
        Scribble(a, 2);
        EXPECT_EQ(copy.Row(299)[5], static_cast<uint8_t>(1 + 299 * 7 + 5));

        TBitmap24 assigned(3, 3);
        assigned = copy;
        EXPECT_EQ(assigned.Width(), width);
        EXPECT_EQ(std::memcmp(assigned.Bits(), copy.Bits(), copy.Stride() * 300), 0);
        assigned = *&assigned; // self-assignment keeps the picture
        EXPECT_EQ(std::memcmp(assigned.Bits(), copy.Bits(), copy.Stride() * 300), 0);

        const uint8_t* bits = copy.Bits();
        TBitmap24 moved = std::move(copy);
        EXPECT_EQ(moved.Bits(), bits);
        EXPECT_TRUE(copy.Empty());
        EXPECT_EQ(copy.Bits(), nullptr);
        copy = std::move(moved);
        EXPECT_EQ(copy.Bits(), bits);
        EXPECT_EQ(copy.Width(), width);
    }
}
