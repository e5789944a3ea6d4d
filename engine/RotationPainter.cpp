// Point move 2 with the angles of a row shared by the pixels at the same
// distance from the centre.
#include "engine/RotationPainter.h"

#include "common/Exceptions.h"
#include "engine/PixelKinds.h"

#include <algorithm>
#include <vector>

namespace {

using namespace pixelkinds;

template <class Formula>
class TRotationPainter final : public TRowPainter {
public:
    explicit TRotationPainter(const DrawSetup& setup)
        : setup_(setup), palette_(std::make_unique<TPaletteBytes>(setup.mcf, setup.paletteOffset))
    {}

    void PaintRow(uint8_t* pixels, int row) const override
    {
        const DrawSetup s = setup_;
        const BytePalette palette(palette_->Lookup());
        const int32_t cx = s.pointMove.Width / 2;
        const int32_t cy = s.pointMove.Height / 2;
        const long double a = s.pointMove.Param.a;
        const int64_t dy = int64_t{row} - cy;
        // One turn per distance |dx| the row meets. A turn that fails (an
        // angle beyond the double range) is left to the pixels' own code,
        // which raises the failure at the first of them.
        const int64_t reach = std::max<int64_t>(cx, int64_t{s.width} - 1 - cx);
        std::vector<pointmovemath::Turn> turns(static_cast<size_t>(reach) + 1);
        std::vector<uint8_t> ok(turns.size(), 0);
        for (int64_t d = 0; d <= reach; ++d) {
            try {
                turns[static_cast<size_t>(d)] = pointmovemath::TurnAt(d * d + dy * dy, a);
                ok[static_cast<size_t>(d)] = 1;
            } catch (const Exception&) {}
        }
        uint8_t* p = pixels;
        for (int col = 0; col < s.width; ++col, p += 3) {
            const int64_t dx = int64_t{col} - cx;
            const size_t d = static_cast<size_t>(dx < 0 ? -dx : dx);
            int32_t v;
            if (ok[d]) {
                const Moved m = pointmovemath::Turned(dx, dy, cx, cy, turns[d]);
                const double x = PlaneX(s, m.x);
                const double y = PlaneY(s, m.y);
                v = Formula::Calc(s.formula, x, y);
            } else {
                v = PixelValue<Move2, Formula>(s, col, row);
            }
            palette.Put(p, v);
        }
    }

    const char* Name() const override { return "rotation"; }

private:
    const DrawSetup setup_;
    const std::unique_ptr<TPaletteBytes> palette_;
};

} // namespace

std::unique_ptr<TRowPainter> MakeRotationPainter(const DrawSetup& setup)
{
    if (setup.mcf.High < 1 || typeid(setup.pointMove) != typeid(TPM_2)) return nullptr;
    return WithFormulaKind(setup.formula, [&](auto formula) -> std::unique_ptr<TRowPainter> {
        return std::make_unique<TRotationPainter<decltype(formula)>>(setup);
    });
}
