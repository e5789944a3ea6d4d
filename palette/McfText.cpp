// Line splitting, field trimming and code-page conversion for MCF files.
#include "palette/McfText.h"

#include "common/Format.h"
#include "common/TextEncoding.h"
#include "palette/ColorSplit.h"

namespace mcftext {

LineReader::LineReader(std::istream& in, size_t maxLength) : in_(in), maxLength_(maxLength), buffer_(64 * 1024) {}

bool LineReader::Fill()
{
    if (at_ < end_) return true;
    if (!in_.good()) return false;
    in_.read(buffer_.data(), static_cast<std::streamsize>(buffer_.size()));
    at_ = 0;
    end_ = static_cast<size_t>(in_.gcount());
    if (in_.bad()) failed_ = true;
    return end_ > 0;
}

LineReader::Result LineReader::Next(std::string& line, int64_t& number)
{
    line.clear();
    if (skipLf_ && Fill() && buffer_[at_] == '\n') ++at_;
    skipLf_ = false;
    bool any = false;
    while (Fill()) {
        any = true;
        const char* from = buffer_.data() + at_;
        const char* stop = buffer_.data() + end_;
        const char* p = from;
        while (p < stop && *p != '\r' && *p != '\n') ++p;
        const size_t length = static_cast<size_t>(p - from);
        if (line.size() + length > maxLength_) {
            line.append(from, maxLength_ - line.size());
            number = ++number_;
            return Result::TooLong;
        }
        line.append(from, length);
        at_ += length;
        if (p < stop) {
            skipLf_ = *p == '\r';
            ++at_;
            number = ++number_;
            return Result::Line;
        }
    }
    if (!any || failed_) return Result::End;
    number = ++number_;
    return Result::Line;
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

namespace {

// Length of the UTF-8 sequence at s[at], 0 when none starts there.
size_t Utf8Length(const std::string& s, size_t at)
{
    const auto c = static_cast<unsigned char>(s[at]);
    size_t n;
    uint32_t min;
    if (c < 0x80) return 1;
    if (c >= 0xC2 && c <= 0xDF) n = 2, min = 0x80;
    else if (c >= 0xE0 && c <= 0xEF) n = 3, min = 0x800;
    else if (c >= 0xF0 && c <= 0xF4) n = 4, min = 0x10000;
    else return 0;
    if (at + n > s.size()) return 0;
    uint32_t cp = c & (0x7F >> n);
    for (size_t i = 1; i < n; ++i) {
        const auto d = static_cast<unsigned char>(s[at + i]);
        if ((d & 0xC0) != 0x80) return 0;
        cp = cp << 6 | (d & 0x3F);
    }
    if (cp < min || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return 0;
    return n;
}

bool IsUtf8(const std::string& s)
{
    for (size_t at = 0; at < s.size();) {
        const size_t n = Utf8Length(s, at);
        if (n == 0) return false;
        at += n;
    }
    return true;
}

} // namespace

std::string KeptLine(const std::string& line)
{
    std::string text = line;
    if (!IsUtf8(text)) {
        size_t bad = 0;
        if (auto utf8 = Cp932ToUtf8(line, bad)) text = *utf8;
    }
    std::string out;
    out.reserve(text.size());
    for (size_t at = 0; at < text.size();) {
        const size_t n = Utf8Length(text, at);
        if (n == 0) {
            out += '?';
            ++at;
            continue;
        }
        const auto c = static_cast<unsigned char>(text[at]);
        if (n == 1 && ((c < 32 && c != '\t') || c == 127)) out += ' ';
        else out.append(text, at, n);
        at += n;
    }
    return out;
}

std::string HexColor(int32_t value)
{
    const colorsplit::Channels c = colorsplit::Split(value);
    return Format("%02X%02X%02X", c.r, c.g, c.b);
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
