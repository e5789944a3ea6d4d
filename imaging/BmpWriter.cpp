// BMP layout: BITMAPFILEHEADER and BITMAPINFOHEADER, little-endian, no colour table.
#include "imaging/BmpWriter.h"

#include "common/SafeFile.h"
#include "imaging/ImagingErrors.h"

#include <array>
#include <cstdint>

namespace {

constexpr uint32_t kHeaderSize = 54;

void PutLE(uint8_t* p, uint32_t value, int bytes)
{
    for (int i = 0; i < bytes; ++i) p[i] = static_cast<uint8_t>(value >> (8 * i));
}

} // namespace

void WriteBmp(const TBitmap24& bitmap, std::ostream& out)
{
    const int width = bitmap.Width() > 0 ? bitmap.Width() : 0;
    const int height = bitmap.Height() > 0 ? bitmap.Height() : 0;
    const uint64_t stride = TBitmap24::StrideFor(width);
    const uint64_t imageSize = stride * static_cast<uint64_t>(height);
    if (imageSize > UINT32_MAX - kHeaderSize) throw EInvalidGraphic("Write Image (BMP): Image Too Large");

    std::array<uint8_t, kHeaderSize> header{};
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
    out.write(reinterpret_cast<const char*>(header.data()), header.size());

    // The bitmap's own padding bytes may hold anything; the file gets zeros.
    const size_t pixelBytes = static_cast<size_t>(width) * 3;
    const char zeros[3] = {0, 0, 0};
    for (int y = height - 1; y >= 0 && out; --y) {
        out.write(reinterpret_cast<const char*>(bitmap.Row(y)), static_cast<std::streamsize>(pixelBytes));
        out.write(zeros, static_cast<std::streamsize>(stride - pixelBytes));
    }
    if (!out) throw EWriteError("Write Image (BMP): Write Error");
}

void SaveBmpFile(const TBitmap24& bitmap, const std::string& path)
{
    WriteFileReplacing(path, [&bitmap](std::ostream& out) { WriteBmp(bitmap, out); });
}
