// The chunk is looked for by the keyword the export writes.
#include "document/PngDocument.h"

#include "common/Exceptions.h"
#include "common/Format.h"
#include "document/ImageExport.h"
#include "imaging/PngTextReader.h"

#include <algorithm>
#include <cctype>
#include <fstream>

bool IsPngFileName(const std::string& path)
{
    if (path.size() < 4) return false;
    std::string ext = path.substr(path.size() - 4);
    std::transform(ext.begin(), ext.end(), ext.begin(), [](unsigned char c) { return std::tolower(c); });
    return ext == ".png";
}

std::string EmbeddedDocument(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    if (!in) throw EFOpenError(Format("ファイル '%s' を開けません。", path.c_str()));
    const TPngTextSearch found = FindPngText(in, kEmbeddedDocumentKeyword);
    if (!found.isPng) throw EConvertError(Format("'%s' は PNG ファイルではありません。", path.c_str()));
    if (found.damaged) throw EConvertError(Format("'%s' に埋め込まれたパターンが壊れています。", path.c_str()));
    if (!found.text) throw EConvertError(Format("'%s' にはパターンが埋め込まれていません。", path.c_str()));
    return *found.text;
}
