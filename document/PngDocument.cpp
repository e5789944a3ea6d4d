// The chunk is looked for by the keyword the export writes.
#include "document/PngDocument.h"

#include "common/Exceptions.h"
#include "common/Format.h"
#include "common/Texts.h"
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
    if (!in) throw EFOpenError(Format(TText::tr("ファイル '%s' を開けません。").c_str(), path.c_str()));
    const TPngTextSearch found = FindPngText(in, kEmbeddedDocumentKeyword);
    if (!found.isPng) throw EConvertError(TextArg(TText::tr("'%1' は PNG ファイルではありません。"), {path}));
    if (found.damaged) throw EConvertError(TextArg(TText::tr("'%1' に埋め込まれたパターンが壊れています。"), {path}));
    if (!found.text) throw EConvertError(TextArg(TText::tr("'%1' にはパターンが埋め込まれていません。"), {path}));
    return *found.text;
}
