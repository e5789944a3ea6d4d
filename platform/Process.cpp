// Process start with fork and execvp.
#ifndef _WIN32
#include "platform/Process.h"

#include "common/FileSystem.h"

#include <cerrno>
#include <cstdlib>
#include <sstream>

#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

int RunProgram(const std::vector<std::string>& argv)
{
    if (argv.empty()) return -1;
    // Everything the child needs is prepared before fork: after it only
    // async-signal-safe calls are allowed.
    std::vector<char*> args;
    for (const auto& a : argv) args.push_back(const_cast<char*>(a.c_str()));
    args.push_back(nullptr);
    const int devNull = open("/dev/null", O_RDWR | O_CLOEXEC);
    const pid_t pid = fork();
    if (pid < 0) {
        if (devNull >= 0) close(devNull);
        return -1;
    }
    if (pid == 0) {
        if (devNull >= 0) {
            dup2(devNull, STDIN_FILENO);
            dup2(devNull, STDOUT_FILENO);
            dup2(devNull, STDERR_FILENO);
        }
        execvp(args[0], args.data());
        _exit(127);
    }
    if (devNull >= 0) close(devNull);
    int status = 0;
    while (waitpid(pid, &status, 0) < 0) {
        if (errno != EINTR) return -1;
    }
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

bool FindOnPath(const std::string& program)
{
    const char* path = std::getenv("PATH");
    if (path == nullptr) return false;
    std::stringstream folders(path);
    std::string folder;
    while (std::getline(folders, folder, ':')) {
        // An empty entry means the current folder.
        const std::string candidate = (folder.empty() ? std::string(".") : folder) + "/" + program;
        if (access(candidate.c_str(), X_OK) == 0 && !IsFolder(candidate)) return true;
    }
    return false;
}
#endif
