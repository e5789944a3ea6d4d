#include "ui/DrawControl.h"

#include "document/MainOperations.h"
#include "ui/DrawStatus.h"

#include <QCoreApplication>
#include <QEvent>
#include <QProgressBar>
#include <QTimer>
#include <QWidget>

#include <thread>
#include <utility>

#if defined(__SANITIZE_THREAD__)
#include <sanitizer/tsan_interface.h>
#define VQ_THREAD_SANITIZER 1
#elif defined(__has_feature)
#if __has_feature(thread_sanitizer)
#include <sanitizer/tsan_interface.h>
#define VQ_THREAD_SANITIZER 1
#endif
#endif

namespace {

// Qt's event queue is not built with the thread sanitizer, so it cannot see
// that a posted event is complete before the GUI thread takes it; the two
// ends of the hand-over tell it.
void HandOver([[maybe_unused]] void* what)
{
#ifdef VQ_THREAD_SANITIZER
    __tsan_release(what);
#endif
}

void TakeOver([[maybe_unused]] void* what)
{
#ifdef VQ_THREAD_SANITIZER
    __tsan_acquire(what);
#endif
}

constexpr QEvent::Type kCopyEvent = static_cast<QEvent::Type>(QEvent::User + 1);

// A progress copy on its way from the worker to the GUI thread.
class CopyEvent : public QEvent {
public:
    explicit CopyEvent(std::function<void()> copy) : QEvent(kCopyEvent), copy_(std::move(copy))
    {
        HandOver(static_cast<QEvent*>(this));
    }
    // Also for an event Qt drops undelivered, with its receiver.
    ~CopyEvent() override { TakeOver(static_cast<QEvent*>(this)); }
    void Run() { copy_(); }

private:
    std::function<void()> copy_;
};

class CopyReceiver : public QObject {
public:
    using QObject::QObject;
    bool event(QEvent* e) override
    {
        TakeOver(e); // before anything of the event is read
        if (e->type() != kCopyEvent) return QObject::event(e);
        static_cast<CopyEvent*>(e)->Run();
        return true;
    }
};
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
    // The worker waits until this thread has run a progress copy; Stop keeps
    // serving them while it waits, so this cannot deadlock. The receiver
    // belongs to the window, which outlives the renderer. Right after the
    // copy the rows it brought are repainted.
    QObject* receiver = new CopyReceiver(&window);
    ops_.Pattern().SetCopyObserver([this](TRowRange rows) { Copied(rows); });
    ops_.Pattern().SetSynchronizer([receiver](std::function<void()> copy) {
        QCoreApplication::postEvent(receiver, new CopyEvent(std::move(copy)));
    });
}

TDrawControl::~TDrawControl() { delete timDraw_; }

void TDrawControl::Stop()
{
    TVelquor& pattern = ops_.Pattern();
    if (pattern.Suspended() || pattern.Ended()) return;
    pattern.Stop();
    // User input stays queued, so no command can start inside the wait. A
    // worker terminated just after a start leaves without becoming idle.
    const auto idle = [&pattern] { return pattern.Suspended() || pattern.Ended(); };
    while (!idle()) {
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
        if (!idle()) std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
}

void TDrawControl::Start()
{
    if (shutDown_ || ops_.Pattern().Terminated()) return;
    Stop();
    if (hooks_.starting) hooks_.starting();
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

void TDrawControl::Copied(TRowRange rows)
{
    // Qt paints only what of these rows is visible; after a blur the final
    // copy brings every row.
    if (rows.last > rows.first) {
        if (hooks_.rows) hooks_.rows(rows.first, rows.last);
        else view_.update(0, rows.first, view_.width(), rows.last - rows.first);
    }
    if (rows.last >= ops_.Pattern().Height()) {
        complete_ = true;
        completed_ = std::chrono::steady_clock::now();
        if (timDraw_->isActive()) timDraw_->start(kEndPollMs);
    }
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
