// Text that came from a file or an argument, made safe to show in a message.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

// How much of a quoted text a message shows.
constexpr size_t kQuoteLength = 80;
// File names are quoted whole up to the longest path a Windows folder takes.
constexpr size_t kQuotePathLength = 260;

// text (UTF-8) with every control character, byte that is not UTF-8 and
// character that reorders the text around it (bidirectional overrides)
// written as an escape, "\x1b" or "\u202e", so nothing the text holds can
// act on a terminal or a message box; after maxLength characters of the
// escaped text it is cut and "…" follows. Backslashes stay as they are: file
// names written on Windows are full of them.
std::string QuoteForMessage(std::string_view text, size_t maxLength = kQuoteLength);

// The same for a file name, with the longer limit.
inline std::string QuotePath(std::string_view path) { return QuoteForMessage(path, kQuotePathLength); }
