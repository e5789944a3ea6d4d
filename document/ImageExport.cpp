// Bands are drawn on every core, then encoded: PNG rows go to a deflate
// stream that compresses the blocks they complete on every core as well;
// BMP rows are drawn from the bottom, in the order the file stores them.
#include "document/ImageExport.h"

#include "common/SafeFile.h"
#include "common/TextEncoding.h"
#include "document/MainOperations.h"
#include "document/UVqd.h"
#include "imaging/BmpWriter.h"
#include "imaging/ImagingErrors.h"
#include "imaging/PngBandWriter.h"

#include <algorithm>
#include <cstring>
#include <vector>

const char* const kEmbeddedDocumentKeyword = "Velquor pattern";

namespace {

// The document as UTF-8, which iTXt requires, declared as such.
std::string DocumentUtf8(const TMainOperations& ops)
{
    TVqd vqd;
    ops.FillDocument(vqd);
    size_t bad = 0;
    std::optional<std::string> text = Cp932ToUtf8(vqd.SaveToShiftJis(), bad);
    if (!text) throw EConvertError("Document: Encoding Error");
    const std::string from = "encoding=\"Shift_JIS\"";
    const size_t at = text->find(from);
    if (at != std::string::npos && at < text->find('>')) text->replace(at, from.size(), "encoding=\"UTF-8\"");
    return *text;
}

} // namespace

uint64_t ExportBmpFileSize(int width, int height)
{
    return kBmpHeaderSize + TBitmap24::StrideFor(width) * static_cast<uint64_t>(std::max(height, 0));
}

TImageExport::TImageExport(const TMainOperations& ops, const TExportOptions& options) : options_(options)
{
    CheckExportSize(options.size);
    if (options.format == iftBmp) {
        uint8_t header[kBmpHeaderSize];
        MakeBmpHeader(header, options.size.width, options.size.height);
    }
    if (options.format == iftPng && options.embedDocument) document_ = DocumentUtf8(ops);
    drawing_ = std::make_unique<TExportDrawing>(ops.Pattern(), ops.ShadeOff(), options.size, options.format == iftBmp,
                                                options.tuning);
}

TImageExport::~TImageExport() = default;

void TImageExport::Run(const std::string& path, const TSaveProgress& progress)
{
    WriteFileReplacing(path, [&](std::ostream& out) {
        if (progress && !progress(0)) throw ESaveCancelled("Write Image: Cancelled");
        if (options_.format == iftBmp) WriteBmp(out, progress);
        else WritePng(out, progress);
    });
}

namespace {

// Reports every percentage up to the rows done; false once cancelled.
class TRowProgress {
public:
    TRowProgress(const TSaveProgress& progress, int rows) : progress_(progress), rows_(rows) {}
    void Rows(int done)
    {
        const int percent = PercentBelowEnd(static_cast<uint64_t>(done), static_cast<uint64_t>(rows_));
        for (; reported_ < percent; ++reported_)
            if (progress_ && !progress_(reported_ + 1)) throw ESaveCancelled("Write Image: Cancelled");
    }
    void End()
    {
        for (; reported_ < 100; ++reported_)
            if (progress_ && !progress_(reported_ + 1)) throw ESaveCancelled("Write Image: Cancelled");
    }

private:
    const TSaveProgress& progress_;
    const int rows_;
    int reported_ = 0;
};

} // namespace

void TImageExport::WritePng(std::ostream& out, const TSaveProgress& progress)
{
    TExportDrawing& drawing = *drawing_;
    const int width = drawing.Width();
    const int height = drawing.Height();
    TPngBandWriter::TTexts texts;
    if (!document_.empty()) texts.emplace_back(kEmbeddedDocumentKeyword, document_);
    TPngBandWriter writer(out, width, height, options_.png, texts);
    const size_t rowBytes = writer.RowBytes();
    const int bandRows = drawing.BandRows(options_.bandBytes);
    std::vector<uint8_t> band(rowBytes * static_cast<size_t>(bandRows));
    TRowProgress rows(progress, height);
    while (drawing.RowsDone() < height) {
        const int count = std::min(bandRows, height - drawing.RowsDone());
        drawing.NextBand(count, [&](int j, const uint8_t* bgr) {
            uint8_t* o = band.data() + rowBytes * static_cast<size_t>(j);
            *o++ = 0; // filter None
            for (int x = 0; x < width; ++x, o += 3, bgr += 3) {
                o[0] = bgr[2];
                o[1] = bgr[1];
                o[2] = bgr[0];
            }
        });
        writer.AppendRows(band.data(), rowBytes * static_cast<size_t>(count));
        rows.Rows(drawing.RowsDone());
    }
    writer.Finish();
    if (!out) throw EWriteError("Write Image (PNG): Write Error");
    rows.End();
}

void TImageExport::WriteBmp(std::ostream& out, const TSaveProgress& progress)
{
    TExportDrawing& drawing = *drawing_;
    const int height = drawing.Height();
    uint8_t header[kBmpHeaderSize];
    MakeBmpHeader(header, drawing.Width(), height);
    out.write(reinterpret_cast<const char*>(header), sizeof header);
    const size_t stride = TBitmap24::StrideFor(drawing.Width());
    const size_t pixelBytes = static_cast<size_t>(drawing.Width()) * 3;
    const int bandRows = drawing.BandRows(options_.bandBytes);
    std::vector<uint8_t> band(stride * static_cast<size_t>(bandRows));
    TRowProgress rows(progress, height);
    while (drawing.RowsDone() < height) {
        const int count = std::min(bandRows, height - drawing.RowsDone());
        // The drawing hands the rows out bottom up, as the file stores them.
        drawing.NextBand(count, [&](int j, const uint8_t* bgr) {
            uint8_t* o = band.data() + stride * static_cast<size_t>(j);
            std::memcpy(o, bgr, pixelBytes);
            std::memset(o + pixelBytes, 0, stride - pixelBytes);
        });
        out.write(reinterpret_cast<const char*>(band.data()), static_cast<std::streamsize>(stride * count));
        if (!out) throw EWriteError("Write Image (BMP): Write Error");
        rows.Rows(drawing.RowsDone());
    }
    rows.End();
}
