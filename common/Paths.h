// File name rules shared by every layer: the name part of a path and its
// extension. Both separators count, so names written on Windows split too.
#pragma once

#include <string>

// The part after the last '/' or '\'.
std::string FileNamePart(const std::string& path);

// The extension of the name part, full stop included, lower-cased (ASCII
// only); empty when the name has no full stop.
std::string LowerExtension(const std::string& path);

// The name part without its last extension, as the status bar shows a palette.
std::string BaseNameWithoutExtension(const std::string& path);
