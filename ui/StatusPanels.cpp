// The status bar's panels and progress bar, and where hints are shown.
#include "ui/StatusPanels.h"

#include <QAction>
#include <QCoreApplication>
#include <QEvent>
#include <QHBoxLayout>
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
    stbPanel1_->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    // Never widens the window, which is as wide as its picture; it shares
    // the room with the hint (see Balance).
    stbPanel2_ = new QLabel(bar);
    stbPanel2_->setObjectName(QStringLiteral("stbPanel2"));
    stbPanel2_->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    stbPanel2_->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    bar->addWidget(stbPanel0_);
    bar->addWidget(stbPanel1_, 1);
    bar->addWidget(stbPanel2_, 1);
    Balance();

    stbDrawing_ = new QLabel(bar);
    stbDrawing_->setObjectName(QStringLiteral("stbDrawing"));
    stbDrawing_->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    bar->addPermanentWidget(stbDrawing_);

    // Beside the panels; hidden while idle. Its holder makes room for a
    // long hint, whatever the drawing control does with the bar itself.
    progressHolder_ = new QWidget(bar);
    progressHolder_->setObjectName(QStringLiteral("stbProgress"));
    auto* holderLayout = new QHBoxLayout(progressHolder_);
    holderLayout->setContentsMargins(0, 0, 0, 0);
    prgDraw_ = new QProgressBar(progressHolder_);
    holderLayout->addWidget(prgDraw_);
    prgDraw_->setObjectName(QStringLiteral("prgDraw"));
    prgDraw_->setRange(0, 100);
    prgDraw_->setMaximumWidth(100);
    prgDraw_->setMaximumHeight(stbPanel1_->sizeHint().height());
    prgDraw_->hide();
    prgDraw_->installEventFilter(this);
    bar->addPermanentWidget(progressHolder_);

    bar->setFixedHeight(bar->sizeHint().height());
    bar->installEventFilter(this);
    window.installEventFilter(this);
}

void TStatusPanels::ShowPaletteName(const QString& name)
{
    // The built-in palette and the editor's unsaved one keep their Japanese
    // names in documents; only their captions here follow the language.
    if (name == QStringLiteral("標準")) stbPanel0_->setText(QCoreApplication::translate("TStatusPanels", "標準"));
    else if (name == QStringLiteral("名称未設定"))
        stbPanel0_->setText(QCoreApplication::translate("TStatusPanels", "名称未設定"));
    else stbPanel0_->setText(name);
}

void TStatusPanels::ShowNotice(const QString& text) { window_.statusBar()->showMessage(text, kNoticeMs); }

void TStatusPanels::ShowDrawingStatus(const QString& text)
{
    stbDrawing_->setText(text);
    Balance();
}

void TStatusPanels::ShowPointer(const QString& text)
{
    stbPanel2_->setText(text);
    Balance();
}

void TStatusPanels::Balance()
{
    // A hint shows while the pointer rests on a button or a menu item, the
    // pattern while it is over the picture: the one in use gets the room,
    // and the other panels stand aside as far as its text needs.
    if (prgDraw_ == nullptr) return; // still being built
    const bool hint = !stbPanel1_->text().isEmpty();
    const bool pointer = !hint && !stbPanel2_->text().isEmpty();
    stbPanel1_->setMaximumWidth(pointer ? 0 : QWIDGETSIZE_MAX);
    stbPanel2_->setMaximumWidth(pointer ? QWIDGETSIZE_MAX : 0);
    QStatusBar* bar = window_.statusBar();
    const QLabel* active = pointer ? stbPanel2_ : stbPanel1_;
    // Less the room between the panels, the inactive one's included.
    int room = bar->width() - kBarMargins - kPanelSpacing - (hint || pointer ? active->sizeHint().width() : 0);
    // The progress first, then the drawing's text, then the palette's name.
    const auto place = [&](QWidget* other, bool wanted) {
        const int needs = other->sizeHint().width() + kPanelSpacing;
        const bool fits = wanted && (!(hint || pointer) || needs <= room);
        if (fits) room -= needs;
        other->setVisible(fits);
    };
    place(progressHolder_, !prgDraw_->isHidden());
    place(stbDrawing_, true);
    place(stbPanel0_, true);
}

bool TStatusPanels::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == window_.statusBar() && event->type() == QEvent::Resize) {
        Balance();
        return false;
    }
    if (watched == prgDraw_ && (event->type() == QEvent::Show || event->type() == QEvent::Hide)) {
        Balance();
        return false;
    }
    if (watched != &window_ || event->type() != QEvent::StatusTip) return false;
    // Panel 0 stays as it is, which QStatusBar's temporary message, the
    // window's own handling, would not do.
    stbPanel1_->setText(static_cast<QStatusTipEvent*>(event)->tip());
    Balance();
    return true;
}
