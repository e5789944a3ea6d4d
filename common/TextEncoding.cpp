// Code page conversions through iconv. glibc's CP932 table is Microsoft's,
// so characters such as U+FF5E (～) and the NEC/IBM extensions round-trip the
// way Windows programs expect, which plain SHIFT_JIS would not.
#include "common/TextEncoding.h"

#include <cerrno>
#include <iconv.h>

namespace {

class Iconv {
public:
    Iconv(const char* to, const char* from) : cd_(iconv_open(to, from)) {}
    ~Iconv()
    {
        if (Ok()) iconv_close(cd_);
    }
    Iconv(const Iconv&) = delete;
    Iconv& operator=(const Iconv&) = delete;
    bool Ok() const { return cd_ != reinterpret_cast<iconv_t>(-1); }
    iconv_t Get() const { return cd_; }

private:
    iconv_t cd_;
};

// UTF-8 in the code page; a character the code page cannot hold becomes
// "&#N;" when allowReferences, otherwise the conversion fails.
std::optional<std::string> WriteUtf8As(const char* codePage, const std::string& utf8, bool allowReferences)
{
    Iconv cd(codePage, "UTF-8");
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
    // A stateful code page such as ISO-2022-JP must end in its initial
    // shift state, or a reader takes the last characters for others.
    char* o = buf;
    size_t outLeft = sizeof buf;
    if (iconv(cd.Get(), nullptr, nullptr, &o, &outLeft) == static_cast<size_t>(-1)) return std::nullopt;
    out.append(buf, static_cast<size_t>(o - buf));
    return out;
}

} // namespace

size_t DecodeUtf8(const unsigned char* p, size_t n, char32_t& cp)
{
    if (n == 0) return 0;
    const unsigned char c = p[0];
    size_t len;
    char32_t min;
    if (c < 0x80) {
        cp = c;
        return 1;
    }
    if ((c & 0xE0) == 0xC0) {
        len = 2;
        cp = c & 0x1F;
        min = 0x80;
    } else if ((c & 0xF0) == 0xE0) {
        len = 3;
        cp = c & 0x0F;
        min = 0x800;
    } else if ((c & 0xF8) == 0xF0) {
        len = 4;
        cp = c & 0x07;
        min = 0x10000;
    } else return 0;
    if (n < len) return 0;
    for (size_t i = 1; i < len; ++i) {
        if ((p[i] & 0xC0) != 0x80) return 0;
        cp = (cp << 6) | (p[i] & 0x3F);
    }
    if (cp < min || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return 0;
    return len;
}

std::optional<std::string> ToUtf8(const char* codePage, const std::string& bytes, size_t& badOffset)
{
    Iconv cd("UTF-8", codePage);
    if (!cd.Ok()) {
        badOffset = 0;
        return std::nullopt;
    }
    std::string out(bytes.size() * 4 + 16, '\0');
    char* in = const_cast<char*>(bytes.data());
    size_t inLeft = bytes.size();
    char* o = out.data();
    size_t outLeft = out.size();
    // No character of a byte code page takes more than four UTF-8 bytes per
    // input byte, so the buffer always suffices and E2BIG cannot occur.
    if (iconv(cd.Get(), &in, &inLeft, &o, &outLeft) == static_cast<size_t>(-1)) {
        badOffset = static_cast<size_t>(in - bytes.data());
        return std::nullopt;
    }
    out.resize(out.size() - outLeft);
    return out;
}

std::optional<std::string> Cp932ToUtf8(const std::string& bytes, size_t& badOffset)
{
    return ToUtf8("CP932", bytes, badOffset);
}

std::optional<std::string> FromUtf8(const char* codePage, const std::string& utf8)
{
    return WriteUtf8As(codePage, utf8, false);
}

std::optional<std::string> Utf8ToCp932(const std::string& utf8, bool allowReferences)
{
    return WriteUtf8As("CP932", utf8, allowReferences);
}
