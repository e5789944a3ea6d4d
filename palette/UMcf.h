// Colour values, the palette and MCF palette files.
//
// A colour value is 0x00BBGGRR (red in the low byte).
#pragma once

#include "common/Exceptions.h"

#include <cstddef>
#include <cstdint>
#include <istream>
#include <string>
#include <vector>

class TRgb {
public:
    int32_t R = 0;
    int32_t G = 0;
    int32_t B = 0;

    // Each setter clamps to 0..255.
    void SetR(int32_t v);
    void SetG(int32_t v);
    void SetB(int32_t v);
    int32_t GetValue() const { return B * 65536 + G * 256 + R; }
    void SetValue(int32_t v);
    // "RRGGBB": three pairs of hexadecimal digits; EConvertError otherwise.
    void SetHex(const std::string& text);
};

using TPalette = std::vector<int32_t>;

// A palette that would hold more than TMcf::kMaxColors colours.
class ETooManyColors : public ERangeError {
    using ERangeError::ERangeError;
};

class TMcf {
public:
    TMcf();

    int32_t High = -1;
    TPalette Colors;
    std::string FileName;
    // The palette as MCF text (UTF-8, lines apart by "\n"): an MCF file's own
    // lines with its generators and comments, the colours as colour lines
    // for other formats. Empty for the built-in palette.
    std::string Text;
    // Set by SetDefault, cleared by every load.
    bool Builtin = false;

    void Clear() { High = -1; }
    void Add(int32_t value);
    // ERangeError "パレットの範囲を越えています。最大[%d] 指定[%d]" outside 0..High.
    int32_t GetColor(int32_t index) const
    {
        if (index < 0 || index > High) RaiseRange(index);
        return Colors[static_cast<size_t>(index)];
    }
    std::string GetName() const;
    // Replaces the palette with the file's colours, or throws and changes
    // nothing: EFOpenError when the file cannot be opened or read, is not a
    // regular file or is larger than kMaxFileBytes; EConvertError
    // "%d行目の形式が不正です。%s" for the first invalid line, a line longer
    // than kMaxLineLength bytes included; ETooManyColors for the line that
    // would take the palette beyond kMaxColors.
    void LoadFromFile(const std::string& path);
    // The same from an open stream; fileName is what FileName becomes and
    // what a read error names.
    void LoadFromStream(std::istream& in, const std::string& fileName);
    // Adds the colours of one line that is neither empty nor a comment;
    // throws an Exception (its message is not for the user) when the line is
    // invalid. The loader's step for each line.
    void ParseLine(const std::string& line);
    // Loads MCF text held in memory (a palette being edited, one a document
    // carries) as LoadFromStream loads a file.
    void LoadFromText(const std::string& text, const std::string& fileName);
    // Replaces the colours by colors[0..count), FileName and Text at once.
    // Only memory can run out, and before anything changes.
    void Assign(const int32_t* colors, size_t count, std::string fileName, std::string text);

    // A file's own text is kept up to this size; beyond it the palette keeps
    // its colours as colour lines instead.
    static constexpr size_t kMaxKeptText = 1024 * 1024;

    // Far beyond any line a palette needs (a colour, or a generator with
    // generous blanks), yet small enough that one line never costs memory.
    static constexpr size_t kMaxLineLength = 64 * 1024;
    // A generator line may not make a palette larger than this; a count in
    // the billions would otherwise exhaust memory instead of failing cleanly.
    static constexpr int64_t kMaxColors = int64_t{1} << 24;
    // Palette files are kilobytes; a million generator lines still fit.
    static constexpr uint64_t kMaxFileBytes = uint64_t{64} << 20;

    void SetDefault();

private:
    [[noreturn]] void RaiseRange(int32_t index) const;
};
