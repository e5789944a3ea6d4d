// The linear scan for start tags with too many attributes.
#include "xml/XmlBounds.h"

namespace xmlbounds {

namespace {

class Scanner {
public:
    explicit Scanner(std::string_view text) : text_(text) {}

    bool AtEnd() const { return at_ >= text_.size(); }
    char Peek() const { return text_[at_]; }
    bool StartsWith(std::string_view s) const { return text_.substr(at_, s.size()) == s; }
    Position Here() const { return {line_, column_}; }

    void Advance()
    {
        const auto c = static_cast<unsigned char>(text_[at_++]);
        if (c == '\n') {
            ++line_;
            column_ = 1;
        } else if ((c & 0xC0u) != 0x80u) { // a UTF-8 continuation byte is part of the previous character
            ++column_;
        }
    }
    void Advance(size_t n)
    {
        for (size_t i = 0; i < n && !AtEnd(); ++i) Advance();
    }
    // Past the next occurrence of end, or to the end of the text.
    void SkipPast(std::string_view end)
    {
        while (!AtEnd() && !StartsWith(end)) Advance();
        Advance(end.size());
    }

private:
    std::string_view text_;
    size_t at_ = 0;
    int line_ = 1;
    int column_ = 1;
};

// A declaration such as DOCTYPE, with its internal subset in brackets.
void SkipDeclaration(Scanner& s)
{
    int depth = 0;
    char quote = 0;
    while (!s.AtEnd()) {
        const char c = s.Peek();
        s.Advance();
        if (quote) {
            if (c == quote) quote = 0;
        } else if (c == '"' || c == '\'') {
            quote = c;
        } else if (c == '[') {
            ++depth;
        } else if (c == ']') {
            if (depth > 0) --depth;
        } else if (c == '>' && depth == 0) {
            return;
        }
    }
}

// Counts the attributes of the start tag the scanner is inside; true when
// there are more than max.
bool Crowded(Scanner& s, size_t max)
{
    size_t count = 0;
    char quote = 0;
    while (!s.AtEnd()) {
        const char c = s.Peek();
        // A '<' ends a broken tag; it may start the next one.
        if (!quote && c == '<') return false;
        s.Advance();
        if (quote) {
            if (c == quote) quote = 0;
        } else if (c == '"' || c == '\'') {
            quote = c;
        } else if (c == '=') {
            if (++count > max) return true;
        } else if (c == '>') {
            return false;
        }
    }
    return false;
}

} // namespace

std::optional<Position> FindCrowdedStartTag(std::string_view text, size_t maxAttributes)
{
    Scanner s(text);
    while (!s.AtEnd()) {
        if (s.Peek() != '<') {
            s.Advance();
            continue;
        }
        const Position tag = s.Here();
        if (s.StartsWith("<!--")) {
            s.Advance(4);
            s.SkipPast("-->");
        } else if (s.StartsWith("<![CDATA[")) {
            s.Advance(9);
            s.SkipPast("]]>");
        } else if (s.StartsWith("<?")) {
            s.Advance(2);
            s.SkipPast("?>");
        } else if (s.StartsWith("<!")) {
            s.Advance(2);
            SkipDeclaration(s);
        } else if (s.StartsWith("</")) {
            s.Advance(2);
            s.SkipPast(">");
        } else {
            s.Advance();
            if (Crowded(s, maxAttributes)) return tag;
        }
    }
    return std::nullopt;
}

} // namespace xmlbounds
