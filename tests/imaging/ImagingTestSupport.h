// Helpers only the imaging tests need: a small PNG chunk reader.
#pragma once

#include "tests/support/Pictures.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

inline Bytes AsBytes(const std::string& text) { return Bytes(text.begin(), text.end()); }

struct PngChunk {
    std::string type;
    Bytes data;
    bool crcValid = false;
};
// Splits a PNG file after its signature; throws std::runtime_error when malformed.
std::vector<PngChunk> ReadPngChunks(const Bytes& file);
// The zlib stream of all IDAT chunks, inflated.
Bytes InflateIdat(const std::vector<PngChunk>& chunks);
uint32_t BigEndian32(const Bytes& data, size_t offset);
