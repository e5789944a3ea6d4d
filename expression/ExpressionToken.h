// The words of the formula language: numbers, names, operators, parentheses
// and commas, with blanks (space, tab, line ends) between them.
#pragma once

#include <string_view>

enum class ExprTokenKind { Number, Name, Plus, Minus, Star, Slash, Caret, Open, Close, Comma, End };

struct ExprToken {
    ExprTokenKind kind;
    int position;          // 1-based character position of the first character
    std::string_view text; // the token's characters (empty at the end)
    long double value = 0; // numbers only: the nearest extended value
};

class TExprTokenizer {
public:
    // The text must outlive the tokenizer and its tokens.
    explicit TExprTokenizer(std::string_view text) : text_(text) {}
    // The next token; EExpressionError for a character that belongs to no
    // token or a number that cannot be read.
    ExprToken Next();

private:
    ExprToken Number(size_t start);

    std::string_view text_;
    size_t at_ = 0;
};
