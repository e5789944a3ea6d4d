#include "tests/imaging/ImagingTestSupport.h"

#include <algorithm>
#include <stdexcept>

#include <zlib.h>

uint32_t BigEndian32(const Bytes& data, size_t offset)
{
    return static_cast<uint32_t>(data.at(offset)) << 24 | static_cast<uint32_t>(data.at(offset + 1)) << 16 |
           static_cast<uint32_t>(data.at(offset + 2)) << 8 | data.at(offset + 3);
}

std::vector<PngChunk> ReadPngChunks(const Bytes& file)
{
    const Bytes signature = {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A};
    if (file.size() < 8 || !std::equal(signature.begin(), signature.end(), file.begin()))
        throw std::runtime_error("no PNG signature");
    std::vector<PngChunk> chunks;
    size_t pos = 8;
    while (pos < file.size()) {
        if (pos + 12 > file.size()) throw std::runtime_error("truncated chunk");
        const uint32_t length = BigEndian32(file, pos);
        if (pos + 12 + length > file.size()) throw std::runtime_error("truncated chunk data");
        PngChunk chunk;
        chunk.type.assign(file.begin() + pos + 4, file.begin() + pos + 8);
        chunk.data.assign(file.begin() + pos + 8, file.begin() + pos + 8 + length);
        const uLong crc = crc32(0, file.data() + pos + 4, 4 + length);
        chunk.crcValid = crc == BigEndian32(file, pos + 8 + length);
        chunks.push_back(std::move(chunk));
        pos += 12 + length;
    }
    return chunks;
}

Bytes InflateIdat(const std::vector<PngChunk>& chunks)
{
    Bytes compressed;
    for (const auto& c : chunks)
        if (c.type == "IDAT") compressed.insert(compressed.end(), c.data.begin(), c.data.end());
    z_stream z{};
    if (inflateInit(&z) != Z_OK) throw std::runtime_error("inflateInit");
    Bytes out;
    Bytes buffer(65536);
    z.next_in = compressed.data();
    z.avail_in = static_cast<uInt>(compressed.size());
    int result = Z_OK;
    while (result == Z_OK) {
        z.next_out = buffer.data();
        z.avail_out = static_cast<uInt>(buffer.size());
        result = inflate(&z, Z_NO_FLUSH);
        out.insert(out.end(), buffer.data(), buffer.data() + (buffer.size() - z.avail_out));
    }
    const bool ended = result == Z_STREAM_END && z.avail_in == 0;
    inflateEnd(&z);
    if (!ended) throw std::runtime_error("IDAT data is not one complete zlib stream");
    return out;
}
