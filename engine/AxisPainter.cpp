// Per-axis tables and the portable painters that use them.
#include "engine/AxisPainter.h"

#include "common/Exceptions.h"
#include "engine/ExpressionPainter.h"
#include "engine/PixelKinds.h"

#include <type_traits>

using namespace pixelkinds;

TMove0Painter::TMove0Painter(const DrawSetup& setup, bool product)
    : setup_(setup), product_(product), colorChange_(setup.formula.ColorChange),
      palette_(std::make_unique<TPaletteBytes>(setup.mcf, setup.paletteOffset))
{}

namespace {

template <class Parts>
class TMove0PainterFor final : public TMove0Painter {
public:
    explicit TMove0PainterFor(const DrawSetup& setup) : TMove0Painter(setup, Parts::kProduct)
    {
        const DrawSetup& s = setup_;
        columns_.value.assign(static_cast<size_t>(s.width), 0.0L);
        columns_.ok.assign(static_cast<size_t>(s.width), 0);
        for (int col = 0; col < s.width; ++col) Form(columns_, col, s.left + col * s.incX, Parts::X);
        rows_.value.assign(static_cast<size_t>(s.height), 0.0L);
        rows_.ok.assign(static_cast<size_t>(s.height), 0);
    }

    void PrepareRow(int row) const override { Form(rows_, row, setup_.top + row * setup_.incY, Parts::Y); }
    int32_t Value(int col, int row) const override
    {
        const size_t c = static_cast<size_t>(col), r = static_cast<size_t>(row);
        if (columns_.ok[c] && rows_.ok[r])
            return formulamath::Finish(Parts::Join(columns_.value[c], rows_.value[r]), colorChange_);
        return Whole(setup_, col, row);
    }

    void PaintColumns(uint8_t* rowBytes, int row, int first, int last) const override
    {
        const DrawSetup s = setup_;
        const double cc = colorChange_;
        const TPaletteLookup palette = palette_->Lookup();
        const long double* a = columns_.value.data();
        const uint8_t* aOk = columns_.ok.data();
        const long double b = rows_.value[static_cast<size_t>(row)];
        uint8_t* p = rowBytes + 3 * static_cast<size_t>(first);
        if (!rows_.ok[static_cast<size_t>(row)]) {
            for (int col = first; col < last; ++col, p += 3) PutPixel(p, palette.Pixel(Whole(s, col, row)));
            return;
        }
        for (int col = first; col < last; ++col, p += 3) {
            const int32_t v = aOk[col] ? formulamath::Finish(Parts::Join(a[col], b), cc) : Whole(s, col, row);
            PutPixel(p, palette.Pixel(v));
        }
    }

private:
    // A coordinate that is no finite double marks its entry: the pixel's own
    // code raises the overflow there, in the order it always has.
    static void Form(TAxisTable& t, int i, long double coordinate, long double (*part)(double))
    {
        double c;
        t.ok[static_cast<size_t>(i)] = fpu::ToFiniteDouble(coordinate, c);
        t.value[static_cast<size_t>(i)] = t.ok[static_cast<size_t>(i)] ? part(c) : 0.0L;
    }

    static int32_t Whole(const DrawSetup& s, int col, int row)
    {
        return PixelValue<Move0, Builtin<Parts>>(s, col, row);
    }
};

template <class Move, class Formula>
class TShiftPainter final : public TRowPainter {
public:
    explicit TShiftPainter(const DrawSetup& setup) : setup_(setup), palette_(std::make_unique<TPaletteBytes>(setup.mcf, setup.paletteOffset))
    {
        // The terms raise nothing but an overflow of their product; such an
        // entry is left to the pixels' own code.
        const auto fill = [&](TAxisTable& t, int count, long double (*term)(const TPointMove&, int32_t)) {
            t.value.assign(static_cast<size_t>(count), 0.0L);
            t.ok.assign(static_cast<size_t>(count), 0);
            for (int i = 0; i < count; ++i) {
                try {
                    t.value[static_cast<size_t>(i)] = term(setup.pointMove, i);
                    t.ok[static_cast<size_t>(i)] = 1;
                } catch (const Exception&) {}
            }
        };
        fill(xTerms_, setup.height, Move::XTerm);
        fill(yTerms_, setup.width, Move::YTerm);
    }

    void PaintRow(uint8_t* pixels, int row) const override
    {
        const DrawSetup s = setup_;
        const BytePalette palette(palette_->Lookup());
        const long double* yTerm = yTerms_.value.data();
        const uint8_t* yOk = yTerms_.ok.data();
        const long double xTerm = xTerms_.value[static_cast<size_t>(row)];
        const bool xOk = xTerms_.ok[static_cast<size_t>(row)] != 0;
        uint8_t* p = pixels;
        for (int col = 0; col < s.width; ++col, p += 3) {
            int32_t v;
            if (xOk && yOk[col]) {
                // The steps of the whole expression after its terms, in its order.
                const long double mx = pointmovemath::Shifted(col, xTerm);
                const long double my = pointmovemath::Shifted(row, yTerm[col]);
                const double x = PlaneX(s, mx);
                const double y = PlaneY(s, my);
                v = Formula::Calc(s.formula, x, y);
            } else {
                v = PixelValue<Move, Formula>(s, col, row);
            }
            palette.Put(p, v);
        }
    }

    const char* Name() const override { return "axis"; }

private:
    const DrawSetup setup_;
    const std::unique_ptr<TPaletteBytes> palette_;
    TAxisTable xTerms_; // per row
    TAxisTable yTerms_; // per column
};

template <class T>
struct IsBuiltin : std::false_type {};
template <class Parts>
struct IsBuiltin<Builtin<Parts>> : std::true_type {
    using PartsType = Parts;
};

} // namespace

std::unique_ptr<TMove0Painter> MakeMove0Painter(const DrawSetup& setup)
{
    if (setup.mcf.High < 1 || typeid(setup.pointMove) != typeid(TPM_0)) return nullptr;
    return WithFormulaKind(setup.formula, [&](auto formula) -> std::unique_ptr<TMove0Painter> {
        using F = decltype(formula);
        if constexpr (IsBuiltin<F>::value)
            return std::make_unique<TMove0PainterFor<typename IsBuiltin<F>::PartsType>>(setup);
        else return MakeSeparableExpressionPainter(setup);
    });
}

std::unique_ptr<TRowPainter> MakeShiftPainter(const DrawSetup& setup)
{
    if (setup.mcf.High < 1) return nullptr;
    return WithMoveKind(setup.pointMove, [&](auto move) -> std::unique_ptr<TRowPainter> {
        using M = decltype(move);
        if constexpr (std::is_same_v<M, Move1> || std::is_same_v<M, Move3> || std::is_same_v<M, Move4>) {
            return WithFormulaKind(setup.formula, [&](auto formula) -> std::unique_ptr<TRowPainter> {
                return std::make_unique<TShiftPainter<M, decltype(formula)>>(setup);
            });
        } else {
            return nullptr;
        }
    });
}
