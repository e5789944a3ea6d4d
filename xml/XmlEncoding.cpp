// CP932 conversions through iconv. glibc's CP932 table is Microsoft's, so
// characters such as U+FF5E (～) and the NEC/IBM extensions round-trip the
// way Windows programs expect, which plain SHIFT_JIS would not.
#include "XmlEncoding.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <iconv.h>

namespace xmlenc {
namespace {

class Iconv {
public:
    Iconv(const char* to, const char* from) : cd_(iconv_open(to, from)) {}
    ~Iconv() { if (Ok()) iconv_close(cd_); }
    Iconv(const Iconv&) = delete;
    Iconv& operator=(const Iconv&) = delete;
    bool Ok() const { return cd_ != reinterpret_cast<iconv_t>(-1); }
    iconv_t Get() const { return cd_; }

private:
    iconv_t cd_;
};

// Length of the UTF-8 sequence at p (0 when invalid) and its code point.
size_t DecodeUtf8(const unsigned char* p, size_t n, char32_t& cp)
{
    if (n == 0) return 0;
    const unsigned char c = p[0];
    size_t len;
    char32_t min;
    if (c < 0x80) { cp = c; return 1; }
    if ((c & 0xE0) == 0xC0) { len = 2; cp = c & 0x1F; min = 0x80; }
    else if ((c & 0xF0) == 0xE0) { len = 3; cp = c & 0x0F; min = 0x800; }
    else if ((c & 0xF8) == 0xF0) { len = 4; cp = c & 0x07; min = 0x10000; }
    else return 0;
    if (n < len) return 0;
    for (size_t i = 1; i < len; ++i) {
        if ((p[i] & 0xC0) != 0x80) return 0;
        cp = (cp << 6) | (p[i] & 0x3F);
    }
    if (cp < min || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return 0;
    return len;
}

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
    auto skipBlanks = [&] { while (i < decl.size() && std::isspace(static_cast<unsigned char>(decl[i]))) ++i; };
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

std::optional<std::string> Cp932ToUtf8(const std::string& bytes, size_t& badOffset)
{
    Iconv cd("UTF-8", "CP932");
    if (!cd.Ok()) { badOffset = 0; return std::nullopt; }
    std::string out(bytes.size() * 3 + 16, '\0');
    char* in = const_cast<char*>(bytes.data());
    size_t inLeft = bytes.size();
    char* o = out.data();
    size_t outLeft = out.size();
    // Every CP932 character takes at most three UTF-8 bytes, so the buffer
    // always suffices and E2BIG cannot occur.
    if (iconv(cd.Get(), &in, &inLeft, &o, &outLeft) == static_cast<size_t>(-1)) {
        badOffset = static_cast<size_t>(in - bytes.data());
        return std::nullopt;
    }
    out.resize(out.size() - outLeft);
    return out;
}

std::optional<std::string> Utf8ToCp932(const std::string& utf8, bool allowReferences)
{
    Iconv cd("CP932", "UTF-8");
    if (!cd.Ok()) return std::nullopt;
    std::string out;
    char* in = const_cast<char*>(utf8.data());
    size_t inLeft = utf8.size();
    char buf[4096];
    while (inLeft > 0) {
        char* o = buf;
        size_t outLeft = sizeof buf;
        const size_t r = iconv(cd.Get(), &in, &inLeft, &o, &outLeft);
        out.append(buf, static_cast<size_t>(o - buf));
        if (r != static_cast<size_t>(-1)) continue;
        if (errno == E2BIG) continue;
        char32_t cp = 0;
        const size_t len = DecodeUtf8(reinterpret_cast<const unsigned char*>(in), inLeft, cp);
        if (len == 0 || !allowReferences) return std::nullopt;
        out += "&#" + std::to_string(static_cast<unsigned long>(cp)) + ";";
        in += len;
        inLeft -= len;
    }
    return out;
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
