// Replacing a file's contents without ever leaving it half-written.
#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <sys/types.h>

// The file-system steps a save takes; tests replace one to make it fail.
// Empty members mean the real call.
struct TFileSeams {
    // Like mkstemp: creates a unique file from the template, returns its
    // descriptor or -1.
    std::function<int(std::string& pathTemplate)> CreateTemp;
    // Like write(2).
    std::function<ssize_t(int fd, const char* data, size_t size)> Write;
};

// Writes bytes to a new file beside path and renames it over path. Only when
// the folder refuses a new file is the existing file overwritten in place
// and cut to length; a failure there puts the old contents back. Any failure
// throws EFOpenError "ファイル '%s' を作成できません。" and leaves no
// temporary file behind.
void ReplaceFileContents(const std::string& path, const std::string& bytes, const TFileSeams& seams = {});
