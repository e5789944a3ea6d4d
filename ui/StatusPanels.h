// The status bar: panel 0 names the palette, panel 1 shows the long part of
// the hint under the pointer, panel 2 what the pattern is at the pixel under
// the pointer, and a progress text and bar follow a running drawing (the
// text stays afterwards with the time it took). The hint or the pointer's
// text, whichever shows, gets the room it needs; the other panels stand
// aside meanwhile, so both read whole even at the start-up width.
// Hints are written "short|long" once per command; SetHint gives an action
// both parts, and the panels catch the status tips the window receives.
#pragma once

#include <QObject>
#include <QString>

#include <string>
#include <utility>

class QAction;
class QLabel;
class QMainWindow;
class QProgressBar;
class QWidget;

// "short|long" -> {short, long}; a hint without "|" serves as both.
std::pair<std::string, std::string> SplitHint(const std::string& hint);

// The short part becomes the tool tip, the long one the status tip.
void SetHint(QAction& action, const QString& hint);

class TStatusPanels : public QObject {
public:
    // Fills the window's status bar and watches the window for status tips.
    explicit TStatusPanels(QMainWindow& window);

    void ShowPaletteName(const QString& name);
    void ShowDrawingStatus(const QString& text);
    void ShowPointer(const QString& text);
    // What a command did ("保存しました: 名前.vqp"), across the whole bar
    // for a few seconds.
    void ShowNotice(const QString& text);
    QProgressBar& Progress() { return *prgDraw_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    static constexpr int kNoticeMs = 6000;
    // The status bar's own margins and the room between two panels.
    static constexpr int kBarMargins = 8;
    static constexpr int kPanelSpacing = 6;
    void Balance();

    QMainWindow& window_;
    QLabel* stbPanel0_ = nullptr;
    QLabel* stbPanel1_ = nullptr;
    QLabel* stbPanel2_ = nullptr;
    QLabel* stbDrawing_ = nullptr;
    QWidget* progressHolder_ = nullptr;
    QProgressBar* prgDraw_ = nullptr;
};
