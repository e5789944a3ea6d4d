// Parsing through libxml2 with everything that could reach outside the text
// switched off: no network, no DTD loading, and any entity declaration or
// external DTD stops the parse. The input is bounded (XmlBounds.h): its size
// before it is read, its attributes per element before the library sees
// them, its nodes and depth while it is parsed. Errors go to a handler of
// this parse only and become one EXmlError naming the source, line and
// column in the program's words.
#include "xml/XmlParser.h"

#include "common/Exceptions.h"
#include "common/InputFile.h"
#include "common/QuoteText.h"
#include "common/TextEncoding.h"
#include "common/Texts.h"
#include "xml/XmlBounds.h"
#include "xml/XmlEncoding.h"
#include "xml/XmlError.h"
#include "xml/XmlErrorText.h"
#include "xml/XmlLibxml.h"

#include <libxml/SAX2.h>
#include <libxml/globals.h>
#include <libxml/parser.h>
#include <libxml/parserInternals.h>
#include <libxml/xmlerror.h>

#include <new>

namespace {

struct ParseState {
    bool failed = false;
    int line = 0;
    int column = 0;
    std::string message;
    size_t nodes = 0;
    int depth = 0;
};

void Record(ParseState& state, int line, int column, std::string message)
{
    if (state.failed) return; // the first error is the one that explains the rest
    state.failed = true;
    state.line = line;
    state.column = column;
    state.message = std::move(message);
}

ParseState& StateOf(void* ctx) { return *static_cast<ParseState*>(static_cast<xmlParserCtxtPtr>(ctx)->_private); }

// The first error decides: the parse stops there, so a text of a million
// faults costs one message, not a million.
void OnParserError(void* ctx, xmlErrorPtr error)
{
    if (!error || error->level < XML_ERR_ERROR) return;
    Record(StateOf(ctx), error->line, error->int2, xmlutil::ErrorText(*error));
    xmlStopParser(static_cast<xmlParserCtxtPtr>(ctx));
}

void OnOtherError(void* state, xmlErrorPtr error)
{
    if (error && error->level >= XML_ERR_ERROR)
        Record(*static_cast<ParseState*>(state), error->line, error->int2, xmlutil::ErrorText(*error));
}

void Refuse(void* ctx, std::string why)
{
    Record(StateOf(ctx), xmlSAX2GetLineNumber(ctx), xmlSAX2GetColumnNumber(ctx), std::move(why));
    xmlStopParser(static_cast<xmlParserCtxtPtr>(ctx));
}

// Counts a node against the document's budget; false once the parse is
// refused for it.
bool Count(void* ctx, size_t nodes)
{
    ParseState& state = StateOf(ctx);
    if (state.failed) return false;
    state.nodes += nodes;
    if (state.nodes <= xmlbounds::kMaxNodes) return true;
    Refuse(ctx, TextArg(TText::tr("要素や文字列が多すぎます(%1 個まで)"), {std::to_string(xmlbounds::kMaxNodes)}));
    return false;
}

void OnStartElement(void* ctx, const xmlChar* localname, const xmlChar* prefix, const xmlChar* uri, int nbNamespaces,
                    const xmlChar** namespaces, int nbAttributes, int nbDefaulted, const xmlChar** attributes)
{
    ParseState& state = StateOf(ctx);
    if (++state.depth > xmlbounds::kMaxDepth) {
        Refuse(ctx, TextArg(TText::tr("要素の入れ子が深すぎます(%1 段まで)"), {std::to_string(xmlbounds::kMaxDepth)}));
        return;
    }
    if (!Count(ctx, 1 + static_cast<size_t>(nbNamespaces) + static_cast<size_t>(nbAttributes))) return;
    xmlSAX2StartElementNs(ctx, localname, prefix, uri, nbNamespaces, namespaces, nbAttributes, nbDefaulted, attributes);
}

void OnEndElement(void* ctx, const xmlChar* localname, const xmlChar* prefix, const xmlChar* uri)
{
    ParseState& state = StateOf(ctx);
    --state.depth;
    if (!state.failed) xmlSAX2EndElementNs(ctx, localname, prefix, uri);
}

void OnCharacters(void* ctx, const xmlChar* text, int length)
{
    if (Count(ctx, 1)) xmlSAX2Characters(ctx, text, length);
}

void OnCData(void* ctx, const xmlChar* text, int length)
{
    if (Count(ctx, 1)) xmlSAX2CDataBlock(ctx, text, length);
}

void OnComment(void* ctx, const xmlChar* text)
{
    if (Count(ctx, 1)) xmlSAX2Comment(ctx, text);
}

void OnProcessingInstruction(void* ctx, const xmlChar* target, const xmlChar* data)
{
    if (Count(ctx, 1)) xmlSAX2ProcessingInstruction(ctx, target, data);
}

void OnEntityDecl(void* ctx, const xmlChar*, int, const xmlChar*, const xmlChar*, xmlChar*)
{
    Refuse(ctx, TText::tr("実体を宣言した文書は読み込めません"));
}

void OnUnparsedEntityDecl(void* ctx, const xmlChar*, const xmlChar*, const xmlChar*, const xmlChar*)
{
    Refuse(ctx, TText::tr("実体を宣言した文書は読み込めません"));
}

void OnInternalSubset(void* ctx, const xmlChar* name, const xmlChar* externalId, const xmlChar* systemId)
{
    if (externalId || systemId) Refuse(ctx, TText::tr("外部のDTDを参照する文書は読み込めません"));
    else xmlSAX2InternalSubset(ctx, name, externalId, systemId);
}

// Errors raised outside the parser context (encoding conversions) would go to
// the thread's structured handler; point it at this parse while it runs.
class ErrorScope {
public:
    explicit ErrorScope(ParseState* state) : savedFunc_(xmlStructuredError), savedContext_(xmlStructuredErrorContext)
    {
        xmlSetStructuredErrorFunc(state, OnOtherError);
    }
    ~ErrorScope() { xmlSetStructuredErrorFunc(savedContext_, savedFunc_); }
    ErrorScope(const ErrorScope&) = delete;
    ErrorScope& operator=(const ErrorScope&) = delete;

private:
    xmlStructuredErrorFunc savedFunc_;
    void* savedContext_;
};

struct FreeContext {
    void operator()(xmlParserCtxtPtr c) const { xmlFreeParserCtxt(c); }
};
struct FreeDoc {
    void operator()(xmlDocPtr d) const { xmlFreeDoc(d); }
};

EXmlError ParseError(const std::string& source, int line, int column, const std::string& message)
{
    const std::string name = QuotePath(source);
    if (line > 0 && column > 0)
        return EXmlError(TextArg(TText::tr("XMLの解析に失敗しました: %1(%2行目%3列目): %4"),
                                 {name, std::to_string(line), std::to_string(column), message}));
    if (line > 0)
        return EXmlError(
            TextArg(TText::tr("XMLの解析に失敗しました: %1(%2行目): %3"), {name, std::to_string(line), message}));
    return EXmlError(TextArg(TText::tr("XMLの解析に失敗しました: %1: %2"), {name, message}));
}

EXmlError TooLarge(const std::string& source)
{
    return ParseError(source, 0, 0,
                      TextArg(TText::tr("文書が大きすぎます(%1 まで)"), {SizeText(xmlbounds::kMaxDocumentBytes)}));
}

// The line and column (in characters of the code page) of byte offset at of
// Shift_JIS bytes.
xmlbounds::Position ShiftJisPosition(const std::string& bytes, size_t at)
{
    xmlbounds::Position p{1, 1};
    for (size_t i = 0; i < at && i < bytes.size(); ++i) {
        const auto c = static_cast<unsigned char>(bytes[i]);
        if (c == '\n') {
            ++p.line;
            p.column = 1;
            continue;
        }
        ++p.column;
        if (((c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC)) && i + 1 < at) ++i; // a two-byte character
    }
    return p;
}

} // namespace

TXmlParser::TXmlParser(TXmlDomImplementation& dom) : dom_(dom) { xmlInitParser(); }

TXmlDocument& TXmlParser::ParseFile(const std::string& path)
{
    std::string bytes;
    try {
        bytes = ReadInputFile(path, xmlbounds::kMaxDocumentBytes);
    } catch (const EFOpenError& e) {
        throw EXmlError(e.Message());
    }
    return ParseBytes(bytes, path);
}

TXmlDocument& TXmlParser::ParseBytes(const std::string& bytes, const std::string& sourceName)
{
    if (bytes.size() > xmlbounds::kMaxDocumentBytes) throw TooLarge(sourceName);
    const auto declared = xmlenc::DeclaredEncoding(bytes);
    if (!declared || !xmlenc::IsShiftJisName(*declared)) return Parse(bytes, false, sourceName);
    // libxml2's own Shift_JIS is the JIS table, not what Windows wrote.
    size_t bad = 0;
    const auto utf8 = Cp932ToUtf8(bytes, bad);
    if (!utf8) {
        const xmlbounds::Position at = ShiftJisPosition(bytes, bad);
        throw ParseError(sourceName, at.line, at.column, TText::tr("Shift_JISとして読めないバイトがあります"));
    }
    return Parse(*utf8, true, sourceName);
}

TXmlDocument& TXmlParser::ParseText(const std::string& utf8, const std::string& sourceName)
{
    return Parse(utf8, true, sourceName);
}

TXmlDocument& TXmlParser::Parse(const std::string& text, bool isUtf8, const std::string& sourceName)
{
    if (text.empty()) throw ParseError(sourceName, 0, 0, TText::tr("文書が空です"));
    // Shift_JIS grows by half as UTF-8; the limit is the file's.
    if (text.size() > xmlbounds::kMaxDocumentBytes * 2) throw TooLarge(sourceName);
    if (const auto crowded = xmlbounds::FindCrowdedStartTag(text))
        throw ParseError(
            sourceName, crowded->line, crowded->column,
            TextArg(TText::tr("属性が多すぎます(1つの要素に %1 個まで)"), {std::to_string(xmlbounds::kMaxAttributes)}));

    ParseState state;
    ErrorScope scope(&state);
    std::unique_ptr<xmlParserCtxt, FreeContext> ctxt(
        xmlCreateMemoryParserCtxt(text.data(), static_cast<int>(text.size())));
    if (!ctxt) throw std::bad_alloc();
    xmlCtxtUseOptions(ctxt.get(), XML_PARSE_NONET | (isUtf8 ? XML_PARSE_IGNORE_ENC : 0));
    ctxt->_private = &state;
    ctxt->sax->serror = OnParserError;
    ctxt->sax->entityDecl = OnEntityDecl;
    ctxt->sax->unparsedEntityDecl = OnUnparsedEntityDecl;
    ctxt->sax->internalSubset = OnInternalSubset;
    ctxt->sax->startElementNs = OnStartElement;
    ctxt->sax->endElementNs = OnEndElement;
    ctxt->sax->characters = OnCharacters;
    ctxt->sax->ignorableWhitespace = OnCharacters;
    ctxt->sax->cdataBlock = OnCData;
    ctxt->sax->comment = OnComment;
    ctxt->sax->processingInstruction = OnProcessingInstruction;

    xmlParseDocument(ctxt.get());
    std::unique_ptr<xmlDoc, FreeDoc> doc(ctxt->myDoc);
    ctxt->myDoc = nullptr;
    if (state.failed || !ctxt->wellFormed || !doc) {
        if (!state.failed) Record(state, 0, 0, TText::tr("整形式ではありません"));
        throw ParseError(sourceName, state.line, state.column, state.message);
    }
    return dom_.Adopt(std::make_unique<TXmlDocument>(doc.release()));
}
