// Helpers for the imaging tests: temporary folders, files, external tools,
// a small PNG chunk reader and test pictures.
#pragma once

#include "bitmap/Bitmap24.h"

#include <cstdint>
#include <string>
#include <vector>

using Bytes = std::vector<uint8_t>;

// A fresh folder under /tmp, removed with everything in it.
class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;
    const std::string& Path() const { return path_; }
    std::string File(const std::string& name) const { return path_ + "/" + name; }
    // Names of the entries in the folder, sorted.
    std::vector<std::string> Entries() const;

private:
    std::string path_;
};

Bytes ReadFileBytes(const std::string& path);
void WriteFileBytes(const std::string& path, const std::string& content);

struct CommandResult {
    int exitCode = -1;
    std::string output; // stdout and stderr together
};
// Runs a shell command line built from quoted arguments.
CommandResult RunCommand(const std::string& commandLine);
std::string ShellQuote(const std::string& text);
// Path of a required tool; the test fails (not skips) when it is missing.
std::string RequireTool(const std::string& path);

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

// The picture as R, G, B bytes per pixel, rows top to bottom.
Bytes ToRgb(const TBitmap24& bitmap);
// Pixels the compressor cannot shrink.
TBitmap24 NoisePicture(int width, int height, uint32_t seed);
// Smooth rings and bands like a rendered formula pattern.
TBitmap24 PatternPicture(int width, int height);
// A picture drawn by the renderer: formula 5 through the swirl point move.
TBitmap24 RenderedPicture(int width, int height);
