// A user's formula compiled to postfix code: one contiguous array of
// instructions run with the top value in an accumulator and the rest on a
// fixed stack, so evaluating a pixel allocates nothing, recurses nowhere and
// makes no call per operation beyond the arithmetic itself.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

// The two-operand operations, for the forms below.
#define VQ_EXPR_BINARY(F) F(Add) F(Sub) F(Mul) F(Div) F(Pow) F(Min) F(Max) F(Mod) F(Atan2) F(Hypot)

#define VQ_EXPR_PLAIN(name) name,
#define VQ_EXPR_RIGHT_LEAF(name) name##X, name##Y, name##C,

enum class ExprOp : uint8_t {
    // Leaves: the accumulator goes onto the stack and takes x, y or the
    // instruction's constant.
    PushX,
    PushY,
    PushConst,
    // One argument: the accumulator.
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
    // Two arguments: the first popped from the stack, the second the
    // accumulator.
    VQ_EXPR_BINARY(VQ_EXPR_PLAIN)
    // The second argument a leaf (x, y or the constant), the first the
    // accumulator: "... * 10" needs no stack.
    VQ_EXPR_BINARY(VQ_EXPR_RIGHT_LEAF)
    // The first argument a leaf, the second the accumulator, for the
    // operations whose order matters ("10 - ...", "x / ...", "2 ^ ...").
    SubRevX,
    SubRevY,
    SubRevC,
    DivRevX,
    DivRevY,
    DivRevC,
    PowRevX,
    PowRevY,
    PowRevC,
};

#undef VQ_EXPR_PLAIN
#undef VQ_EXPR_RIGHT_LEAF

struct ExprInstr {
    ExprOp op;
    long double constant; // leaves and forms with a constant only
};

// How an instruction takes its arguments.
struct ExprShape {
    enum Kind : uint8_t {
        Leaf,       // op itself is PushX, PushY or PushConst
        Unary,      // the accumulator
        Binary,     // the stack and the accumulator
        LeafSecond, // the accumulator, then the leaf
        LeafFirst,  // the leaf, then the accumulator
    } kind;
    ExprOp base; // Unary and the binary kinds: the operation (Neg .. Hypot)
    ExprOp leaf; // LeafSecond and LeafFirst: PushX, PushY or PushConst
};
ExprShape ShapeOf(ExprOp op);

class TExpressionProgram {
public:
    // Deepest stack any program can need: a text of at most 1000 characters
    // holds at most 501 operands.
    static constexpr int kMaxStack = 512;

    // Appends a leaf, or an operation on the values the earlier code left
    // (one for Neg .. Round, two for Add .. Hypot). Operands that are single
    // leaves are folded into the operation where that gives the very same
    // value.
    void Emit(ExprOp op, long double constant = 0);

    // The value E(x, y) in extended precision, each operation rounded once.
    // Failures raise the drawing's arithmetic exceptions.
    long double Evaluate(double x, double y) const;
    // The same value without raising: false where Evaluate would fail.
    bool TryEvaluate(double x, double y, long double& value) const;

    // The value code[first .. last) leaves, as a program of its own; the
    // range must hold exactly one value's code.
    TExpressionProgram Part(std::size_t first, std::size_t last) const;

    const std::vector<ExprInstr>& Code() const { return code_; }
    // Values the code leaves; 1 for a whole program.
    int Depth() const { return static_cast<int>(starts_.size()); }
    // Stack slots evaluation can need at most (never more than kMaxStack).
    int MaxDepth() const { return maxDepth_; }

private:
    template <bool kCheck>
    long double Run(double x, double y, bool& failed) const;

    std::vector<ExprInstr> code_;
    // Where the code of each value left so far begins.
    std::vector<std::size_t> starts_;
    int maxDepth_ = 0;
};
