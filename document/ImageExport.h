// The export: the pattern as a picture of its own size, scale and
// anti-aliasing, drawn, encoded and written band by band, so that neither
// the picture nor its file is ever whole in memory.
#pragma once

#include "engine/ExportDrawing.h"
#include "imaging/ImageFileType.h"
#include "imaging/PngSettings.h"
#include "imaging/SaveProgress.h"

#include <cstdint>
#include <memory>
#include <string>

class TMainOperations;

struct TExportOptions {
    TExportSize size;
    TImageFileType format = iftPng;
    // PNG only: the pattern's document in an iTXt chunk, so that the picture
    // opens again as its pattern.
    bool embedDocument = true;
    TDrawTuning tuning;
    TPngSettings png;
    // Output rows per band: about this many bytes of picture.
    size_t bandBytes = 8u << 20;
};

// The keyword of the iTXt chunk that carries the document.
extern const char* const kEmbeddedDocumentKeyword;

class TImageExport {
public:
    // Takes everything it draws from ops now (the renderer must be idle), so
    // Run may go on while the pattern changes. Throws ERangeError for a size
    // the export refuses, and EInvalidGraphic when a BMP would pass 4 GiB.
    TImageExport(const TMainOperations& ops, const TExportOptions& options);
    ~TImageExport();
    TImageExport(const TImageExport&) = delete;
    TImageExport& operator=(const TImageExport&) = delete;

    // Draws and writes the picture to path, replacing a file only once the
    // new one is complete. progress sees whole percentages as TSaveProgress
    // describes, on the calling thread; when it answers false, ESaveCancelled
    // is thrown. A failing drawing throws its message. Either way an old file
    // stays as it was. Runs once.
    void Run(const std::string& path, const TSaveProgress& progress = {});

private:
    void WritePng(std::ostream& out, const TSaveProgress& progress);
    void WriteBmp(std::ostream& out, const TSaveProgress& progress);

    TExportOptions options_;
    std::string document_; // UTF-8, empty when none is embedded
    std::unique_ptr<TExportDrawing> drawing_;
};

// A BMP's exact size; a PNG's is known only once it is written.
uint64_t ExportBmpFileSize(int width, int height);
