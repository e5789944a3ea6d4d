// The formula language: an expression in x and y with numbers, pi and e,
// + - * / ^, unary minus, parentheses and a fixed set of functions, compiled
// to postfix code. Reading is iterative, so no text can exhaust the stack.
#pragma once

#include "expression/ExpressionProgram.h"

#include <string_view>

constexpr int kMaxExpressionLength = 1000; // characters
constexpr int kMaxExpressionNesting = 64;  // parentheses open at once

// The compiled text; EExpressionError names the first mistake and its
// position.
TExpressionProgram CompileExpression(std::string_view text);
