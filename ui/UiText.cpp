// The closing full stop of the default error display.
#include "ui/UiText.h"

std::string WithClosingPeriod(const std::string& utf8)
{
    if (utf8.empty()) return utf8;
    // Walk back over UTF-8 continuation bytes to the start of the last character.
    size_t start = utf8.size() - 1;
    while (start > 0 && (static_cast<unsigned char>(utf8[start]) & 0xC0) == 0x80) --start;
    const auto first = static_cast<unsigned char>(utf8[start]);
    // A non-ASCII character (or a stray byte) maps to a Shift_JIS byte above '.'.
    const bool ascii = first < 0x80 && start == utf8.size() - 1;
    if (!ascii || first > '.') return utf8 + ".";
    return utf8;
}
