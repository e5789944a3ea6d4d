// Compressed data leaves in IDAT-sized pieces and the filtered rows are made
// only as they are compressed, so memory does not grow with the picture's
// height: one row at a time on the single stream, a few blocks per worker on
// the parallel path.
#include "imaging/PngWriteStream.h"

#include "imaging/Deflater.h"
#include "imaging/ImagingErrors.h"
#include "imaging/ParallelDeflate.h"
#include "imaging/PngChunks.h"

#include <algorithm>
#include <cstring>
#include <ctime>
#include <vector>

#include <zlib.h>

namespace {

const uint8_t kSignature[8] = {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A};
} // namespace

TPngWriteStream::TPngWriteStream(const TPngSettings& settings) : settings_(settings)
{
    if (settings_.idatSize < TPngSettings::kMinIdatSize || settings_.idatSize > TPngSettings::kMaxIdatSize)
        throw EPngError("Write PNG Param: Err IDAT Size(min:256  max:100000)");
    if (settings_.compressionLevel < 0 || settings_.compressionLevel > 9) settings_.compressionLevel = -1;
}

void TPngWriteStream::WriteImage()
{
    // Width and height must be 1 .. 2^31-1; an empty picture has no PNG form.
    if (Bitmap().Empty()) throw EPngError("Write PNG Param: Empty Image");
    // zlib takes a row in one piece, so a row must fit its 32-bit counter.
    if (static_cast<uint64_t>(Bitmap().Width()) * 3 + 1 > UINT32_MAX)
        throw EPngError("Write PNG Param: Image Too Wide");
    ReportProgress(0);
    Write(kSignature, sizeof kSignature);
    WritePngLeadChunks([this](const char* type, const void* data, size_t size) { WriteChunk(type, data, size); },
                       static_cast<uint32_t>(Bitmap().Width()), static_cast<uint32_t>(Bitmap().Height()), settings_);
    ReportProgress(0);
    if (Aborted()) return;
    WriteImageData();
    if (Aborted()) return;
    WriteChunk("IEND", nullptr, 0);
    ReportProgress(100);
}

void TPngWriteStream::WriteChunk(const char* type, const void* data, size_t size)
{
    const auto* typeBytes = reinterpret_cast<const Bytef*>(type);
    uLong crc = crc32(0L, Z_NULL, 0);
    crc = crc32(crc, typeBytes, 4);
    if (size > 0) crc = crc32(crc, static_cast<const Bytef*>(data), static_cast<uInt>(size));
    WriteUInt32(static_cast<uint32_t>(size));
    Write(type, 4);
    Write(data, size);
    WriteUInt32(static_cast<uint32_t>(crc));
}

namespace {

// The filtered rows as one byte sequence: a 0 (filter None) before each
// row's pixels turned from the bitmap's blue, green, red into red, green, blue.
void FilteredBytes(const TBitmap24& bitmap, uint64_t offset, uint8_t* out, size_t size)
{
    const uint64_t rowBytes = 1 + static_cast<uint64_t>(bitmap.Width()) * 3;
    auto y = static_cast<int>(offset / rowBytes);
    auto at = static_cast<size_t>(offset % rowBytes);
    while (size > 0) {
        if (at == 0) {
            *out++ = 0;
            --size;
            at = 1;
            continue;
        }
        const uint8_t* row = bitmap.Row(y);
        const size_t n = std::min<size_t>(size, rowBytes - at);
        size_t b = at - 1; // byte of the RGB row
        const size_t endByte = b + n;
        for (; b < endByte && b % 3 != 0; ++b) *out++ = row[b - b % 3 + 2 - b % 3];
        for (; b + 3 <= endByte; b += 3, out += 3) {
            out[0] = row[b + 2];
            out[1] = row[b + 1];
            out[2] = row[b];
        }
        for (; b < endByte; ++b) *out++ = row[b - b % 3 + 2 - b % 3];
        size -= n;
        at += n;
        if (at == rowBytes) {
            at = 0;
            ++y;
        }
    }
}

} // namespace

void TPngWriteStream::WriteImageData()
{
    const TBitmap24& bitmap = Bitmap();
    const uint64_t total = static_cast<uint64_t>(bitmap.Height()) * (1 + static_cast<uint64_t>(bitmap.Width()) * 3);
    output_.assign(static_cast<size_t>(settings_.idatSize), 0);
    outputFill_ = 0;
    if (total >= settings_.parallelFrom) WriteBlocksInParallel(total);
    else WriteSingleStream();
    if (Aborted()) return;
    if (outputFill_ > 0) WriteChunk("IDAT", output_.data(), outputFill_);
}

void TPngWriteStream::AppendCompressed(const uint8_t* data, size_t size)
{
    while (size > 0 && !Aborted()) {
        const size_t n = std::min(size, output_.size() - outputFill_);
        std::memcpy(output_.data() + outputFill_, data, n);
        outputFill_ += n;
        data += n;
        size -= n;
        // A full piece leaves at once, so data of an exact multiple of the
        // IDAT size ends on a full chunk and never on an empty one.
        if (outputFill_ == output_.size()) {
            WriteChunk("IDAT", output_.data(), outputFill_);
            outputFill_ = 0;
        }
    }
}

void TPngWriteStream::WriteBlocksInParallel(uint64_t total)
{
    TDeflatePlan plan;
    plan.level = settings_.compressionLevel;
    plan.blockSize = settings_.blockSize;
    plan.workers = settings_.threads;
    const TBitmap24& bitmap = Bitmap();
    DeflateParallel(
        total, plan,
        [&bitmap](uint64_t offset, uint8_t* out, size_t size) { FilteredBytes(bitmap, offset, out, size); },
        [this](const uint8_t* data, size_t size) { AppendCompressed(data, size); },
        [this, total](uint64_t done) {
            ReportProgress(PercentBelowEnd(done, total));
            return !Aborted();
        });
}

void TPngWriteStream::WriteSingleStream()
{
    const TBitmap24& bitmap = Bitmap();
    const int height = bitmap.Height();
    std::vector<uint8_t> row(1 + static_cast<size_t>(bitmap.Width()) * 3);

    TDeflater deflater(settings_.compressionLevel, 15);
    z_stream& z = *deflater;
    const auto compress = [&](int flush) {
        int result;
        do {
            z.next_out = output_.data() + outputFill_;
            z.avail_out = static_cast<uInt>(output_.size() - outputFill_);
            result = deflate(&z, flush);
            if (result < 0 && result != Z_BUF_ERROR) ThrowDeflateError();
            outputFill_ = output_.size() - z.avail_out;
            if (outputFill_ == output_.size()) {
                WriteChunk("IDAT", output_.data(), outputFill_);
                outputFill_ = 0;
            }
        } while (flush == Z_FINISH ? result != Z_STREAM_END : z.avail_in > 0);
    };

    for (int y = 0; y < height && !Aborted(); ++y) {
        FilteredBytes(bitmap, static_cast<uint64_t>(y) * row.size(), row.data(), row.size());
        z.next_in = row.data();
        z.avail_in = static_cast<uInt>(row.size());
        compress(Z_NO_FLUSH);
        ReportProgress(PercentBelowEnd(static_cast<uint64_t>(y) + 1, static_cast<uint64_t>(height)));
    }
    if (!Aborted()) compress(Z_FINISH);
}
