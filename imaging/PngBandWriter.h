// A PNG written from rows that arrive in bands, for pictures that are never
// whole in memory. The file has the chunks of the program's other PNG files,
// optionally with iTXt chunks before the image data, and image data that is
// compressed on every hardware thread as the rows arrive.
#pragma once

#include "imaging/PngSettings.h"
#include "imaging/WriteStream.h"

#include <cstdint>
#include <memory>
#include <ostream>
#include <string>
#include <utility>
#include <vector>

class TDeflateStream;

class TPngBandWriter : private TCustomWriteStream {
public:
    using TTexts = std::vector<std::pair<std::string, std::string>>; // keyword, UTF-8 text

    // Writes the signature, the lead chunks and one iTXt chunk per text.
    // Throws EPngError for an IDAT size outside 256..100000 or an empty
    // picture before anything is written.
    TPngBandWriter(std::ostream& out, int width, int height, const TPngSettings& settings, const TTexts& texts = {});
    ~TPngBandWriter() override;

    // The size of a filtered row: a filter byte and three bytes per pixel.
    size_t RowBytes() const { return rowBytes_; }
    // The next filtered rows (a 0, then red, green, blue per pixel), in order.
    void AppendRows(const uint8_t* data, size_t size);
    // After the last row: the rest of the image data and IEND, all passed on
    // to the stream. Throws EWriteError when the stream refuses bytes.
    void Finish();

private:
    void WriteChunk(const char* type, const void* data, size_t size);
    void AppendCompressed(const uint8_t* data, size_t size);

    TPngSettings settings_;
    size_t rowBytes_;
    std::vector<uint8_t> output_; // one IDAT piece
    size_t outputFill_ = 0;
    std::unique_ptr<TDeflateStream> deflate_;
};
