// The export's own drawing. Its painter is the renderer's, made for the
// export's size, so every painter's exactness carries over; the bands share
// their rows among threads the way the renderer's drawing does.
#include "engine/ExportDrawing.h"

#include "palette/PaletteIndex.h"

#include "common/Exceptions.h"
#include "common/Texts.h"
#include "engine/ExpressionFormula.h"
#include "engine/ImageEffect.h"
#include "engine/LinearLight.h"

#include <algorithm>
#include <atomic>
#include <climits>
#include <cmath>
#include <cstring>
#include <exception>
#include <mutex>
#include <system_error>
#include <thread>
#include <typeinfo>

void CheckExportSize(const TExportSize& size)
{
    if (size.width < 1 || size.width > TExportSize::kMaxSide)
        throw ERangeError(TextArg(TText::tr("書き出す画像の幅の指定が不正です。[%1]"), {std::to_string(size.width)}));
    if (size.height < 1 || size.height > TExportSize::kMaxSide)
        throw ERangeError(
            TextArg(TText::tr("書き出す画像の高さの指定が不正です。[%1]"), {std::to_string(size.height)}));
    if (size.scale < 1 || size.scale > TExportSize::kMaxScale)
        throw ERangeError(TextArg(TText::tr("倍率の指定が不正です。[%1]"), {std::to_string(size.scale)}));
    if (size.antialias < 1 || size.antialias > TExportSize::kMaxAntialias)
        throw ERangeError(
            TextArg(TText::tr("アンチエイリアスの指定が不正です。[%1]"), {std::to_string(size.antialias)}));
}

TExportSize DefaultExportSize(int patternWidth, int patternHeight, int scale, int antialias)
{
    TExportSize size{0, 0, scale, antialias};
    CheckExportSize({1, 1, scale, antialias});
    const long long w = static_cast<long long>(patternWidth) * scale;
    const long long h = static_cast<long long>(patternHeight) * scale;
    size.width = static_cast<int>(std::clamp<long long>(w, INT_MIN, INT_MAX));
    size.height = static_cast<int>(std::clamp<long long>(h, INT_MIN, INT_MAX));
    CheckExportSize(size);
    return size;
}

namespace {

int PointMoveIndex(const TPointMove& pointMove)
{
    for (int i = 0; i < TPointMoveBox::PointMoveCount(); ++i)
        if (typeid(pointMove) == typeid(*TPointMoveBox::GetPointMove(i))) return i;
    throw ERangeError("No Exist PointMove: ScaledPointMove");
}

} // namespace

std::unique_ptr<TPointMove> ScaledPointMove(const TPointMove& pointMove, int factor)
{
    const int index = PointMoveIndex(pointMove);
    TPointMoveParam p = pointMove.Param;
    const long double f = factor;
    if (index == 1 || index == 4) {
        p.a *= f;
        p.c *= f;
        p.b /= f;
        p.d /= f;
    } else if (index == 2) {
        // The angle grows with the square root of the distance.
        p.a /= std::sqrt(f);
    }
    std::unique_ptr<TPointMove> scaled = TPointMoveBox::GetPointMove(index);
    scaled->SetParam(p);
    return scaled;
}

std::unique_ptr<TFormula> CopyFormula(const TFormula& formula)
{
    std::unique_ptr<TFormula> copy;
    if (const auto* typed = dynamic_cast<const TFormula_Expression*>(&formula)) {
        copy = std::make_unique<TFormula_Expression>(typed->Text());
    } else {
        for (int i = 0; i < TFormulaBox::FormulaCount() && !copy; ++i) {
            std::unique_ptr<TFormula> candidate = TFormulaBox::GetFormula(i);
            if (typeid(*candidate) == typeid(formula)) copy = std::move(candidate);
        }
        if (!copy) throw ERangeError("No Exist Formula: CopyFormula");
    }
    copy->ColorChange = formula.ColorChange;
    return copy;
}

namespace {

// Runs fn(j, thread) for j = 0 .. n - 1, handed out in order to `threads`
// threads. A failure stops the rows after it; the failure of the lowest
// failing row is raised, as a single thread would have met it first.
template <class Fn>
void ForEachRow(int n, int threads, Fn fn)
{
    std::atomic<int> next{0};
    std::atomic<int> firstFailure{INT_MAX};
    std::mutex mutex;
    std::exception_ptr error;
    const auto work = [&](int thread) {
        for (;;) {
            const int j = next.fetch_add(1, std::memory_order_relaxed);
            if (j >= n || j > firstFailure.load(std::memory_order_relaxed)) return;
            try {
                fn(j, thread);
            } catch (...) {
                std::lock_guard<std::mutex> lock(mutex);
                if (j < firstFailure.load()) {
                    firstFailure.store(j);
                    error = std::current_exception();
                }
                return;
            }
        }
    };
    std::vector<std::thread> helpers;
    for (int t = 1; t < std::min(threads, n); ++t) {
        try {
            helpers.emplace_back(work, t);
        } catch (const std::system_error&) {
            break; // fewer threads only make it slower
        }
    }
    work(0);
    for (std::thread& t : helpers) t.join();
    if (error) std::rethrow_exception(error);
}

int ThreadsFor(int requested)
{
    const unsigned hw = std::thread::hardware_concurrency();
    return requested > 0 ? requested : (hw == 0 ? 1 : static_cast<int>(std::min(hw, 16u)));
}

// 0x00BBGGRR as 0x00RRGGBB.
int32_t RedBlueSwapped(int32_t colour)
{
    const auto c = static_cast<uint32_t>(colour);
    return static_cast<int32_t>((c & 0xFF00FF00u) | (c & 0xFFu) << 16 | (c >> 16 & 0xFFu));
}

// Scratch rows of one thread.
thread_local std::vector<uint8_t> tSamples;
thread_local std::vector<uint8_t> tBlurred;

} // namespace

TExportDrawing::TExportDrawing(const TVelquor& pattern, bool shadeOff, const TExportSize& size, TExportRows rows,
                               const TDrawTuning& tuning)
    : size_(size), shadeOff_(shadeOff), bottomUp_(rows == TExportRows::BottomUpBgr),
      threads_(ThreadsFor(tuning.threads))
{
    CheckExportSize(size);
    const int factor = size.scale * size.antialias;
    const int width = size.width * size.antialias;
    const int height = size.height * size.antialias;
    formula_ = CopyFormula(pattern.Formula());
    pointMove_ = ScaledPointMove(pattern.PointMove(), factor);
    pointMove_->SetSize(width, height);
    mcf_ = pattern.Mcf();
    // Colours are 0x00BBGGRR and stored low byte first; swapped, the same
    // painters store red first, which spares the PNG writer a pass per row.
    if (rows == TExportRows::TopDownRgb)
        for (int32_t& c : mcf_.Colors) c = RedBlueSwapped(c);
    const long double incX = pattern.Incremental.X / factor;
    const long double incY = pattern.Incremental.Y / factor;
    // The renderer's own expressions for the picture's top-left corner.
    const DrawSetup setup{*pointMove_,
                          *formula_,
                          mcf_,
                          width,
                          height,
                          incX,
                          incY,
                          pattern.Center.X - width * incX / 2,
                          pattern.Center.Y - height * incY / 2,
                          NormalPaletteOffset(pattern.PaletteOffset(), mcf_.High)};
    // Made on this thread before any helper starts, so they inherit the
    // floating-point settings it was chosen under.
    painter_ = MakeRowPainter(setup, tuning.painter);
}

TExportDrawing::~TExportDrawing() = default;

int TExportDrawing::BandRows(size_t bytes) const
{
    const size_t row = TBitmap24::StrideFor(size_.width);
    return static_cast<int>(std::clamp<size_t>(bytes / row, 1, static_cast<size_t>(size_.height)));
}

void TExportDrawing::DrawUnblurred(int index, uint8_t* out, std::vector<uint8_t>& samples) const
{
    const int y = PictureRow(index);
    const int k = size_.antialias;
    if (k == 1) {
        painter_->PaintRow(out, y);
        return;
    }
    const size_t rowBytes = static_cast<size_t>(size_.width) * static_cast<size_t>(k) * 3;
    samples.resize(rowBytes * static_cast<size_t>(k));
    const uint8_t* rows[TExportSize::kMaxAntialias];
    // The sample rows in the picture's own order, top down, whichever way
    // the output runs: the sums are taken in that order.
    for (int r = 0; r < k; ++r) {
        uint8_t* row = samples.data() + rowBytes * static_cast<size_t>(r);
        painter_->PaintRow(row, k * y + r);
        rows[r] = row;
    }
    linearlight::ReduceRow(rows, k, size_.width, out);
}

void TExportDrawing::NextBand(int count, const TRowSink& finish, const TRowPlace& place)
{
    count = std::min(count, size_.height - next_);
    if (count <= 0) return;
    const int first = next_;
    const int height = size_.height;
    const size_t rowBytes = static_cast<size_t>(size_.width) * 3;

    if (!shadeOff_) {
        if (!place && rows_.Height() < count) rows_.SetSize(size_.width, count);
        ForEachRow(count, threads_, [&](int j, int) {
            uint8_t* out = place ? place(j) : rows_.Row(j);
            DrawUnblurred(first + j, out, tSamples);
            finish(j, out);
        });
        next_ += count;
        return;
    }

    // Row r of rows_ holds the unblurred row of index first - 1 + r; the
    // first band has no row above its first and uses that row itself, as the
    // blur does at the picture's edge.
    if (rows_.Height() < count + 2) rows_.SetSize(size_.width, count + 2);
    const int from = first == 0 ? 0 : first + 1; // rows kept from the band before end here
    const int to = std::min(first + count + 1, height);
    ForEachRow(to - from, threads_,
               [&](int j, int) { DrawUnblurred(from + j, rows_.Row(from + j - first + 1), tSamples); });
    const auto unblurred = [&](int index) { return rows_.Row(std::clamp(index, 0, height - 1) - first + 1); };
    ForEachRow(count, threads_, [&](int j, int) {
        const int index = first + j;
        uint8_t* out = place ? place(j) : nullptr;
        if (!out) {
            tBlurred.resize(rowBytes);
            out = tBlurred.data();
        }
        ShadeOffRow(unblurred(index - 1), unblurred(index), unblurred(index + 1), out, static_cast<int>(rowBytes));
        finish(j, out);
    });
    // The next band's neighbours above: its first row and the one before.
    if (first + count < height) {
        std::memcpy(rows_.Row(0), rows_.Row(count), rowBytes);
        std::memcpy(rows_.Row(1), rows_.Row(count + 1), rowBytes);
    }
    next_ += count;
}
