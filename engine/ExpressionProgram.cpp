// Building and running postfix code. The stack lives in the evaluating
// call's frame, so one program can serve every drawing thread at once.
#include "engine/ExpressionProgram.h"

#include "common/Exceptions.h"
#include "engine/ExpressionMath.h"

void TExpressionProgram::Emit(ExprOp op, long double constant)
{
    const int arity = ExprArity(op);
    if (depth_ < arity) throw ERangeError("Expression stack underflow");
    depth_ += 1 - arity;
    if (depth_ > kMaxStack) throw ERangeError("Expression stack overflow");
    if (depth_ > maxDepth_) maxDepth_ = depth_;
    code_.push_back({op, constant});
}

long double TExpressionProgram::Evaluate(double x, double y) const
{
    namespace m = exprmath;
    if (depth_ != 1) throw ERangeError("Incomplete expression program");
    long double stack[kMaxStack];
    long double* top = stack - 1; // the topmost value
    for (const ExprInstr& i : code_) {
        switch (i.op) {
        case ExprOp::PushX: *++top = x; break;
        case ExprOp::PushY: *++top = y; break;
        case ExprOp::PushConst: *++top = i.constant; break;
        case ExprOp::Neg: *top = -*top; break;
        case ExprOp::Sin: *top = fpu::Sin(*top); break;
        case ExprOp::Cos: *top = fpu::Cos(*top); break;
        case ExprOp::Tan: *top = m::Tan(*top); break;
        case ExprOp::Abs: *top = std::fabs(*top); break;
        case ExprOp::Sqrt: *top = m::Sqrt(*top); break;
        case ExprOp::Exp: *top = m::Exp(*top); break;
        case ExprOp::Ln: *top = m::Ln(*top); break;
        case ExprOp::Floor: *top = std::floor(*top); break;
        case ExprOp::Ceil: *top = std::ceil(*top); break;
        case ExprOp::Round: *top = m::Round(*top); break;
        case ExprOp::Add: top[-1] = m::Add(top[-1], top[0]), --top; break;
        case ExprOp::Sub: top[-1] = m::Sub(top[-1], top[0]), --top; break;
        case ExprOp::Mul: top[-1] = m::Mul(top[-1], top[0]), --top; break;
        case ExprOp::Div: top[-1] = m::Div(top[-1], top[0]), --top; break;
        case ExprOp::Pow: top[-1] = m::Pow(top[-1], top[0]), --top; break;
        case ExprOp::Min: top[-1] = m::Min(top[-1], top[0]), --top; break;
        case ExprOp::Max: top[-1] = m::Max(top[-1], top[0]), --top; break;
        case ExprOp::Mod: top[-1] = m::Mod(top[-1], top[0]), --top; break;
        case ExprOp::Atan2: top[-1] = std::atan2(top[-1], top[0]), --top; break;
        case ExprOp::Hypot: top[-1] = m::Hypot(top[-1], top[0]), --top; break;
        }
    }
    return *top;
}
