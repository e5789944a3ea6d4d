// Encoding names of XML declarations and the characters XML allows.
// Internal to the XML layer; the conversions are in common/TextEncoding.h.
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

// Valid UTF-8 holding only characters XML 1.0 allows.
bool IsXmlText(const std::string& utf8);

} // namespace xmlenc
