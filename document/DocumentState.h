// The pattern as a document: which file it is, whether it has changed since
// it was opened or saved, the window title that says so, and the list of the
// last documents. No widgets, so the window and tests share it.
#pragma once

#include "document/PatternSnapshot.h"

#include <cstddef>
#include <string>
#include <vector>

class TDocumentState {
public:
    // A pattern with no file yet (the start-up pattern, 新規); what it is now
    // counts as unchanged.
    void New(const TPatternSnapshot& now);
    // The pattern was opened from or saved to file and is now that file.
    void Stored(const std::string& file, const TPatternSnapshot& now);

    // Empty for a new pattern.
    const std::string& FileName() const { return fileName_; }
    // True when now draws another picture than the one stored (or started
    // with); undoing back to it makes it unchanged again.
    bool Modified(const TPatternSnapshot& now) const;

private:
    std::string fileName_;
    TPatternSnapshot stored_;
};

// "名前.vqp - Velquor", "*名前.vqp - Velquor" after a change; a new pattern is
// "Velquor" and "*Velquor".
std::string WindowTitle(const std::string& fileName, bool modified);

class TRecentFiles {
public:
    static constexpr size_t kMaxFiles = 8;

    explicit TRecentFiles(std::vector<std::string> files = {});
    // file goes to the front; an older entry of it goes, and the list keeps
    // the newest kMaxFiles.
    void Add(const std::string& file);
    void Remove(const std::string& file);
    const std::vector<std::string>& Files() const { return files_; }

private:
    std::vector<std::string> files_;
};

// The menu item of entry index (0-based): "&1 名前.vqp", the name with any
// "&" doubled so it shows as written.
std::string RecentMenuCaption(size_t index, const std::string& file);
