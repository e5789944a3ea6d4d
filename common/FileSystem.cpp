// Folder checks and whole-file reads.
#include "common/FileSystem.h"

#include <cstdio>
#include <filesystem>
#include <memory>
#include <system_error>

#include <sys/stat.h>

namespace fs = std::filesystem;

namespace {

// Our strings are UTF-8; on Windows a plain char path would be read in the
// ANSI code page instead.
fs::path ToPath(const std::string& utf8) { return fs::path(std::u8string(utf8.begin(), utf8.end())); }

} // namespace

bool IsDirectory(const std::string& folder)
{
    std::error_code ec;
    const fs::path previous = fs::current_path(ec);
    if (ec || folder.empty()) return false;
    fs::current_path(ToPath(folder), ec);
    const bool entered = !ec;
    if (entered) {
        std::error_code back;
        fs::current_path(previous, back);
        if (back) return false;
    }
    return entered;
}

bool IsFolder(const std::string& path)
{
    std::error_code ec;
    return !path.empty() && fs::is_directory(ToPath(path), ec);
}

bool IsFile(const std::string& path)
{
    std::error_code ec;
    return !path.empty() && fs::is_regular_file(ToPath(path), ec);
}

std::optional<std::string> ReadWholeFile(const std::string& path)
{
    struct stat st {};
    if (stat(path.c_str(), &st) != 0 || S_ISDIR(st.st_mode)) return std::nullopt;
    std::unique_ptr<FILE, int (*)(FILE*)> file(std::fopen(path.c_str(), "rb"), &std::fclose);
    if (!file) return std::nullopt;
    std::string bytes;
    char buffer[65536];
    size_t n;
    while ((n = std::fread(buffer, 1, sizeof buffer, file.get())) > 0) bytes.append(buffer, n);
    if (std::ferror(file.get())) return std::nullopt;
    return bytes;
}
