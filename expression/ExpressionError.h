// A mistake in the text of a user's formula, found before anything is drawn.
#pragma once

#include "common/Exceptions.h"
#include "common/Texts.h"

#include <string>

class EExpressionError : public Exception {
public:
    // position is the 1-based character position; what says what is wrong
    // there, already in the user's language.
    EExpressionError(int position, const std::string& what)
        : Exception(TextArg(TText::tr("式の誤り(%1文字目): %2"), {std::to_string(position), what})), position_(position)
    {}
    int Position() const { return position_; }

private:
    int position_;
};
