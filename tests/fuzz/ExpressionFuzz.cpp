// libFuzzer target: any bytes as a formula text. Compiling either succeeds
// or names a mistake; a compiled formula evaluates to a value or fails with
// one of the drawing's arithmetic messages. Anything else (another
// exception, a crash, a hang, a stack beyond its bound) is a finding.
#include "common/Exceptions.h"
#include "engine/ExpressionError.h"
#include "engine/ExpressionFormula.h"
#include "engine/ExpressionParser.h"

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

namespace {

// Points of the plane as a drawing can hand them over: finite doubles, from
// tiny to huge, ties and values around 2^63.
const double kPoints[][2] = {
    {0, 0}, {1.5, -2.5}, {-0.5, 0.5}, {1e-300, -3e9}, {9.3e18, -7}, {-1e300, 1e300}, {3.14159, 1e19},
};
const double kColourChanges[] = {1, 0.5, -1e300};

void Require(bool condition)
{
    if (!condition) std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string text(reinterpret_cast<const char*>(data), size);
    try {
        const TExpressionProgram program = CompileExpression(text);
        Require(size <= static_cast<size_t>(kMaxExpressionLength)); // ASCII only
        Require(program.Depth() == 1);
        Require(program.MaxDepth() <= TExpressionProgram::kMaxStack);
    } catch (const EExpressionError& e) {
        Require(e.Position() >= 1 && e.Position() <= kMaxExpressionLength + 1);
        return 0;
    }
    TFormula_Expression formula(text);
    for (const auto& p : kPoints) {
        try {
            Require(std::isfinite(formula.Program().Evaluate(p[0], p[1])));
        } catch (const EZeroDivide&) {
        } catch (const EInvalidOp&) {
        } catch (const EOverflow&) {}
    }
    for (const double cc : kColourChanges) {
        formula.ColorChange = cc;
        for (const auto& p : kPoints) {
            try {
                formula.Calc(p[0], p[1]);
            } catch (const EZeroDivide&) {
            } catch (const EInvalidOp&) {
            } catch (const EOverflow&) {}
        }
    }
    return 0;
}
