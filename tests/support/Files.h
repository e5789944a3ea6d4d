// Whole files as bytes, for tests that write inputs and compare outputs.
#pragma once

#include <string>

// Throws std::runtime_error when the file cannot be opened, so a missing
// file never passes for an empty one.
std::string ReadBytes(const std::string& path);
// Replaces the file with exactly these bytes; throws when that fails.
void WriteBytes(const std::string& path, const std::string& bytes);
