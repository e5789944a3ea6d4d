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
    // Like open(folder, O_TMPFILE | O_WRONLY, mode): a new file without a
    // name in folder; returns its descriptor or -1 with errno set.
    std::function<int(const std::string& folder, mode_t mode)> CreateUnnamed;
    // Like mkstemp: creates a unique file from the template, returns its
    // descriptor or -1 with errno set.
    std::function<int(std::string& pathTemplate)> CreateTemp;
    // Like write(2).
    std::function<ssize_t(int fd, const char* data, size_t size)> Write;
    // Like ftruncate(2): the last step of an in-place save.
    std::function<int(int fd, off_t length)> Truncate;
};

// Runs write into a new file in the folder of path and puts it in place of
// path only when it is complete and synced, keeping the old permissions.
// On Linux the new file has no name until then (O_TMPFILE), so no name
// length is added and a killed program leaves nothing behind; elsewhere, or
// where the file system lacks unnamed files, it has a short temporary name.
//
// Symbolic links are followed to the file they name, existing or not; the
// links stay. Only when the folder refuses a new file is an existing,
// writable file overwritten in place: the new content, padded with padding
// up to the old length, then cut to its own length, so even a kill between
// the two steps leaves a file its readers accept. Padding is a byte that
// readers of the file's kind ignore after the content: white space after a
// document's root element, anything after a PNG's IEND chunk or a BMP's
// pixels. A failure there puts the old bytes back.
//
// A directory, a write-protected target, a link loop, a refused byte (a bad
// stream or EWriteError from write) or any file-system failure throws
// EFOpenError "ファイル '%s' を作成できません。" followed by the reason when
// the system gave one; other exceptions of write pass through. Either way
// the old file stays as it was and no temporary is left.
void WriteFileReplacing(const std::string& path, const std::function<void(std::ostream&)>& write,
                        const TFileSeams& seams = {}, char padding = '\0');
// The same for contents that are already whole in memory.
void WriteFileReplacing(const std::string& path, const std::string& bytes, const TFileSeams& seams = {},
                        char padding = '\0');
