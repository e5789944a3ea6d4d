// Output buffering shared by the encoders.
#include "imaging/WriteStream.h"

#include "imaging/ImagingErrors.h"

#include <cstring>

TCustomWriteStream::TCustomWriteStream() : buffer_(new uint8_t[kBufferSize]) {}

TCustomWriteStream::~TCustomWriteStream() = default;

bool TCustomWriteStream::Progress(int /*percent*/) { return false; }

void TCustomWriteStream::Begin(std::ostream& destination)
{
    destination_ = &destination;
    fill_ = 0;
    total_ = 0;
    aborted_ = false;
    lastPercent_ = -1;
}

void TCustomWriteStream::ReportProgress(int percent)
{
    while (lastPercent_ < percent && !aborted_) aborted_ = Progress(++lastPercent_);
}

void TCustomWriteStream::Write(const void* data, size_t size)
{
    if (aborted_ || size == 0) return;
    if (size >= kDirectWriteSize) {
        Flush();
        Pass(data, size);
        return;
    }
    if (fill_ + size > kBufferSize - 1) Flush();
    std::memcpy(buffer_.get() + fill_, data, size);
    fill_ += size;
}

void TCustomWriteStream::WriteUInt32(uint32_t value)
{
    const uint8_t bytes[4] = {static_cast<uint8_t>(value >> 24), static_cast<uint8_t>(value >> 16),
                              static_cast<uint8_t>(value >> 8), static_cast<uint8_t>(value)};
    Write(bytes, sizeof bytes);
}

void TCustomWriteStream::Flush()
{
    if (fill_ == 0) return;
    const size_t size = fill_;
    fill_ = 0;
    Pass(buffer_.get(), size);
}

void TCustomWriteStream::Pass(const void* data, size_t size)
{
    destination_->write(static_cast<const char*>(data), static_cast<std::streamsize>(size));
    if (!*destination_) throw EWriteError("Write Image: Stream Write Error");
    total_ += size;
}

bool TCustomGraphicWriteStream::Progress(int percent) { return observer_ && !observer_(percent); }

bool TCustomGraphicWriteStream::Encode(const TBitmap24& bitmap, std::ostream& destination)
{
    bitmap_ = &bitmap;
    Begin(destination);
    WriteImage();
    Flush();
    return !Aborted();
}
