// File-system faults for the safe-save tests, handed in through TFileSeams.
#pragma once

#include <cerrno>
#include <string>
#include <sys/types.h>
#include <unistd.h>

// A write that stops half-way, as a full disk would.
inline ssize_t HalfThenFail(int fd, const char* data, size_t size)
{
    if (size < 8) {
        errno = ENOSPC;
        return -1;
    }
    return ::write(fd, data, size / 2);
}

// A folder that refuses new files.
inline int RefuseNewFile(std::string&)
{
    errno = EACCES;
    return -1;
}
