// The block-parallel compressor on its own: one valid zlib stream whatever the
// cut, the same bytes on any number of workers, progress and stopping.
#include "imaging/ParallelDeflate.h"
#include "common/Exceptions.h"
#include "tests/imaging/ImagingTestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <random>
#include <stdexcept>
#include <thread>

#include <zlib.h>

namespace {

// Repeats of one random piece with fresh noise between them: matches reach
// back across block boundaries, and some bytes do not compress at all.
Bytes MixedInput(size_t size, uint32_t seed)
{
    std::mt19937 random(seed);
    Bytes piece(5000);
    for (auto& b : piece) b = static_cast<uint8_t>(random());
    Bytes data;
    while (data.size() < size) {
        data.insert(data.end(), piece.begin(), piece.end());
        for (int i = 0; i < 700; ++i) data.push_back(static_cast<uint8_t>(random()));
    }
    data.resize(size);
    return data;
}

struct Outcome {
    bool finished = false;
    Bytes stream;
    std::vector<uint64_t> progress;
};

Outcome Deflate(const Bytes& input, const TDeflatePlan& plan, const std::function<bool(uint64_t)>& stopAt = {})
{
    Outcome o;
    o.finished = DeflateParallel(
        input.size(), plan,
        [&input](uint64_t offset, uint8_t* out, size_t size) {
            if (offset + size > input.size()) throw std::logic_error("read past the end");
            std::copy_n(input.begin() + static_cast<std::ptrdiff_t>(offset), size, out);
        },
        [&o](const uint8_t* data, size_t size) { o.stream.insert(o.stream.end(), data, data + size); },
        [&](uint64_t done) {
            o.progress.push_back(done);
            return !stopAt || !stopAt(done);
        });
    return o;
}

// Inflates a whole zlib stream; fails on a bad stream, a wrong Adler-32 or
// bytes after its end.
Bytes Inflate(const Bytes& stream)
{
    PngChunk chunk{"IDAT", stream, true};
    return InflateIdat({chunk});
}

Bytes Compress2(const Bytes& input, int level)
{
    uLongf size = compressBound(input.size());
    Bytes out(size);
    if (compress2(out.data(), &size, input.data(), input.size(), level) != Z_OK) throw std::runtime_error("compress2");
    out.resize(size);
    return out;
}

TEST(ParallelDeflate, EveryCutGivesOneStreamOfTheInputOnAnyNumberOfWorkers)
{
    struct Case {
        size_t total, blockSize;
    };
    const Case cases[] = {
        {1, 128 * 1024},        // a single byte
        {100, 7},               // blocks far smaller than a row of anything
        {3 * 32768, 32768},     // an exact number of blocks
        {3 * 32768 + 1, 32768}, // and one byte more: a last block of one byte
        {200000, 1000},         // many blocks, each far shorter than the window
        {700000, 128 * 1024},   // the writer's own block size
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.total << " bytes in blocks of " << c.blockSize);
        const Bytes input = MixedInput(c.total, static_cast<uint32_t>(c.total));
        Bytes first;
        for (unsigned workers : {1u, 2u, 5u}) {
            SCOPED_TRACE(workers);
            TDeflatePlan plan;
            plan.blockSize = c.blockSize;
            plan.workers = workers;
            const Outcome o = Deflate(input, plan);
            ASSERT_TRUE(o.finished);
            EXPECT_TRUE(Inflate(o.stream) == input);
            if (first.empty()) first = o.stream;
            else EXPECT_TRUE(o.stream == first) << "bytes depend on the number of workers";
        }
    }
}

// With the window before each block as its dictionary, repeats across block
// boundaries still become matches, so the stream is barely larger than one
// made in a single pass; without it each block would start from nothing.
TEST(ParallelDeflate, BlocksFindMatchesInTheInputBeforeThem)
{
    const Bytes input = MixedInput(600000, 3);
    TDeflatePlan plan;
    plan.blockSize = 16384;
    const size_t parallel = Deflate(input, plan).stream.size();
    const size_t single = Compress2(input, Z_DEFAULT_COMPRESSION).size();
    EXPECT_LT(parallel, single + single / 25);
    EXPECT_LT(single, input.size() / 4); // the input really repeats itself
}

TEST(ParallelDeflate, HeaderIsTheOneZlibWritesForTheLevel)
{
    const Bytes input = MixedInput(50000, 4);
    for (int level : {-1, 0, 1, 2, 5, 6, 7, 9}) {
        SCOPED_TRACE(level);
        TDeflatePlan plan;
        plan.level = level;
        plan.blockSize = 20000;
        const Bytes stream = Deflate(input, plan).stream;
        const Bytes reference = Compress2(input, level);
        EXPECT_EQ(Bytes(stream.begin(), stream.begin() + 2), Bytes(reference.begin(), reference.begin() + 2));
        EXPECT_TRUE(Inflate(stream) == input);
    }
}

TEST(ParallelDeflate, ProgressGrowsToTheWholeInputAndCanStopIt)
{
    const Bytes input = MixedInput(400000, 5);
    TDeflatePlan plan;
    plan.blockSize = 50000;
    plan.workers = 2;
    const Outcome whole = Deflate(input, plan);
    ASSERT_TRUE(whole.finished);
    // The workers cannot run more than the ring ahead, so the first report
    // comes long before the end.
    ASSERT_GE(whole.progress.size(), 2u);
    for (size_t i = 1; i < whole.progress.size(); ++i) EXPECT_GT(whole.progress[i], whole.progress[i - 1]);
    EXPECT_EQ(whole.progress.back(), input.size());

    const Outcome stopped = Deflate(input, plan, [](uint64_t) { return true; });
    EXPECT_FALSE(stopped.finished);
    EXPECT_EQ(stopped.progress.size(), 1u);
    EXPECT_LT(stopped.stream.size(), whole.stream.size());
    EXPECT_THROW(Inflate(stopped.stream), std::runtime_error);
}

// However slowly the output is taken, the workers read no further ahead than
// a few blocks each: memory does not grow with the input.
TEST(ParallelDeflate, WorkersStayAFewBlocksAheadOfTheOutput)
{
    const Bytes input = MixedInput(2000000, 8);
    TDeflatePlan plan;
    plan.blockSize = 20000;
    plan.workers = 2;
    const uint64_t ring = uint64_t{plan.workers} * TDeflatePlan::kBlocksInFlightPerWorker * plan.blockSize;
    std::atomic<uint64_t> readUpTo{0};
    uint64_t taken = 0; // input bytes whose output the sink has seen
    uint64_t worstLead = 0;
    Bytes stream;
    DeflateParallel(
        input.size(), plan,
        [&](uint64_t offset, uint8_t* out, size_t size) {
            std::copy_n(input.begin() + static_cast<std::ptrdiff_t>(offset), size, out);
            uint64_t seen = readUpTo.load();
            while (offset + size > seen && !readUpTo.compare_exchange_weak(seen, offset + size)) {}
        },
        [&](const uint8_t* data, size_t size) {
            stream.insert(stream.end(), data, data + size);
            if (size <= 4) return; // header or trailer
            std::this_thread::sleep_for(std::chrono::milliseconds(2));
            worstLead = std::max(worstLead, readUpTo.load() - taken);
            taken += plan.blockSize;
        },
        [](uint64_t) { return true; });
    EXPECT_TRUE(Inflate(stream) == input);
    EXPECT_GT(worstLead, plan.blockSize); // the workers did run ahead
    EXPECT_LE(worstLead, ring);
}

TEST(ParallelDeflate, FailuresOfTheSourceOrTheSinkComeOutOnTheCallingThread)
{
    const Bytes input = MixedInput(300000, 6);
    TDeflatePlan plan;
    plan.blockSize = 10000;
    plan.workers = 3;
    const auto noProgress = [](uint64_t) { return true; };
    int sinkCalls = 0;
    EXPECT_THROW(DeflateParallel(
                     input.size(), plan,
                     [&](uint64_t offset, uint8_t* out, size_t size) {
                         std::copy_n(input.begin() + static_cast<std::ptrdiff_t>(offset), size, out);
                     },
                     [&](const uint8_t*, size_t) {
                         if (++sinkCalls == 5) throw EWriteError("disk full");
                     },
                     noProgress),
                 EWriteError);

    std::atomic<int> sourceCalls{0};
    EXPECT_THROW(DeflateParallel(
                     input.size(), plan,
                     [&](uint64_t, uint8_t*, size_t) {
                         if (++sourceCalls == 7) throw std::runtime_error("unreadable");
                     },
                     [](const uint8_t*, size_t) {}, noProgress),
                 std::runtime_error);
}

} // namespace
