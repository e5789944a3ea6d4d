#include "ui/DrawControl.h"

#include "document/MainOperations.h"

#include <QCoreApplication>
#include <QProgressBar>
#include <QTimer>
#include <QWidget>

#include <chrono>
#include <thread>
#include <utility>

TDrawControl::TDrawControl(QObject& window, TMainOperations& ops, QWidget& view, QProgressBar& progress, THooks hooks)
    : ops_(ops), view_(view), progress_(progress), hooks_(std::move(hooks))
{
    // Owned by the window so it is found there by name.
    timDraw_ = new QTimer(&window);
    timDraw_->setObjectName(QStringLiteral("timDraw"));
    QObject::connect(timDraw_, &QTimer::timeout, timDraw_, [this] { Poll(); });
    // The worker waits until this thread has run a progress copy; Stop keeps
    // serving them while it waits, so this cannot deadlock.
    QObject* context = &window;
    ops_.Pattern().SetSynchronizer([context](std::function<void()> copy) {
        QMetaObject::invokeMethod(context, std::move(copy), Qt::QueuedConnection);
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
