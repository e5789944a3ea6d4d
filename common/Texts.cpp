#include "common/Texts.h"

#include <algorithm>
#include <atomic>
#include <cstdlib>
#include <iterator>
#include <string_view>

namespace {

struct TTextPair {
    std::string_view japanese;
    std::string_view english;
};

// Generated from the English translation file, sorted by the Japanese text;
// the empty first row keeps the table valid before any text is in it.
constexpr TTextPair kEnglish[] = {
    {"", ""},
#include "common/TextsEnglish.inc"
};

std::atomic<TTextLanguage> gLanguage{TTextLanguage::Japanese};

} // namespace

std::string TText::tr(const char* japanese)
{
    if (gLanguage.load(std::memory_order_relaxed) != TTextLanguage::English) return japanese;
    const std::string_view key(japanese);
    const auto at = std::lower_bound(std::begin(kEnglish), std::end(kEnglish), key,
                                     [](const TTextPair& p, std::string_view k) { return p.japanese < k; });
    if (at != std::end(kEnglish) && at->japanese == key && !at->english.empty()) return std::string(at->english);
    return japanese;
}

void SetTextLanguage(TTextLanguage language) { gLanguage.store(language, std::memory_order_relaxed); }

TTextLanguage TextLanguage() { return gLanguage.load(std::memory_order_relaxed); }

TTextLanguage LanguageOfLocaleName(const std::string& name)
{
    // "en", or "en" followed by a territory, code set or modifier.
    const bool english = name.size() >= 2 && name.compare(0, 2, "en") == 0 &&
                         (name.size() == 2 || name[2] == '_' || name[2] == '.' || name[2] == '@');
    return english ? TTextLanguage::English : TTextLanguage::Japanese;
}

TTextLanguage LanguageFromEnvironment()
{
    for (const char* variable : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
        const char* value = std::getenv(variable);
        if (value != nullptr && *value != '\0') return LanguageOfLocaleName(value);
    }
    return TTextLanguage::Japanese;
}

std::string TextArg(const std::string& pattern, std::initializer_list<std::string> values)
{
    std::string out;
    out.reserve(pattern.size());
    for (size_t i = 0; i < pattern.size(); ++i) {
        const char c = pattern[i];
        if (c == '%' && i + 1 < pattern.size()) {
            const char next = pattern[i + 1];
            const size_t n = static_cast<size_t>(next - '1');
            if (next >= '1' && next <= '9' && n < values.size()) {
                out += *(values.begin() + n);
                ++i;
                continue;
            }
        }
        out += c;
    }
    return out;
}
