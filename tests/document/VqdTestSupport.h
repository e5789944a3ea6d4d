// Scratch folders and whole-file helpers for the document tests.
#pragma once

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

class TScratchDir {
public:
    TScratchDir()
    {
        std::string templ = (std::filesystem::temp_directory_path() / "vqtest.XXXXXX").string();
        path_ = mkdtemp(templ.data()) ? templ : std::string();
    }
    ~TScratchDir()
    {
        std::error_code ec;
        std::filesystem::remove_all(path_, ec);
    }
    TScratchDir(const TScratchDir&) = delete;
    TScratchDir& operator=(const TScratchDir&) = delete;

    std::string operator/(const std::string& name) const { return path_ + "/" + name; }
    const std::string& Path() const { return path_; }
    size_t EntryCount() const
    {
        return static_cast<size_t>(std::distance(std::filesystem::directory_iterator(path_), {}));
    }

private:
    std::string path_;
};

inline void WriteBytes(const std::string& path, const std::string& bytes)
{
    std::ofstream(path, std::ios::binary) << bytes;
}

inline std::string ReadBytes(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}
