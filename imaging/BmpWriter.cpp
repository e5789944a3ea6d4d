// BMP layout: BITMAPFILEHEADER and BITMAPINFOHEADER, little-endian, no colour table.
#include "imaging/BmpWriter.h"

#include "common/SafeFile.h"
#include "imaging/ImagingErrors.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

namespace {

constexpr uint32_t kHeaderSize = kBmpHeaderSize;

void PutLE(uint8_t* p, uint32_t value, int bytes)
{
    for (int i = 0; i < bytes; ++i) p[i] = static_cast<uint8_t>(value >> (8 * i));
}

} // namespace

void MakeBmpHeader(uint8_t* header, int width, int height)
{
    width = std::max(width, 0);
    height = std::max(height, 0);
    const uint64_t imageSize = TBitmap24::StrideFor(width) * static_cast<uint64_t>(height);
    if (imageSize > UINT32_MAX - kHeaderSize) throw EInvalidGraphic("Write Image (BMP): Image Too Large");
    std::memset(header, 0, kHeaderSize);
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
}

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
    uint8_t header[kHeaderSize];
    MakeBmpHeader(header, width, height);
    if (!report(0)) return false;

    const auto put = [&out](const void* data, size_t size) {
        out.write(static_cast<const char*>(data), static_cast<std::streamsize>(size));
        if (!out) throw EWriteError("Write Image (BMP): Write Error");
    };
    put(header, sizeof header);

    // Rows go out straight from the bitmap, bottom row first; a large row is
    // written to the file as it is. The bitmap's own padding bytes may hold
    // anything (they are zero unless someone wrote them); the file gets zeros.
    const size_t fileStride = static_cast<size_t>(stride);
    const size_t pixelBytes = static_cast<size_t>(width) * 3;
    const uint8_t zeros[4] = {0, 0, 0, 0};
    for (int y = height - 1; y >= 0; --y) {
        const uint8_t* row = bitmap.Row(y);
        if (fileStride > 0 && std::memcmp(row + pixelBytes, zeros, fileStride - pixelBytes) == 0) {
            put(row, fileStride);
        } else if (fileStride > 0) {
            put(row, pixelBytes);
            put(zeros, fileStride - pixelBytes);
        }
        if (!report(PercentBelowEnd(static_cast<uint64_t>(height - y), static_cast<uint64_t>(height)))) return false;
    }
    return report(100);
}

void SaveBmpFile(const TBitmap24& bitmap, const std::string& path, const TSaveProgress& progress)
{
    WriteFileReplacing(path, [&](std::ostream& out) {
        if (!WriteBmp(bitmap, out, progress)) throw ESaveCancelled("Write Image: Cancelled");
    });
}
