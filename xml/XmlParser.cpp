// Parsing through libxml2 with everything that could reach outside the text
// switched off: no network, no DTD loading, and any entity declaration or
// external DTD stops the parse. Errors go to a handler of this parse only and
// become one EXmlError naming the source and line.
#include "xml/XmlParser.h"

#include "common/FileSystem.h"
#include "common/Format.h"
#include "common/TextEncoding.h"
#include "xml/XmlEncoding.h"
#include "xml/XmlError.h"
#include "xml/XmlLibxml.h"

#include <libxml/SAX2.h>
#include <libxml/globals.h>
#include <libxml/parser.h>
#include <libxml/parserInternals.h>
#include <libxml/xmlerror.h>

#include <algorithm>
#include <climits>
#include <new>

namespace {

struct ParseState {
    bool failed = false;
    int line = 0;
    std::string message;
};

void Record(ParseState& state, int line, std::string message)
{
    if (state.failed) return; // the first error is the one that explains the rest
    while (!message.empty() && (message.back() == '\n' || message.back() == ' ')) message.pop_back();
    state.failed = true;
    state.line = line;
    state.message = std::move(message);
}

ParseState& StateOf(void* ctx) { return *static_cast<ParseState*>(static_cast<xmlParserCtxtPtr>(ctx)->_private); }

void OnParserError(void* ctx, xmlErrorPtr error)
{
    if (error && error->level >= XML_ERR_ERROR) Record(StateOf(ctx), error->line, error->message ? error->message : "");
}

void OnOtherError(void* state, xmlErrorPtr error)
{
    if (error && error->level >= XML_ERR_ERROR)
        Record(*static_cast<ParseState*>(state), error->line, error->message ? error->message : "");
}

void Refuse(void* ctx, const char* why)
{
    Record(StateOf(ctx), xmlSAX2GetLineNumber(ctx), why);
    xmlStopParser(static_cast<xmlParserCtxtPtr>(ctx));
}

void OnEntityDecl(void* ctx, const xmlChar*, int, const xmlChar*, const xmlChar*, xmlChar*)
{
    Refuse(ctx, "実体を宣言した文書は読み込めません");
}

void OnUnparsedEntityDecl(void* ctx, const xmlChar*, const xmlChar*, const xmlChar*, const xmlChar*)
{
    Refuse(ctx, "実体を宣言した文書は読み込めません");
}

void OnInternalSubset(void* ctx, const xmlChar* name, const xmlChar* externalId, const xmlChar* systemId)
{
    if (externalId || systemId) Refuse(ctx, "外部のDTDを参照する文書は読み込めません");
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

EXmlError ParseError(const std::string& source, int line, const std::string& message)
{
    if (line > 0)
        return EXmlError(Format("XMLの解析に失敗しました: %s(%d行目): %s", source.c_str(), line, message.c_str()));
    return EXmlError(Format("XMLの解析に失敗しました: %s: %s", source.c_str(), message.c_str()));
}

} // namespace

TXmlParser::TXmlParser(TXmlDomImplementation& dom) : dom_(dom) { xmlInitParser(); }

TXmlDocument& TXmlParser::ParseFile(const std::string& path)
{
    const std::optional<std::string> bytes = ReadWholeFile(path);
    if (!bytes) throw EXmlError(Format("ファイル '%s' を開けません。", path.c_str()));
    return ParseBytes(*bytes, path);
}

TXmlDocument& TXmlParser::ParseBytes(const std::string& bytes, const std::string& sourceName)
{
    const auto declared = xmlenc::DeclaredEncoding(bytes);
    if (!declared || !xmlenc::IsShiftJisName(*declared)) return Parse(bytes, false, sourceName);
    // libxml2's own Shift_JIS is the JIS table, not what Windows wrote.
    size_t bad = 0;
    const auto utf8 = Cp932ToUtf8(bytes, bad);
    if (!utf8) {
        const int line = 1 + static_cast<int>(std::count(bytes.begin(), bytes.begin() + bad, '\n'));
        throw ParseError(sourceName, line, "Shift_JISとして読めないバイトがあります");
    }
    return Parse(*utf8, true, sourceName);
}

TXmlDocument& TXmlParser::ParseText(const std::string& utf8, const std::string& sourceName)
{
    return Parse(utf8, true, sourceName);
}

TXmlDocument& TXmlParser::Parse(const std::string& text, bool isUtf8, const std::string& sourceName)
{
    if (text.empty()) throw ParseError(sourceName, 0, "文書が空です");
    if (text.size() > static_cast<size_t>(INT_MAX)) throw ParseError(sourceName, 0, "文書が大きすぎます");

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

    xmlParseDocument(ctxt.get());
    std::unique_ptr<xmlDoc, FreeDoc> doc(ctxt->myDoc);
    ctxt->myDoc = nullptr;
    if (state.failed || !ctxt->wellFormed || !doc) {
        if (!state.failed) Record(state, 0, "整形式ではありません");
        throw ParseError(sourceName, state.line, state.message);
    }
    return dom_.Adopt(std::make_unique<TXmlDocument>(doc.release()));
}
