// Listing palette folders for the browser.
#include "document/PaletteCatalog.h"

#include "common/Exceptions.h"
#include "common/FileSystem.h"
#include "palette/PaletteFile.h"
#include "palette/UMcf.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

namespace fs = std::filesystem;

std::vector<int32_t> StripColors(const TMcf& mcf, size_t most)
{
    std::vector<int32_t> strip;
    if (mcf.High < 1 || most == 0) return strip;
    const auto high = static_cast<size_t>(mcf.High);
    const size_t count = std::min(high, most);
    strip.reserve(count);
    // Entry 1 + floor(k * High / count): every entry when they fit, else
    // an even spread from the first to near the last.
    for (size_t k = 0; k < count; ++k) strip.push_back(mcf.Colors[1 + k * high / count]);
    return strip;
}

bool IsPaletteFileName(const std::string& path) { return PaletteFormatOf(path).has_value(); }

namespace {

std::string BaseName(const std::string& path) { return fs::path(path).stem().string(); }

TPaletteEntry Read(TPaletteGroup group, const std::string& path)
{
    TPaletteEntry entry;
    entry.group = group;
    entry.path = path;
    entry.name = BaseName(path);
    try {
        TMcf mcf;
        LoadPaletteFile(mcf, path);
        entry.strip = StripColors(mcf);
    } catch (const std::exception& e) {
        entry.error = MessageOf(e);
    }
    return entry;
}

// The palette files of a folder, sorted by name; none for a missing one.
std::vector<std::string> FilesOf(const std::string& folder)
{
    std::vector<std::string> files;
    std::error_code error;
    fs::directory_iterator it(folder, error);
    for (; !error && it != fs::directory_iterator(); it.increment(error)) {
        const std::string path = it->path().string();
        if (IsPaletteFileName(path) && IsFile(path)) files.push_back(path);
        if (files.size() == kMostPerFolder) break;
    }
    std::sort(files.begin(), files.end());
    return files;
}

bool SameFolder(const std::string& a, const std::string& b)
{
    std::error_code error;
    return fs::equivalent(a, b, error);
}

} // namespace

std::vector<TPaletteEntry> ListPalettes(const std::vector<std::string>& recent, const std::string& paletteFolder,
                                        const std::string& shippedFolder)
{
    std::vector<TPaletteEntry> list;
    for (const std::string& path : recent)
        if (IsFile(path)) list.push_back(Read(TPaletteGroup::Recent, path));
    if (!paletteFolder.empty() && !SameFolder(paletteFolder, shippedFolder))
        for (const std::string& path : FilesOf(paletteFolder)) list.push_back(Read(TPaletteGroup::Folder, path));
    TPaletteEntry builtIn;
    builtIn.group = TPaletteGroup::Shipped;
    TMcf standard;
    standard.SetDefault();
    builtIn.name = standard.GetName();
    builtIn.strip = StripColors(standard);
    list.push_back(std::move(builtIn));
    for (const std::string& path : FilesOf(shippedFolder)) list.push_back(Read(TPaletteGroup::Shipped, path));
    return list;
}

std::vector<std::string> WithRecent(std::vector<std::string> recent, const std::string& path)
{
    recent.erase(std::remove(recent.begin(), recent.end(), path), recent.end());
    recent.insert(recent.begin(), path);
    if (recent.size() > kMostRecent) recent.resize(kMostRecent);
    return recent;
}
