// Starting, stopping and following a drawing of the window's renderer.
//
// The renderer draws on its own thread and copies its progress onto the
// image bitmap through this thread, so every wait here serves events. Each
// copy repaints just the rows it brought; a poll timer moves the progress
// display and notices the end.
#pragma once

#include <chrono>
#include <functional>
#include <string>

class QObject;
class QProgressBar;
class QTimer;
class QWidget;
class TMainOperations;
struct TRowRange;

class TDrawControl {
public:
    struct THooks {
        // Just before a drawing begins, with the renderer idle.
        std::function<void()> starting;
        // Once the renderer is idle again; error is its message, empty when
        // the drawing went well.
        std::function<void(const std::string& error)> finished;
        // The progress text for the status bar, while drawing and at the end.
        std::function<void(const std::string& text)> status;
        // Repaints the picture rows [first, last) where the view shows them;
        // without it the view's own rows of the same numbers are repainted.
        std::function<void(int first, int last)> rows;
    };

    // window runs the progress copies and owns the timer; view shows the
    // image bitmap at its top left. All must outlive this object.
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
    // Runs on this thread right after a copy onto the image bitmap.
    void Copied(TRowRange rows);
    double Seconds(std::chrono::steady_clock::time_point end) const;

    TMainOperations& ops_;
    QWidget& view_;
    QProgressBar& progress_;
    THooks hooks_;
    QTimer* timDraw_ = nullptr;
    std::chrono::steady_clock::time_point started_;
    // When the copy of the complete picture came in; the drawing's end.
    std::chrono::steady_clock::time_point completed_;
    bool complete_ = false;
    bool shutDown_ = false;
};
