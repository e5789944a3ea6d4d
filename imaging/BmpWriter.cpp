// BMP layout: BITMAPFILEHEADER and BITMAPINFOHEADER, little-endian, no colour table.
#include "imaging/BmpWriter.h"

#include "common/SafeFile.h"
#include "imaging/ImagingErrors.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <vector>

namespace {

constexpr uint32_t kHeaderSize = 54;
// Large enough that a write costs little next to the bytes it carries.
constexpr size_t kBufferSize = 1 << 20;

void PutLE(uint8_t* p, uint32_t value, int bytes)
{
    for (int i = 0; i < bytes; ++i) p[i] = static_cast<uint8_t>(value >> (8 * i));
}

} // namespace

bool WriteBmp(const TBitmap24& bitmap, std::ostream& out, const TSaveProgress& progress)
{
    int reported = -1;
    const auto report = [&](int percent) {
        for (; reported < percent; ++reported)
            if (progress && !progress(reported + 1)) return false;
        return true;
    };
    const int width = bitmap.Width() > 0 ? bitmap.Width() : 0;
    const int height = bitmap.Height() > 0 ? bitmap.Height() : 0;
    const uint64_t stride = TBitmap24::StrideFor(width);
    const uint64_t imageSize = stride * static_cast<uint64_t>(height);
    if (imageSize > UINT32_MAX - kHeaderSize) throw EInvalidGraphic("Write Image (BMP): Image Too Large");
    if (!report(0)) return false;

    // The header and then whole rows gather in one large buffer, so the file
    // sees few big writes. The bitmap's own padding bytes may hold anything;
    // the file gets zeros.
    const size_t fileStride = static_cast<size_t>(stride);
    const size_t rowsPerBuffer = std::max<size_t>(1, kBufferSize / std::max<size_t>(fileStride, 1));
    std::vector<uint8_t> buffer(kHeaderSize + std::min<size_t>(rowsPerBuffer, height) * fileStride);
    uint8_t* header = buffer.data();
    header[0] = 'B';
    header[1] = 'M';
    PutLE(&header[2], static_cast<uint32_t>(kHeaderSize + imageSize), 4);
    PutLE(&header[10], kHeaderSize, 4);
    PutLE(&header[14], 40, 4);
    PutLE(&header[18], static_cast<uint32_t>(width), 4);
    PutLE(&header[22], static_cast<uint32_t>(height), 4);
    PutLE(&header[26], 1, 2);
    PutLE(&header[28], 24, 2);
    PutLE(&header[34], static_cast<uint32_t>(imageSize), 4);
    size_t fill = kHeaderSize;

    const size_t pixelBytes = static_cast<size_t>(width) * 3;
    for (int y = height - 1; y >= 0; --y) {
        if (fill + fileStride > buffer.size()) {
            out.write(reinterpret_cast<const char*>(buffer.data()), static_cast<std::streamsize>(fill));
            if (!out) throw EWriteError("Write Image (BMP): Write Error");
            fill = 0;
        }
        uint8_t* row = buffer.data() + fill;
        if (pixelBytes > 0) std::memcpy(row, bitmap.Row(y), pixelBytes);
        std::memset(row + pixelBytes, 0, fileStride - pixelBytes);
        fill += fileStride;
        if (!report(PercentBelowEnd(static_cast<uint64_t>(height - y), static_cast<uint64_t>(height)))) return false;
    }
    out.write(reinterpret_cast<const char*>(buffer.data()), static_cast<std::streamsize>(fill));
    if (!out) throw EWriteError("Write Image (BMP): Write Error");
    return report(100);
}

void SaveBmpFile(const TBitmap24& bitmap, const std::string& path, const TSaveProgress& progress)
{
    WriteFileReplacing(path, [&](std::ostream& out) {
        if (!WriteBmp(bitmap, out, progress)) throw ESaveCancelled("Write Image: Cancelled");
    });
}
