// Reading MCF text into segments and writing it back.
#include "palette/McfLines.h"

#include "common/Convert.h"
#include "common/Format.h"
#include "common/SafeFile.h"
#include "palette/McfText.h"
#include "palette/UMcf.h"

#include <algorithm>
#include <charconv>
#include <cstdio>
#include <sstream>

TPaletteSegment TPaletteSegment::Single(int32_t color)
{
    TPaletteSegment s;
    s.kind = TSegmentKind::Color;
    s.color = color;
    return s;
}

TPaletteSegment TPaletteSegment::Gradient(int32_t start, int32_t end, int32_t count)
{
    TPaletteSegment s;
    s.kind = TSegmentKind::Gradient;
    s.color = start;
    s.endColor = end;
    s.count = count;
    return s;
}

TPaletteSegment TPaletteSegment::Ramp(TRampChannel red, TRampChannel green, TRampChannel blue, int32_t count)
{
    TPaletteSegment s;
    s.kind = TSegmentKind::Ramp;
    s.red = red;
    s.green = green;
    s.blue = blue;
    s.count = count;
    return s;
}

namespace {

bool SameChannel(const TRampChannel& a, const TRampChannel& b) { return a.base == b.base && a.step == b.step; }

std::string Hex(int32_t color)
{
    TRgb rgb;
    rgb.SetValue(color);
    return Format("%02X%02X%02X", rgb.R, rgb.G, rgb.B);
}

// The shortest decimal text the loader reads back as exactly this double.
// The loader rounds to extended precision first and then to a double, so a
// text is checked through that very path; 21 digits always come back exact.
std::string StepText(double step)
{
    char buffer[64];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, step);
    std::string text(buffer, result.ptr);
    const auto readBack = [](const std::string& t) {
        const auto v = TryStrToFloat(t);
        return v ? std::optional<double>(static_cast<double>(*v)) : std::nullopt;
    };
    for (int digits = 17; readBack(text) != step && digits <= 21; ++digits)
        text = Format("%.*Lg", digits, static_cast<long double>(step));
    return text;
}

char UpperAscii(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }

int32_t HexColor(const std::string& text)
{
    TRgb rgb;
    rgb.SetHex(text);
    return rgb.GetValue();
}

// The values of a line the loader has accepted, taken apart the way the
// loader takes it apart.
TPaletteSegment SegmentOf(const std::string& line)
{
    TPaletteSegment s;
    s.source = line;
    std::string keyword = line.substr(0, 5);
    for (char& c : keyword) c = UpperAscii(c);
    if (keyword == "#GRAD") {
        std::string rest = mcftext::TrimFields(line.substr(5));
        s.kind = TSegmentKind::Gradient;
        s.color = HexColor(rest.substr(0, 6));
        rest.erase(0, 7);
        s.endColor = HexColor(rest.substr(0, 6));
        rest.erase(0, 7);
        s.count = StrToInt(rest);
    } else if (keyword == "#LINE") {
        std::string rest = mcftext::TrimFields(line.substr(5));
        std::string fields[6];
        for (auto& field : fields) {
            const size_t comma = rest.find(',');
            field = rest.substr(0, comma);
            rest.erase(0, comma + 1);
        }
        s.kind = TSegmentKind::Ramp;
        s.red = {StrToInt(fields[0]), ToDoubleChecked(StrToFloat(fields[1]))};
        s.green = {StrToInt(fields[2]), ToDoubleChecked(StrToFloat(fields[3]))};
        s.blue = {StrToInt(fields[4]), ToDoubleChecked(StrToFloat(fields[5]))};
        s.count = StrToInt(rest);
    } else {
        s.kind = TSegmentKind::Color;
        s.color = HexColor(line.substr(0, 6));
        s.remark = line.size() > 6 ? line.substr(6) : std::string();
    }
    return s;
}

// Lines that add no colour: empty, comments and keywords the loader ignores.
bool AddsColors(const std::string& line)
{
    if (line.empty() || line[0] == '*') return false;
    if (line[0] != '#') return true;
    std::string keyword = line.substr(0, 5);
    for (char& c : keyword) c = UpperAscii(c);
    return keyword == "#GRAD" || keyword == "#LINE";
}

// The line to write: the one read while it still says the same.
std::string LineToWrite(const TPaletteSegment& s)
{
    if (!s.source.empty()) {
        try {
            const TPaletteSegment read = SegmentOf(s.source);
            if (SameColors(read, s) && (s.kind != TSegmentKind::Color || read.remark == s.remark)) return s.source;
        } catch (const std::exception&) {
            // A source that no longer reads is simply written anew.
        }
    }
    return SegmentLine(s);
}

} // namespace

bool SameColors(const TPaletteSegment& a, const TPaletteSegment& b)
{
    if (a.kind != b.kind) return false;
    switch (a.kind) {
    case TSegmentKind::Color: return a.color == b.color;
    case TSegmentKind::Gradient: return a.color == b.color && a.endColor == b.endColor && a.count == b.count;
    case TSegmentKind::Ramp:
        return SameChannel(a.red, b.red) && SameChannel(a.green, b.green) && SameChannel(a.blue, b.blue) &&
               a.count == b.count;
    }
    return false;
}

std::string SegmentLine(const TPaletteSegment& s)
{
    switch (s.kind) {
    case TSegmentKind::Color: return Hex(s.color) + s.remark;
    case TSegmentKind::Gradient: return "#GRAD " + Hex(s.color) + "," + Hex(s.endColor) + "," + std::to_string(s.count);
    case TSegmentKind::Ramp:
        return "#LINE " + std::to_string(s.red.base) + "," + StepText(s.red.step) + "," + std::to_string(s.green.base) +
               "," + StepText(s.green.step) + "," + std::to_string(s.blue.base) + "," + StepText(s.blue.step) + "," +
               std::to_string(s.count);
    }
    return {};
}

TPaletteLines TPaletteLines::Parse(const std::string& text)
{
    {
        // The loader decides what is valid and words the message.
        std::istringstream in(text);
        TMcf check;
        check.LoadFromStream(in, std::string());
    }
    TPaletteLines lines;
    std::istringstream in(text);
    mcftext::LineReader reader(in, TMcf::kMaxLineLength);
    std::string line;
    int64_t number = 0;
    std::vector<std::string> pending;
    while (reader.Next(line, number) == mcftext::LineReader::Result::Line) {
        if (!AddsColors(line)) {
            pending.push_back(line);
            continue;
        }
        TPaletteSegment segment = SegmentOf(line);
        (lines.segments.empty() ? lines.header : segment.before).swap(pending);
        lines.segments.push_back(std::move(segment));
    }
    lines.after.swap(pending);
    return lines;
}

TPaletteLines TPaletteLines::FromColors(const std::vector<int32_t>& colors)
{
    TPaletteLines lines;
    for (int32_t color : colors) lines.segments.push_back(TPaletteSegment::Single(color));
    return lines;
}

void TPaletteLines::SaveToFile(const std::string& path) const
{
    const std::string text = Text();
    {
        std::istringstream in(text);
        TMcf check;
        check.LoadFromStream(in, path);
    }
    // Blank lines are what the loader skips, should an in-place write pad.
    WriteFileReplacing(path, text, {}, '\n');
}

std::string TPaletteLines::Text() const
{
    std::string text;
    const auto put = [&text](const std::string& line) {
        text += line;
        text += '\n';
    };
    for (const std::string& line : header) put(line);
    for (const TPaletteSegment& s : segments) {
        for (const std::string& line : s.before) put(line);
        put(LineToWrite(s));
    }
    for (const std::string& line : after) put(line);
    return text;
}

std::vector<int32_t> TPaletteLines::SegmentColors(const TPaletteSegment& segment)
{
    TMcf scratch;
    scratch.ParseLine(SegmentLine(segment));
    return std::vector<int32_t>(scratch.Colors.begin(), scratch.Colors.begin() + (scratch.High + 1));
}

std::vector<int32_t> TPaletteLines::Colors() const
{
    std::istringstream in(Text());
    TMcf mcf;
    mcf.LoadFromStream(in, std::string());
    return std::vector<int32_t>(mcf.Colors.begin(), mcf.Colors.begin() + (mcf.High + 1));
}

void TPaletteLines::Insert(size_t at, TPaletteSegment segment)
{
    if (at > segments.size()) return;
    segments.insert(segments.begin() + static_cast<std::ptrdiff_t>(at), std::move(segment));
}

void TPaletteLines::Remove(size_t at)
{
    if (at >= segments.size()) return;
    // Its comments stay in the file, with the segment that now follows.
    std::vector<std::string> before = std::move(segments[at].before);
    segments.erase(segments.begin() + static_cast<std::ptrdiff_t>(at));
    std::vector<std::string>& into = at < segments.size() ? segments[at].before : after;
    into.insert(into.begin(), before.begin(), before.end());
}

void TPaletteLines::Move(size_t from, size_t to)
{
    if (from >= segments.size() || to >= segments.size() || from == to) return;
    TPaletteSegment moving = std::move(segments[from]);
    segments.erase(segments.begin() + static_cast<std::ptrdiff_t>(from));
    segments.insert(segments.begin() + static_cast<std::ptrdiff_t>(to), std::move(moving));
}

void TPaletteLines::Reverse() { std::reverse(segments.begin(), segments.end()); }
