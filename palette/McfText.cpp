// Line splitting, field trimming and code-page conversion for MCF files.
#include "palette/McfText.h"

#include "common/TextEncoding.h"

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
