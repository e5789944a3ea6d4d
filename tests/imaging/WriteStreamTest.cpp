// How the encoder's bytes reach the destination, progress reports and abort.
#include "imaging/ImagingErrors.h"
#include "imaging/PngWriteStream.h"
#include "tests/imaging/ImagingTestSupport.h"

#include <gtest/gtest.h>

#include <numeric>
#include <set>
#include <sstream>
#include <streambuf>

namespace {

// Keeps every byte and the size of every write it receives; can refuse
// bytes beyond a limit like a full disk.
class RecordingBuffer : public std::streambuf {
public:
    explicit RecordingBuffer(size_t limit = SIZE_MAX) : limit_(limit) {}
    std::vector<size_t> writes;
    std::string bytes;

protected:
    std::streamsize xsputn(const char* s, std::streamsize n) override
    {
        if (bytes.size() + static_cast<size_t>(n) > limit_) return 0;
        writes.push_back(static_cast<size_t>(n));
        bytes.append(s, static_cast<size_t>(n));
        return n;
    }
    int_type overflow(int_type c) override
    {
        if (traits_type::eq_int_type(c, traits_type::eof())) return traits_type::not_eof(c);
        const char ch = traits_type::to_char_type(c);
        return xsputn(&ch, 1) == 1 ? c : traits_type::eof();
    }

private:
    size_t limit_;
};

TEST(WriteStream, DestinationGetsLargeWritesAndBigChunksDirectly)
{
    const TBitmap24 bitmap = NoisePicture(300, 300, 11); // about 270 KB compressed
    for (const int idatSize : {32768, 65519, 65520, 100000}) {
        SCOPED_TRACE(idatSize);
        TPngSettings settings;
        settings.idatSize = idatSize;
        RecordingBuffer buffer;
        std::ostream out(&buffer);
        TPngWriteStream encoder(settings);
        encoder.Encode(bitmap, out);
        EXPECT_EQ(encoder.TotalWritten(), buffer.bytes.size());
        const auto chunks = ReadPngChunks(Bytes(buffer.bytes.begin(), buffer.bytes.end()));
        EXPECT_NO_THROW(InflateIdat(chunks));

        // Every data piece of 65520 bytes or more arrives as a write of its own;
        // all other writes come from the buffer and stay below 64 KiB.
        std::set<std::pair<size_t, size_t>> bigPieces, writesOver;
        size_t offset = 8;
        for (const auto& c : chunks) {
            if (c.data.size() >= TCustomWriteStream::kDirectWriteSize) bigPieces.insert({offset + 8, c.data.size()});
            offset += 12 + c.data.size();
        }
        offset = 0;
        std::set<std::pair<size_t, size_t>> allWrites;
        for (size_t size : buffer.writes) {
            allWrites.insert({offset, size});
            if (size > 65535u) writesOver.insert({offset, size});
            offset += size;
        }
        for (const auto& piece : bigPieces) EXPECT_EQ(allWrites.count(piece), 1u) << "piece at " << piece.first;
        for (const auto& write : writesOver) EXPECT_EQ(bigPieces.count(write), 1u) << "write at " << write.first;
        EXPECT_EQ(bigPieces.empty(), idatSize < 65520);
        if (idatSize == 32768) {
            // Two full chunks do not fit the buffer, so each write carries about one.
            for (size_t i = 0; i + 1 < buffer.writes.size(); ++i) EXPECT_GT(buffer.writes[i], 32768u);
        }
    }
}

TEST(WriteStream, RefusedBytesRaiseWriteError)
{
    RecordingBuffer buffer(1000);
    std::ostream out(&buffer);
    TPngWriteStream encoder(TPngSettings{});
    EXPECT_THROW(encoder.Encode(NoisePicture(200, 200, 12), out), EWriteError);
}

// Records the reports and aborts from a chosen report on.
class ObservedEncoder : public TPngWriteStream {
public:
    ObservedEncoder(int abortAt) : TPngWriteStream(TPngSettings{}), abortAt_(abortAt) {}
    std::vector<int> reports;
    bool Progress(int percent) override
    {
        reports.push_back(percent);
        return abortAt_ >= 0 && static_cast<int>(reports.size()) > abortAt_;
    }

private:
    int abortAt_;
};

std::vector<int> PercentsUpTo(int last)
{
    std::vector<int> percents(static_cast<size_t>(last) + 1);
    std::iota(percents.begin(), percents.end(), 0);
    return percents;
}

TEST(WriteStream, EveryPercentIsReportedOnceAndAbortStopsWriting)
{
    for (const int height : {1, 3, 8, 250}) {
        SCOPED_TRACE(height);
        ObservedEncoder whole(-1);
        std::ostringstream complete;
        EXPECT_TRUE(whole.Encode(NoisePicture(3, height, 13), complete));
        EXPECT_EQ(whole.reports, PercentsUpTo(100));
    }

    ObservedEncoder atStart(0);
    std::ostringstream none;
    EXPECT_FALSE(atStart.Encode(NoisePicture(3, 8, 13), none));
    EXPECT_TRUE(none.str().empty());
    EXPECT_EQ(atStart.reports, PercentsUpTo(0));

    ObservedEncoder midway(40); // aborts at the report of 40 %
    std::ostringstream partial;
    EXPECT_FALSE(midway.Encode(NoisePicture(300, 80, 13), partial));
    EXPECT_EQ(midway.reports, PercentsUpTo(40));
    const std::string file = partial.str();
    const auto chunks = ReadPngChunks(Bytes(file.begin(), file.end()));
    ASSERT_FALSE(chunks.empty());
    EXPECT_NE(chunks.back().type, "IEND");
}

// A share of the rows is reported once it is compressed: a quarter of the
// picture's noise gives about a quarter of its compressed bytes.
TEST(WriteStream, PercentFollowsTheRowsCompressed)
{
    const TBitmap24 bitmap = NoisePicture(2000, 500, 15);
    for (const uint64_t parallelFrom : {uint64_t{0}, UINT64_MAX}) {
        SCOPED_TRACE(parallelFrom);
        TPngSettings settings;
        settings.parallelFrom = parallelFrom;
        settings.blockSize = 20000;
        RecordingBuffer buffer;
        std::ostream out(&buffer);
        TPngWriteStream encoder(settings);
        std::vector<uint64_t> written(101);
        encoder.SetProgressObserver([&](int percent) {
            written[percent] = encoder.TotalWritten();
            return true;
        });
        ASSERT_TRUE(encoder.Encode(bitmap, out));
        const double total = static_cast<double>(encoder.TotalWritten());
        // Written bytes trail the compressed rows by at most the buffers and
        // blocks on their way.
        for (int percent : {25, 50, 75}) {
            EXPECT_LE(written[percent], total * percent / 100 + 1000) << percent;
            EXPECT_GE(written[percent], total * percent / 100 - 250000) << percent;
        }
    }
}

TEST(WriteStream, ObserverSeesTheSameReportsAndCanCancel)
{
    TPngWriteStream encoder(TPngSettings{});
    std::vector<int> seen;
    encoder.SetProgressObserver([&seen](int percent) {
        seen.push_back(percent);
        return true;
    });
    std::ostringstream out;
    EXPECT_TRUE(encoder.Encode(NoisePicture(2, 4, 14), out));
    EXPECT_EQ(seen, PercentsUpTo(100));

    seen.clear();
    encoder.SetProgressObserver([&seen](int percent) {
        seen.push_back(percent);
        return percent < 60;
    });
    std::ostringstream cancelled;
    EXPECT_FALSE(encoder.Encode(NoisePicture(2, 4, 14), cancelled));
    EXPECT_EQ(seen, PercentsUpTo(60));
}

} // namespace
