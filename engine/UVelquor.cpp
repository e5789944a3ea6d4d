// The rendering worker: waits while idle, draws the pattern row by row when
// resumed, copies the bitmap onto the target every 200 ms or more and once
// at the end, and keeps the message of a failure.
#include "UVelquor.h"

#include "ColorSplit.h"
#include "Exceptions.h"
#include "Format.h"
#include "FpuMath.h"
#include "ImageEffect.h"
#include "PaletteIndex.h"

#include <chrono>
#include <new>

namespace {

// Milliseconds of a steady clock, wrapping at 2^32 like a system tick.
uint32_t TickCount()
{
    using namespace std::chrono;
    return static_cast<uint32_t>(duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count());
}

} // namespace

TVelquor::TVelquor(bool createSuspended, TBitmap24* canvas)
    : canvas_(canvas),
      formula_(TFormulaBox::GetFormula(0)),
      pointMove_(TPointMoveBox::GetPointMove(0))
{
    mcf_.SetDefault();
    // Created suspended, the object is idle from the start; otherwise the
    // worker makes itself idle as its first step.
    suspended_ = createSuspended;
    worker_ = std::thread([this, createSuspended] { Execute(createSuspended); });
}

TVelquor::~TVelquor()
{
    Terminate();
    Stop();
    {
        std::lock_guard<std::mutex> lock(mutex_);
        exitRequested_ = true;
    }
    wake_.notify_all();
    worker_.join();
}

void TVelquor::SetFormula(std::unique_ptr<TFormula> formula)
{
    if (!formula) return;
    formula_ = std::move(formula);
    formula_->ColorChange = colorChange_;
}

void TVelquor::SetColorChange(double value)
{
    colorChange_ = value;
    formula_->ColorChange = value;
}

void TVelquor::SetPointMove(std::unique_ptr<TPointMove> pointMove)
{
    if (!pointMove) return;
    pointMove_ = std::move(pointMove);
}

void TVelquor::SetSize(int width, int height)
{
    if (width <= 0) throw ERangeError(Format("Size Error X(%d)", width));
    if (height <= 0) throw ERangeError(Format("Size Error Y(%d)", height));
    width_ = width;
    height_ = height;
}

void TVelquor::LoadPalette(const std::string& fileName) { mcf_.LoadFromFile(fileName); }

std::string TVelquor::GetPaletteName() const { return mcf_.GetName(); }

void TVelquor::SetSynchronizer(Synchronizer sync) { sync_ = std::move(sync); }

void TVelquor::Stop() { busy_.store(false); }

void TVelquor::Resume()
{
    {
        std::lock_guard<std::mutex> lock(mutex_);
        if (!suspended_ || finished_) return;
        suspended_ = false;
        // The drawing state starts here, not when the worker wakes, so a Stop
        // given before the worker runs is not overwritten by it.
        busy_.store(true);
    }
    wake_.notify_one();
}

void TVelquor::Terminate() { terminated_.store(true); }

bool TVelquor::Suspended() const
{
    std::lock_guard<std::mutex> lock(mutex_);
    return suspended_;
}

void TVelquor::WaitUntilSuspended() const
{
    std::unique_lock<std::mutex> lock(mutex_);
    idle_.wait(lock, [this] { return suspended_ || finished_; });
}

std::string TVelquor::ErrorMessage() const
{
    std::lock_guard<std::mutex> lock(mutex_);
    return errorMessage_;
}

void TVelquor::Execute(bool startedIdle)
{
    std::unique_lock<std::mutex> lock(mutex_);
    // A Resume may already have come in while the object was created idle.
    if (!startedIdle) suspended_ = true;
    for (;;) {
        idle_.notify_all();
        wake_.wait(lock, [this] { return !suspended_ || exitRequested_; });
        suspended_ = false;
        if (exitRequested_ || terminated_.load()) break;
        errorMessage_.clear();
        lock.unlock();
        std::string failure;
        try {
            Draw();
        } catch (const Exception& e) {
            failure = e.Message();
        } catch (const std::bad_alloc&) {
            failure = "メモリが不足しています。";
        } catch (const std::exception& e) {
            failure = e.what();
        } catch (...) {
            failure = "不明なエラーが発生しました。";
        }
        lock.lock();
        errorMessage_ = std::move(failure);
        busy_.store(false);
        suspended_ = true;
    }
    finished_ = true;
    idle_.notify_all();
}

void TVelquor::Draw()
{
    if (bitmap_.Width() != width_) bitmap_.SetWidth(width_);
    if (bitmap_.Height() != height_) bitmap_.SetHeight(height_);
    pointMove_->SetSize(width_, height_);
    finishedRows_.store(0, std::memory_order_relaxed);

    // Everything constant for the drawing is read once; the pixel loop works
    // on locals only, so rows could be shared out to several threads.
    const TPointMove& pointMove = *pointMove_;
    const TFormula& formula = *formula_;
    const TMcf& mcf = mcf_;
    const int32_t high = mcf.High;
    const int width = width_;
    const int height = height_;
    const long double incX = Incremental.X;
    const long double incY = Incremental.Y;
    // Same order as x = Center.X - Width * Inc.X / 2 + mx * Inc.X, so the
    // values are bit for bit those of the whole expression. An overflow here
    // shows up as a non-finite coordinate at the first pixel.
    const long double left = Center.X - width * incX / 2;
    const long double top = Center.Y - height * incY / 2;

    lastTick_ = TickCount();
    for (int row = 0; row < height; ++row) {
        uint8_t* p = bitmap_.Row(row);
        for (int col = 0; col < width; ++col) {
            const long double mx = pointMove.GetX(col, row);
            const long double my = pointMove.GetY(col, row);
            const double x = fpu::ToDoubleArg(left + mx * incX);
            const double y = fpu::ToDoubleArg(top + my * incY);
            const int32_t v = formula.Calc(x, y);
            const colorsplit::Channels c = colorsplit::Split(mcf.GetColor(PaletteIndex(v, high)));
            p[0] = static_cast<uint8_t>(c.b);
            p[1] = static_cast<uint8_t>(c.g);
            p[2] = static_cast<uint8_t>(c.r);
            p += 3;
        }
        finishedRows_.store(row + 1, std::memory_order_relaxed);
        if (terminated_.load(std::memory_order_relaxed) || !busy_.load(std::memory_order_relaxed)) return;
        Progress();
    }
    if (ShadeOff) ApplyShadeOff(bitmap_);
    Synchronize([this] { DrawToCanvas(); });
}

void TVelquor::Progress()
{
    const uint32_t now = TickCount();
    if ((now - lastTick_) / 100 > 1) {
        lastTick_ = now;
        Synchronize([this] { DrawToCanvas(); });
    }
}

void TVelquor::DrawToCanvas()
{
    canvas_->Draw(bitmap_);
    ++copyCount_;
}

void TVelquor::Synchronize(const std::function<void()>& method)
{
    // Without a target there is nothing to copy.
    if (!canvas_) return;
    if (sync_) sync_(method);
    else method();
}
