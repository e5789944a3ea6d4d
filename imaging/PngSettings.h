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
    size_t blockSize = 128 * 1024;
    unsigned threads = 0;

    // PLACEHOLDER
    static constexpr uint64_t kParallelFrom = 512 * 1024;
};

// The system clock in UTC.
TPngTime CurrentPngTime();
