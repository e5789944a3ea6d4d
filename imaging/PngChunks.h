// The chunks every PNG file of the program begins with, shared by the image
// save and the export.
#pragma once

#include "imaging/PngSettings.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>

// Writes one chunk: its type (4 bytes) and data; framing and CRC are the
// writer's.
using TPngChunkOut = std::function<void(const char* type, const void* data, size_t size)>;

// The signature is not included. IHDR (8-bit RGB, no interlacing), tIME,
// tEXt "Software", tpNG and gAMA, as settings say.
void WritePngLeadChunks(const TPngChunkOut& out, uint32_t width, uint32_t height, const TPngSettings& settings);

// The data of an uncompressed iTXt chunk without language tag: keyword (1 to
// 79 bytes of Latin-1), UTF-8 text.
std::string PngITxtData(const std::string& keyword, const std::string& text);
