// Text rules of the window that need no widget: the closing full stop of the
// default error display and the two parts of an action's hint.
#pragma once

#include <string>
#include <utility>

// The message as the default error display shows it: "." is appended when the
// text is not empty and its last character, compared as its first Shift_JIS
// byte, is greater than '.'. Every non-ASCII character qualifies (its lead
// byte is 0x81 or above, or a half-width kana byte 0xA1..0xDF); an ASCII one
// is compared as it is, so "ok!" and "a." stay as they are.
std::string WithClosingPeriod(const std::string& utf8);

// "short|long" -> {short, long}; a hint without "|" serves as both.
std::pair<std::string, std::string> SplitHint(const std::string& hint);
