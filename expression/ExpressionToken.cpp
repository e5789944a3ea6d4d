// Character positions are byte offsets plus one: the first byte outside ASCII
// ends the reading, so every byte before it is one character.
#include "expression/ExpressionToken.h"

#include "common/Convert.h"
#include "common/Format.h"
#include "common/Texts.h"
#include "expression/ExpressionError.h"

#include <string>

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }
bool IsNameStart(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '_'; }
bool IsNameChar(char c) { return IsNameStart(c) || IsDigit(c); }

ExprTokenKind SymbolKind(char c)
{
    switch (c) {
    case '+': return ExprTokenKind::Plus;
    case '-': return ExprTokenKind::Minus;
    case '*': return ExprTokenKind::Star;
    case '/': return ExprTokenKind::Slash;
    case '^': return ExprTokenKind::Caret;
    case '(': return ExprTokenKind::Open;
    case ')': return ExprTokenKind::Close;
    case ',': return ExprTokenKind::Comma;
    default: return ExprTokenKind::End;
    }
}

} // namespace

ExprToken TExprTokenizer::Next()
{
    while (at_ < text_.size() && IsBlank(text_[at_])) ++at_;
    const size_t start = at_;
    const int position = static_cast<int>(start) + 1;
    if (start == text_.size()) return {ExprTokenKind::End, position, {}};
    const char c = text_[start];
    if (static_cast<unsigned char>(c) >= 0x80)
        throw EExpressionError(position, TText::tr("ASCII以外の文字は使えません"));
    if (IsDigit(c) || c == '.') return Number(start);
    if (IsNameStart(c)) {
        while (at_ < text_.size() && IsNameChar(text_[at_])) ++at_;
        return {ExprTokenKind::Name, position, text_.substr(start, at_ - start)};
    }
    const ExprTokenKind kind = SymbolKind(c);
    if (kind == ExprTokenKind::End) {
        if (c > ' ' && c < 0x7F)
            throw EExpressionError(position, TextArg(TText::tr("文字 '%1' は使えません"), {std::string(1, c)}));
        throw EExpressionError(
            position, TextArg(TText::tr("制御文字(%1)は使えません"), {Format("0x%02X", static_cast<unsigned>(c))}));
    }
    ++at_;
    return {kind, position, text_.substr(start, 1)};
}

// Digits with an optional point, then an optional exponent; read as a whole
// by the program's real conversion, so it is rounded once to extended.
ExprToken TExprTokenizer::Number(size_t start)
{
    const int position = static_cast<int>(start) + 1;
    size_t digits = 0;
    while (at_ < text_.size() && IsDigit(text_[at_])) ++at_, ++digits;
    if (at_ < text_.size() && text_[at_] == '.') {
        ++at_;
        while (at_ < text_.size() && IsDigit(text_[at_])) ++at_, ++digits;
    }
    if (digits == 0) throw EExpressionError(position, TText::tr("数値に数字がありません"));
    if (at_ < text_.size() && (text_[at_] == 'e' || text_[at_] == 'E')) {
        const int exponentPosition = static_cast<int>(at_) + 1;
        ++at_;
        if (at_ < text_.size() && (text_[at_] == '+' || text_[at_] == '-')) ++at_;
        if (at_ == text_.size() || !IsDigit(text_[at_]))
            throw EExpressionError(exponentPosition, TText::tr("数値の指数に数字がありません"));
        while (at_ < text_.size() && IsDigit(text_[at_])) ++at_;
    }
    const std::string_view text = text_.substr(start, at_ - start);
    const auto value = TryStrToFloat(std::string(text));
    if (!value) throw EExpressionError(position, TText::tr("数値が大きすぎます"));
    return {ExprTokenKind::Number, position, text, *value};
}
