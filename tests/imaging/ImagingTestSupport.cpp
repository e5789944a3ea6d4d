// Implementation of the imaging test helpers.
#include "tests/imaging/ImagingTestSupport.h"

#include "engine/UVelquor.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <stdexcept>

#include <sys/wait.h>
#include <unistd.h>
#include <zlib.h>

TempDir::TempDir()
{
    char pattern[] = "/tmp/vq_imaging_XXXXXX";
    if (mkdtemp(pattern) == nullptr) throw std::runtime_error("mkdtemp failed");
    path_ = pattern;
}

TempDir::~TempDir()
{
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
}

std::vector<std::string> TempDir::Entries() const
{
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(path_))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

Bytes ReadFileBytes(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    if (!in) throw std::runtime_error("cannot read " + path);
    return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void WriteFileBytes(const std::string& path, const std::string& content)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << content;
    if (!out) throw std::runtime_error("cannot write " + path);
}

CommandResult RunCommand(const std::string& commandLine)
{
    CommandResult result;
    FILE* pipe = popen((commandLine + " 2>&1").c_str(), "r");
    if (pipe == nullptr) return result;
    char buffer[4096];
    size_t n;
    while ((n = fread(buffer, 1, sizeof buffer, pipe)) > 0) result.output.append(buffer, n);
    const int status = pclose(pipe);
    result.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return result;
}

std::string ShellQuote(const std::string& text)
{
    std::string quoted = "'";
    for (char c : text) quoted += (c == '\'') ? std::string("'\\''") : std::string(1, c);
    return quoted + "'";
}

std::string RequireTool(const std::string& path)
{
    if (access(path.c_str(), X_OK) != 0) {
        ADD_FAILURE() << "required tool " << path << " is not installed (see scripts/install-deps.sh)";
        throw std::runtime_error("missing tool " + path);
    }
    return path;
}

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

Bytes ToRgb(const TBitmap24& bitmap)
{
    Bytes rgb;
    rgb.reserve(static_cast<size_t>(bitmap.Width()) * bitmap.Height() * 3);
    for (int y = 0; y < bitmap.Height(); ++y) {
        const uint8_t* p = bitmap.Row(y);
        for (int x = 0; x < bitmap.Width(); ++x, p += 3) rgb.insert(rgb.end(), {p[2], p[1], p[0]});
    }
    return rgb;
}

TBitmap24 NoisePicture(int width, int height, uint32_t seed)
{
    TBitmap24 bitmap(width, height);
    std::mt19937 random(seed);
    for (int y = 0; y < height; ++y) {
        uint8_t* p = bitmap.Row(y);
        for (int x = 0; x < width * 3; ++x) p[x] = static_cast<uint8_t>(random());
    }
    return bitmap;
}

TBitmap24 PatternPicture(int width, int height)
{
    TBitmap24 bitmap(width, height);
    for (int y = 0; y < height; ++y) {
        uint8_t* p = bitmap.Row(y);
        for (int x = 0; x < width; ++x, p += 3) {
            const long dx = x - width / 2, dy = y - height / 3;
            const long v = (dx * dx + dy * dy) / 37 + (x * y) / 101;
            p[0] = static_cast<uint8_t>(v);
            p[1] = static_cast<uint8_t>(v * 3 + y);
            p[2] = static_cast<uint8_t>(255 - v / 2);
        }
    }
    return bitmap;
}

TBitmap24 RenderedPicture(int width, int height)
{
    TBitmap24 bitmap;
    TVelquor renderer(false, &bitmap);
    renderer.WaitUntilSuspended();
    bitmap.SetSize(width, height);
    renderer.SetSize(width, height);
    renderer.SetFormula(TFormulaBox::GetFormula(5));
    auto move = TPointMoveBox::GetPointMove(2);
    move->SetParam(TPointMoveParam{0.25L, 0, 0, 0});
    renderer.SetPointMove(std::move(move));
    renderer.Incremental = FloatPoint(0.25L, 0.25L);
    renderer.Resume();
    renderer.WaitUntilSuspended();
    if (!renderer.ErrorMessage().empty()) throw std::runtime_error(renderer.ErrorMessage());
    return bitmap;
}
