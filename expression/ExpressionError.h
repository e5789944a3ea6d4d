// A mistake in the text of a user's formula, found before anything is drawn.
#pragma once

#include "common/Exceptions.h"
#include "common/Format.h"

#include <string>

class EExpressionError : public Exception {
public:
    // position is the 1-based character position; what says what is wrong
    // there.
    EExpressionError(int position, const std::string& what)
        : Exception(Format("式の誤り(%d文字目): %s", position, what.c_str())), position_(position)
    {}
    int Position() const { return position_; }

private:
    int position_;
};
