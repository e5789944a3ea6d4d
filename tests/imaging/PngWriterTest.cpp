// The PNG files the program writes: structure, chunk contents, compressed
// data split into IDAT chunks, and agreement with independent readers.
#include "imaging/BmpWriter.h"
#include "imaging/ImagingErrors.h"
#include "imaging/PngFile.h"
#include "tests/imaging/ImagingTestSupport.h"
#include "tests/support/Command.h"
#include "tests/support/Files.h"
#include "tests/support/ScopedEnv.h"
#include "tests/support/TempDir.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <ctime>
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

struct PictureCase {
    const char* name;
    TBitmap24 bitmap;
    size_t minIdat, maxIdat;
};

// Each picture is written as PNG and as BMP; pngcheck must accept the PNG
// and an independent decoder must read both files as the same pixels.
TEST(PngWriter, FilesAgreeWithIndependentReaders)
{
    const std::string python = RequireTool(kPython);
    const std::string pngcheck = RequireTool(kPngCheck);
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

        const auto chunks = ReadPngChunks(AsBytes(ReadBytes(png)));
        const auto sizes = IdatSizes(chunks);
        ASSERT_GE(sizes.size(), c.minIdat);
        ASSERT_LE(sizes.size(), c.maxIdat);
        EXPECT_EQ(ChunkTypes(chunks), ExpectedTypes(sizes.size()));
        for (size_t i = 0; i + 1 < sizes.size(); ++i) EXPECT_EQ(sizes[i], 32768u) << "IDAT " << i;
        EXPECT_GT(sizes.back(), 0u);
        EXPECT_LE(sizes.back(), 32768u);
        ExpectRowsOf(InflateIdat(chunks), c.bitmap);

        const CommandResult check = RunCommand(pngcheck + " -v " + ShellQuote(png));
        EXPECT_EQ(check.exitCode, 0) << check.output;
        EXPECT_NE(check.output.find("No errors detected"), std::string::npos) << check.output;

        const std::string script =
            "import sys\nfrom PIL import Image\n"
            "for src, dst in ((sys.argv[1], sys.argv[2]), (sys.argv[3], sys.argv[4])):\n"
            "    im = Image.open(src)\n"
            "    print(im.format, im.mode, im.size[0], im.size[1])\n"
            "    open(dst, 'wb').write(im.tobytes())\n";
        const CommandResult decode =
            RunCommand(python + " -c " + ShellQuote(script) + " " + ShellQuote(png) + " " +
                       ShellQuote(dir / "png.rgb") + " " + ShellQuote(bmp) + " " + ShellQuote(dir / "bmp.rgb"));
        ASSERT_EQ(decode.exitCode, 0) << decode.output;
        const std::string size = std::to_string(c.bitmap.Width()) + " " + std::to_string(c.bitmap.Height());
        EXPECT_EQ(decode.output, "PNG RGB " + size + "\nBMP RGB " + size + "\n");
        const Bytes expected = ToRgb(c.bitmap);
        EXPECT_TRUE(AsBytes(ReadBytes(dir / "png.rgb")) == expected) << "PNG pixels differ";
        EXPECT_TRUE(AsBytes(ReadBytes(dir / "bmp.rgb")) == expected) << "BMP pixels differ";
    }
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
