// Pictures that open as their pattern: the document an exported PNG carries.
#pragma once

#include <string>

// True for a name ending in .png, in any case.
bool IsPngFileName(const std::string& path);

// The document the PNG at path carries, as UTF-8 XML. Throws EFOpenError
// "ファイル '%s' を開けません。" when it cannot be read, and EConvertError
// "'%s' は PNG ファイルではありません。", "'%s' にはパターンが埋め込まれていません。"
// or "'%s' に埋め込まれたパターンが壊れています。".
std::string EmbeddedDocument(const std::string& path);
