// The PNG encoder: signature, fixed ancillary chunks, zlib-compressed rows.
#pragma once

#include "imaging/PngSettings.h"
#include "imaging/WriteStream.h"

#include <cstdint>
#include <string>
#include <vector>

class TPngWriteStream : public TCustomGraphicWriteStream {
public:
    // Throws EPngError "Write PNG Param: Err IDAT Size(min:256  max:100000)"
    // when settings.idatSize lies outside 256..100000.
    explicit TPngWriteStream(const TPngSettings& settings);

protected:
    void WriteImage() override;

private:
    void WriteChunk(const char* type, const void* data, size_t size);
    void WriteImageData();
    void WriteSingleStream();
    void WriteBlocksInParallel(uint64_t total);
    // Collects compressed bytes and writes every full IDAT piece at once.
    void AppendCompressed(const uint8_t* data, size_t size);

    TPngSettings settings_;
    std::vector<uint8_t> output_; // one IDAT piece
    size_t outputFill_ = 0;
};
