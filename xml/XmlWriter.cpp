// The document writer. It is ours rather than libxml2's so that the bytes are
// exactly what Windows readers of the format expect: end tags even for empty
// elements, CR LF line ends, and CP932 with character references for what
// CP932 cannot hold in text and attribute values (names cannot take them).
#include "xml/XmlDom.h"

#include "common/TextEncoding.h"
#include "common/Texts.h"
#include "xml/XmlEncoding.h"
#include "xml/XmlError.h"
#include "xml/XmlLibxml.h"

using namespace xmlutil;

namespace {

class Writer {
public:
    // Markup and escaped text; characters outside CP932 may become references.
    void Text(const std::string& utf8) { Put(utf8, true); }
    // Comments, processing instructions and CDATA read references literally,
    // so there a character outside CP932 is an error.
    void Literal(const std::string& utf8) { Put(utf8, false); }
    // Element and attribute names cannot hold references at all: a name
    // CP932 cannot hold is refused rather than written as a broken one.
    void Name(const std::string& utf8)
    {
        auto bytes = Utf8ToCp932(utf8, false);
        if (!bytes)
            throw EXmlError(
                TextArg(TText::tr("XMLの書き出しに失敗しました: 名前 '%1' はShift_JISで書けません"), {utf8}));
        out_ += *bytes;
    }
    std::string Take() { return std::move(out_); }

private:
    void Put(const std::string& utf8, bool allowReferences)
    {
        std::string crlf;
        crlf.reserve(utf8.size());
        for (char c : utf8) {
            if (c == '\n') crlf += '\r';
            crlf += c;
        }
        auto bytes = Utf8ToCp932(crlf, allowReferences);
        if (!bytes) throw EXmlError(TText::tr("XMLの書き出しに失敗しました: Shift_JISで書けない文字があります"));
        out_ += *bytes;
    }
    std::string out_;
};

// Markup characters always; in attribute values also the quote and the
// white space that a reader would turn into plain spaces.
std::string Escape(const std::string& s, bool attribute)
{
    std::string r;
    for (char c : s) {
        switch (c) {
        case '&': r += "&amp;"; break;
        case '<': r += "&lt;"; break;
        case '>': r += "&gt;"; break;
        case '\r': r += "&#13;"; break;
        case '"': r += attribute ? "&quot;" : "\""; break;
        case '\n': r += attribute ? "&#10;" : "\n"; break;
        case '\t': r += attribute ? "&#9;" : "\t"; break;
        default: r += c;
        }
    }
    return r;
}

void WriteNode(Writer& w, xmlNode* node);

void WriteElement(Writer& w, xmlNode* e)
{
    const std::string name = QualifiedName(e->name, e->ns);
    w.Text("<");
    w.Name(name);
    for (xmlNs* ns = e->nsDef; ns; ns = ns->next) {
        w.Text(" ");
        w.Name(ns->prefix ? "xmlns:" + S(ns->prefix) : std::string("xmlns"));
        w.Text("=\"" + Escape(S(ns->href), true) + "\"");
    }
    for (xmlAttr* a = e->properties; a; a = a->next) {
        w.Text(" ");
        w.Name(QualifiedName(a->name, a->ns));
        w.Text("=\"" + Escape(AttributeValue(a), true) + "\"");
    }
    w.Text(">");
    for (xmlNode* c = e->children; c; c = c->next) WriteNode(w, c);
    w.Text("</");
    w.Name(name);
    w.Text(">");
}

void WriteNode(Writer& w, xmlNode* node)
{
    switch (node->type) {
    case XML_ELEMENT_NODE: WriteElement(w, node); break;
    case XML_TEXT_NODE: w.Text(Escape(S(node->content), false)); break;
    case XML_CDATA_SECTION_NODE: w.Literal("<![CDATA[" + S(node->content) + "]]>"); break;
    case XML_COMMENT_NODE: w.Literal("<!--" + S(node->content) + "-->"); break;
    case XML_PI_NODE: {
        const std::string content = S(node->content);
        w.Literal("<?" + S(node->name) + (content.empty() ? "" : " " + content) + "?>");
        break;
    }
    default: break; // entity references cannot occur: the parser refuses entities
    }
}

} // namespace

std::string TXmlDocument::SaveToShiftJis() const
{
    Writer w;
    const std::string version = doc_->version ? S(doc_->version) : std::string("1.0");
    w.Text("<?xml version=\"" + version + "\" encoding=\"Shift_JIS\"?>\n");
    for (xmlNode* n = doc_->children; n; n = n->next) {
        if (n->type != XML_ELEMENT_NODE && n->type != XML_COMMENT_NODE && n->type != XML_PI_NODE) continue;
        WriteNode(w, n);
        w.Text("\n");
    }
    return w.Take();
}
