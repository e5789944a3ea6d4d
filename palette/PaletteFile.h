// Palette files of every format the program reads, chosen by extension.
#pragma once

#include "palette/UMcf.h"

#include <istream>
#include <optional>
#include <string>

enum class TPaletteFormat { Mcf, Map, Gpl, Ggr };

// The extensions of palette files, in the order a palette name is looked up.
inline constexpr const char* kPaletteExtensions[] = {".mcf", ".map", ".gpl", ".ggr"};

// The format the file name's extension names (any case); nullopt for others.
std::optional<TPaletteFormat> PaletteFormatOf(const std::string& path);

// Loads the file into mcf by its extension, MCF for any other; throws and
// changes nothing as the readers do. Files are read with a size limit.
void LoadPaletteFile(TMcf& mcf, const std::string& path);
void LoadPaletteStream(TMcf& mcf, std::istream& in, const std::string& fileName, TPaletteFormat format);

// The first of folder/name + each palette extension that is a file.
std::optional<std::string> FindPaletteFile(const std::string& folder, const std::string& name);

// The bytes of the palette in a format: MCF keeps the palette's text (in
// the Windows Japanese code page where it can, CR LF line ends); a map or a
// GIMP palette lists entries 0..High. Ggr is not written.
std::string PaletteFileBytes(const TMcf& mcf, TPaletteFormat format, const std::string& name);
// Writes the palette to path in the format of its extension (MCF for any
// other but .ggr, which throws EFOpenError); the old file survives a failure.
void SavePaletteFile(const TMcf& mcf, const std::string& path);
