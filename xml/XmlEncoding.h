// Conversions between the program's UTF-8 and CP932, the code page Windows
// writes as Shift_JIS. Internal to the XML layer.
#pragma once

#include <cstddef>
#include <optional>
#include <string>

namespace xmlenc {

// True for the names under which CP932 text is declared (Shift_JIS, SJIS,
// CP932, Windows-31J, MS_Kanji; any case).
bool IsShiftJisName(const std::string& name);

// The encoding named by an XML declaration at the start of bytes, when the
// bytes begin with an ASCII "<?xml" declaration.
std::optional<std::string> DeclaredEncoding(const std::string& bytes);

// CP932 bytes as UTF-8; on a byte sequence CP932 does not define, nullopt and
// badOffset is its position.
std::optional<std::string> Cp932ToUtf8(const std::string& bytes, size_t& badOffset);

// UTF-8 as CP932. A character CP932 cannot hold becomes "&#N;" when
// allowReferences, otherwise nullopt. Invalid UTF-8 also gives nullopt.
std::optional<std::string> Utf8ToCp932(const std::string& utf8, bool allowReferences);

// Valid UTF-8 holding only characters XML 1.0 allows.
bool IsXmlText(const std::string& utf8);

} // namespace xmlenc
