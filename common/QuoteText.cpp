// Escaping and shortening quoted text.
#include "common/QuoteText.h"

#include <cstdint>
#include <cstdio>

namespace {

// The length of the UTF-8 sequence at text[at] and its code point; 0 when
// the bytes there are not a valid, shortest-form sequence.
size_t DecodeUtf8(std::string_view text, size_t at, uint32_t& cp)
{
    const auto byte = [&](size_t i) { return static_cast<unsigned char>(text[i]); };
    const unsigned char lead = byte(at);
    size_t length;
    uint32_t min;
    if (lead < 0x80) {
        cp = lead;
        return 1;
    } else if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2, min = 0x80, cp = lead & 0x1Fu;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3, min = 0x800, cp = lead & 0x0Fu;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4, min = 0x10000, cp = lead & 0x07u;
    } else {
        return 0;
    }
    if (at + length > text.size()) return 0;
    for (size_t i = 1; i < length; ++i) {
        if ((byte(at + i) & 0xC0u) != 0x80u) return 0;
        cp = (cp << 6) | (byte(at + i) & 0x3Fu);
    }
    if (cp < min || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return 0;
    return length;
}

// Characters that act instead of showing: C0 and C1 controls, DEL, the line
// and paragraph separators and the marks that reverse the text around them.
bool Acts(uint32_t cp)
{
    return cp < 0x20 || (cp >= 0x7F && cp <= 0x9F) || cp == 0x061C || cp == 0x200E || cp == 0x200F ||
           (cp >= 0x2028 && cp <= 0x202E) || (cp >= 0x2066 && cp <= 0x2069);
}

} // namespace

std::string QuoteForMessage(std::string_view text, size_t maxLength)
{
    std::string out;
    size_t shown = 0; // characters of out
    size_t at = 0;
    while (at < text.size()) {
        uint32_t cp = 0;
        const size_t length = DecodeUtf8(text, at, cp);
        char escape[16];
        std::string_view piece;
        size_t width = 1;
        if (length == 0) {
            std::snprintf(escape, sizeof escape, "\\x%02x", static_cast<unsigned char>(text[at]));
            piece = escape;
            width = piece.size();
        } else if (Acts(cp)) {
            std::snprintf(escape, sizeof escape, cp < 0x80 ? "\\x%02x" : "\\u%04x", static_cast<unsigned>(cp));
            piece = escape;
            width = piece.size();
        } else {
            piece = text.substr(at, length);
        }
        if (shown + width > maxLength) {
            out += "…";
            return out;
        }
        out += piece;
        shown += width;
        at += length == 0 ? 1 : length;
    }
    return out;
}
