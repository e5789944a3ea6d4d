// Line splitting, field trimming and code-page conversion for MCF files.
#include "engine/McfText.h"

#include "common/TextEncoding.h"

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

bool IsBlank(char c) { return static_cast<unsigned char>(c) <= 32; }

} // namespace

std::string LineForMessage(const std::string& line)
{
    if (IsAscii(line)) return line;
    size_t bad = 0;
    if (auto utf8 = Cp932ToUtf8(line, bad)) return *utf8;
    if (auto utf8 = ToUtf8("SHIFT_JIS", line, bad)) return *utf8;
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
