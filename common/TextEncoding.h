// Text encodings at the program's edges. Strings are UTF-8 inside the
// program; CP932, the code page Windows writes as Shift_JIS, appears only in
// files written by or for Windows programs.
#pragma once

#include <cstddef>
#include <optional>
#include <string>

// Length of the UTF-8 sequence at p (0 when invalid, overlong or a
// surrogate) and its code point.
size_t DecodeUtf8(const unsigned char* p, size_t n, char32_t& cp);

// Bytes in the named iconv code page as UTF-8. On a byte sequence the code
// page does not define (or an unknown code page), nullopt and badOffset is
// its position.
std::optional<std::string> ToUtf8(const char* codePage, const std::string& bytes, size_t& badOffset);

// UTF-8 in the named iconv code page. nullopt when the code page is unknown,
// cannot hold a character, or the UTF-8 is invalid.
std::optional<std::string> FromUtf8(const char* codePage, const std::string& utf8);

// CP932 bytes as UTF-8, the same way.
std::optional<std::string> Cp932ToUtf8(const std::string& bytes, size_t& badOffset);

// UTF-8 as CP932. A character CP932 cannot hold becomes "&#N;" when
// allowReferences, otherwise nullopt. Invalid UTF-8 also gives nullopt.
std::optional<std::string> Utf8ToCp932(const std::string& utf8, bool allowReferences);
