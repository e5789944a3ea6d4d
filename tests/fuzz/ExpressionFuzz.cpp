// libFuzzer target: any bytes as a formula text. Compiling either succeeds
// or names a mistake; a compiled formula evaluates to a value or fails with
// one of the drawing's arithmetic messages, and a small drawing of it gives
// the plain loop's bytes and failure through every painter. Anything else
// (another exception, a crash, a hang, a stack beyond its bound, a
// difference between painters) is a finding.
#include "common/Exceptions.h"
#include "engine/ExpressionFormula.h"
#include "engine/RowPainter.h"
#include "expression/ExpressionError.h"
#include "expression/ExpressionParser.h"

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
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

// Rows in order until the first failure; the bytes and the message.
std::string Paint(const DrawSetup& setup, TPainterKind kind, TBitmap24& picture)
{
    picture.SetSize(setup.width, setup.height);
    std::memset(picture.Bits(), 0x5A, picture.Stride() * static_cast<size_t>(setup.height));
    const auto painter = MakeRowPainter(setup, kind);
    for (int row = 0; row < setup.height; ++row) {
        try {
            painter->Paint(picture, row);
        } catch (const Exception& e) {
            return e.Message();
        }
    }
    return "";
}

void PaintersAgree(const TFormula& formula)
{
    TMcf mcf;
    mcf.SetDefault();
    auto move = TPointMoveBox::GetPointMove(0);
    const long double increments[] = {0.7L, 1e6L};
    for (const long double inc : increments) {
        move->SetSize(7, 3);
        const DrawSetup setup{*move, formula, mcf, 7, 3, inc, inc, 0.5L - 7 * inc / 2, -0.25L - 3 * inc / 2};
        TBitmap24 plain, fast;
        const std::string plainError = Paint(setup, TPainterKind::PerPixel, plain);
        for (const TPainterKind kind : {TPainterKind::Fastest, TPainterKind::Portable}) {
            Require(Paint(setup, kind, fast) == plainError);
            Require(std::memcmp(fast.Bits(), plain.Bits(), plain.Stride() * 3) == 0);
        }
    }
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
        PaintersAgree(formula);
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
