#include "document/DocumentState.h"

#include "common/Paths.h"

#include <algorithm>
#include <utility>

void TDocumentState::New(const TPatternSnapshot& now)
{
    fileName_.clear();
    stored_ = now;
}

void TDocumentState::Stored(const std::string& file, const TPatternSnapshot& now)
{
    fileName_ = file;
    stored_ = now;
}

bool TDocumentState::Modified(const TPatternSnapshot& now) const { return !SamePattern(stored_, now); }

std::string WindowTitle(const std::string& fileName, bool modified)
{
    std::string title = modified ? "*" : "";
    if (!fileName.empty()) title += FileNamePart(fileName) + " - ";
    return title + "Velquor";
}

TRecentFiles::TRecentFiles(std::vector<std::string> files)
{
    // A list from an edited store may repeat a file or be too long.
    for (auto it = files.rbegin(); it != files.rend(); ++it)
        if (!it->empty()) Add(*it);
}

void TRecentFiles::Add(const std::string& file)
{
    Remove(file);
    files_.insert(files_.begin(), file);
    if (files_.size() > kMaxFiles) files_.resize(kMaxFiles);
}

void TRecentFiles::Remove(const std::string& file) { std::erase(files_, file); }

std::string RecentMenuCaption(size_t index, const std::string& file)
{
    std::string name;
    for (const char c : FileNamePart(file)) {
        if (c == '&') name += '&';
        name += c;
    }
    // Ten and more have no access key.
    const std::string number = std::to_string(index + 1);
    return (index < 9 ? "&" + number : number) + " " + name;
}
