// Only the chunk headers are read until the text is found, so a picture of
// a gigabyte opens as fast as a small one; the lengths come from the file
// and are bounded before anything is allocated for them.
#include "imaging/PngTextReader.h"

#include <cstdint>
#include <cstring>
#include <vector>

#include <zlib.h>

namespace {

const uint8_t kSignature[8] = {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A};
constexpr uint32_t kMaxText = 16u << 20;

uint32_t BigEndian(const uint8_t* p)
{
    return static_cast<uint32_t>(p[0]) << 24 | static_cast<uint32_t>(p[1]) << 16 | static_cast<uint32_t>(p[2]) << 8 |
           p[3];
}

std::optional<std::string> Inflate(const std::string& data)
{
    z_stream z{};
    if (inflateInit(&z) != Z_OK) return std::nullopt;
    std::string out;
    std::vector<char> buffer(64 * 1024);
    z.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(data.data()));
    z.avail_in = static_cast<uInt>(data.size());
    int result = Z_OK;
    while (result == Z_OK) {
        z.next_out = reinterpret_cast<Bytef*>(buffer.data());
        z.avail_out = static_cast<uInt>(buffer.size());
        result = inflate(&z, Z_NO_FLUSH);
        out.append(buffer.data(), buffer.size() - z.avail_out);
        if (out.size() > kMaxText) result = Z_MEM_ERROR;
        if (result == Z_BUF_ERROR) break; // input ended before the stream
    }
    inflateEnd(&z);
    if (result != Z_STREAM_END || z.avail_in != 0) return std::nullopt;
    return out;
}

// Keyword, zero, compression flag and method, language tag, zero,
// translated keyword, zero, text.
std::optional<std::string> ITxtText(const std::string& data, const std::string& keyword, bool& matched)
{
    matched = false;
    const size_t keyEnd = data.find('\0');
    if (keyEnd == std::string::npos || data.compare(0, keyEnd, keyword) != 0 || keyEnd != keyword.size())
        return std::nullopt;
    matched = true;
    if (data.size() < keyEnd + 3) return std::nullopt;
    const char flag = data[keyEnd + 1];
    const char method = data[keyEnd + 2];
    const size_t languageEnd = data.find('\0', keyEnd + 3);
    if (languageEnd == std::string::npos) return std::nullopt;
    const size_t translatedEnd = data.find('\0', languageEnd + 1);
    if (translatedEnd == std::string::npos) return std::nullopt;
    const std::string text = data.substr(translatedEnd + 1);
    if (flag == 0) return text;
    if (flag == 1 && method == 0) return Inflate(text);
    return std::nullopt;
}

} // namespace

TPngTextSearch FindPngText(std::istream& in, const std::string& keyword)
{
    TPngTextSearch result;
    uint8_t signature[8];
    if (!in.read(reinterpret_cast<char*>(signature), sizeof signature) ||
        std::memcmp(signature, kSignature, sizeof signature) != 0)
        return result;
    result.isPng = true;
    for (;;) {
        uint8_t header[8];
        if (!in.read(reinterpret_cast<char*>(header), sizeof header)) return result;
        const uint32_t length = BigEndian(header);
        const std::string type(reinterpret_cast<const char*>(header + 4), 4);
        if (type == "IDAT" || type == "IEND" || length > 0x7FFFFFFFu) return result;
        if (type != "iTXt") {
            if (!in.seekg(static_cast<std::streamoff>(length) + 4, std::ios::cur)) return result;
            continue;
        }
        if (length > kMaxText) return result;
        std::string data(length, '\0');
        uint8_t crcBytes[4];
        if (!in.read(data.data(), static_cast<std::streamsize>(length)) ||
            !in.read(reinterpret_cast<char*>(crcBytes), sizeof crcBytes))
            return result;
        bool matched = false;
        std::optional<std::string> text = ITxtText(data, keyword, matched);
        if (!matched) continue;
        uLong crc = crc32(0L, Z_NULL, 0);
        crc = crc32(crc, header + 4, 4);
        crc = crc32(crc, reinterpret_cast<const Bytef*>(data.data()), static_cast<uInt>(data.size()));
        if (crc != BigEndian(crcBytes) || !text) {
            result.damaged = true;
            return result;
        }
        result.text = std::move(text);
        return result;
    }
}
