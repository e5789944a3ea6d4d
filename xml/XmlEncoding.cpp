// Encoding names and the XML text rule.
#include "xml/XmlEncoding.h"

#include "common/TextEncoding.h"

#include <algorithm>
#include <cctype>

namespace xmlenc {
namespace {

std::string Lower(std::string s)
{
    std::transform(s.begin(), s.end(), s.begin(), [](unsigned char c) { return std::tolower(c); });
    return s;
}

} // namespace

bool IsShiftJisName(const std::string& name)
{
    const std::string n = Lower(name);
    return n == "shift_jis" || n == "shift-jis" || n == "sjis" || n == "cp932" || n == "windows-31j" ||
           n == "ms_kanji" || n == "x-sjis" || n == "ms932";
}

std::optional<std::string> DeclaredEncoding(const std::string& bytes)
{
    if (bytes.compare(0, 5, "<?xml") != 0) return std::nullopt;
    const size_t end = bytes.find("?>");
    if (end == std::string::npos) return std::nullopt;
    const std::string decl = bytes.substr(0, end);
    size_t i = decl.find("encoding");
    if (i == std::string::npos) return std::nullopt;
    i += 8;
    auto skipBlanks = [&] {
        while (i < decl.size() && std::isspace(static_cast<unsigned char>(decl[i]))) ++i;
    };
    skipBlanks();
    if (i >= decl.size() || decl[i] != '=') return std::nullopt;
    ++i;
    skipBlanks();
    if (i >= decl.size() || (decl[i] != '"' && decl[i] != '\'')) return std::nullopt;
    const char quote = decl[i++];
    const size_t close = decl.find(quote, i);
    if (close == std::string::npos) return std::nullopt;
    return decl.substr(i, close - i);
}

bool IsXmlText(const std::string& utf8)
{
    const auto* p = reinterpret_cast<const unsigned char*>(utf8.data());
    size_t n = utf8.size();
    while (n > 0) {
        char32_t cp = 0;
        const size_t len = DecodeUtf8(p, n, cp);
        if (len == 0) return false;
        const bool allowed = cp == 0x9 || cp == 0xA || cp == 0xD || (cp >= 0x20 && cp <= 0xD7FF) ||
                             (cp >= 0xE000 && cp <= 0xFFFD) || cp >= 0x10000;
        if (!allowed) return false;
        p += len;
        n -= len;
    }
    return true;
}

} // namespace xmlenc
