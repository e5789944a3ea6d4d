// Small questions to the file system and whole-file reads, asked the same way
// by every layer. Paths are UTF-8.
#pragma once

#include <optional>
#include <string>

// Tries to make folder the process's current folder and changes back to the
// previous one; true when the change succeeded. The current folder is the
// same afterwards (if it cannot be restored, folder is reported as not
// enterable rather than leaving the process elsewhere).
bool IsDirectory(const std::string& folder);

// Whether path names an existing folder, or an existing regular file
// (symbolic links followed). Errors count as no.
bool IsFolder(const std::string& path);
bool IsFile(const std::string& path);

// The bytes of a regular file; nullopt when it is a folder or cannot be
// opened or read to its end.
std::optional<std::string> ReadWholeFile(const std::string& path);
