// Pictures written from bands: the deflate stream that takes its input in
// pieces makes the bytes of the whole-input compressor, and the band writer
// makes the image save's file with the texts before the image data.
#include "imaging/PngBandWriter.h"

#include "imaging/ImagingErrors.h"
#include "imaging/ParallelDeflate.h"
#include "imaging/PngFile.h"
#include "tests/imaging/ImagingTestSupport.h"

#include <gtest/gtest.h>

#include <random>
#include <sstream>

namespace {

Bytes Noise(size_t size, uint32_t seed)
{
    std::mt19937 random(seed);
    Bytes data(size);
    // Runs and noise, so blocks find matches in the window before them.
    for (size_t i = 0; i < size; ++i) data[i] = (i / 997) % 3 == 0 ? static_cast<uint8_t>(random()) : data[i / 2];
    return data;
}

Bytes Whole(const Bytes& input, const TDeflatePlan& plan)
{
    Bytes out;
    DeflateParallel(
        input.size(), plan, [&](uint64_t offset, uint8_t* o, size_t n) { std::copy_n(input.begin() + offset, n, o); },
        [&](const uint8_t* d, size_t n) { out.insert(out.end(), d, d + n); }, [](uint64_t) { return true; });
    return out;
}

TEST(DeflateStream, PiecesOfAnySizeGiveTheBytesOfTheWholeInput)
{
    const Bytes input = Noise(300000, 5);
    for (unsigned workers : {1u, 2u, 3u}) {
        TDeflatePlan plan;
        plan.blockSize = 10000;
        plan.workers = workers;
        const Bytes expected = Whole(input, plan);
        PngChunk chunk{"IDAT", expected, true};
        ASSERT_EQ(InflateIdat({chunk}), input);
        // One byte, pieces ending inside blocks, pieces of several blocks,
        // exactly one block, the rest at once.
        for (size_t piece : {size_t{1} << 20, size_t{10000}, size_t{7}, size_t{33333}, size_t{123457}}) {
            SCOPED_TRACE(testing::Message() << "workers " << workers << " piece " << piece);
            Bytes out;
            TDeflateStream stream(input.size(), plan, [&](const uint8_t* d, size_t n) { out.insert(out.end(), d, d + n); });
            for (size_t at = 0; at < input.size(); at += piece)
                ASSERT_TRUE(stream.Append(input.data() + at, std::min(piece, input.size() - at)));
            EXPECT_EQ(out, expected);
        }
    }
}

TEST(DeflateStream, ProgressCanStopIt)
{
    const Bytes input = Noise(100000, 9);
    TDeflatePlan plan;
    plan.blockSize = 4096;
    TDeflateStream stream(input.size(), plan, [](const uint8_t*, size_t) {}, [](uint64_t done) { return done < 50000; });
    bool stopped = false;
    for (size_t at = 0; at < input.size() && !stopped; at += 20000)
        stopped = !stream.Append(input.data() + at, std::min<size_t>(20000, input.size() - at));
    EXPECT_TRUE(stopped);
}

TBitmap24 Picture(int width, int height)
{
    TBitmap24 b = NoisePicture(width, height, 3);
    // Some rows repeat, so the data compresses across band borders.
    for (int y = 2; y < height; y += 3) std::copy_n(b.Row(y - 2), width * 3, b.Row(y));
    return b;
}

Bytes Filtered(const TBitmap24& b, int first, int last)
{
    Bytes rows;
    for (int y = first; y < last; ++y) {
        rows.push_back(0);
        for (int x = 0; x < b.Width(); ++x)
            for (int ch = 2; ch >= 0; --ch) rows.push_back(b.Row(y)[3 * x + ch]);
    }
    return rows;
}

TEST(PngBandWriter, WritesTheImageSavesFileWithTheTextsBeforeTheImageData)
{
    const TBitmap24 picture = Picture(301, 257);
    TPngSettings settings;
    settings.useCurrentTime = false;
    settings.timeStamp = {2026, 12, 10, 13, 5, 0};
    settings.parallelFrom = 0; // the image save compresses in blocks too
    settings.blockSize = 20000;
    std::ostringstream saved;
    WritePng(picture, saved, settings);
    const auto savedChunks = ReadPngChunks(AsBytes(saved.str()));

    const std::string text = "<?xml version=\"1.0\" encoding=\"UTF-8\"?><a>模様 \xE2\x9C\x93</a>";
    for (int band : {1, 7, 100, 257}) {
        SCOPED_TRACE(band);
        std::ostringstream out;
        {
            TPngBandWriter writer(out, picture.Width(), picture.Height(), settings, {{"Velquor pattern", text}});
            for (int y = 0; y < picture.Height(); y += band) {
                const Bytes rows = Filtered(picture, y, std::min(y + band, picture.Height()));
                writer.AppendRows(rows.data(), rows.size());
            }
            writer.Finish();
        }
        auto chunks = ReadPngChunks(AsBytes(out.str()));
        ASSERT_GT(chunks.size(), 6u);
        EXPECT_EQ(chunks[5].type, "iTXt");
        EXPECT_TRUE(chunks[5].crcValid);
        const std::string data(chunks[5].data.begin(), chunks[5].data.end());
        EXPECT_EQ(data, std::string("Velquor pattern\0\0\0\0\0", 20) + text);
        // Without the text the file is the image save's, byte for byte.
        chunks.erase(chunks.begin() + 5);
        ASSERT_EQ(chunks.size(), savedChunks.size());
        for (size_t i = 0; i < chunks.size(); ++i) {
            EXPECT_EQ(chunks[i].type, savedChunks[i].type) << i;
            EXPECT_TRUE(chunks[i].data == savedChunks[i].data) << chunks[i].type << " " << i;
        }
    }
}

TEST(PngBandWriter, RefusesWhatNoPngCanHoldBeforeWritingAnything)
{
    std::ostringstream out;
    TPngSettings bad;
    bad.idatSize = 100;
    EXPECT_THROW(TPngBandWriter(out, 10, 10, bad), EPngError);
    EXPECT_THROW(TPngBandWriter(out, 0, 10, {}), EPngError);
    EXPECT_TRUE(out.str().empty());
}

} // namespace
