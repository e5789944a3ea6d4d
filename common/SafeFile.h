// Replacing a file only once its new content is completely written.
#pragma once

#include <cstddef>
#include <functional>
#include <ostream>
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

// Runs write on a new file in path's folder, syncs it and renames it over
// path (over the file a symbolic link names), keeping the old permissions.
// Only when the folder refuses a new file is an existing, writable file
// overwritten in place and cut to length; a failure there puts the old
// bytes back. A directory or write-protected target, a refused byte (a bad
// stream or EWriteError from write) or any file-system failure throws
// EFOpenError "ファイル '%s' を作成できません。"; other exceptions of write pass
// through. Either way the old file stays as it was and no temporary is left.
void WriteFileReplacing(const std::string& path, const std::function<void(std::ostream&)>& write,
                        const TFileSeams& seams = {});
// The same for contents that are already whole in memory.
void WriteFileReplacing(const std::string& path, const std::string& bytes, const TFileSeams& seams = {});
