// Reading velquor-render's command line.
#include "cli/RenderOptions.h"
#include "common/Texts.h"

#include "cli/RenderMessages.h"
#include "common/Convert.h"
#include "common/Format.h"
#include "common/QuoteText.h"
#include "document/MainOperations.h"

namespace {

using namespace rendertext;

std::vector<std::string> Split(const std::string& text, char separator)
{
    std::vector<std::string> parts;
    size_t start = 0;
    for (;;) {
        const size_t at = text.find(separator, start);
        parts.push_back(text.substr(start, at == std::string::npos ? std::string::npos : at - start));
        if (at == std::string::npos) return parts;
        start = at + 1;
    }
}

std::vector<long double> Reals(const std::string& option, const std::string& text, size_t count)
{
    const std::vector<std::string> parts = Split(text, ',');
    if (parts.size() != count) throw EUsage(Format(TText::tr(kNeedsNumbers).c_str(), option.c_str(), static_cast<int>(count)));
    std::vector<long double> values;
    for (const std::string& p : parts) values.push_back(StrToFloat(p));
    return values;
}

} // namespace

TRenderOptions ParseRenderOptions(const std::vector<std::string>& args)
{
    TRenderOptions o;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        auto value = [&]() -> const std::string& {
            if (i + 1 >= args.size()) throw EUsage(Format(TText::tr(kNeedsValue).c_str(), a.c_str()));
            return args[++i];
        };
        if (a == "--help" || a == "-h") {
            o.help = true;
        } else if (a == "--version") {
            o.version = true;
        } else if (a == "--formula") {
            const std::string& v = value();
            StrToInt(v);
            o.formula = std::make_pair(kBuiltinFormulaType, v);
        } else if (a == "--formula-expr") {
            o.formula = std::make_pair(kExpressionFormulaType, value());
        } else if (a == "--point-move") {
            o.pointMove = StrToInt(value());
        } else if (a == "--params") {
            const auto v = Reals(a, value(), 4);
            o.params = TPointMoveParam{v[0], v[1], v[2], v[3]};
        } else if (a == "--center") {
            const auto v = Reals(a, value(), 2);
            o.center = FloatPoint(v[0], v[1]);
        } else if (a == "--increment") {
            const auto v = Reals(a, value(), 2);
            o.increment = FloatPoint(v[0], v[1]);
        } else if (a == "--size" || a == "--canvas") {
            const std::vector<std::string> parts = Split(value(), 'x');
            if (parts.size() != 2) throw EUsage(TText::tr(a == "--size" ? kSizeForm : kCanvasForm));
            (a == "--size" ? o.size : o.canvas) = std::make_pair(StrToInt(parts[0]), StrToInt(parts[1]));
        } else if (a == "--scale") {
            o.scale = StrToInt(value());
        } else if (a == "--antialias") {
            o.antialias = StrToInt(value());
        } else if (a == "--embed-document") {
            o.embedDocument = true;
        } else if (a == "--color-change") {
            // Checked as a document's value is: beyond a double is an overflow.
            o.colorChange = ToDoubleChecked(StrToFloat(value()));
        } else if (a == "--palette") {
            o.palette = value();
            if (o.palette->empty()) throw EUsage(TText::tr(kEmptyPalette));
        } else if (a == "--palette-offset") {
            o.paletteOffset = StrToInt(value());
        } else if (a == "--palette-dir") {
            o.paletteDir = value();
        } else if (a == "--shade-off") {
            o.shadeOff = true;
        } else if (a == "-o" || a == "--output") {
            o.output = value();
            if (o.output->empty()) throw EUsage(TText::tr(kEmptyOutput));
        } else if (a == "--format") {
            const std::string& v = value();
            if (v == "bmp") o.filterIndex = 1;
            else if (v == "png") o.filterIndex = 2;
            else throw EUsage(Format(TText::tr(kFormatValue).c_str(), QuoteForMessage(v).c_str()));
        } else if (a == "--save-document") {
            o.saveDocument = value();
            if (o.saveDocument->empty()) throw EUsage(TText::tr(kEmptyDocumentOutput));
        } else if (!a.empty() && a[0] == '-') {
            throw EUsage(Format(TText::tr(kUnknownOption).c_str(), QuoteForMessage(a).c_str()));
        } else if (a.empty()) {
            throw EUsage(TText::tr(kEmptyDocument));
        } else if (!o.document) {
            o.document = a;
        } else {
            throw EUsage(Format(TText::tr(kOneDocument).c_str(), QuotePath(*o.document).c_str(), QuotePath(a).c_str()));
        }
    }
    return o;
}

