// One zlib stream compressed on several threads, the way parallel gzip tools
// do it: the input is cut into blocks, each block is compressed as raw deflate
// with the 32 KiB before it as its dictionary and ends on a byte boundary, so
// the pieces join into a single stream under one header and one Adler-32.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>

struct TDeflatePlan {
    // zlib's level: 0 to 9, or -1 for its default (6). Window 15 bits, memory
    // level 8 and the default strategy are fixed, as in a plain deflateInit.
    int level = -1;
    // Input bytes of one block. Larger blocks lose less at the joins but
    // give the threads fewer, coarser pieces.
    size_t blockSize = 128 * 1024;
    // 0: one worker per hardware thread. Never more than kMaxWorkers.
    unsigned workers = 0;

    // Bounds the memory: each worker holds a deflate state (about 260 KiB)
    // and its input (block + window); each block in flight holds its output.
    static constexpr unsigned kMaxWorkers = 16;
    static constexpr unsigned kBlocksInFlightPerWorker = 2;
};

// Writes the size bytes of the uncompressed input that start at offset into
// out. Called on the workers, several at a time, so it may only read.
using TDeflateSource = std::function<void(uint64_t offset, uint8_t* out, size_t size)>;
// Receives the compressed stream in order, on the calling thread.
using TDeflateSink = std::function<void(const uint8_t* data, size_t size)>;
// Told how many input bytes are compressed so far, on the calling thread, as
// it grows: at least once per 1/256 of the input unless blocks or the sink
// keep the calling thread busy, and before each block is passed on.
// Returning false stops the compression.
using TDeflateProgress = std::function<bool(uint64_t done)>;

// Compresses total bytes (at least 1) read from source into one zlib stream
// handed to sink. The bytes depend only on the input, the level and the block
// size, never on the number of workers. Returns false when progress stopped
// it; the stream is then incomplete. A compressor failure throws EPngError
// "Write Image (PNG): Write Error"; exceptions of the three functions pass
// through. Every worker has ended when it returns or throws.
bool DeflateParallel(uint64_t total, const TDeflatePlan& plan, const TDeflateSource& source, const TDeflateSink& sink,
                     const TDeflateProgress& progress);

// The same stream for input that arrives piece by piece (a picture drawn in
// bands): the compressed bytes are those DeflateParallel makes of the whole
// input. Holds the workers for its whole life.
class TDeflateStream {
public:
    // total: the input's length (at least 1). progress as above; empty: never
    // stops.
    TDeflateStream(uint64_t total, const TDeflatePlan& plan, TDeflateSink sink, TDeflateProgress progress = {});
    ~TDeflateStream();
    TDeflateStream(const TDeflateStream&) = delete;
    TDeflateStream& operator=(const TDeflateStream&) = delete;

    // The next bytes of the input. Compresses, on the workers, every block
    // they complete and hands it to the sink before it returns; with the
    // last byte the stream is finished. Returns false when progress stopped
    // it. Bytes past total are ignored.
    bool Append(const uint8_t* data, size_t size);

private:
    struct Impl;
    std::unique_ptr<Impl> impl_;
};
