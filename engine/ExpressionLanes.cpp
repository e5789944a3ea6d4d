// Each instruction is dispatched once for four neighbouring pixels and does
// its operation on each of them, in extended precision, with exactly the
// operands and functions of the whole program's unchecked run; the four
// values stay in x87 registers from one instruction to the next.
//
// Failures: the unchecked operations give infinities or NaNs where the
// checked ones fail. The processor operations (+ - * /, square root) raise
// the sticky invalid, zero-divide or overflow flag exactly then; the library
// functions are watched one by one, and before each call the flags raised so
// far are read, in case the function clears them. A block of four with any of these is
// painted again from its first pixel by the whole per-pixel code, which
// raises the first failure in pixel order with the pixels before it stored;
// a flag without a failure costs only time.
#include "engine/ExpressionLanes.h"

#include "common/Exceptions.h"

#include "engine/ExpressionFinish.h"
#include "expression/ExpressionMath.h"

#include <algorithm>
#include <cmath>
#include <vector>

#if !defined(__x86_64__) && !defined(__i386__)
#include <cfenv>
#endif

using namespace exprpixels;

namespace {

namespace m = exprmath;

// The flags of the x87 unit, which computes every long double here.
inline void ClearFailures()
{
#if defined(__x86_64__) || defined(__i386__)
    asm volatile("fnclex" : : : "memory");
#else
    std::feclearexcept(FE_INVALID | FE_DIVBYZERO | FE_OVERFLOW);
#endif
}

inline bool FailureSeen()
{
#if defined(__x86_64__) || defined(__i386__)
    uint16_t status;
    asm volatile("fnstsw %0" : "=am"(status) : : "memory");
    return (status & 0x0D) != 0; // invalid, zero divide, overflow
#else
    return std::fetestexcept(FE_INVALID | FE_DIVBYZERO | FE_OVERFLOW) != 0;
#endif
}

// Library results are checked themselves: their flags may be raised in
// another unit, or not at all. And a library function may clear the flags
// the block raised before it, so those are read before the call.
inline unsigned Before(unsigned& bad)
{
    bad |= FailureSeen();
    return 0;
}
inline long double Watch(long double v, unsigned& bad)
{
    bad |= !std::isfinite(v);
    return v;
}

// clang-format off
inline long double OpAdd(long double a, long double b, unsigned&) { return a + b; }
inline long double OpSub(long double a, long double b, unsigned&) { return a - b; }
inline long double OpMul(long double a, long double b, unsigned&) { return a * b; }
inline long double OpDiv(long double a, long double b, unsigned&) { return a / b; }
inline long double OpPow(long double a, long double b, unsigned& bad) { Before(bad); return Watch(m::Pow<false>(a, b), bad); }
inline long double OpMin(long double a, long double b, unsigned&) { return m::Min<false>(a, b); }
inline long double OpMax(long double a, long double b, unsigned&) { return m::Max<false>(a, b); }
inline long double OpMod(long double a, long double b, unsigned& bad) { Before(bad); return Watch(m::Mod<false>(a, b), bad); }
inline long double OpAtan2(long double a, long double b, unsigned& bad) { Before(bad); return Watch(m::Atan2<false>(a, b), bad); }
inline long double OpHypot(long double a, long double b, unsigned& bad) { Before(bad); return Watch(m::Hypot<false>(a, b), bad); }
// clang-format on

// Where a step's value comes from, in the form the lanes read it.
enum Variant : uint16_t { kStack, kLong, kDouble, kScalar, kLongFirst, kDoubleFirst, kScalarFirst, kVariants };

// The first value of the code needs no push: nothing lies below it.
constexpr uint16_t kLoadLong = 0, kLoadDouble = 1, kLoadScalar = 2;
constexpr uint16_t kPushLong = 3, kPushDouble = 4, kPushScalar = 5, kUnaryBase = 6;
constexpr uint16_t kBinaryBase = kUnaryBase + 11;

constexpr uint16_t UnaryCode(ExprOp op)
{
    return static_cast<uint16_t>(kUnaryBase + static_cast<int>(op) - static_cast<int>(ExprOp::Neg));
}
constexpr uint16_t BinaryCode(ExprOp op, Variant v)
{
    return static_cast<uint16_t>(kBinaryBase + (static_cast<int>(op) - static_cast<int>(ExprOp::Add)) * kVariants + v);
}

struct LaneStep {
    uint16_t code;
    int scalar;               // kScalar forms: index into the row's scalars
    const long double* along; // kLong forms: per column
    const double* adouble;    // kDouble forms: per column
};

class TLanePainter final : public TRowPainter {
    // The four lanes' stack and the row's scalars.
    static constexpr size_t kScratch = 5 * TExpressionProgram::kMaxStack;

public:
    TLanePainter(const DrawSetup& setup, TExpressionSplit split)
        : setup_(setup), split_(std::move(split)), palette_(std::make_unique<TPaletteBytes>(setup.mcf, setup.paletteOffset))
    {
        // Padded to whole blocks with copies of the last column, so a block's
        // extra lanes compute what a real pixel computes.
        const int width = setup.width;
        const size_t padded = static_cast<size_t>((width + 3) / 4 * 4);
        const auto last = [&](size_t c) { return static_cast<int>(std::min(c, static_cast<size_t>(width - 1))); };
        xs_.assign(padded, 0.0);
        parts_.assign(split_.columnParts.size(), std::vector<long double>(padded, 0.0L));
        for (size_t c = 0; c < padded; ++c) {
            double x = 0;
            bool ok = ColumnX(setup, last(c), x);
            xs_[c] = x;
            for (size_t k = 0; ok && k < parts_.size(); ++k) ok = split_.columnParts[k].TryEvaluate(x, 0, parts_[k][c]);
            columnsFail_ = columnsFail_ || !ok;
        }
        // Parts whose every value is a double are read as doubles: cheaper
        // to load, and the same value.
        partDoubles_.resize(parts_.size());
        for (size_t k = 0; k < parts_.size(); ++k) {
            std::vector<double> d(parts_[k].begin(), parts_[k].end());
            if (std::equal(d.begin(), d.end(), parts_[k].begin())) partDoubles_[k] = std::move(d);
        }
        for (const TPixelStep& s : split_.pixelCode) steps_.push_back(Compile(s, steps_.empty()));
        stackSize_ = 4 * static_cast<size_t>(split_.maxDepth);
        // A text of at most 1000 characters stays far below this.
        if (stackSize_ + static_cast<size_t>(scalarCount_) > kScratch) throw ERangeError("Expression too large");
    }

    void PaintRow(uint8_t* pixels, int row) const override
    {
        uint8_t* out = pixels;
        // A failed coordinate or part fails every pixel that uses it: the
        // whole code finds the first.
        double y;
        if (columnsFail_ || !RowY(setup_, row, y)) return Slow(out, row, 0);
        // On the painting thread's stack: a row allocates nothing.
        long double scratch[kScratch];
        long double* const scalars = scratch + stackSize_;
        for (size_t i = 0; i < split_.pixelCode.size(); ++i) {
            const TPixelStep& s = split_.pixelCode[i];
            if (steps_[i].scalar < 0) continue;
            long double& v = scalars[steps_[i].scalar];
            if (s.source == TStepSource::Y) v = y;
            else if (s.source == TStepSource::Constant) v = s.constant;
            else if (!split_.rowParts[static_cast<size_t>(s.part)].TryEvaluate(0, y, v)) return Slow(out, row, 0);
        }
        PaintLanes(out, row, scratch, scalars);
    }

    const char* Name() const override { return "expression"; }

private:
    LaneStep Compile(const TPixelStep& s, bool first)
    {
        LaneStep l{0, -1, nullptr, nullptr};
        Variant v = kStack;
        switch (s.source) {
        case TStepSource::X: v = kDouble, l.adouble = xs_.data(); break;
        case TStepSource::ColumnPart: {
            const size_t k = static_cast<size_t>(s.part);
            if (partDoubles_[k].empty()) v = kLong, l.along = parts_[k].data();
            else v = kDouble, l.adouble = partDoubles_[k].data();
            break;
        }
        case TStepSource::Y:
        case TStepSource::Constant:
        case TStepSource::RowPart: v = kScalar, l.scalar = scalarCount_++; break;
        case TStepSource::Stack: break;
        }
        switch (s.kind) {
        case TPixelStep::Push:
            l.code = v == kLong ? kPushLong : v == kDouble ? kPushDouble : kPushScalar;
            if (first) l.code = static_cast<uint16_t>(l.code - kPushLong);
            break;
        case TPixelStep::Unary: l.code = UnaryCode(s.op); break;
        case TPixelStep::Binary:
            l.code = BinaryCode(s.op, s.reversed && v != kStack ? static_cast<Variant>(v + 3) : v);
            break;
        }
        return l;
    }

    void Slow(uint8_t* out, int row, int from) const
    {
        const TPaletteLookup palette = palette_->Lookup();
        uint8_t* p = out + 3 * static_cast<size_t>(from);
        for (int col = from; col < setup_.width; ++col, p += 3) PutPixel(p, palette.Pixel(Whole(setup_, col, row)));
    }

    void PaintLanes(uint8_t* out, int row, long double* stack, const long double* scalars) const;

    const DrawSetup setup_;
    const TExpressionSplit split_;
    const std::unique_ptr<TPaletteBytes> palette_;
    std::vector<double> xs_;                       // per column, padded
    std::vector<std::vector<long double>> parts_;  // per column part, per column, padded
    std::vector<std::vector<double>> partDoubles_; // the same where all are doubles, else empty
    bool columnsFail_ = false;
    std::vector<LaneStep> steps_;
    int scalarCount_ = 0;
    size_t stackSize_ = 0;
};

void TLanePainter::PaintLanes(uint8_t* out, int row, long double* stack, const long double* scalars) const
{
    const TPaletteLookup palette = palette_->Lookup();
    const double cc = setup_.formula.ColorChange;
    const LaneStep* const begin = steps_.data();
    const LaneStep* const end = begin + steps_.size();
    const int width = setup_.width;
    ClearFailures();
    for (int col = 0; col < width; col += 4) {
        long double a0 = 0, a1 = 0, a2 = 0, a3 = 0;
        long double* sp = stack;
        unsigned bad = 0;
        for (const LaneStep* s = begin; s != end; ++s) {
            switch (s->code) {
#define VQ_LANES(F, A0, A1, A2, A3, B0, B1, B2, B3)                                                                    \
    a0 = F(A0, B0, bad);                                                                                               \
    a1 = F(A1, B1, bad);                                                                                               \
    a2 = F(A2, B2, bad);                                                                                               \
    a3 = F(A3, B3, bad);
#define VQ_PUSH(V0, V1, V2, V3)                                                                                        \
    sp[0] = a0, sp[1] = a1, sp[2] = a2, sp[3] = a3, sp += 4;                                                           \
    a0 = V0, a1 = V1, a2 = V2, a3 = V3;
#define VQ_LOAD(V0, V1, V2, V3) a0 = V0, a1 = V1, a2 = V2, a3 = V3;
            case kLoadLong: {
                const long double* c = s->along + col;
                VQ_LOAD(c[0], c[1], c[2], c[3]);
                break;
            }
            case kLoadDouble: {
                const double* c = s->adouble + col;
                VQ_LOAD(c[0], c[1], c[2], c[3]);
                break;
            }
            case kLoadScalar: {
                const long double b = scalars[s->scalar];
                VQ_LOAD(b, b, b, b);
                break;
            }
            case kPushLong: {
                const long double* c = s->along + col;
                VQ_PUSH(c[0], c[1], c[2], c[3]);
                break;
            }
            case kPushDouble: {
                const double* c = s->adouble + col;
                VQ_PUSH(c[0], c[1], c[2], c[3]);
                break;
            }
            case kPushScalar: {
                const long double b = scalars[s->scalar];
                VQ_PUSH(b, b, b, b);
                break;
            }
#define VQ_UNARY(op, expr)                                                                                             \
    case UnaryCode(ExprOp::op): {                                                                                      \
        const auto f = [&bad](long double v) {                                                                         \
            bad |= !std::isfinite(v);                                                                                  \
            return expr;                                                                                               \
        };                                                                                                             \
        a0 = f(a0), a1 = f(a1), a2 = f(a2), a3 = f(a3);                                                                \
        break;                                                                                                         \
    }
                VQ_UNARY(Neg, -v)
                VQ_UNARY(Sin, fpu::Sin(v))
                VQ_UNARY(Cos, fpu::Cos(v))
                VQ_UNARY(Tan, m::Tan(v))
                VQ_UNARY(Abs, std::fabs(v))
                VQ_UNARY(Sqrt, m::Sqrt<false>(v))
                VQ_UNARY(Exp, (Before(bad), Watch(m::Exp<false>(v), bad)))
                VQ_UNARY(Ln, (Before(bad), Watch(m::Ln<false>(v), bad)))
                VQ_UNARY(Floor, (Before(bad), std::floor(v)))
                VQ_UNARY(Ceil, (Before(bad), std::ceil(v)))
                VQ_UNARY(Round, (Before(bad), m::Round(v)))
#define VQ_BINARY(name)                                                                                                \
    case BinaryCode(ExprOp::name, kStack):                                                                             \
        sp -= 4;                                                                                                       \
        VQ_LANES(Op##name, sp[0], sp[1], sp[2], sp[3], a0, a1, a2, a3) break;                                          \
    case BinaryCode(ExprOp::name, kLong): {                                                                            \
        const long double* c = s->along + col;                                                                         \
        VQ_LANES(Op##name, a0, a1, a2, a3, c[0], c[1], c[2], c[3]) break;                                              \
    }                                                                                                                  \
    case BinaryCode(ExprOp::name, kDouble): {                                                                          \
        const double* c = s->adouble + col;                                                                            \
        VQ_LANES(Op##name, a0, a1, a2, a3, c[0], c[1], c[2], c[3]) break;                                              \
    }                                                                                                                  \
    case BinaryCode(ExprOp::name, kScalar): {                                                                          \
        const long double b = scalars[s->scalar];                                                                      \
        VQ_LANES(Op##name, a0, a1, a2, a3, b, b, b, b) break;                                                          \
    }                                                                                                                  \
    case BinaryCode(ExprOp::name, kLongFirst): {                                                                       \
        const long double* c = s->along + col;                                                                         \
        VQ_LANES(Op##name, c[0], c[1], c[2], c[3], a0, a1, a2, a3) break;                                              \
    }                                                                                                                  \
    case BinaryCode(ExprOp::name, kDoubleFirst): {                                                                     \
        const double* c = s->adouble + col;                                                                            \
        VQ_LANES(Op##name, c[0], c[1], c[2], c[3], a0, a1, a2, a3) break;                                              \
    }                                                                                                                  \
    case BinaryCode(ExprOp::name, kScalarFirst): {                                                                     \
        const long double b = scalars[s->scalar];                                                                      \
        VQ_LANES(Op##name, b, b, b, b, a0, a1, a2, a3) break;                                                          \
    }
                VQ_EXPR_BINARY(VQ_BINARY)
#undef VQ_BINARY
#undef VQ_UNARY
#undef VQ_PUSH
#undef VQ_LOAD
#undef VQ_LANES
            default: break;
            }
        }
        if (bad || FailureSeen()) return Slow(out, row, col);
        // The rounding and the palette in pixel order: a value beyond what
        // the colour change allows raises its failure at its pixel.
        uint8_t* p = out + 3 * static_cast<size_t>(col);
        const int lanes = std::min(4, width - col);
        PutPixel(p, palette.Pixel(m::Finish(a0, cc)));
        if (lanes > 1) PutPixel(p + 3, palette.Pixel(m::Finish(a1, cc)));
        if (lanes > 2) PutPixel(p + 6, palette.Pixel(m::Finish(a2, cc)));
        if (lanes > 3) PutPixel(p + 9, palette.Pixel(m::Finish(a3, cc)));
    }
}

} // namespace

std::unique_ptr<TRowPainter> MakeLanePainter(const DrawSetup& setup, TExpressionSplit split)
{
    return std::make_unique<TLanePainter>(setup, std::move(split));
}
