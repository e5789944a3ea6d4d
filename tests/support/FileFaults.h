// File-system faults for the safe-save tests, handed in through TFileSeams.
#pragma once

#include "common/SafeFile.h"

#include <cerrno>
#include <cstddef>
#include <functional>
#include <string>

#include <sys/types.h>

// A write that stops half-way, as a full disk would (ENOSPC).
ssize_t HalfThenFail(int fd, const char* data, size_t size);

// seams for a folder that refuses new files, unnamed or named, with error.
TFileSeams RefusingNewFiles(TFileSeams seams = {}, int error = EACCES);

// seams for a file system without unnamed files (no O_TMPFILE): saves take
// the short temporary name.
TFileSeams WithoutUnnamedFiles(TFileSeams seams = {});

// seams whose in-place save ends the process just before it cuts the file
// to length, as a kill at that moment would. Use inside RunInChildProcess.
TFileSeams DyingBeforeTheCut(TFileSeams seams = {});
constexpr int kDiedBeforeTheCut = 77;

// Runs body in a child process and returns how it ended, as waitpid tells:
// exit status 0 when body returned, 1 when it threw, or the signal that
// ended it. meanwhile runs in this process with the child's id before the
// wait.
int RunInChildProcess(const std::function<void()>& body, const std::function<void(pid_t)>& meanwhile = {});
