// Row painters that evaluate every pixel the whole way, one compiled for each
// built-in point move and formula pair plus a generic one.
#include "engine/PixelPainter.h"

#include "engine/PixelKinds.h"

#include <type_traits>

namespace {

using namespace pixelkinds;

template <class Move, class Formula, class Palette>
class TPixelPainter final : public TRowPainter {
public:
    TPixelPainter(const DrawSetup& setup, std::unique_ptr<TPaletteBytes> bytes)
        : setup_(setup), bytes_(std::move(bytes))
    {}

    void PaintRow(uint8_t* pixels, int row) const override
    {
        // Locals, so byte stores in the loop cannot make the compiler fetch
        // them again.
        const DrawSetup s = setup_;
        const Palette palette = MakePalette();
        uint8_t* p = pixels;
        for (int col = 0; col < s.width; ++col) {
            palette.Put(p, PixelValue<Move, Formula>(s, col, row));
            p += 3;
        }
    }

    const char* Name() const override { return "pixel"; }

private:
    Palette MakePalette() const
    {
        if constexpr (std::is_same_v<Palette, DivisionPalette>) return DivisionPalette(setup_.mcf, setup_.paletteOffset);
        else return BytePalette(bytes_->Lookup());
    }

    const DrawSetup setup_;
    const std::unique_ptr<TPaletteBytes> bytes_;
};

} // namespace

std::unique_ptr<TRowPainter> MakePixelPainter(const DrawSetup& setup, bool bytePalette)
{
    return WithMoveKind(setup.pointMove, [&](auto move) {
        return WithFormulaKind(setup.formula, [&](auto formula) -> std::unique_ptr<TRowPainter> {
            using M = decltype(move);
            using F = decltype(formula);
            if (!bytePalette) return std::make_unique<TPixelPainter<M, F, DivisionPalette>>(setup, nullptr);
            return std::make_unique<TPixelPainter<M, F, BytePalette>>(setup,
                                                                      std::make_unique<TPaletteBytes>(setup.mcf, setup.paletteOffset));
        });
    });
}
