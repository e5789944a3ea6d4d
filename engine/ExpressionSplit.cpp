// Postfix code is a tree written from the leaves up: the code of every
// instruction's value is the contiguous run of instructions ending at it. One
// pass with a stack of those runs finds each value's variables and the
// instruction that uses it, without recursion.
#include "engine/ExpressionSplit.h"

#include "common/Exceptions.h"

#include <cstddef>

namespace {

constexpr uint8_t kUsesX = 1, kUsesY = 2;

uint8_t LeafUses(ExprOp leaf)
{
    if (leaf == ExprOp::PushX) return kUsesX;
    if (leaf == ExprOp::PushY) return kUsesY;
    return 0;
}

TStepSource LeafSource(ExprOp leaf)
{
    if (leaf == ExprOp::PushX) return TStepSource::X;
    if (leaf == ExprOp::PushY) return TStepSource::Y;
    return TStepSource::Constant;
}

struct Value {
    std::size_t first; // where its code begins
    uint8_t uses;
};

// Appends steps, taking a single pushed operand into the binary step that
// uses it, as the program's own code does with leaves. Any binary operation
// may take it first (reversed): a pushed value cannot fail, so when it is
// read does not matter.
class StepBuilder {
public:
    void Push(TStepSource source, int part, long double constant)
    {
        starts_.push_back(steps_.size());
        steps_.push_back({TPixelStep::Push, ExprOp::PushConst, source, false, part, constant});
        if (static_cast<int>(starts_.size()) - 1 > maxDepth_) maxDepth_ = static_cast<int>(starts_.size()) - 1;
    }

    void Unary(ExprOp op) { steps_.push_back({TPixelStep::Unary, op, TStepSource::Stack, false, 0, 0}); }

    void Binary(ExprOp op)
    {
        const std::size_t right = starts_.back();
        starts_.pop_back();
        const std::size_t left = starts_.back();
        const TPixelStep rightFirst = steps_[right];
        if (steps_.size() - right == 1) {
            steps_.back() = {TPixelStep::Binary, op, rightFirst.source, false, rightFirst.part, rightFirst.constant};
            return;
        }
        if (right - left == 1) {
            const TPixelStep leftFirst = steps_[left];
            steps_.erase(steps_.begin() + static_cast<std::ptrdiff_t>(left));
            steps_.push_back({TPixelStep::Binary, op, leftFirst.source, true, leftFirst.part, leftFirst.constant});
            return;
        }
        steps_.push_back({TPixelStep::Binary, op, TStepSource::Stack, false, 0, 0});
    }

    // A binary operation with one leaf operand, given first or second.
    void WithLeaf(ExprOp op, TStepSource source, long double constant, bool first)
    {
        steps_.push_back({TPixelStep::Binary, op, source, first, 0, constant});
    }

    std::vector<TPixelStep> Take() { return std::move(steps_); }
    int MaxDepth() const { return maxDepth_; }

private:
    std::vector<TPixelStep> steps_;
    std::vector<std::size_t> starts_;
    int maxDepth_ = 0;
};

} // namespace

TExpressionSplit SplitExpression(const TExpressionProgram& program)
{
    const std::vector<ExprInstr>& code = program.Code();
    const std::size_t n = code.size();
    if (program.Depth() != 1) throw ERangeError("Incomplete expression program");

    // Each instruction's value: where its code begins, what it uses, and
    // which instruction takes it as an argument (n for the last one).
    std::vector<Value> values(n);
    std::vector<std::size_t> user(n, n);
    std::vector<std::size_t> open; // values not yet used, by their last instruction
    for (std::size_t i = 0; i < n; ++i) {
        const ExprShape shape = ShapeOf(code[i].op);
        Value v{i, 0};
        const auto take = [&] {
            const std::size_t arg = open.back();
            open.pop_back();
            user[arg] = i;
            v.first = values[arg].first;
            v.uses |= values[arg].uses;
        };
        switch (shape.kind) {
        case ExprShape::Leaf: v.uses = LeafUses(shape.leaf); break;
        case ExprShape::Unary: take(); break;
        case ExprShape::Binary:
            take();
            take();
            break;
        case ExprShape::LeafSecond:
        case ExprShape::LeafFirst:
            take();
            v.uses |= LeafUses(shape.leaf);
            break;
        }
        values[i] = v;
        open.push_back(i);
    }

    // The largest parts without both variables that hold an operation: the
    // instruction ending such a part, found by where the part begins.
    TExpressionSplit split;
    std::vector<std::size_t> partEnd(n, n);
    std::vector<TPixelStep> partLeaf(n);
    for (std::size_t i = 0; i < n; ++i) {
        const bool both = values[i].uses == (kUsesX | kUsesY);
        const bool largest = user[i] == n || values[user[i]].uses == (kUsesX | kUsesY);
        if (both || !largest || ShapeOf(code[i].op).kind == ExprShape::Leaf) continue;
        const bool row = values[i].uses == kUsesY;
        auto& parts = row ? split.rowParts : split.columnParts;
        partEnd[values[i].first] = i;
        partLeaf[values[i].first] = {TPixelStep::Push,
                                     ExprOp::PushConst,
                                     row ? TStepSource::RowPart : TStepSource::ColumnPart,
                                     false,
                                     static_cast<int>(parts.size()),
                                     0};
        parts.push_back(program.Part(values[i].first, i + 1));
    }

    StepBuilder steps;
    for (std::size_t i = 0; i < n; ++i) {
        if (partEnd[i] != n) {
            steps.Push(partLeaf[i].source, partLeaf[i].part, 0);
            i = partEnd[i];
            continue;
        }
        const ExprShape shape = ShapeOf(code[i].op);
        switch (shape.kind) {
        case ExprShape::Leaf: steps.Push(LeafSource(shape.leaf), 0, code[i].constant); break;
        case ExprShape::Unary: steps.Unary(shape.base); break;
        case ExprShape::Binary: steps.Binary(shape.base); break;
        case ExprShape::LeafSecond:
        case ExprShape::LeafFirst:
            steps.WithLeaf(shape.base, LeafSource(shape.leaf), code[i].constant, shape.kind == ExprShape::LeafFirst);
            break;
        }
    }
    split.maxDepth = steps.MaxDepth();
    split.pixelCode = steps.Take();
    return split;
}

namespace {

bool ColumnSide(TStepSource s)
{
    return s == TStepSource::X || s == TStepSource::ColumnPart || s == TStepSource::Constant;
}
bool RowSide(TStepSource s) { return s == TStepSource::Y || s == TStepSource::RowPart || s == TStepSource::Constant; }

TSplitSide SideOf(const TPixelStep& step, bool negated) { return {step.source, step.part, step.constant, negated}; }

} // namespace

std::optional<TSeparableJoin> SeparableJoin(const TExpressionSplit& split)
{
    const std::vector<TPixelStep>& code = split.pixelCode;
    const TSplitSide zero{TStepSource::Constant, 0, 0, false};
    if (code.size() == 1) {
        if (ColumnSide(code[0].source)) return TSeparableJoin{SideOf(code[0], false), zero, false};
        return TSeparableJoin{zero, SideOf(code[0], false), false};
    }
    if (code.size() != 2 || code[1].kind != TPixelStep::Binary || code[1].source == TStepSource::Stack) return {};
    const ExprOp op = code[1].op;
    if (op != ExprOp::Add && op != ExprOp::Sub && op != ExprOp::Mul) return {};
    // first op second, in the order the operation takes them.
    const TPixelStep& first = code[1].reversed ? code[1] : code[0];
    const TPixelStep& second = code[1].reversed ? code[0] : code[1];
    const bool minus = op == ExprOp::Sub;
    if (ColumnSide(first.source) && RowSide(second.source) && second.source != TStepSource::Constant)
        return TSeparableJoin{SideOf(first, false), SideOf(second, minus), op == ExprOp::Mul};
    if (RowSide(first.source) && ColumnSide(second.source))
        return TSeparableJoin{SideOf(second, minus), SideOf(first, false), op == ExprOp::Mul};
    return {};
}
