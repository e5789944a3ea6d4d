// The closing full stop of the default error display, a text rule that needs
// no widget.
#pragma once

#include <string>

// The message as the default error display shows it: "." is appended when the
// text is not empty and its last character, compared as its first Shift_JIS
// byte, is greater than '.'. Every non-ASCII character qualifies (its lead
// byte is 0x81 or above, or a half-width kana byte 0xA1..0xDF); an ASCII one
// is compared as it is, so "ok!" and "a." stay as they are.
std::string WithClosingPeriod(const std::string& utf8);
