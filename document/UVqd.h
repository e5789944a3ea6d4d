// Pattern documents (.vqp): the parameters of one pattern, read from and
// written to their XML form.
#pragma once

#include "common/Exceptions.h"
#include "common/SafeFile.h"
#include "engine/UFloatPoint.h"
#include "engine/UPointMove.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <string>

class TXmlDomImplementation;
class TXmlParser;

// A document that lacks a required part or belongs to another program.
class EVqdError : public Exception {
    using Exception::Exception;
};

struct TIntPoint {
    int32_t X = 0;
    int32_t Y = 0;
    bool operator==(const TIntPoint&) const = default;
};

class TVqd {
public:
    TVqd();
    ~TVqd();
    TVqd(const TVqd&) = delete;
    TVqd& operator=(const TVqd&) = delete;

    std::string AppName;
    std::string AppVersion;
    TFloatPoint Center;
    double ColorChange = 0;
    std::string FormulaName;
    int32_t FormulaType = 0;
    bool ShadeOff = false;
    TFloatPoint Incremental;
    std::string PaletteName;
    TPointMoveParam PointMoveParam;
    int32_t PointMoveType = 0;
    TIntPoint Size;
    // Beyond the classic fields, after pointmove and only when they say
    // something: the palette's MCF text (none for the built-in palette) and
    // the palette offset (0 when absent).
    std::optional<std::string> PaletteText;
    int32_t PaletteOffset = 0;

    // Fills the fields in place; on an error they are partly filled and the
    // caller applies nothing.
    void LoadFromFile(const std::string& path);
    // The same from a file's bytes; sourceName is what messages name.
    void LoadFromBytes(const std::string& bytes, const std::string& sourceName);
    // Writes the fields; the previous file at path survives any failure.
    void SaveToFile(const std::string& path);
    // The bytes SaveToFile writes; throws before any file is touched.
    std::string SaveToShiftJis();

    // For tests that make a step of saving fail.
    void SetFileSeams(TFileSeams seams) { seams_ = std::move(seams); }

private:
    void FillFromDocument();

    std::unique_ptr<TXmlDomImplementation> dom_;
    std::unique_ptr<TXmlParser> parser_;
    TFileSeams seams_;
};
