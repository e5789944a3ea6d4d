#include "tests/support/TempDir.h"

#include "tests/support/Files.h"

#include <algorithm>
#include <filesystem>
#include <stdexcept>

#include <stdlib.h>

TempDir::TempDir()
{
    // No full stop in the name: the program takes any full stop in a saved
    // image's path for a typed extension, so one here would change results.
    std::string pattern = (std::filesystem::temp_directory_path() / "vq_test_XXXXXX").string();
    if (mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("cannot make a temporary folder");
    path_ = pattern;
}

TempDir::~TempDir()
{
    // A destructor must not throw; a folder left behind is only clutter.
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
}

std::string TempDir::Write(const std::string& name, const std::string& bytes) const
{
    const std::string file = *this / name;
    WriteBytes(file, bytes);
    return file;
}

std::vector<std::string> TempDir::Entries() const
{
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(path_))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}
