// The closing full stop of the default error display.
#include "ui/UiText.h"

#include <gtest/gtest.h>

#include <string>

TEST(WithClosingPeriod, AppendsAfterEveryCharacterAboveTheFullStop)
{
    struct Case {
        std::string in;
        std::string out;
    };
    const Case cases[] = {
        {"", ""},
        {"幅の指定が不正です。[0]", "幅の指定が不正です。[0]."},             // ']' > '.'
        {"未サポートのFormulaNameです。", "未サポートのFormulaNameです。."}, // double-byte last character
        {"'x' は整数ではありません", "'x' は整数ではありません."},
        {"ｴﾗｰ", "ｴﾗｰ."}, // half-width kana: a single byte above '.' in Shift_JIS
        {"No Exist", "No Exist."},
        {"Size Error X(0)", "Size Error X(0)"}, // ')' < '.'
        {"done.", "done."},                     // '.' itself is not greater
        {"what!", "what!"},                     // '!' < '.'
        {"a-", "a-"},                           // '-' < '.'
        {"a/", "a/."},                          // '/' > '.'
        {"line\r\n", "line\r\n"},
        {"π", "π."}, // not in Shift_JIS: becomes '?', still above '.'
    };
    for (const Case& c : cases) EXPECT_EQ(WithClosingPeriod(c.in), c.out) << c.in;
}
