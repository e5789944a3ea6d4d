// The rendering worker: waits while idle, draws the pattern row by row when
// resumed (sharing the rows with one helper thread per further processor),
// copies the rows finished since the last copy onto the target every 200 ms
// or more and the rest once at the end, and keeps the message of a failure.
#include "engine/UVelquor.h"

#include "common/Texts.h"

#include "common/Exceptions.h"
#include "common/Format.h"
#include "engine/ImageEffect.h"
#include "engine/RowPainter.h"
#include "palette/PaletteFile.h"
#include "palette/PaletteIndex.h"

#include <algorithm>
#include <chrono>
#include <climits>
#include <cstring>
#include <exception>
#include <new>
#include <system_error>
#include <vector>

namespace {

// Milliseconds of a steady clock, wrapping at 2^32 like a system tick.
uint32_t TickCount()
{
    using namespace std::chrono;
    return static_cast<uint32_t>(duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count());
}

} // namespace

// The worker's side of a copy handed to the target's thread. It outlives the
// renderer while a copy is still queued there.
struct TVelquor::CopyHandOver {
    std::mutex mutex;
    std::condition_variable served;
    uint64_t posted = 0;     // worker only
    uint64_t lastServed = 0; // guarded by mutex
    bool abandoned = false;  // guarded by mutex; set by the destructor
};

TVelquor::TVelquor(bool createSuspended, TBitmap24* canvas, TCanvasUse use)
    : canvas_(use == TCanvasUse::CopyOnto ? canvas : nullptr), formula_(TFormulaBox::GetFormula(0)),
      pointMove_(TPointMoveBox::GetPointMove(0)), handOver_(std::make_shared<CopyHandOver>())
{
    if (use == TCanvasUse::DrawInto && canvas) picture_ = canvas;
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
        std::lock_guard<std::mutex> lock(handOver_->mutex);
        handOver_->abandoned = true;
    }
    handOver_->served.notify_all();
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

void TVelquor::LoadPalette(const std::string& fileName) { LoadPaletteFile(mcf_, fileName); }

std::string TVelquor::GetPaletteName() const { return mcf_.GetName(); }

void TVelquor::SetSynchronizer(Synchronizer sync) { sync_ = std::move(sync); }

void TVelquor::SetCopyObserver(CopyObserver observer) { copied_ = std::move(observer); }

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

bool TVelquor::Ended() const
{
    std::lock_guard<std::mutex> lock(mutex_);
    return finished_;
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
            failure = TText::tr("メモリが不足しています。");
        } catch (const std::exception& e) {
            failure = e.what();
        } catch (...) {
            failure = TText::tr("不明なエラーが発生しました。");
        }
        lock.lock();
        errorMessage_ = std::move(failure);
        busy_.store(false);
        suspended_ = true;
    }
    busy_.store(false);
    finished_ = true;
    idle_.notify_all();
}

namespace {

// Bookkeeping of the threads sharing one drawing. Rows are handed out in
// order, a chunk of neighbouring rows at a time: threads that write
// alternate rows of one picture slow each other's stores down. A failure
// stops only the rows below it, so every row above the failing one is
// finished or fails too, and the lowest failing row is the one a single
// thread would have met first. What several threads write sits on cache
// lines of its own, so one thread's writes do not stall the others' reads.
struct RowShare {
    // Rows of a chunk finished so far; one thread draws a chunk, top down.
    struct alignas(64) ChunkRows {
        std::atomic<int> finished{0};
    };

    RowShare(int height, int threads)
        : height(height), chunk(std::clamp(height / (8 * threads), 1, 16)),
          chunks(static_cast<size_t>((height + chunk - 1) / chunk))
    {}

    // The longest run of finished rows from the top, from where it stood.
    int FinishedFrom(int prefix) const
    {
        while (prefix < height) {
            const int k = prefix / chunk;
            const int end =
                std::min(k * chunk + chunks[static_cast<size_t>(k)].finished.load(std::memory_order_acquire), height);
            if (end <= prefix) break;
            prefix = end;
        }
        return prefix;
    }

    void Finished(int row)
    {
        chunks[static_cast<size_t>(row / chunk)].finished.store(row % chunk + 1, std::memory_order_release);
    }

    void Fail(int row)
    {
        std::lock_guard<std::mutex> lock(errorMutex);
        if (row < firstFailure.load(std::memory_order_relaxed)) {
            firstFailure.store(row);
            error = std::current_exception();
        }
    }

    const int height;
    const int chunk;
    alignas(64) std::atomic<int> nextRow{0};
    alignas(64) std::atomic<int> firstFailure{INT32_MAX};
    std::vector<ChunkRows> chunks;
    std::mutex errorMutex;
    std::exception_ptr error;
};

int DrawingThreads(int requested, int height)
{
    const unsigned hw = std::thread::hardware_concurrency();
    const int n = requested > 0 ? requested : (hw == 0 ? 1 : static_cast<int>(std::min(hw, 16u)));
    return std::max(1, std::min(n, height));
}

} // namespace

void TVelquor::Draw()
{
    TBitmap24& picture = *picture_;
    // A new size is new zero memory, faulted in row by row by the threads
    // that draw the rows below; the same size draws over the last picture.
    picture.SetSize(width_, height_);
    pointMove_->SetSize(width_, height_);
    finishedRows_.store(0, std::memory_order_relaxed);
    copiedRows_.store(0, std::memory_order_relaxed);

    const int width = width_;
    const int height = height_;
    const long double incX = Incremental.X;
    const long double incY = Incremental.Y;
    // Same order as x = Center.X - Width * Inc.X / 2 + mx * Inc.X, so the
    // values are bit for bit those of the whole expression. An overflow here
    // shows up as a non-finite coordinate at the first pixel.
    const DrawSetup setup{*pointMove_,
                          *formula_,
                          mcf_,
                          width,
                          height,
                          incX,
                          incY,
                          Center.X - width * incX / 2,
                          Center.Y - height * incY / 2,
                          NormalPaletteOffset(paletteOffset_, mcf_.High)};
    // Made here, before the helpers start, so they inherit the floating-point
    // settings under which the painter was chosen.
    const std::unique_ptr<TRowPainter> painter = MakeRowPainter(setup, tuning_.painter);
    const auto stopRequested = [this] {
        return terminated_.load(std::memory_order_relaxed) || !busy_.load(std::memory_order_relaxed);
    };

    const int threads = DrawingThreads(tuning_.threads, height);
    RowShare share(height, threads);

    lastTick_ = TickCount();
    // The thread running Draw also draws rows and is the only one to copy
    // and to count finished rows: the longest run of finished rows from the
    // top, which nobody writes any more.
    int prefix = 0;
    const auto advancePrefix = [&] { prefix = share.FinishedFrom(prefix); };
    uint32_t prefixTick = lastTick_;
    const auto drawRows = [&](bool main) {
        for (;;) {
            const int first = share.nextRow.fetch_add(share.chunk, std::memory_order_relaxed);
            for (int row = first; row < std::min(first + share.chunk, height); ++row) {
                if (row >= share.firstFailure.load(std::memory_order_relaxed)) return;
                try {
                    painter->Paint(picture, row);
                    share.Finished(row);
                    if (stopRequested()) return;
                    // At most once a millisecond: reading the other threads'
                    // counts pulls their cache lines away from them.
                    if (main) {
                        const uint32_t now = TickCount();
                        if (now != prefixTick) {
                            prefixTick = now;
                            advancePrefix();
                            finishedRows_.store(prefix, std::memory_order_relaxed);
                            Progress();
                        }
                    }
                } catch (...) {
                    share.Fail(row);
                    return;
                }
            }
            if (first + share.chunk >= height) return;
        }
    };

    std::vector<std::thread> helpers;
    helpers.reserve(static_cast<size_t>(threads));
    for (int i = 1; i < threads; ++i) {
        try {
            helpers.emplace_back(drawRows, false);
        } catch (const std::system_error&) {
            break; // fewer threads only make it slower
        }
    }
    drawRows(true);
    for (auto& t : helpers) t.join();
    advancePrefix();
    finishedRows_.store(prefix, std::memory_order_relaxed);

    if (share.error) std::rethrow_exception(share.error);
    if (stopRequested()) return;
    const bool blurred = ShadeOff;
    if (blurred) ApplyShadeOff(picture, threads);
    Synchronize([this, blurred] { DrawToCanvas(blurred); });
}

void TVelquor::Progress()
{
    if (!canvas_) return;
    const uint32_t now = TickCount();
    if ((now - lastTick_) / 100 > 1) {
        // Only finished rows, since other threads may still be writing below
        // them, and only those the canvas does not have yet.
        const int finished = finishedRows_.load(std::memory_order_relaxed);
        if (finished <= copiedRows_.load(std::memory_order_relaxed)) return;
        lastTick_ = now;
        Synchronize([this, finished] { CopyRows(copiedRows_.load(std::memory_order_relaxed), finished); });
    }
}

void TVelquor::DrawToCanvas(bool whole)
{
    CopyRows(whole ? 0 : copiedRows_.load(std::memory_order_relaxed), picture_->Height());
}

void TVelquor::CopyRows(int first, int last)
{
    const int rows = std::min({last, picture_->Height(), canvas_->Height()});
    const size_t bytes = static_cast<size_t>(std::min(picture_->Width(), canvas_->Width())) * 3;
    for (int y = first; y < rows; ++y) std::memcpy(canvas_->Row(y), picture_->Row(y), bytes);
    copiedRows_.store(last, std::memory_order_relaxed);
    copiedRange_.store(static_cast<uint64_t>(first) << 32 | static_cast<uint32_t>(std::max(first, rows)));
    ++copyCount_;
    if (copied_) copied_(TRowRange{first, std::max(first, rows)});
}

TRowRange TVelquor::CopiedRows() const
{
    const uint64_t range = copiedRange_.load();
    return {static_cast<int>(range >> 32), static_cast<int>(static_cast<uint32_t>(range))};
}

void TVelquor::Synchronize(const std::function<void()>& method)
{
    // Without a target there is nothing to copy.
    if (!canvas_) return;
    if (!sync_) {
        method();
        return;
    }
    const std::shared_ptr<CopyHandOver> handOver = handOver_;
    const uint64_t ticket = ++handOver->posted;
    {
        std::lock_guard<std::mutex> lock(handOver->mutex);
        if (handOver->abandoned) return;
    }
    // method lives until this call returns, which is after it ran or after
    // it was abandoned; the lock makes the two exclude each other.
    sync_([handOver, ticket, &method] {
        std::lock_guard<std::mutex> lock(handOver->mutex);
        if (handOver->abandoned) return;
        method();
        handOver->lastServed = ticket;
        handOver->served.notify_all();
    });
    std::unique_lock<std::mutex> lock(handOver->mutex);
    handOver->served.wait(lock, [&] { return handOver->lastServed == ticket || handOver->abandoned; });
}
