#include "tests/support/FileFaults.h"

#include <sys/wait.h>
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

TFileSeams RefusingNewFiles(TFileSeams seams, int error)
{
    seams.CreateUnnamed = [error](const std::string&, mode_t) {
        errno = error;
        return -1;
    };
    seams.CreateTemp = [error](std::string&) {
        errno = error;
        return -1;
    };
    return seams;
}

TFileSeams WithoutUnnamedFiles(TFileSeams seams)
{
    seams.CreateUnnamed = [](const std::string&, mode_t) {
        errno = EOPNOTSUPP;
        return -1;
    };
    return seams;
}

TFileSeams DyingBeforeTheCut(TFileSeams seams)
{
    seams.Truncate = [](int, off_t) -> int { _exit(kDiedBeforeTheCut); };
    return seams;
}

int RunInChildProcess(const std::function<void()>& body, const std::function<void(pid_t)>& meanwhile)
{
    const pid_t child = fork();
    if (child == 0) {
        int code = 0;
        try {
            body();
        } catch (...) {
            code = 1;
        }
        _exit(code);
    }
    int status = -1;
    if (child < 0) return status;
    if (meanwhile) meanwhile(child);
    waitpid(child, &status, 0);
    return status;
}
