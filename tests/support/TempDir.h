// A fresh folder under the system's temporary folder, removed with
// everything in it when the test is done.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::string& Path() const { return path_; }
    // The path of name inside the folder; name may hold subfolders.
    std::string operator/(const std::string& name) const { return path_ + "/" + name; }
    // Writes bytes exactly as given and returns the file's path.
    std::string Write(const std::string& name, const std::string& bytes) const;
    // Names of the entries directly in the folder, sorted.
    std::vector<std::string> Entries() const;
    size_t EntryCount() const { return Entries().size(); }

private:
    std::string path_;
};
