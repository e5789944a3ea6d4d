// Readers of Fractint maps, GIMP palettes and GIMP gradients, and writers of
// the first two. They share the MCF reader's line splitting and its message
// for a faulty line.
#include "palette/PaletteFormats.h"

#include "common/Convert.h"
#include "common/Exceptions.h"
#include "common/Format.h"
#include "common/QuoteText.h"
#include "common/Texts.h"
#include "palette/ColorSplit.h"
#include "palette/GgrGradient.h"
#include "palette/McfText.h"

#include <cmath>
#include <optional>
#include <vector>

namespace {

using mcftext::LineReader;

// Far beyond any gradient drawn by hand or by a program; each segment is a
// line of its own, so the file limit bounds them anyway.
constexpr int64_t kMaxSegments = 1 << 16;

// The loaders turn this into the line's own message.
struct BadLine {};

bool IsBlank(char c) { return static_cast<unsigned char>(c) <= 32; }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }

void SkipBlanks(const std::string& s, size_t& at)
{
    while (at < s.size() && IsBlank(s[at])) ++at;
}

bool IsBlankLine(const std::string& s)
{
    size_t at = 0;
    SkipBlanks(s, at);
    return at == s.size();
}

// Blanks, then a decimal number 0..255; at ends after its last digit.
int32_t ReadByte(const std::string& s, size_t& at)
{
    SkipBlanks(s, at);
    if (at >= s.size() || !IsDigit(s[at])) throw BadLine();
    int32_t value = 0;
    while (at < s.size() && IsDigit(s[at])) {
        value = std::min(value * 10 + (s[at] - '0'), 1000);
        ++at;
    }
    if (value > 255) throw BadLine();
    return value;
}

int32_t ReadRgb(const std::string& s, size_t& at)
{
    const int32_t r = ReadByte(s, at);
    const int32_t g = ReadByte(s, at);
    const int32_t b = ReadByte(s, at);
    return r + g * 256 + b * 65536;
}

// Line one of a GIMP file: its magic words, perhaps after a byte order mark
// and before blanks or a line end.
bool IsHeader(const std::string& line, const std::string& magic)
{
    size_t at = line.compare(0, 3, "\xEF\xBB\xBF") == 0 ? 3 : 0;
    if (line.compare(at, magic.size(), magic) != 0) return false;
    at += magic.size();
    SkipBlanks(line, at);
    return at == line.size();
}

bool StartsWith(const std::string& s, size_t at, const char* prefix)
{
    return s.compare(at, std::char_traits<char>::length(prefix), prefix) == 0;
}

[[noreturn]] void InvalidLine(int64_t number, const std::string& line)
{
    throw EConvertError(Format(TText::tr("%lld行目の形式が不正です。%s").c_str(), static_cast<long long>(number),
                               QuoteForMessage(mcftext::LineForMessage(line)).c_str()));
}

// The reader's lines with their numbers; a line beyond the length limit is
// a faulty line, a stream that fails is a file that cannot be read.
class Lines {
public:
    Lines(std::istream& in, const std::string& fileName) : reader_(in, TMcf::kMaxLineLength), fileName_(fileName) {}

    bool Next()
    {
        const LineReader::Result result = reader_.Next(line, number);
        if (result == LineReader::Result::TooLong) InvalidLine(number, line);
        if (result == LineReader::Result::End) {
            if (reader_.Failed())
                throw EFOpenError(
                    Format(TText::tr("ファイル '%s' を開けません。").c_str(), QuotePath(fileName_).c_str()));
            ++number; // a message about what is missing names the line after the last
            line.clear();
            return false;
        }
        return true;
    }

    std::string line;
    int64_t number = 0;

private:
    LineReader reader_;
    const std::string& fileName_;
};

// Runs step on the current line; whatever it throws becomes the line's message.
template <class Step>
void OnLine(const Lines& lines, Step step)
{
    try {
        step();
    } catch (const std::bad_alloc&) {
        throw;
    } catch (const ETooManyColors& e) {
        throw ETooManyColors(TextArg(TText::tr("%1行目で%2"), {std::to_string(lines.number), e.Message()}));
    } catch (...) {
        InvalidLine(lines.number, lines.line);
    }
}

void AddColor(std::vector<int32_t>& colors, int32_t value)
{
    // As many colours as an MCF file may give, so no format is the way round
    // the limit.
    if (colors.size() >= static_cast<size_t>(TMcf::kMaxColors))
        throw ETooManyColors(
            TextArg(TText::tr("色の数が上限の %1 色を超えます。"), {std::to_string(TMcf::kMaxColors)}));
    colors.push_back(value);
}

// The colours as MCF colour lines after a comment that names their file;
// each line may carry a remark after its six digits.
class TextBuilder {
public:
    explicit TextBuilder(const std::string& fileName)
    {
        const size_t slash = fileName.find_last_of("/\\");
        text_ = "* " + mcftext::KeptLine(slash == std::string::npos ? fileName : fileName.substr(slash + 1));
    }
    void Add(int32_t value, const std::string& remark = {})
    {
        text_ += '\n';
        text_ += mcftext::HexColor(value);
        if (!remark.empty()) text_ += ' ' + mcftext::KeptLine(remark);
    }
    std::string Take() { return std::move(text_); }

private:
    std::string text_;
};

} // namespace

void LoadMapStream(TMcf& mcf, std::istream& in, const std::string& fileName)
{
    Lines lines(in, fileName);
    std::vector<int32_t> colors;
    TextBuilder text(fileName);
    while (lines.Next()) {
        if (IsBlankLine(lines.line)) continue;
        OnLine(lines, [&] {
            size_t at = 0;
            const int32_t value = ReadRgb(lines.line, at);
            AddColor(colors, value);
            text.Add(value);
        });
    }
    mcf.Assign(colors.data(), colors.size(), fileName, text.Take());
}

void LoadGplStream(TMcf& mcf, std::istream& in, const std::string& fileName)
{
    Lines lines(in, fileName);
    if (!lines.Next() || !IsHeader(lines.line, "GIMP Palette")) InvalidLine(lines.number, lines.line);
    std::vector<int32_t> colors;
    TextBuilder text(fileName);
    while (lines.Next()) {
        const std::string& line = lines.line;
        size_t at = 0;
        SkipBlanks(line, at);
        if (at == line.size() || line[at] == '#' || StartsWith(line, at, "Name:")) continue;
        OnLine(lines, [&] {
            if (StartsWith(line, at, "Columns:")) {
                at += 8;
                SkipBlanks(line, at);
                if (at == line.size()) throw BadLine();
                while (at < line.size() && IsDigit(line[at])) ++at;
                SkipBlanks(line, at);
                if (at != line.size()) throw BadLine();
                return;
            }
            const int32_t value = ReadRgb(line, at);
            // The name is apart from the numbers by blanks.
            if (at < line.size() && !IsBlank(line[at])) throw BadLine();
            SkipBlanks(line, at);
            AddColor(colors, value);
            text.Add(value, line.substr(at));
        });
    }
    mcf.Assign(colors.data(), colors.size(), fileName, text.Take());
}

namespace {

std::vector<std::string> Fields(const std::string& line)
{
    std::vector<std::string> fields;
    size_t at = 0;
    for (;;) {
        SkipBlanks(line, at);
        if (at == line.size()) return fields;
        const size_t from = at;
        while (at < line.size() && !IsBlank(line[at])) ++at;
        if (fields.size() == 16) throw BadLine();
        fields.push_back(line.substr(from, at - from));
    }
}

double Real(const std::string& text)
{
    const std::optional<long double> v = TryStrToFloat(text);
    if (!v) throw BadLine();
    const double d = static_cast<double>(*v);
    if (!std::isfinite(d)) throw BadLine();
    return d;
}

int32_t Kind(const std::string& text, int32_t max)
{
    if (text.empty() || text.size() > 3) throw BadLine();
    int32_t v = 0;
    for (char c : text) {
        if (!IsDigit(c)) throw BadLine();
        v = v * 10 + (c - '0');
    }
    if (v > max) throw BadLine();
    return v;
}

ggr::TSegment Segment(const std::string& line, double previousRight)
{
    const std::vector<std::string> f = Fields(line);
    if (f.size() != 13 && f.size() != 15) throw BadLine();
    ggr::TSegment s;
    s.left = Real(f[0]);
    s.middle = Real(f[1]);
    s.right = Real(f[2]);
    s.leftColor = {Real(f[3]), Real(f[4]), Real(f[5])};
    Real(f[6]); // alpha
    s.rightColor = {Real(f[7]), Real(f[8]), Real(f[9])};
    Real(f[10]);
    s.blending = static_cast<ggr::TBlending>(Kind(f[11], 5));
    s.coloring = static_cast<ggr::TColoring>(Kind(f[12], 2));
    if (f.size() == 15) {
        // Fixed, foreground or background colours: the file holds the
        // colours they had, which is what a palette can keep.
        Kind(f[13], 4);
        Kind(f[14], 4);
    }
    if (!(s.left == previousRight && s.left <= s.middle && s.middle <= s.right && s.right <= 1)) throw BadLine();
    return s;
}

} // namespace

void LoadGgrStream(TMcf& mcf, std::istream& in, const std::string& fileName)
{
    Lines lines(in, fileName);
    if (!lines.Next() || !IsHeader(lines.line, "GIMP Gradient")) InvalidLine(lines.number, lines.line);
    // The optional name, then the number of segments.
    bool more = lines.Next();
    while (more && IsBlankLine(lines.line)) more = lines.Next();
    if (more && StartsWith(lines.line, 0, "Name:")) {
        more = lines.Next();
        while (more && IsBlankLine(lines.line)) more = lines.Next();
    }
    if (!more) InvalidLine(lines.number, lines.line);
    int64_t count = 0;
    OnLine(lines, [&] {
        const std::vector<std::string> f = Fields(lines.line);
        if (f.size() != 1 || f[0].size() > 6) throw BadLine();
        for (char c : f[0]) {
            if (!IsDigit(c)) throw BadLine();
            count = count * 10 + (c - '0');
        }
        if (count < 1 || count > kMaxSegments) throw BadLine();
    });
    std::vector<ggr::TSegment> segments;
    double right = 0;
    while (static_cast<int64_t>(segments.size()) < count) {
        if (!lines.Next()) InvalidLine(lines.number, lines.line);
        if (IsBlankLine(lines.line)) continue;
        OnLine(lines, [&] {
            segments.push_back(Segment(lines.line, right));
            right = segments.back().right;
            if (static_cast<int64_t>(segments.size()) == count && right != 1) throw BadLine();
        });
    }
    while (lines.Next())
        if (!IsBlankLine(lines.line)) InvalidLine(lines.number, lines.line);
    const std::vector<int32_t> colors = ggr::Sample256(segments);
    TextBuilder text(fileName);
    for (int32_t c : colors) text.Add(c);
    mcf.Assign(colors.data(), colors.size(), fileName, text.Take());
}

std::string MapText(const TMcf& mcf)
{
    std::string out;
    for (int32_t i = 0; i <= mcf.High; ++i) {
        const colorsplit::Channels c = colorsplit::Split(mcf.Colors[static_cast<size_t>(i)]);
        out += Format("%d %d %d\n", c.r, c.g, c.b);
    }
    return out;
}

std::string GplText(const TMcf& mcf, const std::string& name)
{
    std::string out = "GIMP Palette\nName: " + mcftext::KeptLine(name) + "\nColumns: 16\n#\n";
    for (int32_t i = 0; i <= mcf.High; ++i) {
        const int32_t value = mcf.Colors[static_cast<size_t>(i)];
        const colorsplit::Channels c = colorsplit::Split(value);
        out += Format("%3d %3d %3d\t", c.r, c.g, c.b) + mcftext::HexColor(value) + "\n";
    }
    return out;
}
