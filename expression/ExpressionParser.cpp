// Operator precedence by an explicit stack (shunting-yard): operands go
// straight into the program, operators wait on the stack until one of lower
// precedence, a closing parenthesis or the end lets them out.
#include "expression/ExpressionParser.h"

#include "common/Texts.h"
#include "expression/ExpressionError.h"
#include "expression/ExpressionToken.h"

#include <cmath>
#include <string>
#include <vector>

namespace {

struct Function {
    std::string_view name;
    ExprOp op;
    int arity;
};

const Function kFunctions[] = {
    {"sin", ExprOp::Sin, 1},   {"cos", ExprOp::Cos, 1},     {"tan", ExprOp::Tan, 1},     {"abs", ExprOp::Abs, 1},
    {"sqrt", ExprOp::Sqrt, 1}, {"exp", ExprOp::Exp, 1},     {"ln", ExprOp::Ln, 1},       {"floor", ExprOp::Floor, 1},
    {"ceil", ExprOp::Ceil, 1}, {"round", ExprOp::Round, 1}, {"min", ExprOp::Min, 2},     {"max", ExprOp::Max, 2},
    {"mod", ExprOp::Mod, 2},   {"atan2", ExprOp::Atan2, 2}, {"hypot", ExprOp::Hypot, 2},
};

const Function* FindFunction(std::string_view name)
{
    for (const Function& f : kFunctions)
        if (f.name == name) return &f;
    return nullptr;
}

// Higher binds tighter. Unary minus sits between * and ^, so -x^2 is -(x^2)
// and 2^-x is 2^(-x).
constexpr int kNegatePrecedence = 3;

int Precedence(ExprTokenKind kind)
{
    switch (kind) {
    case ExprTokenKind::Plus:
    case ExprTokenKind::Minus: return 1;
    case ExprTokenKind::Star:
    case ExprTokenKind::Slash: return 2;
    default: return 4; // ^
    }
}

ExprOp BinaryOp(ExprTokenKind kind)
{
    switch (kind) {
    case ExprTokenKind::Plus: return ExprOp::Add;
    case ExprTokenKind::Minus: return ExprOp::Sub;
    case ExprTokenKind::Star: return ExprOp::Mul;
    case ExprTokenKind::Slash: return ExprOp::Div;
    default: return ExprOp::Pow;
    }
}

// What waits on the stack: an operator, or an open parenthesis (a plain one
// or a function call's).
struct Pending {
    enum Kind { Operator, Paren, Call } kind;
    ExprOp op;
    int precedence;
    int position;             // of the operator, or of the function name
    const Function* function; // calls only
    int arguments;            // calls only: arguments begun so far
};

const char* const kOperandExpected = TText::Noop("数値、名前、「(」または「-」が必要です");

class Compiler {
public:
    explicit Compiler(std::string_view text) : tokens_(text) {}

    TExpressionProgram Run()
    {
        bool operand = true; // an operand comes next, else an operator
        for (;;) {
            const ExprToken t = tokens_.Next();
            if (operand) {
                operand = Operand(t);
            } else if (t.kind == ExprTokenKind::End) {
                Finish(t);
                return std::move(program_);
            } else {
                operand = Operator(t);
            }
        }
    }

private:
    // Returns whether another operand follows.
    bool Operand(const ExprToken& t)
    {
        const bool callOpen = !stack_.empty() && stack_.back().kind == Pending::Call;
        if (callOpen && stack_.back().arguments == 0 && t.kind != ExprTokenKind::Close) stack_.back().arguments = 1;
        switch (t.kind) {
        case ExprTokenKind::Number: program_.Emit(ExprOp::PushConst, t.value); return false;
        case ExprTokenKind::Name: return Name(t);
        case ExprTokenKind::Open: Open(t, Pending::Paren, t.position, nullptr); return true;
        case ExprTokenKind::Minus:
            stack_.push_back({Pending::Operator, ExprOp::Neg, kNegatePrecedence, t.position, nullptr, 0});
            return true;
        case ExprTokenKind::Close:
            // Right after a call's "(": no argument at all.
            if (callOpen && stack_.back().arguments == 0) ArgumentCount(stack_.back(), 0);
            break;
        case ExprTokenKind::End:
            if (program_.Code().empty() && stack_.empty()) throw EExpressionError(t.position, TText::tr("式が空です"));
            break;
        default: break;
        }
        throw EExpressionError(t.position, TText::tr(kOperandExpected));
    }

    bool Name(const ExprToken& t)
    {
        if (t.text == "x") program_.Emit(ExprOp::PushX);
        else if (t.text == "y") program_.Emit(ExprOp::PushY);
        else if (t.text == "pi") program_.Emit(ExprOp::PushConst, 3.141592653589793238462643383279502884L);
        else if (t.text == "e") program_.Emit(ExprOp::PushConst, 2.718281828459045235360287471352662498L);
        else if (const Function* f = FindFunction(t.text)) {
            const ExprToken open = tokens_.Next();
            if (open.kind != ExprTokenKind::Open)
                throw EExpressionError(open.position,
                                       TextArg(TText::tr("関数 '%1' の後に「(」が必要です"), {std::string(f->name)}));
            Open(open, Pending::Call, t.position, f);
            return true;
        } else {
            throw EExpressionError(t.position, TextArg(TText::tr("名前 '%1' は不明です"), {std::string(t.text)}));
        }
        return false;
    }

    void Open(const ExprToken& paren, Pending::Kind kind, int position, const Function* f)
    {
        if (nesting_ == kMaxExpressionNesting)
            throw EExpressionError(paren.position, TextArg(TText::tr("括弧の入れ子は%1段までです"),
                                                           {std::to_string(kMaxExpressionNesting)}));
        ++nesting_;
        stack_.push_back({kind, ExprOp::PushX, 0, position, f, 0});
    }

    // Returns whether an operand follows.
    bool Operator(const ExprToken& t)
    {
        switch (t.kind) {
        case ExprTokenKind::Plus:
        case ExprTokenKind::Minus:
        case ExprTokenKind::Star:
        case ExprTokenKind::Slash:
        case ExprTokenKind::Caret: {
            const int precedence = Precedence(t.kind);
            // ^ groups from the right: an equal one on the stack stays.
            PopOperators(t.kind == ExprTokenKind::Caret ? precedence + 1 : precedence);
            stack_.push_back({Pending::Operator, BinaryOp(t.kind), precedence, t.position, nullptr, 0});
            return true;
        }
        case ExprTokenKind::Close: Close(t); return false;
        case ExprTokenKind::Comma: Comma(t); return true;
        default: throw EExpressionError(t.position, TText::tr(OperatorExpected()));
        }
    }

    // Emits the waiting operators that bind at least as tightly as minimum,
    // down to the innermost open parenthesis.
    void PopOperators(int minimum)
    {
        while (!stack_.empty() && stack_.back().kind == Pending::Operator && stack_.back().precedence >= minimum) {
            program_.Emit(stack_.back().op);
            stack_.pop_back();
        }
    }

    void Close(const ExprToken& t)
    {
        PopOperators(0);
        if (stack_.empty()) throw EExpressionError(t.position, TText::tr("対応する「(」のない「)」です"));
        const Pending open = stack_.back();
        if (open.kind == Pending::Call) {
            ArgumentCount(open, open.arguments);
            program_.Emit(open.function->op);
        }
        stack_.pop_back();
        --nesting_;
    }

    void Comma(const ExprToken& t)
    {
        PopOperators(0);
        if (stack_.empty() || stack_.back().kind != Pending::Call)
            throw EExpressionError(t.position, TText::tr("「,」は関数の引数の区切りにだけ使えます"));
        ++stack_.back().arguments;
    }

    void ArgumentCount(const Pending& call, int given)
    {
        const Function& f = *call.function;
        if (given != f.arity)
            throw EExpressionError(call.position,
                                   TextArg(TText::tr("関数 '%1' の引数は%2個です(指定は%3個)"),
                                           {std::string(f.name), std::to_string(f.arity), std::to_string(given)}));
    }

    void Finish(const ExprToken& end)
    {
        PopOperators(0);
        if (!stack_.empty()) throw EExpressionError(end.position, TText::tr("「)」が足りません"));
    }

    // What may follow an operand depends on the innermost parenthesis.
    const char* OperatorExpected() const
    {
        for (auto p = stack_.rbegin(); p != stack_.rend(); ++p) {
            if (p->kind == Pending::Call) return TText::Noop("演算子、「,」または「)」が必要です");
            if (p->kind == Pending::Paren) return TText::Noop("演算子または「)」が必要です");
        }
        return TText::Noop("演算子が必要です");
    }

    TExprTokenizer tokens_;
    TExpressionProgram program_;
    std::vector<Pending> stack_;
    int nesting_ = 0;
};

// Characters, not bytes: every byte but a UTF-8 continuation byte starts one.
int CharacterCount(std::string_view text)
{
    int count = 0;
    for (const char c : text)
        if ((static_cast<unsigned char>(c) & 0xC0) != 0x80) ++count;
    return count;
}

} // namespace

TExpressionProgram CompileExpression(std::string_view text)
{
    // Counted up to the limit only, so a huge text costs no more than that.
    if (text.size() > static_cast<size_t>(kMaxExpressionLength) &&
        CharacterCount(text.substr(0, static_cast<size_t>(kMaxExpressionLength) * 4 + 4)) > kMaxExpressionLength)
        throw EExpressionError(kMaxExpressionLength + 1,
                               TextArg(TText::tr("式は%1文字までです"), {std::to_string(kMaxExpressionLength)}));
    return Compiler(text).Run();
}
