#include "tests/support/Command.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <stdexcept>

#include <sys/wait.h>
#include <unistd.h>

CommandResult RunCommand(const std::string& commandLine)
{
    CommandResult result;
    FILE* pipe = popen((commandLine + " 2>&1").c_str(), "r");
    if (pipe == nullptr) return result;
    char buffer[4096];
    size_t n;
    while ((n = fread(buffer, 1, sizeof buffer, pipe)) > 0) result.output.append(buffer, n);
    const int status = pclose(pipe);
    result.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return result;
}

std::string ShellQuote(const std::string& text)
{
    std::string quoted = "'";
    for (char c : text) quoted += (c == '\'') ? std::string("'\\''") : std::string(1, c);
    return quoted + "'";
}

std::string RequireTool(const std::string& path)
{
    if (access(path.c_str(), X_OK) != 0) {
        ADD_FAILURE() << "required tool " << path << " is not installed (see scripts/install-deps.sh)";
        throw std::runtime_error("missing tool " + path);
    }
    return path;
}
