// Reading and writing pattern documents. The reader looks every part up in a
// fixed order and converts each value as soon as it is found, so a broken
// file always gives the message of its first fault.
#include "document/UVqd.h"

#include "common/Convert.h"
#include "common/Format.h"
#include "common/NumberFormat.h"
#include "common/QuoteText.h"
#include "common/Texts.h"
#include "xml/XmlDom.h"
#include "xml/XmlParser.h"

#include <algorithm>
#include <cctype>
#include <cmath>

namespace {

// Every written document is this text with the values under dataInfo replaced.
// Its applicationInfo version names the document format that readers expect,
// not the program's version, so it stays as it is when the program moves on.
const char* const kTemplate =
    "<?xml version=\"1.0\" encoding=\"Shift_JIS\"?>\r\n"
    "<!-- Velquor保存データ -->\r\n"
    "<saveData>\r\n"
    "\t<applicationInfo name=\"velquor\" version=\"0.11.0\" />\r\n"
    "\t<dataInfo>\r\n"
    "\t\t<center x=\"0\" y=\"0\" />\r\n"
    "\t\t<colorchange value=\"0\" />\r\n"
    "\t\t<incremental x=\"1\" y=\"1\" />\r\n"
    "\t\t<palette name=\"稲妻\" />\r\n"
    "\t\t<size x=\"400\" y=\"400\" />\r\n"
    "\t\t<formula type=\"1\" name=\"0\" />\r\n"
    "\t\t<effect shadeoff=\"0\" />\r\n"
    "\t\t<pointmove type=\"0\" a=\"0\" b=\"0\" c=\"0\" d=\"0\" />\r\n"
    "\t</dataInfo>\r\n"
    "</saveData>";

// The template's last line under dataInfo: the palette's own elements follow it.
const char* const kPointMoveLine = "\t\t<pointmove type=\"0\" a=\"0\" b=\"0\" c=\"0\" d=\"0\" />\r\n";

// Markup characters as references, for text placed in the template.
std::string EscapeText(const std::string& text)
{
    std::string out;
    out.reserve(text.size());
    for (char c : text) {
        if (c == '&') out += "&amp;";
        else if (c == '<') out += "&lt;";
        else if (c == '>') out += "&gt;";
        else if (c == '\n') out += "\r\n";
        else out += c;
    }
    return out;
}

// The palette text as written: every line on a line of its own between the
// tags, the end tag indented like the others.
std::string PaletteTextElement(const std::string& text)
{
    return "\t\t<palettetext>\r\n" + EscapeText(text) + "\r\n\t\t</palettetext>\r\n";
}

// The inverse of PaletteTextElement, also for text written by hand.
std::string PaletteTextOf(std::string text)
{
    if (text.compare(0, 1, "\n") == 0) text.erase(0, 1);
    const size_t last = text.rfind('\n');
    if (last != std::string::npos && text.find_first_not_of(" \t", last + 1) == std::string::npos) text.erase(last);
    else if (last == std::string::npos && text.find_first_not_of(" \t") == std::string::npos) text.clear();
    return text;
}

EVqdError NotFound(const std::string& what) { return EVqdError(TextArg(TText::tr("%1が読み込めません。"), {what})); }

template <typename Parent>
TXmlElement Element(const Parent& parent, const std::string& name)
{
    auto e = parent.FindChild(name);
    if (!e) throw NotFound("<" + name + ">");
    return *e;
}

std::string Attribute(const TXmlElement& e, const std::string& name)
{
    auto v = e.FindAttribute(name);
    if (!v) throw NotFound("<" + e.Name() + "/@" + name + ">");
    return *v;
}

long double Real(const TXmlElement& e, const std::string& name) { return StrToFloat(Attribute(e, name)); }
int32_t Integer(const TXmlElement& e, const std::string& name) { return StrToInt(Attribute(e, name)); }

bool Boolean(const TXmlElement& e, const std::string& name)
{
    const std::string text = Attribute(e, name);
    if (auto f = TryStrToFloat(text)) return *f != 0;
    if (auto i = TryStrToInt(text)) return *i != 0;
    std::string lower = text;
    std::transform(lower.begin(), lower.end(), lower.begin(), [](unsigned char c) { return std::tolower(c); });
    if (lower == "true") return true;
    if (lower == "false") return false;
    throw EConvertError(TextArg(TText::tr("'%1' は正しい論理型ではありません"), {QuoteForMessage(text)}));
}

// A NaN or infinity would make a document that no reader accepts.
void SetReal(TXmlElement& e, const std::string& name, long double value)
{
    if (!std::isfinite(value)) throw EInvalidOp(kMsgInvalidOp);
    e.SetAttribute(name, FloatToStr(value));
}

void SetInteger(TXmlElement& e, const std::string& name, int32_t value) { e.SetAttribute(name, std::to_string(value)); }

} // namespace

TVqd::TVqd() : dom_(std::make_unique<TXmlDomImplementation>()), parser_(std::make_unique<TXmlParser>(*dom_)) {}

TVqd::~TVqd()
{
    parser_.reset();
    dom_.reset();
}

void TVqd::LoadFromFile(const std::string& path)
{
    dom_->Clear();
    parser_->ParseFile(path);
    FillFromDocument();
}

void TVqd::LoadFromBytes(const std::string& bytes, const std::string& sourceName)
{
    dom_->Clear();
    parser_->ParseBytes(bytes, sourceName);
    FillFromDocument();
}

void TVqd::FillFromDocument()
{
    const TXmlDocument& doc = dom_->Document(0);
    const TXmlElement saveData = Element(doc, "saveData");

    const TXmlElement appInfo = Element(saveData, "applicationInfo");
    AppName = Attribute(appInfo, "name");
    if (AppName != "velquor") throw EVqdError(TText::tr("他アプリケーションのファイルです。"));
    AppVersion = Attribute(appInfo, "version");

    const TXmlElement dataInfo = Element(saveData, "dataInfo");
    const TXmlElement center = Element(dataInfo, "center");
    Center.X = Real(center, "x");
    Center.Y = Real(center, "y");
    const TXmlElement incremental = Element(dataInfo, "incremental");
    Incremental.X = Real(incremental, "x");
    Incremental.Y = Real(incremental, "y");
    PaletteName = Attribute(Element(dataInfo, "palette"), "name");
    const TXmlElement size = Element(dataInfo, "size");
    Size.X = Integer(size, "x");
    Size.Y = Integer(size, "y");
    const TXmlElement formula = Element(dataInfo, "formula");
    FormulaType = Integer(formula, "type");
    FormulaName = Attribute(formula, "name");

    const auto effect = dataInfo.FindChild("effect");
    ShadeOff = effect ? Boolean(*effect, "shadeoff") : false;
    const auto colorChange = dataInfo.FindChild("colorchange");
    ColorChange = colorChange ? ToDoubleChecked(Real(*colorChange, "value")) : 1.0;
    const auto pointMove = dataInfo.FindChild("pointmove");
    if (pointMove) {
        PointMoveType = Integer(*pointMove, "type");
        PointMoveParam.a = Real(*pointMove, "a");
        PointMoveParam.b = Real(*pointMove, "b");
        PointMoveParam.c = Real(*pointMove, "c");
        PointMoveParam.d = Real(*pointMove, "d");
    } else {
        PointMoveType = 0;
        PointMoveParam = TPointMoveParam{};
    }
    const auto offset = dataInfo.FindChild("paletteoffset");
    PaletteOffset = offset ? Integer(*offset, "value") : 0;
    const auto text = dataInfo.FindChild("palettetext");
    if (text) PaletteText = PaletteTextOf(text->Text());
    else PaletteText.reset();
}

void TVqd::SaveToFile(const std::string& path)
{
    // Everything that can fail on the way to the bytes fails before the file
    // is touched. White space after the root element is what an in-place
    // save pads with.
    WriteFileReplacing(path, SaveToShiftJis(), seams_, ' ');
}

std::string TVqd::SaveToShiftJis()
{
    dom_->Clear();
    // A document of the classic fields alone is the template exactly.
    std::string added;
    if (PaletteOffset != 0) added += "\t\t<paletteoffset value=\"" + std::to_string(PaletteOffset) + "\" />\r\n";
    if (PaletteText) added += PaletteTextElement(*PaletteText);
    std::string source = kTemplate;
    if (!added.empty())
        source.insert(source.find(kPointMoveLine) + std::char_traits<char>::length(kPointMoveLine), added);
    const TXmlDocument& doc = parser_->ParseText(source, "template");
    const TXmlElement dataInfo = Element(Element(doc, "saveData"), "dataInfo");

    TXmlElement center = Element(dataInfo, "center");
    SetReal(center, "x", Center.X);
    SetReal(center, "y", Center.Y);
    TXmlElement colorChange = Element(dataInfo, "colorchange");
    SetReal(colorChange, "value", ColorChange);
    TXmlElement incremental = Element(dataInfo, "incremental");
    SetReal(incremental, "x", Incremental.X);
    SetReal(incremental, "y", Incremental.Y);
    Element(dataInfo, "palette").SetAttribute("name", PaletteName);
    TXmlElement size = Element(dataInfo, "size");
    SetInteger(size, "x", Size.X);
    SetInteger(size, "y", Size.Y);
    TXmlElement formula = Element(dataInfo, "formula");
    SetInteger(formula, "type", FormulaType);
    formula.SetAttribute("name", FormulaName);
    Element(dataInfo, "effect").SetAttribute("shadeoff", ShadeOff ? "-1" : "0");
    TXmlElement pointMove = Element(dataInfo, "pointmove");
    SetInteger(pointMove, "type", PointMoveType);
    SetReal(pointMove, "a", PointMoveParam.a);
    SetReal(pointMove, "b", PointMoveParam.b);
    SetReal(pointMove, "c", PointMoveParam.c);
    SetReal(pointMove, "d", PointMoveParam.d);

    return doc.SaveToShiftJis();
}
