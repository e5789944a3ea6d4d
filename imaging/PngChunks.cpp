// Chunk contents of the program's PNG files.
#include "imaging/PngChunks.h"

#include <ctime>

namespace {

const char* const kSoftware = "ZEBPNG ver 3.4";

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

namespace {

void WriteHeaderChunk(const TPngChunkOut& out, uint32_t w, uint32_t h)
{
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
    out("IHDR", data, sizeof data);
}

void WriteTimeChunk(const TPngChunkOut& out, const TPngSettings& settings)
{
    const TPngTime t = settings.useCurrentTime ? CurrentPngTime() : settings.timeStamp;
    if (!ValidTime(t)) return;
    const uint8_t data[7] = {
        static_cast<uint8_t>(t.year >> 8), static_cast<uint8_t>(t.year), t.month, t.day, t.hour, t.minute, t.second};
    out("tIME", data, sizeof data);
}

void WriteTextChunk(const TPngChunkOut& out, const std::string& keyword, const std::string& text)
{
    if (text.empty() || keyword.size() > 79) return;
    std::string data = keyword;
    data.push_back('\0');
    data += text;
    out("tEXt", data.data(), data.size());
}

void WritePrivateChunk(const TPngChunkOut& out)
{
    // Writer mark, two flag bytes (both clear), a reserved 16-bit zero.
    const uint8_t data[8] = {'Z', 'E', 'B', '3', 0, 0, 0, 0};
    out("tpNG", data, sizeof data);
}

void WriteGammaChunk(const TPngChunkOut& out, const TPngSettings& settings)
{
    const double scaled = settings.gamma * 100000.0;
    if (!(scaled >= 1.0) || scaled >= 4294967296.0) return; // also refuses NaN
    const auto g = static_cast<uint32_t>(scaled);
    const uint8_t data[4] = {static_cast<uint8_t>(g >> 24), static_cast<uint8_t>(g >> 16), static_cast<uint8_t>(g >> 8),
                             static_cast<uint8_t>(g)};
    out("gAMA", data, sizeof data);
}

} // namespace

void WritePngLeadChunks(const TPngChunkOut& out, uint32_t width, uint32_t height, const TPngSettings& settings)
{
    WriteHeaderChunk(out, width, height);
    WriteTimeChunk(out, settings);
    WriteTextChunk(out, "Software", kSoftware);
    WritePrivateChunk(out);
    WriteGammaChunk(out, settings);
}

std::string PngITxtData(const std::string& keyword, const std::string& text)
{
    std::string data = keyword;
    // Keyword end, compression flag and method (none), empty language tag
    // and translated keyword, each of the two ended by a zero.
    data.append(1, '\0');
    data.append(1, '\0');
    data.append(1, '\0');
    data.append(1, '\0');
    data.append(1, '\0');
    data += text;
    return data;
}
