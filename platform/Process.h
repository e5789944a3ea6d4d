// Starting other programs: always directly, never through a shell, so no
// argument can be taken apart or interpreted.
#pragma once

#include <string>
#include <vector>

// Runs a program with these arguments (argv[0] looked up on PATH), its output
// discarded; returns its exit status, or -1 when it could not be started or
// did not exit normally.
int RunProgram(const std::vector<std::string>& argv);

// Whether an executable of this name is on PATH.
bool FindOnPath(const std::string& program);
