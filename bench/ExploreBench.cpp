// How soon a move shows: the window at 800 x 600 with formula 0, a wheel
// notch or the end of a drag sent to the picture, and the time until the
// picture has been painted with rows of the new drawing. Also a burst of
// notches, which must leave one drawing running, not a queue of them.
// Runs on the offscreen platform unless a display is given.
#include "bench/PrintingDialogs.h"
#include "ui/GraphView.h"
#include "ui/Main.h"
#include "ui/UiLook.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QMouseEvent>
#include <QWheelEvent>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <optional>
#include <vector>

namespace {

// Notes when the picture is first painted after a copy of a new drawing.
class PaintWatch : public QObject {
public:
    TfrmMain* window = nullptr;
    QElapsedTimer clock;
    int copiesBefore = 0;
    qint64 shownNs = -1;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Paint && shownNs < 0 && window->Operations().Pattern().CopyCount() > copiesBefore)
            shownNs = clock.nsecsElapsed();
        return QObject::eventFilter(watched, event);
    }
};

// A small screen (the offscreen one is 800 x 600) lets the picture scroll,
// where only Ctrl + wheel zooms; with Ctrl it zooms either way.
constexpr Qt::KeyboardModifier kZoomModifier = Qt::ControlModifier;

void WaitIdle(TfrmMain& window)
{
    while (window.Drawing()) QCoreApplication::processEvents(QEventLoop::AllEvents, 1);
}

void Send(QWidget& view, QEvent& event) { QCoreApplication::sendEvent(&view, &event); }

struct Timing {
    std::vector<double> handled; // the event handled, the drawing started
    std::vector<double> shown;   // the new rows painted
};

// From just before act: when it has returned, and the first paint with the
// new rows.
void TimeToPicture(TfrmMain& window, PaintWatch& watch, Timing& timing, const std::function<void()>& act)
{
    WaitIdle(window);
    QCoreApplication::processEvents();
    watch.copiesBefore = window.Operations().Pattern().CopyCount();
    watch.shownNs = -1;
    watch.clock.start();
    act();
    timing.handled.push_back(static_cast<double>(watch.clock.nsecsElapsed()) / 1e6);
    while (watch.shownNs < 0) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 1);
        if (watch.clock.elapsed() > 10000) {
            std::fprintf(stderr, "bench_explore: the move showed nothing within 10 s\n");
            std::exit(1);
        }
    }
    timing.shown.push_back(static_cast<double>(watch.shownNs) / 1e6);
}

double Median(std::vector<double> ms)
{
    std::sort(ms.begin(), ms.end());
    return ms[ms.size() / 2];
}

void Report(const char* what, const Timing& t)
{
    std::printf("%s (%zu times):\n", what, t.shown.size());
    std::printf("  handled, drawing started  median %6.1f ms, worst %6.1f ms\n", Median(t.handled),
                *std::max_element(t.handled.begin(), t.handled.end()));
    std::printf("  new rows on screen        median %6.1f ms, worst %6.1f ms (target < 50)\n", Median(t.shown),
                *std::max_element(t.shown.begin(), t.shown.end()));
}

} // namespace

int main(int argc, char** argv)
{
    if (std::getenv("DISPLAY") == nullptr && std::getenv("QT_QPA_PLATFORM") == nullptr)
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QApplication app(argc, argv);
    InitUiResources();
    QApplication::setFont(JapaneseFont());
    PrintingDialogs dialogs("bench_explore");
    TMainWindowOptions options;
    options.dialogs = &dialogs;
    TfrmMain window(options);
    window.show();
    while (window.Operations().Pattern().Width() != 400 || window.Drawing())
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    window.RunCommand([&] {
        window.StopDraw();
        window.SetImageSize(800, 600);
        window.StartDraw();
    });
    WaitIdle(window);

    QWidget& view = *window.findChild<TGraphView*>(QStringLiteral("ptbGraph"));
    PaintWatch watch;
    watch.window = &window;
    view.installEventFilter(&watch);
    const int runs = 30;

    Timing wheel;
    for (int i = 0; i < runs; ++i) {
        const QPointF at(200 + 10 * i, 300);
        TimeToPicture(window, watch, wheel, [&] {
            QWheelEvent e(at, view.mapToGlobal(at), QPoint(), QPoint(0, i % 2 ? -120 : 120), Qt::NoButton,
                          kZoomModifier, Qt::NoScrollPhase, false);
            Send(view, e);
        });
    }
    Report("wheel notch at 800 x 600, formula 0", wheel);

    Timing drag;
    for (int i = 0; i < runs; ++i) {
        const QPointF from(400, 300), to(400 + (i % 2 ? -37 : 37), 300 + (i % 3) * 11);
        QMouseEvent press(QEvent::MouseButtonPress, from, view.mapToGlobal(from), Qt::LeftButton, Qt::LeftButton,
                          Qt::NoModifier);
        QMouseEvent move(QEvent::MouseMove, to, view.mapToGlobal(to), Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
        Send(view, press);
        Send(view, move);
        TimeToPicture(window, watch, drag, [&] {
            QMouseEvent release(QEvent::MouseButtonRelease, to, view.mapToGlobal(to), Qt::LeftButton, Qt::NoButton,
                                Qt::NoModifier);
            Send(view, release);
        });
    }
    Report("end of a drag at 800 x 600, formula 0", drag);

    // Twenty notches as fast as they come: each stops the drawing before.
    WaitIdle(window);
    const int copiesBefore = window.Operations().Pattern().CopyCount();
    QElapsedTimer burst;
    burst.start();
    for (int i = 0; i < 20; ++i) {
        const QPointF at(100 + 20 * i, 200);
        QWheelEvent e(at, view.mapToGlobal(at), QPoint(), QPoint(0, 120), Qt::NoButton, kZoomModifier,
                      Qt::NoScrollPhase, false);
        Send(view, e);
    }
    const double sendMs = static_cast<double>(burst.nsecsElapsed()) / 1e6;
    const int copiesDuringBurst = window.Operations().Pattern().CopyCount() - copiesBefore;
    WaitIdle(window);
    const double doneMs = static_cast<double>(burst.nsecsElapsed()) / 1e6;
    std::printf(
        "burst of 20 notches: handled in %.1f ms, %d copies of stopped drawings on the way, last picture "
        "done %.1f ms after the first notch; drawing now: %s\n",
        sendMs, copiesDuringBurst, doneMs, window.Drawing() ? "yes" : "no");
    return 0;
}
