// File-system faults for the safe-save tests, handed in through TFileSeams.
#pragma once

#include <cstddef>
#include <string>

#include <sys/types.h>

// A write that stops half-way, as a full disk would.
ssize_t HalfThenFail(int fd, const char* data, size_t size);

// A folder that refuses new files.
int RefuseNewFile(std::string& path);
