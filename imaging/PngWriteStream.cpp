// Rows are converted and compressed one at a time, and compressed data
// leaves in IDAT-sized pieces, so memory follows the width, not the picture.
#include "imaging/PngWriteStream.h"

#include "imaging/ImagingErrors.h"

#include <ctime>
#include <new>
#include <vector>

#include <zlib.h>

namespace {

const uint8_t kSignature[8] = {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A};
const char* const kSoftware = "ZEBPNG ver 3.4";

// zlib's memory goes through operator new like every other allocation of
// the encoder, so it is accounted for in one place.
voidpf ZAlloc(voidpf, uInt items, uInt size) { return ::operator new(static_cast<size_t>(items) * size, std::nothrow); }
void ZFree(voidpf, voidpf address) { ::operator delete(address); }

// Owns one deflate stream; ends it on every way out, errors included.
class TDeflater {
public:
    explicit TDeflater(int level)
    {
        stream_.zalloc = ZAlloc;
        stream_.zfree = ZFree;
        stream_.opaque = nullptr;
        if (deflateInit2(&stream_, level, Z_DEFLATED, 15, 8, Z_DEFAULT_STRATEGY) != Z_OK)
            throw EPngError("Write Image (PNG): Write Error");
    }
    ~TDeflater() { deflateEnd(&stream_); }
    TDeflater(const TDeflater&) = delete;
    TDeflater& operator=(const TDeflater&) = delete;
    z_stream& operator*() { return stream_; }

private:
    z_stream stream_{};
};

bool ValidTime(const TPngTime& t)
{
    return t.year > 0 && t.month >= 1 && t.month <= 12 && t.day >= 1 && t.day <= 31 && t.hour <= 23 && t.minute <= 59 &&
           t.second <= 60;
}

} // namespace

TPngTime CurrentPngTime()
{
    const std::time_t now = std::time(nullptr);
    std::tm utc{};
    TPngTime t;
    if (now == static_cast<std::time_t>(-1) || gmtime_r(&now, &utc) == nullptr) return t; // left out
    t.year = static_cast<uint16_t>(utc.tm_year + 1900);
    t.month = static_cast<uint8_t>(utc.tm_mon + 1);
    t.day = static_cast<uint8_t>(utc.tm_mday);
    t.hour = static_cast<uint8_t>(utc.tm_hour);
    t.minute = static_cast<uint8_t>(utc.tm_min);
    t.second = static_cast<uint8_t>(utc.tm_sec);
    return t;
}

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
    WriteHeaderChunk();
    WriteTimeChunk();
    WriteTextChunk("Software", kSoftware);
    WritePrivateChunk();
    WriteGammaChunk();
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

void TPngWriteStream::WriteHeaderChunk()
{
    const auto w = static_cast<uint32_t>(Bitmap().Width());
    const auto h = static_cast<uint32_t>(Bitmap().Height());
    const uint8_t data[13] = {
        static_cast<uint8_t>(w >> 24),
        static_cast<uint8_t>(w >> 16),
        static_cast<uint8_t>(w >> 8),
        static_cast<uint8_t>(w),
        static_cast<uint8_t>(h >> 24),
        static_cast<uint8_t>(h >> 16),
        static_cast<uint8_t>(h >> 8),
        static_cast<uint8_t>(h),
        8, // bit depth
        2, // colour type RGB
        0,
        0,
        0 // compression, filter method, interlace off
    };
    WriteChunk("IHDR", data, sizeof data);
}

void TPngWriteStream::WriteTimeChunk()
{
    const TPngTime t = settings_.useCurrentTime ? CurrentPngTime() : settings_.timeStamp;
    if (!ValidTime(t)) return;
    const uint8_t data[7] = {
        static_cast<uint8_t>(t.year >> 8), static_cast<uint8_t>(t.year), t.month, t.day, t.hour, t.minute, t.second};
    WriteChunk("tIME", data, sizeof data);
}

void TPngWriteStream::WriteTextChunk(const std::string& keyword, const std::string& text)
{
    if (text.empty() || keyword.size() > 79) return;
    std::string data = keyword;
    data.push_back('\0');
    data += text;
    WriteChunk("tEXt", data.data(), data.size());
}

void TPngWriteStream::WritePrivateChunk()
{
    // Writer mark, two flag bytes (both clear), a reserved 16-bit zero.
    const uint8_t data[8] = {'Z', 'E', 'B', '3', 0, 0, 0, 0};
    WriteChunk("tpNG", data, sizeof data);
}

void TPngWriteStream::WriteGammaChunk()
{
    const double scaled = settings_.gamma * 100000.0;
    if (!(scaled >= 1.0) || scaled >= 4294967296.0) return; // also refuses NaN
    const auto g = static_cast<uint32_t>(scaled);
    const uint8_t data[4] = {static_cast<uint8_t>(g >> 24), static_cast<uint8_t>(g >> 16), static_cast<uint8_t>(g >> 8),
                             static_cast<uint8_t>(g)};
    WriteChunk("gAMA", data, sizeof data);
}

void TPngWriteStream::WriteImageData()
{
    const TBitmap24& bitmap = Bitmap();
    const int width = bitmap.Width();
    const int height = bitmap.Height();
    const auto idatSize = static_cast<uInt>(settings_.idatSize);
    std::vector<uint8_t> output(idatSize);
    // Filter type None: the filtered row is a zero byte before the raw row.
    std::vector<uint8_t> row(1 + static_cast<size_t>(width) * 3);

    TDeflater deflater(settings_.compressionLevel);
    z_stream& z = *deflater;
    z.next_out = output.data();
    z.avail_out = idatSize;
    const auto emitFull = [&] {
        WriteChunk("IDAT", output.data(), idatSize);
        z.next_out = output.data();
        z.avail_out = idatSize;
    };

    for (int y = 0; y < height && !Aborted(); ++y) {
        const uint8_t* src = bitmap.Row(y);
        uint8_t* dst = row.data() + 1;
        for (int x = 0; x < width; ++x, src += 3, dst += 3) {
            dst[0] = src[2];
            dst[1] = src[1];
            dst[2] = src[0];
        }
        z.next_in = row.data();
        z.avail_in = static_cast<uInt>(row.size());
        do {
            if (deflate(&z, Z_NO_FLUSH) < 0) throw EPngError("Write Image (PNG): Write Error");
            if (z.avail_out == 0) emitFull();
        } while (z.avail_in > 0);
        const int counted = y + 1;
        if (height < 4 || counted % 4 == 2)
            ReportProgress(static_cast<int>(static_cast<int64_t>(counted) * 100 / height));
    }
    if (Aborted()) return;

    for (;;) {
        const int result = deflate(&z, Z_FINISH);
        if (result < 0) throw EPngError("Write Image (PNG): Write Error");
        if (z.avail_out == 0) emitFull();
        if (result == Z_STREAM_END) break;
    }
    const size_t rest = idatSize - z.avail_out;
    if (rest > 0) WriteChunk("IDAT", output.data(), rest);
}
