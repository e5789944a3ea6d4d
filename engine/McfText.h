// Text helpers of the MCF reader: splitting a file into lines and making a
// line printable in a message.
#pragma once

#include <string>
#include <vector>

namespace mcftext {

// Lines end at CR, LF or CR LF; empty lines are kept, a final line break
// does not start another line.
std::vector<std::string> SplitLines(const std::string& bytes);

// The line as UTF-8: plain ASCII as it is, otherwise converted from the
// Windows Japanese code page, or the raw bytes when that fails.
std::string LineForMessage(const std::string& line);

// Every comma-separated field stripped of characters 0..32 at both ends.
std::string TrimFields(const std::string& text);

} // namespace mcftext
