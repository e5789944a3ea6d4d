// The settings of a PNG save. The defaults are the only shape the program
// writes: 8-bit RGB, filter None, no interlacing, gAMA 45455.
#pragma once

#include <cstddef>
#include <cstdint>

// A tIME value: UTC calendar fields.
struct TPngTime {
    uint16_t year = 0;
    uint8_t month = 0, day = 0, hour = 0, minute = 0, second = 0;
};

struct TPngSettings {
    static constexpr int kMinIdatSize = 256;
    static constexpr int kMaxIdatSize = 100000;

    // Data bytes of every IDAT chunk but the last.
    int idatSize = 32768;
    // 0 to 9 go to zlib as they are; anything else means zlib's default.
    int compressionLevel = -1;
    // Written as gamma * 100000 truncated; 0 or less writes no gAMA.
    double gamma = 0.45455;
    // On: tIME carries the clock at the moment of writing; off: timeStamp.
    bool useCurrentTime = true;
    TPngTime timeStamp;

    // How the image data is compressed; any choice gives a valid zlib stream
    // of the same rows. Filtered data (height x (1 + 3 x width) bytes) of at
    // least parallelFrom bytes is cut into blocks of blockSize bytes that
    // compress on `threads` workers (0: every hardware thread); smaller
    // pictures go through one zlib stream on the calling thread. For where
    // the default threshold comes from, see kParallelFrom.
    uint64_t parallelFrom = kParallelFrom;
    size_t blockSize = kBlockSize;
    unsigned threads = 0;

    // As parallel gzip tools cut: large enough that the joins cost little
    // (under 0.1 % of the output), small enough to keep both cores busy on a
    // picture of a few hundred kilobytes.
    static constexpr size_t kBlockSize = 128 * 1024;

    // Two blocks: with less there is no second full block for another
    // thread, and starting threads and priming each block's window would cost
    // more than they save. bench_png measured on 2 cores (single stream time
    // over parallel time): 0.6 to 0.7 at 70 to 120 KB, 1.4 at 200 KB, 1.7 at
    // 260 KB, about 1.8 from 500 KB on. The start-up picture, 400 x 400, has
    // 480 KB.
    static constexpr uint64_t kParallelFrom = 2 * kBlockSize;
};

// The system clock in UTC.
TPngTime CurrentPngTime();
