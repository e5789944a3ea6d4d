// The rendering object: one worker thread that draws the current pattern
// into its own bitmap and copies it onto a target bitmap while it grows.
// During a drawing the worker shares the rows with helper threads, one per
// further hardware thread; copies, stop checks and the row count stay with
// the worker.
//
// Settings (Center, Incremental, ShadeOff and the Set* operations) may be
// changed only while Suspended() is true. The hand-over through the worker's
// mutex on Resume() makes them visible to the worker.
#pragma once

#include "bitmap/Bitmap24.h"
#include "engine/UFloatPoint.h"
#include "engine/UFormula.h"
#include "engine/UMcf.h"
#include "engine/UPointMove.h"

#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <thread>

class TVelquor {
public:
    // Hands a copy to the thread that owns the target, to run there now or
    // later; the worker waits until it has run. Without one, copies run on
    // the worker itself. A renderer destroyed on that thread while a copy
    // waits abandons the copy (run later, it does nothing), so it cannot
    // wait for a thread that is busy destroying it.
    using Synchronizer = std::function<void(std::function<void()> copy)>;

    // The worker starts at once and goes idle. canvas is not owned and may be
    // null (no copies are made then).
    explicit TVelquor(bool createSuspended, TBitmap24* canvas);
    // Requests termination, stops a running drawing, abandons a copy the
    // worker waits for and joins the worker.
    ~TVelquor();
    TVelquor(const TVelquor&) = delete;
    TVelquor& operator=(const TVelquor&) = delete;

    TFloatPoint Center{0, 0};
    TFloatPoint Incremental{1, 1};
    bool ShadeOff = false;

    double ColorChange() const { return colorChange_; }
    int Width() const { return width_; }
    int Height() const { return height_; }
    const TFormula& Formula() const { return *formula_; }
    const TPointMove& PointMove() const { return *pointMove_; }
    TMcf& Mcf() { return mcf_; }
    const TMcf& Mcf() const { return mcf_; }
    // The worker's own bitmap; read it only while Suspended().
    const TBitmap24& Bitmap() const { return bitmap_; }

    void SetFormula(std::unique_ptr<TFormula> formula);
    void SetColorChange(double value);
    void SetPointMove(std::unique_ptr<TPointMove> pointMove);
    void SetSize(int width, int height);
    void LoadPalette(const std::string& fileName);
    std::string GetPaletteName() const;
    void SetSynchronizer(Synchronizer sync);

    // Asks a running drawing to end after its current row.
    void Stop();
    // Starts the next drawing; ignored unless idle.
    void Resume();
    // Asks the worker to end; a running drawing ends after its row.
    void Terminate();
    // True only while the worker really waits to be resumed.
    bool Suspended() const;
    bool Terminated() const { return terminated_.load(); }
    // True once the worker has left for good (terminated and woken); it is
    // never Suspended() again then.
    bool Ended() const;
    bool Busy() const { return busy_.load(); }
    // Blocks until the worker is idle. Only for callers that do not have to
    // serve the synchroniser meanwhile (command line, tests).
    void WaitUntilSuspended() const;

    // Message of the failure that ended the last drawing; read while idle.
    std::string ErrorMessage() const;
    // Rows finished in the current or last drawing; safe to read any time.
    int FinishedRows() const { return finishedRows_.load(std::memory_order_relaxed); }
    // Number of copies onto the canvas since creation (progress and final).
    int CopyCount() const { return copyCount_.load(); }

private:
    void Execute(bool startedIdle);
    void Draw();
    void Progress();
    void DrawToCanvas();
    void Synchronize(const std::function<void()>& method);

    TBitmap24 bitmap_;
    double colorChange_ = 1.0;
    TBitmap24* canvas_ = nullptr;
    std::string errorMessage_;
    std::unique_ptr<TFormula> formula_;
    uint32_t lastTick_ = 0;
    TMcf mcf_;
    std::unique_ptr<TPointMove> pointMove_;
    int width_ = 0;
    int height_ = 0;
    Synchronizer sync_;
    struct CopyHandOver;
    std::shared_ptr<CopyHandOver> handOver_; // shared with copies not run yet

    std::atomic<bool> busy_{false};
    std::atomic<bool> terminated_{false};
    std::atomic<int> finishedRows_{0};
    std::atomic<int> copyCount_{0};

    mutable std::mutex mutex_;
    mutable std::condition_variable wake_;
    mutable std::condition_variable idle_;
    bool suspended_ = false;     // guarded by mutex_
    bool exitRequested_ = false; // guarded by mutex_; set by the destructor
    bool finished_ = false;      // guarded by mutex_; the worker has left its loop
    std::thread worker_;
};
