// Colour values, the palette and the MCF palette file reader.
#include "palette/UMcf.h"

#include "common/Convert.h"
#include "common/Exceptions.h"
#include "common/Format.h"
#include "common/FpuMath.h"
#include "common/InputFile.h"
#include "common/QuoteText.h"
#include "common/Texts.h"
#include "palette/ColorSplit.h"
#include "palette/McfText.h"

#include <algorithm>
#include <sstream>

void TRgb::SetR(int32_t v) { R = colorsplit::Clamp255(v); }
void TRgb::SetG(int32_t v) { G = colorsplit::Clamp255(v); }
void TRgb::SetB(int32_t v) { B = colorsplit::Clamp255(v); }

void TRgb::SetValue(int32_t v)
{
    const colorsplit::Channels c = colorsplit::Split(v);
    R = c.r;
    G = c.g;
    B = c.b;
}

namespace {

// Characters from..from+1 of text (fewer near its end) as a hexadecimal number.
int32_t HexPair(const std::string& text, size_t from)
{
    const std::string pair = from < text.size() ? text.substr(from, 2) : std::string();
    int32_t value = 0;
    for (char c : pair) {
        const int d = HexDigitValue(c);
        if (d < 0) {
            value = -1;
            break;
        }
        value = value * 16 + d;
    }
    if (pair.empty() || value < 0)
        throw EConvertError(Format(TText::tr("'$%s' は整数ではありません").c_str(), pair.c_str()));
    return value;
}

} // namespace

void TRgb::SetHex(const std::string& text)
{
    const int32_t r = HexPair(text, 0);
    const int32_t g = HexPair(text, 2);
    const int32_t b = HexPair(text, 4);
    SetR(r);
    SetG(g);
    SetB(b);
}

TMcf::TMcf() : Colors(128, 0) {}

void TMcf::Add(int32_t value)
{
    if (High == INT32_MAX)
        throw ERangeError(Format(TText::tr("パレットの範囲を越えています。最大[%d] 指定[%d]").c_str(), High, High));
    ++High;
    if (static_cast<size_t>(High) >= Colors.size()) Colors.resize(Colors.size() * 2, 0);
    Colors[static_cast<size_t>(High)] = value;
}

void TMcf::RaiseRange(int32_t index) const
{
    throw ERangeError(Format(TText::tr("パレットの範囲を越えています。最大[%d] 指定[%d]").c_str(), High, index));
}

std::string TMcf::GetName() const
{
    const size_t slash = FileName.find_last_of("/\\");
    std::string name = slash == std::string::npos ? FileName : FileName.substr(slash + 1);
    const size_t dot = name.rfind('.');
    if (dot != std::string::npos) name.erase(dot);
    return name;
}

void TMcf::SetDefault()
{
    Clear();
    Add(0);
    // The plain product: carries run from one channel into the next.
    for (int32_t i = 1; i <= 127; ++i) Add(i * 132104);
    FileName = "標準.mcf";
    Text.clear();
    Builtin = true;
}

namespace {

// The loader replaces this message with the line's own.
struct InvalidLine : EConvertError {
    InvalidLine() : EConvertError("invalid line") {}
};

void CheckRoom(const TMcf& palette, int32_t count)
{
    if (count > 0 && int64_t{palette.High} + 1 + count > TMcf::kMaxColors)
        throw ETooManyColors(
            TextArg(TText::tr("色の数が上限の %1 色を超えます。"), {std::to_string(TMcf::kMaxColors)}));
}

// The text after a five-character keyword, which must start with one space.
std::string KeywordArguments(const std::string& line)
{
    if (line.size() < 6 || line[5] != ' ') throw InvalidLine();
    return mcftext::TrimFields(line.substr(5));
}

void ParseGrad(TMcf& palette, const std::string& line)
{
    std::string rest = KeywordArguments(line);
    TRgb start, end;
    start.SetHex(rest.substr(0, 6));
    if (rest.size() < 7 || rest[6] != ',') throw InvalidLine();
    rest.erase(0, 7);
    end.SetHex(rest.substr(0, 6));
    if (rest.size() < 7 || rest[6] != ',') throw InvalidLine();
    rest.erase(0, 7);
    const int32_t n = StrToInt(rest);
    if (n == 0) throw EZeroDivide(kMsgZeroDivide);
    CheckRoom(palette, n);
    const long double count = n;
    const double stepR = static_cast<double>((end.R - start.R) / count);
    const double stepG = static_cast<double>((end.G - start.G) / count);
    const double stepB = static_cast<double>((end.B - start.B) / count);
    TRgb color;
    for (int32_t i = 0; i < n; ++i) {
        const long double li = i;
        // |i * step| never exceeds 255, so the sums stay small.
        color.SetR(static_cast<int32_t>(fpu::Round(li * stepR) + start.R));
        color.SetG(static_cast<int32_t>(fpu::Round(li * stepG) + start.G));
        color.SetB(static_cast<int32_t>(fpu::Round(li * stepB) + start.B));
        palette.Add(color.GetValue());
    }
}

// (base + nearest(i * k)) mod 256, the 64-bit sum wrapping as it always has.
int32_t LinearChannel(int32_t base, double k, int32_t i)
{
    const int64_t n = fpu::Round(static_cast<long double>(i) * k);
    const auto sum = static_cast<int64_t>(static_cast<uint64_t>(int64_t{base}) + static_cast<uint64_t>(n));
    return static_cast<int32_t>(sum % 256);
}

void ParseLinear(TMcf& palette, const std::string& line)
{
    std::string rest = KeywordArguments(line);
    std::string fields[6];
    for (auto& field : fields) {
        const size_t comma = rest.find(',');
        if (comma == std::string::npos) throw InvalidLine();
        field = rest.substr(0, comma);
        rest.erase(0, comma + 1);
    }
    const int32_t r0 = StrToInt(fields[0]);
    const double kr = ToDoubleChecked(StrToFloat(fields[1]));
    const int32_t g0 = StrToInt(fields[2]);
    const double kg = ToDoubleChecked(StrToFloat(fields[3]));
    const int32_t b0 = StrToInt(fields[4]);
    const double kb = ToDoubleChecked(StrToFloat(fields[5]));
    const int32_t n = StrToInt(rest);
    CheckRoom(palette, n);
    TRgb color;
    for (int32_t i = 0; i < n; ++i) {
        color.SetR(LinearChannel(r0, kr, i));
        color.SetG(LinearChannel(g0, kg, i));
        color.SetB(LinearChannel(b0, kb, i));
        palette.Add(color.GetValue());
    }
}

char UpperAscii(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }

} // namespace

void TMcf::ParseLine(const std::string& line)
{
    TMcf& palette = *this;
    if (!line.empty() && line[0] == '#') {
        std::string keyword = line.substr(0, 5);
        for (char& c : keyword) c = UpperAscii(c);
        if (keyword == "#GRAD") ParseGrad(palette, line);
        else if (keyword == "#LINE") ParseLinear(palette, line);
        return;
    }
    CheckRoom(palette, 1);
    TRgb color;
    color.SetHex(line.substr(0, 6));
    palette.Add(color.GetValue());
}

namespace {

[[noreturn]] void CannotOpen(const std::string& path)
{
    throw EFOpenError(Format(TText::tr("ファイル '%s' を開けません。").c_str(), QuotePath(path).c_str()));
}

[[noreturn]] void InvalidLineMessage(int64_t number, const std::string& line)
{
    // Whatever went wrong, the user is told which line to fix.
    throw EConvertError(Format(TText::tr("%lld行目の形式が不正です。%s").c_str(), static_cast<long long>(number),
                               QuoteForMessage(mcftext::LineForMessage(line)).c_str()));
}

[[noreturn]] void TooManyColorsMessage(int64_t number, const ETooManyColors& e)
{
    throw ETooManyColors(TextArg(TText::tr("%1行目で%2"), {std::to_string(number), e.Message()}));
}

} // namespace

void TMcf::LoadFromFile(const std::string& path)
{
    TInputFile file(path, kMaxFileBytes);
    LoadFromStream(file.Stream(), path);
}

void TMcf::LoadFromStream(std::istream& in, const std::string& fileName)
{
    // Line by line: the memory a load takes is that of the palette it
    // builds, whatever the size of the file.
    mcftext::LineReader reader(in, kMaxLineLength);
    TMcf scratch;
    std::string line;
    std::string text;
    bool keepText = true;
    int64_t number = 0;
    for (;;) {
        const mcftext::LineReader::Result result = reader.Next(line, number);
        if (result == mcftext::LineReader::Result::End) break;
        if (result == mcftext::LineReader::Result::TooLong) InvalidLineMessage(number, line);
        if (keepText) {
            if (number > 1) text += '\n';
            text += mcftext::KeptLine(line);
            keepText = text.size() <= kMaxKeptText;
        }
        if (line.empty() || line[0] == '*') continue;
        try {
            scratch.ParseLine(line);
        } catch (const ETooManyColors& e) {
            TooManyColorsMessage(number, e);
        } catch (...) {
            InvalidLineMessage(number, line);
        }
    }
    if (reader.Failed()) CannotOpen(fileName);
    if (!keepText) {
        text.clear();
        for (int32_t i = 0; i <= scratch.High; ++i) {
            if (i > 0) text += '\n';
            text += mcftext::HexColor(scratch.Colors[static_cast<size_t>(i)]);
        }
    }
    Assign(scratch.Colors.data(), static_cast<size_t>(scratch.High + 1), fileName, std::move(text));
}

void TMcf::LoadFromText(const std::string& text, const std::string& fileName)
{
    std::istringstream in(text);
    LoadFromStream(in, fileName);
}

void TMcf::Assign(const int32_t* colors, size_t count, std::string fileName, std::string text)
{
    if (count > static_cast<size_t>(INT32_MAX))
        throw ERangeError(
            Format(TText::tr("パレットの範囲を越えています。最大[%d] 指定[%d]").c_str(), High, INT32_MAX));
    // Everything that may fail for lack of memory happens before this
    // palette changes. The capacity doubles as Add would have doubled it.
    size_t capacity = Colors.size();
    while (capacity < count) capacity *= 2;
    std::vector<int32_t> stored(Colors);
    stored.resize(capacity, 0);
    std::copy(colors, colors + count, stored.begin());
    Colors.swap(stored);
    High = static_cast<int32_t>(count) - 1;
    FileName.swap(fileName);
    Text.swap(text);
    Builtin = false;
}
