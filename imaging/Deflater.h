// One zlib deflate stream that is always ended, errors included.
#pragma once

#include <zlib.h>

class TDeflater {
public:
    // windowBits 15 writes the zlib header and trailer; -15 raw deflate.
    // Memory level 8 and the default strategy, as deflateInit uses.
    // Throws EPngError "Write Image (PNG): Write Error" when zlib refuses.
    TDeflater(int level, int windowBits);
    ~TDeflater();
    TDeflater(const TDeflater&) = delete;
    TDeflater& operator=(const TDeflater&) = delete;
    z_stream& operator*() { return stream_; }
    z_stream* operator->() { return &stream_; }

private:
    z_stream stream_{};
};

// The one message of a compressor failure.
[[noreturn]] void ThrowDeflateError();
