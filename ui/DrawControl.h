// Starting, stopping and following a drawing of the window's renderer.
//
// The renderer draws on its own thread and copies its progress onto the
// image bitmap through this thread, so every wait here serves events. A poll
// timer repaints the picture when a copy has come in, moves the progress bar
// and notices the end.
#pragma once

#include <functional>
#include <string>

class QObject;
class QProgressBar;
class QTimer;
class QWidget;
class TMainOperations;

class TDrawControl {
public:
    struct THooks {
        // Just before a drawing begins, with the renderer idle.
        std::function<void()> starting;
        // Once the renderer is idle again; error is its message, empty when
        // the drawing went well.
        std::function<void(const std::string& error)> finished;
    };

    // window runs the progress copies and owns the timer; view is repainted
    // on every poll. All must outlive this object.
    TDrawControl(QObject& window, TMainOperations& ops, QWidget& view, QProgressBar& progress, THooks hooks);
    ~TDrawControl();
    TDrawControl(const TDrawControl&) = delete;
    TDrawControl& operator=(const TDrawControl&) = delete;

    // Stops a running drawing and returns once the renderer is idle.
    void Stop();
    // Stops, then draws the current pattern; nothing after ShutDown.
    void Start();
    // Stops for good and lets the renderer's thread end.
    void ShutDown();
    // True from Start until the poll has seen the renderer idle.
    bool Drawing() const;

private:
    void Poll();

    TMainOperations& ops_;
    QWidget& view_;
    QProgressBar& progress_;
    THooks hooks_;
    QTimer* timDraw_ = nullptr;
    // The renderer's copy count at the last repaint: a poll that finds no new
    // copy has nothing new to show.
    int paintedCopies_ = 0;
};
