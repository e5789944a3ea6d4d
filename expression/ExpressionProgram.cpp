// Building and running postfix code. The stack lives in the evaluating
// call's frame, so one program can serve every drawing thread at once.
#include "expression/ExpressionProgram.h"

#include "common/Exceptions.h"
#include "expression/ExpressionMath.h"

namespace {

bool IsLeaf(ExprOp op) { return op <= ExprOp::PushConst; }
bool IsUnary(ExprOp op) { return op >= ExprOp::Neg && op <= ExprOp::Round; }
bool IsBinary(ExprOp op) { return op >= ExprOp::Add && op <= ExprOp::Hypot; }

// The leaf's offset among the X, Y and C forms.
int LeafIndex(ExprOp leaf) { return static_cast<int>(leaf) - static_cast<int>(ExprOp::PushX); }

ExprOp Offset(ExprOp base, int by) { return static_cast<ExprOp>(static_cast<int>(base) + by); }

// op with a leaf as its second argument.
ExprOp RightLeafForm(ExprOp op, ExprOp leaf)
{
    const int binary = static_cast<int>(op) - static_cast<int>(ExprOp::Add);
    return Offset(ExprOp::AddX, 3 * binary + LeafIndex(leaf));
}

} // namespace

ExprShape ShapeOf(ExprOp op)
{
    if (IsLeaf(op)) return {ExprShape::Leaf, op, op};
    if (IsUnary(op)) return {ExprShape::Unary, op, op};
    if (IsBinary(op)) return {ExprShape::Binary, op, op};
    if (op < ExprOp::SubRevX) {
        const int form = static_cast<int>(op) - static_cast<int>(ExprOp::AddX);
        return {ExprShape::LeafSecond, Offset(ExprOp::Add, form / 3), Offset(ExprOp::PushX, form % 3)};
    }
    const int form = static_cast<int>(op) - static_cast<int>(ExprOp::SubRevX);
    const ExprOp bases[] = {ExprOp::Sub, ExprOp::Div, ExprOp::Pow};
    return {ExprShape::LeafFirst, bases[form / 3], Offset(ExprOp::PushX, form % 3)};
}

void TExpressionProgram::Emit(ExprOp op, long double constant)
{
    if (IsLeaf(op)) {
        if (starts_.size() >= static_cast<size_t>(kMaxStack)) throw ERangeError("Expression stack overflow");
        starts_.push_back(code_.size());
        code_.push_back({op, constant});
        if (Depth() > maxDepth_) maxDepth_ = Depth();
        return;
    }
    if (IsUnary(op)) {
        if (starts_.empty()) throw ERangeError("Expression stack underflow");
        // Negation is exact and cannot fail, so a negative number is simply
        // a constant.
        if (op == ExprOp::Neg && code_.size() - starts_.back() == 1 && code_.back().op == ExprOp::PushConst) {
            code_.back().constant = -code_.back().constant;
            return;
        }
        code_.push_back({op, 0});
        return;
    }
    if (!IsBinary(op) || starts_.size() < 2) throw ERangeError("Expression stack underflow");
    const size_t right = starts_.back();
    starts_.pop_back();
    const size_t left = starts_.back();
    const ExprInstr rightFirst = code_[right];
    const ExprInstr leftFirst = code_[left];
    if (code_.size() - right == 1) {
        // The second argument is one leaf.
        code_[right] = {RightLeafForm(op, rightFirst.op), rightFirst.constant};
        return;
    }
    if (right - left == 1) {
        // The first argument is one leaf: + and * may take it second, since
        // they give the same value either way round; -, / and ^ have forms
        // of their own; the rest stay as they are.
        ExprOp fused = op;
        if (op == ExprOp::Add || op == ExprOp::Mul) fused = RightLeafForm(op, leftFirst.op);
        else if (op == ExprOp::Sub) fused = Offset(ExprOp::SubRevX, LeafIndex(leftFirst.op));
        else if (op == ExprOp::Div) fused = Offset(ExprOp::DivRevX, LeafIndex(leftFirst.op));
        else if (op == ExprOp::Pow) fused = Offset(ExprOp::PowRevX, LeafIndex(leftFirst.op));
        if (fused != op) {
            code_.erase(code_.begin() + static_cast<std::ptrdiff_t>(left));
            code_.push_back({fused, leftFirst.constant});
            return;
        }
    }
    code_.push_back({op, 0});
}

// One run of the code. Checked, every operation raises its failure. Unchecked,
// failures become infinities or NaNs, which only the operations that can
// fail give; each of their results is folded into a guard that stays 0 while
// all are finite (v * 0 is 0 for finite v, NaN otherwise).
template <bool kCheck>
long double TExpressionProgram::Run(double x, double y, bool& failed) const
{
    namespace m = exprmath;
    long double stack[kMaxStack];
    long double* below = stack; // next free slot under the accumulator
    long double acc = 0;
    long double guard = 0;
    const auto watch = [&guard](long double v) {
        if (!kCheck) guard += v * 0;
        return v;
    };
    const long double lx = x, ly = y;
    for (const ExprInstr& i : code_) {
        switch (i.op) {
        case ExprOp::PushX: *below++ = acc, acc = lx; break;
        case ExprOp::PushY: *below++ = acc, acc = ly; break;
        case ExprOp::PushConst: *below++ = acc, acc = i.constant; break;
        case ExprOp::Neg: acc = -acc; break;
        case ExprOp::Sin: acc = fpu::Sin(acc); break;
        case ExprOp::Cos: acc = fpu::Cos(acc); break;
        case ExprOp::Tan: acc = m::Tan(acc); break;
        case ExprOp::Abs: acc = std::fabs(acc); break;
        case ExprOp::Sqrt: acc = watch(m::Sqrt<kCheck>(acc)); break;
        case ExprOp::Exp: acc = watch(m::Exp<kCheck>(acc)); break;
        case ExprOp::Ln: acc = watch(m::Ln<kCheck>(acc)); break;
        case ExprOp::Floor: acc = std::floor(acc); break;
        case ExprOp::Ceil: acc = std::ceil(acc); break;
        case ExprOp::Round: acc = m::Round(acc); break;
#define VQ_EXPR_CASES(name)                                                                                            \
    case ExprOp::name: acc = watch(m::name<kCheck>(*--below, acc)); break;                                             \
    case ExprOp::name##X: acc = watch(m::name<kCheck>(acc, lx)); break;                                                \
    case ExprOp::name##Y: acc = watch(m::name<kCheck>(acc, ly)); break;                                                \
    case ExprOp::name##C: acc = watch(m::name<kCheck>(acc, i.constant)); break;
            VQ_EXPR_BINARY(VQ_EXPR_CASES)
#undef VQ_EXPR_CASES
        case ExprOp::SubRevX: acc = watch(m::Sub<kCheck>(lx, acc)); break;
        case ExprOp::SubRevY: acc = watch(m::Sub<kCheck>(ly, acc)); break;
        case ExprOp::SubRevC: acc = watch(m::Sub<kCheck>(i.constant, acc)); break;
        case ExprOp::DivRevX: acc = watch(m::Div<kCheck>(lx, acc)); break;
        case ExprOp::DivRevY: acc = watch(m::Div<kCheck>(ly, acc)); break;
        case ExprOp::DivRevC: acc = watch(m::Div<kCheck>(i.constant, acc)); break;
        case ExprOp::PowRevX: acc = watch(m::Pow<kCheck>(lx, acc)); break;
        case ExprOp::PowRevY: acc = watch(m::Pow<kCheck>(ly, acc)); break;
        case ExprOp::PowRevC: acc = watch(m::Pow<kCheck>(i.constant, acc)); break;
        }
    }
    failed = guard != 0;
    return acc;
}

long double TExpressionProgram::Evaluate(double x, double y) const
{
    if (Depth() != 1) throw ERangeError("Incomplete expression program");
    // Most pixels have a value: the run without checks finds it. Where it
    // met a failure, the checked run raises the first one, as the drawing
    // has always reported it.
    bool failed = false;
    const long double value = Run<false>(x, y, failed);
    if (!failed) return value;
    return Run<true>(x, y, failed);
}

bool TExpressionProgram::TryEvaluate(double x, double y, long double& value) const
{
    if (Depth() != 1) throw ERangeError("Incomplete expression program");
    bool failed = false;
    value = Run<false>(x, y, failed);
    return !failed;
}

TExpressionProgram TExpressionProgram::Part(std::size_t first, std::size_t last) const
{
    TExpressionProgram part;
    part.code_.assign(code_.begin() + static_cast<std::ptrdiff_t>(first),
                      code_.begin() + static_cast<std::ptrdiff_t>(last));
    part.starts_.push_back(0);
    // A part never needs more of the stack than the whole.
    part.maxDepth_ = maxDepth_;
    return part;
}
