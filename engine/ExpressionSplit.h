// A typed formula taken apart for drawings in which x depends on the column
// only and y on the row only. Every largest part of the expression that uses
// x alone (or no variable) becomes a program computed once per column, every
// largest part in y alone one computed once per row; what is left per pixel
// is short code whose leaves are x, y, constants and those parts' values.
//
// The values stay exactly those of the whole program: a part runs the very
// instructions the whole runs on the same operands, and the code left per
// pixel runs the remaining instructions in their order. Only where a part
// fails may the order of failures differ, and there the pixel runs the whole
// program instead.
#pragma once

#include "expression/ExpressionProgram.h"

#include <cstdint>
#include <optional>
#include <vector>

// Where a value of the per-pixel code comes from.
enum class TStepSource : uint8_t {
    Stack,      // the value below the accumulator (binary steps only)
    X,          // the column's x
    Y,          // the row's y
    Constant,   // the step's constant
    ColumnPart, // the column's value of a part in x alone
    RowPart,    // the row's value of a part in y alone
};

struct TPixelStep {
    enum Kind : uint8_t {
        Push,   // the accumulator goes onto the stack and takes the source
        Unary,  // op (Neg .. Round) on the accumulator
        Binary, // op (Add .. Hypot): first argument the source, or with the
                // source Stack the popped value; second the accumulator.
                // Not reversed, the accumulator is the first argument.
    } kind;
    ExprOp op;
    TStepSource source;
    bool reversed; // Binary: the source is the first argument
    int part;      // ColumnPart and RowPart: which one
    long double constant;
};

struct TExpressionSplit {
    std::vector<TExpressionProgram> columnParts; // run with y = 0, which they do not read
    std::vector<TExpressionProgram> rowParts;    // run with x = 0
    std::vector<TPixelStep> pixelCode;           // leaves one value
    int maxDepth = 0;                            // values the per-pixel code keeps below the accumulator
};

TExpressionSplit SplitExpression(const TExpressionProgram& program);

// One side of a separable expression: a column's or a row's value.
struct TSplitSide {
    TStepSource source; // X, Y, Constant, ColumnPart or RowPart
    int part;
    long double constant;
    bool negated; // the side enters the sum negated
};

// An expression whose per-pixel code is one addition, subtraction or
// multiplication of a value of the column and a value of the row, or a value
// of one of them alone (joined to 0 by an addition). a - b is taken as
// a + (-b), which rounds the same. Empty for every other expression.
struct TSeparableJoin {
    TSplitSide column;
    TSplitSide row;
    bool product;
};
std::optional<TSeparableJoin> SeparableJoin(const TExpressionSplit& split);
