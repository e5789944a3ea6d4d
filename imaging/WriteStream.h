// Buffered byte writers that graphic encoders are built on.
#pragma once

#include "bitmap/Bitmap24.h"
#include "imaging/SaveProgress.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <ostream>

// Collects small pieces in a 64 KiB buffer so the destination sees few,
// large writes. Integers are appended big-endian.
class TCustomWriteStream {
public:
    static constexpr size_t kBufferSize = 65536;
    // Pieces this large gain nothing from the buffer and go straight out.
    static constexpr size_t kDirectWriteSize = 65520;

    TCustomWriteStream();
    virtual ~TCustomWriteStream();
    TCustomWriteStream(const TCustomWriteStream&) = delete;
    TCustomWriteStream& operator=(const TCustomWriteStream&) = delete;

    // Returns true to abort the encoding; further writes are then ignored.
    virtual bool Progress(int percent);

    // Bytes handed to the destination so far.
    uint64_t TotalWritten() const { return total_; }

protected:
    void Begin(std::ostream& destination);
    void Write(const void* data, size_t size);
    void WriteUInt32(uint32_t value);
    // Passes the buffered bytes on; throws EWriteError if the destination fails.
    void Flush();

    bool Aborted() const { return aborted_; }
    // Passes every whole percentage above the last one passed, up to percent,
    // to Progress, and stops at the first that aborts.
    void ReportProgress(int percent);

private:
    void Pass(const void* data, size_t size);

    std::unique_ptr<uint8_t[]> buffer_;
    size_t fill_ = 0;
    uint64_t total_ = 0;
    std::ostream* destination_ = nullptr; // not owned
    bool aborted_ = false;
    int lastPercent_ = -1;
};

// A writer that encodes one bitmap.
class TCustomGraphicWriteStream : public TCustomWriteStream {
public:
    // Sees the reports described at TSaveProgress; returns false to cancel.
    using ProgressObserver = TSaveProgress;

    // Passes the percentage to the observer, if one is attached, and aborts
    // when it answers false.
    bool Progress(int percent) override;
    void SetProgressObserver(ProgressObserver observer) { observer_ = std::move(observer); }

    // Encodes bitmap into destination: resets the counters, runs WriteImage
    // and passes on what is still buffered. Returns false when a progress
    // report aborted it; destination then holds an incomplete file.
    bool Encode(const TBitmap24& bitmap, std::ostream& destination);

protected:
    virtual void WriteImage() = 0;
    const TBitmap24& Bitmap() const { return *bitmap_; }

private:
    const TBitmap24* bitmap_ = nullptr; // not owned
    ProgressObserver observer_;
};
