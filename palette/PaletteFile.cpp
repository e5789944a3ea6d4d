// Choosing the reader and writer of a palette file by its extension.
#include "palette/PaletteFile.h"

#include "common/Exceptions.h"
#include "common/FileSystem.h"
#include "common/Format.h"
#include "common/InputFile.h"
#include "common/Paths.h"
#include "common/SafeFile.h"
#include "common/TextEncoding.h"
#include "common/Texts.h"
#include "palette/McfText.h"
#include "palette/PaletteFormats.h"

std::optional<TPaletteFormat> PaletteFormatOf(const std::string& path)
{
    const std::string ext = LowerExtension(path);
    if (ext == ".mcf") return TPaletteFormat::Mcf;
    if (ext == ".map") return TPaletteFormat::Map;
    if (ext == ".gpl") return TPaletteFormat::Gpl;
    if (ext == ".ggr") return TPaletteFormat::Ggr;
    return std::nullopt;
}

void LoadPaletteStream(TMcf& mcf, std::istream& in, const std::string& fileName, TPaletteFormat format)
{
    switch (format) {
    case TPaletteFormat::Mcf: mcf.LoadFromStream(in, fileName); break;
    case TPaletteFormat::Map: LoadMapStream(mcf, in, fileName); break;
    case TPaletteFormat::Gpl: LoadGplStream(mcf, in, fileName); break;
    case TPaletteFormat::Ggr: LoadGgrStream(mcf, in, fileName); break;
    }
}

void LoadPaletteFile(TMcf& mcf, const std::string& path)
{
    const TPaletteFormat format = PaletteFormatOf(path).value_or(TPaletteFormat::Mcf);
    if (format == TPaletteFormat::Mcf) {
        mcf.LoadFromFile(path);
        return;
    }
    TInputFile file(path, TMcf::kMaxFileBytes);
    LoadPaletteStream(mcf, file.Stream(), path, format);
}

std::optional<std::string> FindPaletteFile(const std::string& folder, const std::string& name)
{
    for (const char* ext : kPaletteExtensions) {
        const std::string path = folder + "/" + name + ext;
        if (IsFile(path)) return path;
    }
    return std::nullopt;
}

namespace {

std::string McfBytes(const TMcf& mcf)
{
    std::string text = mcf.Text;
    if (text.empty()) {
        for (int32_t i = 0; i <= mcf.High; ++i) {
            if (i > 0) text += '\n';
            text += mcftext::HexColor(mcf.Colors[static_cast<size_t>(i)]);
        }
    }
    std::string crlf;
    crlf.reserve(text.size() + text.size() / 8 + 2);
    for (char c : text) {
        if (c == '\n') crlf += '\r';
        crlf += c;
    }
    if (!crlf.empty()) crlf += "\r\n";
    // The readers look only at ASCII; remarks stay readable in the code page
    // MCF files have always used, or as they are where it lacks a character.
    if (auto cp932 = Utf8ToCp932(crlf, false)) return *cp932;
    return crlf;
}

} // namespace

std::string PaletteFileBytes(const TMcf& mcf, TPaletteFormat format, const std::string& name)
{
    switch (format) {
    case TPaletteFormat::Map: return MapText(mcf);
    case TPaletteFormat::Gpl: return GplText(mcf, name);
    case TPaletteFormat::Ggr: break;
    case TPaletteFormat::Mcf: return McfBytes(mcf);
    }
    throw EFOpenError(TText::tr("GIMPのグラデーション(.ggr)には保存できません。"));
}

void SavePaletteFile(const TMcf& mcf, const std::string& path)
{
    const TPaletteFormat format = PaletteFormatOf(path).value_or(TPaletteFormat::Mcf);
    WriteFileReplacing(path, PaletteFileBytes(mcf, format, BaseNameWithoutExtension(path)));
}
