#include "ui/DrawControl.h"

#include "document/MainOperations.h"
#include "ui/DrawStatus.h"

#include <QCoreApplication>
#include <QProgressBar>
#include <QTimer>
#include <QWidget>

#include <thread>
#include <utility>

namespace {

constexpr int kPollMs = 200;
// After the complete picture has come in the worker is about to go idle;
// looking again soon shows the end without waiting for a full period.
constexpr int kEndPollMs = 2;

} // namespace

TDrawControl::TDrawControl(QObject& window, TMainOperations& ops, QWidget& view, QProgressBar& progress, THooks hooks)
    : ops_(ops), view_(view), progress_(progress), hooks_(std::move(hooks))
{
    // Owned by the window so it is found there by name.
    timDraw_ = new QTimer(&window);
    timDraw_->setObjectName(QStringLiteral("timDraw"));
    QObject::connect(timDraw_, &QTimer::timeout, timDraw_, [this] { Poll(); });
    // The progress copies block the worker until this thread has run them;
    // Stop keeps serving them while it waits, so this cannot deadlock.
    QObject* context = &window;
    ops_.Pattern().SetSynchronizer([this, context](const std::function<void()>& copy) {
        QMetaObject::invokeMethod(
            context,
            [this, &copy] {
                copy();
                Copied();
            },
            Qt::BlockingQueuedConnection);
    });
}

TDrawControl::~TDrawControl() { delete timDraw_; }

void TDrawControl::Stop()
{
    TVelquor& pattern = ops_.Pattern();
    if (pattern.Suspended()) return;
    pattern.Stop();
    // User input stays queued, so no command can start inside the wait.
    while (!pattern.Suspended()) {
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
        if (!pattern.Suspended()) std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
}

void TDrawControl::Start()
{
    if (shutDown_ || ops_.Pattern().Terminated()) return;
    Stop();
    if (hooks_.starting) hooks_.starting();
    shownRows_ = 0;
    complete_ = false;
    started_ = std::chrono::steady_clock::now();
    ops_.BeginDrawing();
    progress_.setValue(0);
    progress_.show();
    if (hooks_.status) hooks_.status(DrawingProgressText(0, ops_.Pattern().Height(), false, 0.0));
    timDraw_->start(kPollMs);
}

void TDrawControl::ShutDown()
{
    if (shutDown_ || ops_.Pattern().Terminated()) return;
    // First, so nothing starts a drawing from inside the wait.
    shutDown_ = true;
    timDraw_->stop();
    // Stopped before it is terminated: a worker resumed a moment ago that
    // wakes to find itself terminated ends without ever going idle, and the
    // wait would never end. Stopped, it draws at most a row, goes idle, and
    // the progress copy it may wait on is served meanwhile.
    Stop();
    ops_.Pattern().Terminate();
}

bool TDrawControl::Drawing() const { return timDraw_->isActive(); }

void TDrawControl::Copied()
{
    const TVelquor& pattern = ops_.Pattern();
    const int rows = pattern.FinishedRows();
    if (rows >= pattern.Height()) {
        // The complete picture; a blur may have changed every row.
        view_.update();
        complete_ = true;
        completed_ = std::chrono::steady_clock::now();
        if (timDraw_->isActive()) timDraw_->start(kEndPollMs);
    } else if (rows > shownRows_) {
        // Qt paints only what of these rows is visible.
        view_.update(0, shownRows_, view_.width(), rows - shownRows_);
    }
    shownRows_ = rows;
}

double TDrawControl::Seconds(std::chrono::steady_clock::time_point end) const
{
    return std::chrono::duration<double>(end - started_).count();
}

void TDrawControl::Poll()
{
    const TVelquor& pattern = ops_.Pattern();
    if (!pattern.Suspended()) {
        const int rows = pattern.FinishedRows();
        progress_.setValue(DrawingPercent(rows, pattern.Height()));
        const bool blurring = rows >= pattern.Height() && ops_.ShadeOff();
        if (hooks_.status)
            hooks_.status(
                DrawingProgressText(rows, pattern.Height(), blurring, Seconds(std::chrono::steady_clock::now())));
        return;
    }
    timDraw_->stop();
    progress_.hide();
    const bool complete = complete_ && pattern.ErrorMessage().empty();
    if (hooks_.status)
        hooks_.status(DrawingDoneText(complete, Seconds(complete ? completed_ : std::chrono::steady_clock::now())));
    if (hooks_.finished) hooks_.finished(pattern.ErrorMessage());
}
