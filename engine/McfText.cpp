// Line splitting, field trimming and code-page conversion for MCF files.
#include "McfText.h"

#include <iconv.h>

namespace mcftext {

std::vector<std::string> SplitLines(const std::string& bytes)
{
    std::vector<std::string> lines;
    size_t start = 0;
    size_t i = 0;
    while (i < bytes.size()) {
        const char c = bytes[i];
        if (c == '\r' || c == '\n') {
            lines.push_back(bytes.substr(start, i - start));
            i += (c == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n') ? 2 : 1;
            start = i;
        } else {
            ++i;
        }
    }
    if (start < bytes.size()) lines.push_back(bytes.substr(start));
    return lines;
}

namespace {

bool IsAscii(const std::string& s)
{
    for (unsigned char c : s)
        if (c >= 0x80) return false;
    return true;
}

bool ConvertFrom(const char* codePage, const std::string& in, std::string& out)
{
    iconv_t cd = iconv_open("UTF-8", codePage);
    if (cd == reinterpret_cast<iconv_t>(-1)) return false;
    std::string result(in.size() * 4 + 4, '\0');
    char* src = const_cast<char*>(in.data());
    size_t srcLeft = in.size();
    char* dst = result.data();
    size_t dstLeft = result.size();
    const size_t rc = iconv(cd, &src, &srcLeft, &dst, &dstLeft);
    iconv_close(cd);
    if (rc == static_cast<size_t>(-1) || srcLeft != 0) return false;
    result.resize(result.size() - dstLeft);
    out = std::move(result);
    return true;
}

bool IsBlank(char c) { return static_cast<unsigned char>(c) <= 32; }

} // namespace

std::string LineForMessage(const std::string& line)
{
    if (IsAscii(line)) return line;
    std::string utf8;
    if (ConvertFrom("CP932", line, utf8) || ConvertFrom("SHIFT_JIS", line, utf8)) return utf8;
    return line;
}

std::string TrimFields(const std::string& text)
{
    std::string out;
    size_t start = 0;
    while (true) {
        const size_t comma = text.find(',', start);
        const size_t end = comma == std::string::npos ? text.size() : comma;
        size_t b = start, e = end;
        while (b < e && IsBlank(text[b])) ++b;
        while (e > b && IsBlank(text[e - 1])) --e;
        out.append(text, b, e - b);
        if (comma == std::string::npos) break;
        out.push_back(',');
        start = comma + 1;
    }
    return out;
}

} // namespace mcftext
