// The command line of velquor-render read into options, with no file
// touched and nothing drawn, so it can be checked on its own.
#pragma once

#include "common/Exceptions.h"
#include "engine/UFloatPoint.h"
#include "engine/UPointMove.h"

#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

// A malformed command line; shown with the hint to --help, exit status 2.
class EUsage : public Exception {
    using Exception::Exception;
};

struct TRenderOptions {
    std::optional<std::string> document;
    // Formula type and name, as a document carries them.
    std::optional<std::pair<int32_t, std::string>> formula;
    std::optional<int32_t> pointMove;
    std::optional<TPointMoveParam> params;
    std::optional<TFloatPoint> center;
    std::optional<TFloatPoint> increment;
    std::optional<std::pair<int32_t, int32_t>> size;
    std::optional<double> colorChange;
    std::optional<std::string> palette;
    std::optional<int32_t> paletteOffset;
    std::string paletteDir;
    bool shadeOff = false;
    std::optional<std::string> output;
    int filterIndex = 1;
    std::optional<std::string> saveDocument;
    // The export: a picture of its own size, scale and anti-aliasing.
    std::optional<std::pair<int32_t, int32_t>> canvas;
    std::optional<int32_t> scale;
    std::optional<int32_t> antialias;
    bool embedDocument = false;
    bool help = false;
    bool version = false;

    bool Exporting() const { return canvas || scale || antialias || embedDocument; }
};

// The arguments after the program name. Throws EUsage for a malformed
// command line (an unknown option, a missing value, an empty file name) and
// the conversion errors of the values, whose messages are the window's.
TRenderOptions ParseRenderOptions(const std::vector<std::string>& args);
