// A user's formula compiled to postfix code: one contiguous array of
// instructions run against a fixed stack, so evaluating a pixel allocates
// nothing, recurses nowhere and makes no call per operation beyond the
// arithmetic itself.
#pragma once

#include <cstdint>
#include <vector>

enum class ExprOp : uint8_t {
    // Operands.
    PushX,
    PushY,
    PushConst,
    // One argument.
    Neg,
    Sin,
    Cos,
    Tan,
    Abs,
    Sqrt,
    Exp,
    Ln,
    Floor,
    Ceil,
    Round,
    // Two arguments, the first one deeper on the stack.
    Add,
    Sub,
    Mul,
    Div,
    Pow,
    Min,
    Max,
    Mod,
    Atan2,
    Hypot,
};

// How many values an operation takes from the stack (it always leaves one).
constexpr int ExprArity(ExprOp op)
{
    if (op <= ExprOp::PushConst) return 0;
    if (op <= ExprOp::Round) return 1;
    return 2;
}

struct ExprInstr {
    ExprOp op;
    long double constant; // PushConst only
};

class TExpressionProgram {
public:
    // Deepest stack any program can need: a text of at most 1000 characters
    // holds at most 501 operands.
    static constexpr int kMaxStack = 512;

    // Appends one instruction; the program must stay within kMaxStack.
    void Emit(ExprOp op, long double constant = 0);

    // The value E(x, y) in extended precision, each operation rounded once.
    // Failures raise the drawing's arithmetic exceptions.
    long double Evaluate(double x, double y) const;

    const std::vector<ExprInstr>& Code() const { return code_; }
    // Values on the stack after the last instruction; 1 for a whole program.
    int Depth() const { return depth_; }
    int MaxDepth() const { return maxDepth_; }

private:
    std::vector<ExprInstr> code_;
    int depth_ = 0;
    int maxDepth_ = 0;
};
