// The PNG files the program writes: structure, chunk contents, compressed
// data split into IDAT chunks, and agreement with independent readers.
#include "imaging/BmpWriter.h"
#include "imaging/ImageFileType.h"
#include "imaging/ImagingErrors.h"
#include "imaging/PngFile.h"
#include "tests/imaging/ImagingTestSupport.h"
#include "tests/support/Command.h"
#include "tests/support/Files.h"
#include "tests/support/ScopedEnv.h"
#include "tests/support/TempDir.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <ctime>
#include <numeric>
#include <random>
#include <sstream>

namespace {

const char* const kPython = "/usr/bin/python3";
const char* const kPngCheck = "/usr/bin/pngcheck";

Bytes EncodeToBytes(const TBitmap24& bitmap, const TPngSettings& settings = {})
{
    std::ostringstream out;
    WritePng(bitmap, out, settings);
    const std::string s = out.str();
    return Bytes(s.begin(), s.end());
}

std::vector<std::string> ChunkTypes(const std::vector<PngChunk>& chunks)
{
    std::vector<std::string> types;
    for (const auto& c : chunks) types.push_back(c.type);
    return types;
}

std::vector<size_t> IdatSizes(const std::vector<PngChunk>& chunks)
{
    std::vector<size_t> sizes;
    for (const auto& c : chunks)
        if (c.type == "IDAT") sizes.push_back(c.data.size());
    return sizes;
}

std::vector<std::string> ExpectedTypes(size_t idatCount)
{
    std::vector<std::string> types = {"IHDR", "tIME", "tEXt", "tpNG", "gAMA"};
    types.insert(types.end(), idatCount, "IDAT");
    types.push_back("IEND");
    return types;
}

TPngSettings FixedTime()
{
    TPngSettings settings;
    settings.useCurrentTime = false;
    settings.timeStamp = {2024, 2, 29, 23, 59, 60};
    return settings;
}

// Rows of the inflated data: a filter byte 0 and then the pixels as R, G, B.
void ExpectRowsOf(const Bytes& inflated, const TBitmap24& bitmap)
{
    const size_t rowBytes = 1 + static_cast<size_t>(bitmap.Width()) * 3;
    ASSERT_EQ(inflated.size(), rowBytes * bitmap.Height());
    const Bytes rgb = ToRgb(bitmap);
    for (int y = 0; y < bitmap.Height(); ++y) {
        ASSERT_EQ(inflated[y * rowBytes], 0) << "filter byte of row " << y;
        ASSERT_TRUE(std::equal(rgb.begin() + y * (rowBytes - 1), rgb.begin() + (y + 1) * (rowBytes - 1),
                               inflated.begin() + y * rowBytes + 1))
            << "pixels of row " << y;
    }
}

TEST(PngWriter, OnePixelFileHasTheFixedChunkSetAndRgbOrder)
{
    TBitmap24 bitmap(1, 1);
    bitmap.Row(0)[0] = 10; // blue
    bitmap.Row(0)[1] = 20; // green
    bitmap.Row(0)[2] = 30; // red
    const auto chunks = ReadPngChunks(EncodeToBytes(bitmap));

    ASSERT_EQ(ChunkTypes(chunks), ExpectedTypes(1));
    for (const auto& c : chunks) EXPECT_TRUE(c.crcValid) << c.type;
    EXPECT_EQ(chunks[0].data, (Bytes{0, 0, 0, 1, 0, 0, 0, 1, 8, 2, 0, 0, 0}));
    EXPECT_EQ(chunks[1].data.size(), 7u);
    const std::string text = "Software";
    Bytes expectedText(text.begin(), text.end());
    expectedText.push_back(0);
    for (char c : std::string("ZEBPNG ver 3.4")) expectedText.push_back(static_cast<uint8_t>(c));
    EXPECT_EQ(chunks[2].data, expectedText);
    EXPECT_EQ(chunks[2].data.size(), 23u);
    EXPECT_EQ(chunks[3].data, (Bytes{'Z', 'E', 'B', '3', 0, 0, 0, 0}));
    EXPECT_EQ(BigEndian32(chunks[4].data, 0), 45455u);
    EXPECT_TRUE(chunks.back().data.empty());
    EXPECT_EQ(InflateIdat(chunks), (Bytes{0, 30, 20, 10}));
}

// pngcheck accepts every PNG among files, and PIL reads each file as exactly
// the bitmap's pixels.
void ExpectReadersSeeThePixels(const std::vector<std::string>& files, const TBitmap24& bitmap, const TempDir& dir)
{
    const std::string python = RequireTool(kPython);
    const std::string pngcheck = RequireTool(kPngCheck);
    std::string arguments, expectedOutput;
    const std::string size = std::to_string(bitmap.Width()) + " " + std::to_string(bitmap.Height());
    for (size_t i = 0; i < files.size(); ++i) {
        const bool png = files[i].size() > 4 && files[i].substr(files[i].size() - 4) == ".png";
        if (png) {
            const CommandResult check = RunCommand(pngcheck + " -v " + ShellQuote(files[i]));
            EXPECT_EQ(check.exitCode, 0) << check.output;
            EXPECT_NE(check.output.find("No errors detected"), std::string::npos) << check.output;
        }
        arguments += " " + ShellQuote(files[i]) + " " + ShellQuote(dir / (std::to_string(i) + ".rgb"));
        expectedOutput += std::string(png ? "PNG" : "BMP") + " RGB " + size + "\n";
    }
    const std::string script =
        "import sys\nfrom PIL import Image\n"
        "for src, dst in zip(sys.argv[1::2], sys.argv[2::2]):\n"
        "    im = Image.open(src)\n"
        "    print(im.format, im.mode, im.size[0], im.size[1])\n"
        "    open(dst, 'wb').write(im.tobytes())\n";
    const CommandResult decode = RunCommand(python + " -c " + ShellQuote(script) + arguments);
    ASSERT_EQ(decode.exitCode, 0) << decode.output;
    EXPECT_EQ(decode.output, expectedOutput);
    const Bytes expected = ToRgb(bitmap);
    for (size_t i = 0; i < files.size(); ++i)
        EXPECT_TRUE(AsBytes(ReadBytes(dir / (std::to_string(i) + ".rgb"))) == expected)
            << files[i] << ": pixels differ";
}

// The program's chunk list with idatCount IDAT chunks, all full but the last,
// every CRC right, and rows of filter byte 0 and the pixels.
void ExpectTheProgramsShape(const Bytes& file, const TBitmap24& bitmap, size_t minIdat, size_t maxIdat)
{
    const auto chunks = ReadPngChunks(file);
    const auto sizes = IdatSizes(chunks);
    ASSERT_GE(sizes.size(), minIdat);
    ASSERT_LE(sizes.size(), maxIdat);
    EXPECT_EQ(ChunkTypes(chunks), ExpectedTypes(sizes.size()));
    for (const auto& c : chunks) EXPECT_TRUE(c.crcValid) << c.type;
    for (size_t i = 0; i + 1 < sizes.size(); ++i) EXPECT_EQ(sizes[i], 32768u) << "IDAT " << i;
    EXPECT_GT(sizes.back(), 0u);
    EXPECT_LE(sizes.back(), 32768u);
    ExpectRowsOf(InflateIdat(chunks), bitmap);
}

struct PictureCase {
    const char* name;
    TBitmap24 bitmap;
    size_t minIdat, maxIdat;
    TPngSettings settings = {};
};

TPngSettings Parallel(size_t blockSize)
{
    TPngSettings settings;
    settings.parallelFrom = 0;
    settings.blockSize = blockSize;
    return settings;
}

// Each picture is written as PNG and as BMP; pngcheck must accept the PNG
// and an independent decoder must read both files as the same pixels.
TEST(PngWriter, FilesAgreeWithIndependentReaders)
{
    const PictureCase cases[] = {
        {"one pixel", NoisePicture(1, 1, 1), 1, 1},
        {"one IDAT", NoisePicture(80, 80, 2), 1, 1},    // about 19 KB of noise
        {"two IDATs", NoisePicture(120, 120, 3), 2, 2}, // about 43 KB of noise
        {"rendered pattern", RenderedPicture(1000, 1000), 2, 100},
    };
    TempDir dir;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string png = dir / "p.png", bmp = dir / "p.bmp";
        SavePngFile(c.bitmap, png);
        SaveBmpFile(c.bitmap, bmp);
        ExpectTheProgramsShape(AsBytes(ReadBytes(png)), c.bitmap, c.minIdat, c.maxIdat);
        ExpectReadersSeeThePixels({png, bmp}, c.bitmap, dir);
    }
}

// The same checks for files whose data was compressed in blocks on several
// threads: the default for large pictures, forced with small blocks for
// small ones so that blocks end inside rows and inside pixels.
TEST(PngWriter, BlockCompressedFilesAgreeWithIndependentReaders)
{
    const PictureCase cases[] = {
        {"one pixel", NoisePicture(1, 1, 1), 1, 1, Parallel(128 * 1024)},
        {"1 x 70000 in 69 blocks", NoisePicture(1, 70000, 2), 5, 10, Parallel(4099)},
        {"517 x 3 in 5 blocks", NoisePicture(517, 3, 3), 1, 1, Parallel(1000)},
        {"4000 x 4000 noise", NoisePicture(4000, 4000, 4), 1466, 1467},
        {"4000 x 4000 smooth", PatternPicture(4000, 4000), 2, 1000},
    };
    TempDir dir;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string png = dir / "p.png";
        SavePngFile(c.bitmap, png, c.settings);
        ExpectTheProgramsShape(AsBytes(ReadBytes(png)), c.bitmap, c.minIdat, c.maxIdat);
        ExpectReadersSeeThePixels({png}, c.bitmap, dir);
    }
}

// Blocks are cut by position alone, so a file does not depend on how many
// threads the machine that wrote it had.
TEST(PngWriter, BlockCompressedFileIsTheSameOnAnyNumberOfThreads)
{
    const TBitmap24 bitmap = PatternPicture(700, 500);
    TPngSettings settings = FixedTime();
    settings.parallelFrom = 0;
    settings.blockSize = 50000;
    const Bytes reference = EncodeToBytes(bitmap, settings);
    for (unsigned threads : {1u, 2u, 3u, 8u}) {
        settings.threads = threads;
        EXPECT_TRUE(EncodeToBytes(bitmap, settings) == reference) << threads << " threads";
    }
    // The single stream says the same in other bytes.
    settings.parallelFrom = UINT64_MAX;
    const Bytes single = EncodeToBytes(bitmap, settings);
    EXPECT_FALSE(single == reference);
    EXPECT_TRUE(InflateIdat(ReadPngChunks(single)) == InflateIdat(ReadPngChunks(reference)));
}

// Pictures from the threshold on take the block path, smaller ones the
// single stream.
TEST(PngWriter, PictureSizeChoosesThePath)
{
    TPngSettings single = FixedTime(), blocks = FixedTime(), chosen = FixedTime();
    single.parallelFrom = UINT64_MAX;
    blocks.parallelFrom = 0;
    // The narrowest picture of this height that reaches the threshold, and
    // one pixel narrower.
    const int height = 64;
    int width = 1;
    while (uint64_t{height} * (1 + 3 * uint64_t(width)) < TPngSettings::kParallelFrom) ++width;
    const TBitmap24 below = PatternPicture(width - 1, height);
    const TBitmap24 at = PatternPicture(width, height);
    ASSERT_FALSE(EncodeToBytes(below, single) == EncodeToBytes(below, blocks));
    EXPECT_TRUE(EncodeToBytes(below, chosen) == EncodeToBytes(below, single));
    EXPECT_TRUE(EncodeToBytes(at, chosen) == EncodeToBytes(at, blocks));
}

// With the IDAT size set to a divisor of the compressed length, every chunk
// is full and no empty chunk follows.
TEST(PngWriter, CompressedDataOfExactChunkMultipleLeavesNoEmptyChunk)
{
    for (int height = 40; height < 80; ++height) {
        const TBitmap24 bitmap = NoisePicture(50, height, 7);
        size_t total = 0;
        for (size_t size : IdatSizes(ReadPngChunks(EncodeToBytes(bitmap)))) total += size;
        for (size_t divisor = 256; divisor <= total / 2; ++divisor) {
            if (total % divisor != 0) continue;
            TPngSettings settings;
            settings.idatSize = static_cast<int>(divisor);
            const auto chunks = ReadPngChunks(EncodeToBytes(bitmap, settings));
            EXPECT_EQ(IdatSizes(chunks), std::vector<size_t>(total / divisor, divisor));
            ExpectRowsOf(InflateIdat(chunks), bitmap);
            return;
        }
    }
    FAIL() << "no picture with a compressed length that has a usable divisor";
}

// A picture whose first `noisy` bytes of pixel data are random and the rest
// black: each further random byte adds about one compressed byte, and the
// seed moves the length by a few bytes either way, so together they can
// steer the compressed length onto an exact value.
TBitmap24 PartlyNoisy(int width, int height, size_t noisy, uint32_t seed)
{
    TBitmap24 bitmap(width, height);
    std::mt19937 random(seed);
    for (int y = 0; y < height; ++y)
        for (size_t x = 0; x<static_cast<size_t>(width) * 3; ++x, noisy -= noisy> 0 ? 1 : 0)
            bitmap.Row(y)[x] = noisy > 0 ? static_cast<uint8_t>(random()) : 0;
    return bitmap;
}

TEST(PngWriter, BlockCompressedDataOfExactChunkMultipleEndsOnAFullChunk)
{
    const TPngSettings settings = Parallel(16384);
    const int64_t target = 3 * 32768;
    const auto compressed = [&](int64_t noisy, uint32_t seed) {
        int64_t total = 0;
        const TBitmap24 bitmap = PartlyNoisy(100, 400, static_cast<size_t>(noisy), seed);
        for (size_t size : IdatSizes(ReadPngChunks(EncodeToBytes(bitmap, settings)))) total += size;
        return total;
    };
    int64_t noisy = target;
    for (int step = 0; step < 4; ++step) noisy += target - compressed(noisy, 1);
    uint32_t seed = 1;
    while (seed < 300 && compressed(noisy, seed) != target) ++seed;
    ASSERT_EQ(compressed(noisy, seed), target) << "no picture compresses to exactly three chunks";

    const TBitmap24 bitmap = PartlyNoisy(100, 400, static_cast<size_t>(noisy), seed);
    TempDir dir;
    SavePngFile(bitmap, dir / "p.png", settings);
    const Bytes file = AsBytes(ReadBytes(dir / "p.png"));
    EXPECT_EQ(IdatSizes(ReadPngChunks(file)), (std::vector<size_t>{32768, 32768, 32768}));
    ExpectTheProgramsShape(file, bitmap, 3, 3);
    ExpectReadersSeeThePixels({dir / "p.png"}, bitmap, dir);
}

// Every whole percentage once, in order, from both paths and the BMP
// writer; a hook that cancels gets no further call, and the old file stays.
TEST(PngWriter, SaveReportsEveryPercentAndCancelKeepsTheOldFile)
{
    struct Case {
        const char* name;
        std::string file;
        int filterIndex;
        TBitmap24 bitmap;
    };
    const Case cases[] = {
        {"single stream", "a.png", 2, NoisePicture(200, 120, 1)},
        {"blocks", "b.png", 2, NoisePicture(static_cast<int>(TPngSettings::kParallelFrom / 1200) + 10, 400, 2)},
        {"bmp", "c.bmp", 1, NoisePicture(300, 150, 3)},
        {"one row", "d.png", 2, NoisePicture(5, 1, 4)},
    };
    std::vector<int> everyPercent(101);
    std::iota(everyPercent.begin(), everyPercent.end(), 0);
    TempDir dir;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string path = dir / c.file;
        std::vector<int> seen;
        SaveImageFile(c.bitmap, path, c.filterIndex, [&seen](int percent) {
            seen.push_back(percent);
            return true;
        });
        EXPECT_EQ(seen, everyPercent);
        ExpectReadersSeeThePixels({path}, c.bitmap, dir);

        WriteBytes(path, "previous picture");
        for (int cancelAt : {0, 37}) {
            seen.clear();
            EXPECT_THROW(SaveImageFile(c.bitmap, path, c.filterIndex,
                                       [&](int percent) {
                                           seen.push_back(percent);
                                           return percent < cancelAt;
                                       }),
                         ESaveCancelled);
            EXPECT_EQ(seen, std::vector<int>(everyPercent.begin(), everyPercent.begin() + cancelAt + 1));
            EXPECT_EQ(ReadBytes(path), "previous picture");
        }
    }
    EXPECT_EQ(dir.Entries().size(), std::size(cases) + 1); // the files and what PIL wrote, no temporary
}

TEST(PngWriter, IdatSizeOutsideRangeIsRefusedBeforeWriting)
{
    const TBitmap24 bitmap = NoisePicture(200, 200, 4); // more than 100000 bytes compressed
    struct Case {
        int size;
        bool accepted;
    };
    for (const Case c : {Case{255, false}, Case{256, true}, Case{100000, true}, Case{100001, false}, Case{-1, false}}) {
        SCOPED_TRACE(c.size);
        TPngSettings settings;
        settings.idatSize = c.size;
        std::ostringstream out;
        if (c.accepted) {
            WritePng(bitmap, out, settings);
            const std::string file = out.str();
            const auto sizes = IdatSizes(ReadPngChunks(Bytes(file.begin(), file.end())));
            ASSERT_GT(sizes.size(), 1u);
            for (size_t i = 0; i + 1 < sizes.size(); ++i) EXPECT_EQ(sizes[i], static_cast<size_t>(c.size));
            continue;
        }
        try {
            WritePng(bitmap, out, settings);
            ADD_FAILURE() << "accepted";
        } catch (const EPngError& e) {
            EXPECT_EQ(e.Message(), "Write PNG Param: Err IDAT Size(min:256  max:100000)");
        }
        EXPECT_TRUE(out.str().empty());
    }
}

TEST(PngWriter, FailedSaveLeavesTheExistingFileAlone)
{
    TempDir dir;
    const std::string path = dir / "keep.png";
    WriteBytes(path, "previous picture");
    const TBitmap24 picture = NoisePicture(8, 8, 5);
    TPngSettings settings;
    settings.idatSize = 10;
    EXPECT_THROW(SavePngFile(picture, path, settings), EPngError);
    EXPECT_EQ(ReadBytes(path), "previous picture");
    EXPECT_EQ(dir.Entries(), std::vector<std::string>{"keep.png"});

    try {
        SavePngFile(picture, dir / "missing/x.png");
        ADD_FAILURE() << "saved into a missing folder";
    } catch (const EFOpenError& e) {
        EXPECT_EQ(e.Message(), "ファイル '" + (dir / "missing/x.png") + "' を作成できません。フォルダーがありません。");
    }
}

TEST(PngWriter, EmptyPictureIsRefused)
{
    std::ostringstream out;
    EXPECT_THROW(WritePng(TBitmap24(), out), EPngError);
    EXPECT_THROW(WritePng(TBitmap24(5, 0), out), EPngError);
}

TEST(PngWriter, TimeChunkCarriesUtc)
{
    std::time_t before, after;
    std::vector<PngChunk> chunks;
    {
        // Ten hours east of UTC, so local time would give another hour.
        ScopedEnv tz("TZ", "VQT-10");
        tzset();
        before = std::time(nullptr);
        chunks = ReadPngChunks(EncodeToBytes(NoisePicture(2, 2, 6)));
        after = std::time(nullptr);
    }
    tzset();

    ASSERT_EQ(chunks[1].type, "tIME");
    const Bytes& t = chunks[1].data;
    bool matched = false;
    for (std::time_t moment = before; moment <= after; ++moment) {
        std::tm utc{};
        gmtime_r(&moment, &utc);
        const Bytes expected = {static_cast<uint8_t>((utc.tm_year + 1900) >> 8),
                                static_cast<uint8_t>(utc.tm_year + 1900),
                                static_cast<uint8_t>(utc.tm_mon + 1),
                                static_cast<uint8_t>(utc.tm_mday),
                                static_cast<uint8_t>(utc.tm_hour),
                                static_cast<uint8_t>(utc.tm_min),
                                static_cast<uint8_t>(utc.tm_sec)};
        matched = matched || t == expected;
    }
    EXPECT_TRUE(matched) << "tIME hour " << int(t[4]) << " is not the UTC hour";
}

TEST(PngWriter, StoredTimeIsWrittenOnlyWhenValid)
{
    struct Case {
        TPngTime time;
        bool written;
    };
    const Case cases[] = {
        {{2024, 2, 29, 23, 59, 60}, true}, {{1, 1, 1, 0, 0, 0}, true},      {{0, 1, 1, 0, 0, 0}, false},
        {{2024, 0, 1, 0, 0, 0}, false},    {{2024, 13, 1, 0, 0, 0}, false}, {{2024, 1, 0, 0, 0, 0}, false},
        {{2024, 1, 32, 0, 0, 0}, false},   {{2024, 1, 1, 24, 0, 0}, false}, {{2024, 1, 1, 0, 60, 0}, false},
        {{2024, 1, 1, 0, 0, 61}, false},
    };
    for (const auto& c : cases) {
        TPngSettings settings;
        settings.useCurrentTime = false;
        settings.timeStamp = c.time;
        const auto chunks = ReadPngChunks(EncodeToBytes(NoisePicture(2, 2, 6), settings));
        const bool written = chunks[1].type == "tIME";
        EXPECT_EQ(written, c.written) << c.time.year << "-" << int(c.time.month) << "-" << int(c.time.day) << " "
                                      << int(c.time.hour) << ":" << int(c.time.minute) << ":" << int(c.time.second);
        if (written) {
            const auto& t = c.time;
            EXPECT_EQ(chunks[1].data, (Bytes{static_cast<uint8_t>(t.year >> 8), static_cast<uint8_t>(t.year), t.month,
                                             t.day, t.hour, t.minute, t.second}));
        }
    }
}

TEST(PngWriter, CompressionLevelOutsideZeroToNineMeansDefault)
{
    const TBitmap24 bitmap = PatternPicture(200, 150);
    TPngSettings settings = FixedTime();
    const Bytes standard = EncodeToBytes(bitmap, settings);
    settings.compressionLevel = 42;
    EXPECT_EQ(EncodeToBytes(bitmap, settings), standard);
    settings.compressionLevel = 6; // zlib's default level
    EXPECT_EQ(EncodeToBytes(bitmap, settings), standard);
    settings.compressionLevel = 0;
    const auto stored = ReadPngChunks(EncodeToBytes(bitmap, settings));
    ExpectRowsOf(InflateIdat(stored), bitmap);
    EXPECT_GT(InflateIdat(stored).size(), 0u);
    size_t storedBytes = 0;
    for (size_t s : IdatSizes(stored)) storedBytes += s;
    EXPECT_GT(storedBytes, 150u * (1 + 200 * 3)); // uncompressed blocks carry every byte
}

} // namespace
