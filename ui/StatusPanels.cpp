// The status bar's panels and progress bar, and where hints are shown.
#include "ui/StatusPanels.h"

#include <QAction>
#include <QEvent>
#include <QLabel>
#include <QMainWindow>
#include <QProgressBar>
#include <QStatusBar>
#include <QStatusTipEvent>

std::pair<std::string, std::string> SplitHint(const std::string& hint)
{
    const auto bar = hint.find('|');
    if (bar == std::string::npos) return {hint, hint};
    return {hint.substr(0, bar), hint.substr(bar + 1)};
}

void SetHint(QAction& action, const QString& hint)
{
    const auto [shortHint, longHint] = SplitHint(hint.toStdString());
    action.setToolTip(QString::fromStdString(shortHint));
    action.setStatusTip(QString::fromStdString(longHint));
}

TStatusPanels::TStatusPanels(QMainWindow& window) : window_(window)
{
    QStatusBar* bar = window.statusBar();
    bar->setObjectName(QStringLiteral("stbStatus"));
    bar->setSizeGripEnabled(false);

    stbPanel0_ = new QLabel(bar);
    stbPanel0_->setObjectName(QStringLiteral("stbPanel0"));
    stbPanel0_->setFixedWidth(120);
    stbPanel0_->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    stbPanel1_ = new QLabel(bar);
    stbPanel1_->setObjectName(QStringLiteral("stbPanel1"));
    stbPanel1_->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    stbPanel1_->setMinimumWidth(kNarrowPanel);
    // Never widens the window, which is as wide as its picture; it shares
    // the room with the hint (see Balance).
    stbPanel2_ = new QLabel(bar);
    stbPanel2_->setObjectName(QStringLiteral("stbPanel2"));
    stbPanel2_->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    stbPanel2_->setMinimumWidth(kNarrowPanel);
    stbPanel2_->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    bar->addWidget(stbPanel0_);
    bar->addWidget(stbPanel1_, 1);
    bar->addWidget(stbPanel2_, 1);
    Balance();

    stbDrawing_ = new QLabel(bar);
    stbDrawing_->setObjectName(QStringLiteral("stbDrawing"));
    stbDrawing_->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    bar->addPermanentWidget(stbDrawing_);

    // Beside the panels; hidden while idle.
    prgDraw_ = new QProgressBar(bar);
    prgDraw_->setObjectName(QStringLiteral("prgDraw"));
    prgDraw_->setRange(0, 100);
    prgDraw_->setMaximumWidth(100);
    prgDraw_->setMaximumHeight(stbPanel1_->sizeHint().height());
    prgDraw_->hide();
    bar->addPermanentWidget(prgDraw_);

    bar->setFixedHeight(bar->sizeHint().height());
    window.installEventFilter(this);
}

void TStatusPanels::ShowPaletteName(const QString& name) { stbPanel0_->setText(name); }

void TStatusPanels::ShowDrawingStatus(const QString& text) { stbDrawing_->setText(text); }

void TStatusPanels::ShowPointer(const QString& text)
{
    stbPanel2_->setText(text);
    Balance();
}

void TStatusPanels::Balance()
{
    // A hint shows while the pointer rests on a button or a menu item, the
    // pattern while it is over the picture: the one in use gets the room.
    const bool pointer = !stbPanel2_->text().isEmpty() && stbPanel1_->text().isEmpty();
    stbPanel1_->setMaximumWidth(pointer ? kNarrowPanel : QWIDGETSIZE_MAX);
    stbPanel2_->setMaximumWidth(pointer ? QWIDGETSIZE_MAX : kNarrowPanel);
}

bool TStatusPanels::eventFilter(QObject* watched, QEvent* event)
{
    if (watched != &window_ || event->type() != QEvent::StatusTip) return false;
    // Panel 0 stays as it is, which QStatusBar's temporary message, the
    // window's own handling, would not do.
    stbPanel1_->setText(static_cast<QStatusTipEvent*>(event)->tip());
    Balance();
    return true;
}
