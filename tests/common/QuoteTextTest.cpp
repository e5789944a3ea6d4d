// Quoted input: escaped so it cannot act, shortened so it cannot flood.
#include "common/QuoteText.h"

#include <gtest/gtest.h>

TEST(QuoteTextTest, EscapesWhatWouldActAndKeepsTheRest)
{
    struct Case {
        std::string text;
        std::string shown;
    };
    const Case cases[] = {
        {"FF0000 red", "FF0000 red"},
        {"稲妻.mcf", "稲妻.mcf"},
        {"C:\\パレット\\a.mcf", "C:\\パレット\\a.mcf"},
        {"\x1b]0;X\a\x1b[2J", "\\x1b]0;X\\x07\\x1b[2J"},
        {"a\tb\r\n\x7f", "a\\x09b\\x0d\\x0a\\x7f"},
        // C1 controls, a right-to-left override, a line separator
        {"\xc2\x9b" "2J \xe2\x80\xae" "txt.exe \xe2\x80\xa8", "\\u009b2J \\u202etxt.exe \\u2028"},
        // bytes that are not UTF-8: a lone Shift_JIS byte, an overlong slash, a truncated sequence
        {"\x82" "a \xc0\xaf \xe3\x81", "\\x82a \\xc0\\xaf \\xe3\\x81"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.shown);
        EXPECT_EQ(QuoteForMessage(c.text), c.shown);
    }
}

TEST(QuoteTextTest, ShortensAfterTheLimitWithoutSplittingACharacterOrAnEscape)
{
    EXPECT_EQ(QuoteForMessage(std::string(80, '7')), std::string(80, '7'));
    EXPECT_EQ(QuoteForMessage(std::string(100000, '7')), std::string(80, '7') + "…");
    // Multi-byte characters count as one each.
    std::string kanji;
    for (int i = 0; i < 81; ++i) kanji += "色";
    std::string shown;
    for (int i = 0; i < 80; ++i) shown += "色";
    EXPECT_EQ(QuoteForMessage(kanji), shown + "…");
    // An escape that does not fit whole is left out whole.
    EXPECT_EQ(QuoteForMessage(std::string(78, 'a') + "\x1b" + "b"), std::string(78, 'a') + "…");
    EXPECT_EQ(QuoteForMessage("abcdef", 3), "abc…");
    EXPECT_EQ(QuotePath(std::string(200, 'p')), std::string(200, 'p'));
}
