// Writing UTF-8 text in another code page, as documents from other programs
// may be encoded. The expected bytes come from the published code tables.
#include "common/TextEncoding.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

namespace {

TEST(FromUtf8, WritesTheBytesOfTheNamedCodePage)
{
    struct Case {
        const char* codePage;
        std::string utf8;
        std::string expected;
    };
    const Case cases[] = {
        {"CP932", "稲妻ー", "\x88\xee\x8d\xc8\x81\x5b"},
        // Microsoft's table, not JIS: the wave dash Windows programs write.
        {"CP932", "～", "\x81\x60"},
        {"UTF-16BE", "a稲", std::string("\x00\x61\x7a\x32", 4)},
        {"EUC-JP", "a稲b",
         "a\xb0\xf0"
         "b"},
        // A stateful code page ends shifted back to ASCII.
        {"ISO-2022-JP", "稲妻ー", "\x1b$B0p:J!<\x1b(B"},
        {"ISO-2022-JP", "", ""},
        {"UTF-8", "", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.codePage) + " " + c.utf8);
        EXPECT_EQ(FromUtf8(c.codePage, c.utf8), std::optional<std::string>(c.expected));
    }
}

TEST(FromUtf8, TextLongerThanOneBufferIsWrittenWhole)
{
    std::string utf8, expected;
    for (int i = 0; i < 5000; ++i) {
        utf8 += i % 2 ? "妻" : "稲";
        expected += i % 2 ? "\x8d\xc8" : "\x88\xee";
    }
    EXPECT_EQ(FromUtf8("CP932", utf8), std::optional<std::string>(expected));
}

TEST(FromUtf8, GivesNothingWhenTheTextCannotBeWritten)
{
    struct Case {
        const char* why;
        const char* codePage;
        std::string utf8;
    };
    const Case cases[] = {
        {"unknown code page", "NO-SUCH-CODE-PAGE", "abc"},
        {"character outside the code page", "ISO-8859-1", "ab稲"},
        {"invalid UTF-8", "CP932",
         "a\xff"
         "b"},
        {"UTF-8 cut inside a character", "CP932", "a\xe7\xa8"},
    };
    for (const Case& c : cases) EXPECT_EQ(FromUtf8(c.codePage, c.utf8), std::nullopt) << c.why;
}

} // namespace
