#include "tests/support/FileFaults.h"

#include <cerrno>

#include <unistd.h>

ssize_t HalfThenFail(int fd, const char* data, size_t size)
{
    // Small rests fail outright, so the caller cannot finish by retrying.
    if (size < 8) {
        errno = ENOSPC;
        return -1;
    }
    return ::write(fd, data, size / 2);
}

int RefuseNewFile(std::string&)
{
    errno = EACCES;
    return -1;
}
