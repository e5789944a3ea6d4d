// Typed formulas with point move 0. Every value is formed by the same
// operations on the same operands as in the per-pixel run of the whole
// program; every pixel whose parts or code fail runs that whole program, in
// pixel order, so failures keep their message, pixel and the pixels before.
#include "engine/ExpressionPainter.h"

#include "engine/ExpressionFinish.h"
#include "engine/ExpressionFormula.h"
#include "engine/ExpressionLanes.h"
#include "engine/ExpressionSplit.h"

#include <cmath>
#include <typeinfo>

using namespace exprpixels;

namespace {

const TFormula_Expression* TypedFormula(const DrawSetup& setup)
{
    if (setup.mcf.High < 1 || typeid(setup.pointMove) != typeid(TPM_0)) return nullptr;
    if (typeid(setup.formula) != typeid(TFormula_Expression)) return nullptr;
    return static_cast<const TFormula_Expression*>(&setup.formula);
}

class TSeparablePainter final : public TMove0Painter {
public:
    TSeparablePainter(const DrawSetup& setup, TExpressionSplit split, const TSeparableJoin& join)
        : TMove0Painter(setup, join.product), split_(std::move(split)), join_(join)
    {
        const DrawSetup& s = setup_;
        columns_.value.assign(static_cast<size_t>(s.width), 0.0L);
        columns_.ok.assign(static_cast<size_t>(s.width), 0);
        for (int col = 0; col < s.width; ++col) {
            double x;
            long double v = 0;
            const bool ok = ColumnX(s, col, x) && Side(join_.column, x, 0, v);
            columns_.ok[static_cast<size_t>(col)] = ok;
            columns_.value[static_cast<size_t>(col)] = ok ? v : 0.0L;
        }
        rows_.value.assign(static_cast<size_t>(s.height), 0.0L);
        rows_.ok.assign(static_cast<size_t>(s.height), 0);
    }

    void PrepareRow(int row) const override
    {
        double y;
        long double v = 0;
        const bool ok = RowY(setup_, row, y) && Side(join_.row, 0, y, v);
        rows_.ok[static_cast<size_t>(row)] = ok;
        rows_.value[static_cast<size_t>(row)] = ok ? v : 0.0L;
    }

    int32_t Value(int col, int row) const override
    {
        const size_t c = static_cast<size_t>(col), r = static_cast<size_t>(row);
        if (columns_.ok[c] && rows_.ok[r]) return Joined(columns_.value[c], rows_.value[r], col, row);
        return Whole(setup_, col, row);
    }

    void PaintColumns(uint8_t* rowBytes, int row, int first, int last) const override
    {
        const TPaletteLookup palette = palette_->Lookup();
        const long double* a = columns_.value.data();
        const uint8_t* aOk = columns_.ok.data();
        const long double b = rows_.value[static_cast<size_t>(row)];
        const bool bOk = rows_.ok[static_cast<size_t>(row)] != 0;
        uint8_t* p = rowBytes + 3 * static_cast<size_t>(first);
        for (int col = first; col < last; ++col, p += 3) {
            const int32_t v = bOk && aOk[col] ? Joined(a[col], b, col, row) : Whole(setup_, col, row);
            PutPixel(p, palette.Pixel(v));
        }
    }

private:
    // A join beyond the extended range is the whole code's overflow.
    int32_t Joined(long double a, long double b, int col, int row) const
    {
        const long double e = product_ ? a * b : a + b;
        if (!std::isfinite(e)) return Whole(setup_, col, row);
        return exprmath::Finish(e, colorChange_);
    }

    bool Side(const TSplitSide& side, double x, double y, long double& v) const
    {
        bool ok = true;
        switch (side.source) {
        case TStepSource::X: v = x; break;
        case TStepSource::Y: v = y; break;
        case TStepSource::ColumnPart:
            ok = split_.columnParts[static_cast<size_t>(side.part)].TryEvaluate(x, 0, v);
            break;
        case TStepSource::RowPart: ok = split_.rowParts[static_cast<size_t>(side.part)].TryEvaluate(0, y, v); break;
        default: v = side.constant; break;
        }
        if (side.negated) v = -v;
        return ok;
    }

    const TExpressionSplit split_;
    const TSeparableJoin join_;
};

} // namespace

std::unique_ptr<TMove0Painter> MakeSeparableExpressionPainter(const DrawSetup& setup)
{
    const TFormula_Expression* typed = TypedFormula(setup);
    if (!typed) return nullptr;
    TExpressionSplit split = SplitExpression(typed->Program());
    const std::optional<TSeparableJoin> join = SeparableJoin(split);
    if (!join) return nullptr;
    return std::make_unique<TSeparablePainter>(setup, std::move(split), *join);
}

std::unique_ptr<TRowPainter> MakeExpressionPainter(const DrawSetup& setup)
{
    const TFormula_Expression* typed = TypedFormula(setup);
    if (!typed) return nullptr;
    return MakeLanePainter(setup, SplitExpression(typed->Program()));
}
