// External programs that check the files the tests write.
#pragma once

#include <string>

struct CommandResult {
    int exitCode = -1;
    std::string output; // stdout and stderr together
};
// Runs a shell command line built from quoted arguments.
CommandResult RunCommand(const std::string& commandLine);
std::string ShellQuote(const std::string& text);
// Path of a required tool; the test fails (not skips) when it is missing.
std::string RequireTool(const std::string& path);
