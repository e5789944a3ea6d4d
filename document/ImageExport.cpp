// Bands are drawn on every core, then encoded: PNG rows go to a deflate
// stream that compresses the blocks they complete on every core as well,
// while the next band is drawn;
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
#include <exception>
#include <thread>
#include <utility>
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
    const TExportRows rows = options.format == iftBmp ? TExportRows::BottomUpBgr : TExportRows::TopDownRgb;
    drawing_ = std::make_unique<TExportDrawing>(ops.Pattern(), ops.ShadeOff(), options.size, rows, options.tuning);
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

// Compresses one band on a thread of its own while the next band is drawn,
// so that neither the drawing's threads nor deflate's workers stand idle at
// each band's end waiting for the other. One band at a time and in order, so
// the stream is the one that feeding the bands in turn would make.
class TBackgroundAppend {
public:
    explicit TBackgroundAppend(TPngBandWriter& writer) : writer_(writer) {}
    // Leaving early (a failed drawing, a cancel): the band in flight ends
    // first, and what it raised no longer matters.
    ~TBackgroundAppend() { Join(); }
    TBackgroundAppend(const TBackgroundAppend&) = delete;
    TBackgroundAppend& operator=(const TBackgroundAppend&) = delete;

    // data must stay as it is until the next Start or Wait has returned.
    void Start(const uint8_t* data, size_t size)
    {
        Wait();
        thread_ = std::thread([this, data, size] {
            try {
                writer_.AppendRows(data, size);
            } catch (...) {
                error_ = std::current_exception();
            }
        });
    }

    // Waits for the band in flight and raises what it raised.
    void Wait()
    {
        Join();
        if (error_) std::rethrow_exception(std::exchange(error_, nullptr));
    }

private:
    void Join()
    {
        if (thread_.joinable()) thread_.join();
    }

    TPngBandWriter& writer_;
    std::thread thread_;
    std::exception_ptr error_;
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
    // Two bands: one is drawn while the other is compressed.
    std::vector<uint8_t> bands[2];
    TRowProgress rows(progress, height);
    TBackgroundAppend append(writer);
    for (int next = 0; drawing.RowsDone() < height; next ^= 1) {
        const int count = std::min(bandRows, height - drawing.RowsDone());
        std::vector<uint8_t>& band = bands[next];
        band.resize(rowBytes * static_cast<size_t>(bandRows));
        // Each row is drawn in place behind its filter byte (None).
        const auto row = [&](int j) { return band.data() + rowBytes * static_cast<size_t>(j); };
        drawing.NextBand(
            count, [&](int j, const uint8_t*) { row(j)[0] = 0; }, [&](int j) { return row(j) + 1; });
        append.Start(band.data(), rowBytes * static_cast<size_t>(count));
        rows.Rows(drawing.RowsDone());
    }
    append.Wait();
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
