// The rendering object: one worker thread that draws the current pattern
// into its own bitmap and copies it onto a target bitmap while it grows, or,
// for a caller that only reads the finished picture, straight into that
// caller's bitmap.
// During a drawing the worker shares the rows with helper threads, one per
// further hardware thread; copies, stop checks and the row count stay with
// the worker.
//
// Settings (Center, Incremental, ShadeOff and the Set* operations) may be
// changed only while Suspended() is true. The hand-over through the worker's
// mutex on Resume() makes them visible to the worker.
#pragma once

#include "bitmap/Bitmap24.h"
#include "engine/RowPainter.h"
#include "engine/UFloatPoint.h"
#include "engine/UFormula.h"
#include "engine/UPointMove.h"
#include "palette/UMcf.h"

#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <thread>

// What the bitmap given to the renderer is for.
enum class TCanvasUse {
    // A target the worker copies the finished rows onto while it draws (the
    // window shows them); the worker draws into a bitmap of its own.
    CopyOnto,
    // The bitmap the worker draws into; no second bitmap and no copies.
    DrawInto,
};

// How a drawing uses the machine; every choice gives the same picture.
struct TDrawTuning {
    // Threads that share the rows and the blur; 0: one per hardware thread
    // (at most 16).
    int threads = 0;
    TPainterKind painter = TPainterKind::Fastest;
};

// Rows first .. last - 1.
struct TRowRange {
    int first = 0;
    int last = 0;
    bool operator==(const TRowRange&) const = default;
};

class TVelquor {
public:
    // Hands a copy to the thread that owns the target, to run there now or
    // later; the worker waits until it has run. Without one, copies run on
    // the worker itself. A renderer destroyed on that thread while a copy
    // waits abandons the copy (run later, it does nothing), so it cannot
    // wait for a thread that is busy destroying it.
    using Synchronizer = std::function<void(std::function<void()> copy)>;

    // The worker starts at once and goes idle. canvas is not owned and may be
    // null (no copies are made then); use says whether the worker copies onto
    // it or draws into it.
    explicit TVelquor(bool createSuspended, TBitmap24* canvas, TCanvasUse use = TCanvasUse::CopyOnto);
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
    // The bitmap the worker draws into (the canvas when it draws into it);
    // read it only while Suspended().
    const TBitmap24& Bitmap() const { return *picture_; }

    void SetFormula(std::unique_ptr<TFormula> formula);
    void SetColorChange(double value);
    void SetPointMove(std::unique_ptr<TPointMove> pointMove);
    void SetSize(int width, int height);
    // Any palette format, by the file's extension (palette/PaletteFile.h).
    void LoadPalette(const std::string& fileName);
    // Turns the palette: index i in 1..High draws the colour of
    // 1 + ((i - 1 + o) mod High); 0 is the plain palette.
    void SetPaletteOffset(int offset) { paletteOffset_ = offset; }
    int PaletteOffset() const { return paletteOffset_; }
    std::string GetPaletteName() const;
    void SetSynchronizer(Synchronizer sync);
    // Told the rows of each copy right after it, on the thread that ran it
    // (with a synchroniser, the target's); never for an abandoned copy.
    using CopyObserver = std::function<void(TRowRange rows)>;
    void SetCopyObserver(CopyObserver observer);
    // Threads and painter of the next drawings (benchmarks and tests).
    void SetTuning(const TDrawTuning& tuning) { tuning_ = tuning; }

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
    // A progress copy is made only when rows were finished since the last.
    int CopyCount() const { return copyCount_.load(); }
    // The rows the last copy wrote onto the canvas: a progress copy those
    // finished since the copy before, the final copy the rest of the picture
    // (all of it after a blur). Safe to read any time; a synchroniser that
    // reads it right after running a copy sees exactly that copy's rows.
    TRowRange CopiedRows() const;

private:
    void Execute(bool startedIdle);
    void Draw();
    void Progress();
    void DrawToCanvas(bool whole);
    void CopyRows(int first, int last);
    void Synchronize(const std::function<void()>& method);

    TBitmap24 bitmap_;
    TBitmap24* picture_ = &bitmap_; // what the worker draws into
    double colorChange_ = 1.0;
    int paletteOffset_ = 0;
    TBitmap24* canvas_ = nullptr;
    std::string errorMessage_;
    std::unique_ptr<TFormula> formula_;
    uint32_t lastTick_ = 0;
    TMcf mcf_;
    std::unique_ptr<TPointMove> pointMove_;
    int width_ = 0;
    int height_ = 0;
    Synchronizer sync_;
    CopyObserver copied_;
    TDrawTuning tuning_;
    struct CopyHandOver;
    std::shared_ptr<CopyHandOver> handOver_; // shared with copies not run yet

    std::atomic<bool> busy_{false};
    std::atomic<bool> terminated_{false};
    // Written after every row; apart from the flags every drawing thread
    // reads after every row.
    alignas(64) std::atomic<int> finishedRows_{0};
    std::atomic<int> copyCount_{0};
    std::atomic<int> copiedRows_{0};       // rows of this drawing on the canvas
    std::atomic<uint64_t> copiedRange_{0}; // first << 32 | last of the last copy

    mutable std::mutex mutex_;
    mutable std::condition_variable wake_;
    mutable std::condition_variable idle_;
    bool suspended_ = false;     // guarded by mutex_
    bool exitRequested_ = false; // guarded by mutex_; set by the destructor
    bool finished_ = false;      // guarded by mutex_; the worker has left its loop
    std::thread worker_;
};
