// What the palette browser lists: the palettes of the palette folder, of the
// shipped folder and the recently used ones, each with the colours a
// drawing uses; and the recent list itself.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

class TMcf;

enum class TPaletteGroup { Recent, Folder, Shipped };

struct TPaletteEntry {
    TPaletteGroup group = TPaletteGroup::Shipped;
    // The file name without folder and extension ("標準" for the built-in one).
    std::string name;
    // The file; empty for the built-in palette.
    std::string path;
    // The colours of entries 1 to High, the ones a drawing shows (entry 0
    // never is), at most kStripColors of them spread evenly over the range.
    std::vector<int32_t> strip;
    // The loader's message when the file could not be read; strip is empty then.
    std::string error;
};

// A strip of a palette never needs more colours than a list row has pixels.
constexpr size_t kStripColors = 256;

// Entries 1 to High of a palette, or kStripColors of them taken at even steps.
std::vector<int32_t> StripColors(const TMcf& mcf, size_t most = kStripColors);

// True for the extensions (any case) of the palette formats the program
// reads: the files the browser lists.
bool IsPaletteFileName(const std::string& path);

// The recent ones first (most recent on top, those that no longer exist
// left out), then the palette folder's, then the shipped folder's with the
// built-in palette first; each folder sorted by name. A folder that is
// empty, missing or the same as the shipped one adds nothing of its own. At
// most kMostPerFolder files are read from a folder.
std::vector<TPaletteEntry> ListPalettes(const std::vector<std::string>& recent, const std::string& paletteFolder,
                                        const std::string& shippedFolder);
constexpr size_t kMostPerFolder = 1000;

// The recent list after path was used: path on top, any earlier mention of
// it removed, at most kMostRecent entries.
std::vector<std::string> WithRecent(std::vector<std::string> recent, const std::string& path);
constexpr size_t kMostRecent = 10;
