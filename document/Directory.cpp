// The enter-and-return folder test.
#include "Directory.h"

#include <filesystem>
#include <system_error>

namespace fs = std::filesystem;

bool IsDirectory(const std::string& folder)
{
    std::error_code ec;
    const fs::path previous = fs::current_path(ec);
    if (ec || folder.empty())
        return false;
    fs::current_path(fs::path(std::u8string(folder.begin(), folder.end())), ec);
    const bool entered = !ec;
    if (entered) {
        std::error_code back;
        fs::current_path(previous, back);
        if (back)
            return false;
    }
    return entered;
}
