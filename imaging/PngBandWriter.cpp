// The compressed stream is the one the image save makes of the same rows,
// since both cut the same blocks; only the bands' arrival differs.
#include "imaging/PngBandWriter.h"

#include "imaging/ImagingErrors.h"
#include "imaging/ParallelDeflate.h"
#include "imaging/PngChunks.h"

#include <algorithm>
#include <cstring>

#include <zlib.h>

namespace {

const uint8_t kSignature[8] = {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A};

} // namespace

TPngBandWriter::TPngBandWriter(std::ostream& out, int width, int height, const TPngSettings& settings,
                               const TTexts& texts)
    : settings_(settings), rowBytes_(1 + static_cast<size_t>(width > 0 ? width : 0) * 3)
{
    if (settings_.idatSize < TPngSettings::kMinIdatSize || settings_.idatSize > TPngSettings::kMaxIdatSize)
        throw EPngError("Write PNG Param: Err IDAT Size(min:256  max:100000)");
    if (settings_.compressionLevel < 0 || settings_.compressionLevel > 9) settings_.compressionLevel = -1;
    if (width <= 0 || height <= 0) throw EPngError("Write PNG Param: Empty Image");
    output_.assign(static_cast<size_t>(settings_.idatSize), 0);
    TDeflatePlan plan;
    plan.level = settings_.compressionLevel;
    plan.blockSize = settings_.blockSize;
    plan.workers = settings_.threads;
    deflate_ = std::make_unique<TDeflateStream>(static_cast<uint64_t>(rowBytes_) * static_cast<uint64_t>(height), plan,
                                                [this](const uint8_t* data, size_t size) { AppendCompressed(data, size); });
    Begin(out);
    Write(kSignature, sizeof kSignature);
    WritePngLeadChunks([this](const char* type, const void* data, size_t size) { WriteChunk(type, data, size); },
                       static_cast<uint32_t>(width), static_cast<uint32_t>(height), settings_);
    for (const auto& [keyword, text] : texts) {
        const std::string data = PngITxtData(keyword, text);
        WriteChunk("iTXt", data.data(), data.size());
    }
}

TPngBandWriter::~TPngBandWriter() = default;

void TPngBandWriter::WriteChunk(const char* type, const void* data, size_t size)
{
    uLong crc = crc32(0L, Z_NULL, 0);
    crc = crc32(crc, reinterpret_cast<const Bytef*>(type), 4);
    if (size > 0) crc = crc32(crc, static_cast<const Bytef*>(data), static_cast<uInt>(size));
    WriteUInt32(static_cast<uint32_t>(size));
    Write(type, 4);
    Write(data, size);
    WriteUInt32(static_cast<uint32_t>(crc));
}

void TPngBandWriter::AppendCompressed(const uint8_t* data, size_t size)
{
    while (size > 0) {
        const size_t n = std::min(size, output_.size() - outputFill_);
        std::memcpy(output_.data() + outputFill_, data, n);
        outputFill_ += n;
        data += n;
        size -= n;
        // A full piece leaves at once, so data of an exact multiple of the
        // IDAT size ends on a full chunk and never on an empty one.
        if (outputFill_ == output_.size()) {
            WriteChunk("IDAT", output_.data(), outputFill_);
            outputFill_ = 0;
        }
    }
}

void TPngBandWriter::AppendRows(const uint8_t* data, size_t size) { deflate_->Append(data, size); }

void TPngBandWriter::Finish()
{
    if (outputFill_ > 0) WriteChunk("IDAT", output_.data(), outputFill_);
    outputFill_ = 0;
    WriteChunk("IEND", nullptr, 0);
    Flush();
}
