#include "ui/DrawControl.h"

#include "document/MainOperations.h"

#include <QCoreApplication>
#include <QEvent>
#include <QProgressBar>
#include <QTimer>
#include <QWidget>

#include <chrono>
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
    // belongs to the window, which outlives the renderer.
    QObject* receiver = new CopyReceiver(&window);
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
    if (ops_.Pattern().Terminated()) return;
    Stop();
    if (hooks_.starting) hooks_.starting();
    ops_.BeginDrawing();
    progress_.setValue(0);
    progress_.show();
    timDraw_->start(200);
}

void TDrawControl::ShutDown()
{
    if (ops_.Pattern().Terminated()) return;
    timDraw_->stop();
    // Terminated first, so nothing starts a drawing from inside the wait. The
    // worker stops after its current row; a progress copy it is waiting on
    // is served by Stop before it may end.
    ops_.Pattern().Terminate();
    Stop();
}

bool TDrawControl::Drawing() const { return timDraw_->isActive(); }

void TDrawControl::Poll()
{
    const TVelquor& pattern = ops_.Pattern();
    if (pattern.CopyCount() != paintedCopies_) {
        paintedCopies_ = pattern.CopyCount();
        view_.update();
    }
    if (!pattern.Suspended()) {
        if (pattern.Height() > 0)
            progress_.setValue(static_cast<int>(100LL * pattern.FinishedRows() / pattern.Height()));
        return;
    }
    timDraw_->stop();
    progress_.hide();
    if (hooks_.finished) hooks_.finished(pattern.ErrorMessage());
}
