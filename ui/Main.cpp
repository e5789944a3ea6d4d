// The main window: creation, the host side of TMainOperations, the client
// area's layout, dropped files and shut-down.
#include "ui/Main.h"

#include "common/Convert.h"
#include "common/Exceptions.h"
#include "common/FileSystem.h"
#include "document/PaletteCatalog.h"
#include "document/PaletteCycle.h"
#include "common/Paths.h"
#include "platform/AppPaths.h"
#include "platform/DesktopPlatform.h"
#include "settings/UVelquorRegistry.h"
#include "ui/AboutDialog.h"
#include "ui/Dialogs.h"
#include "ui/DrawControl.h"
#include "ui/ExportRunner.h"
#include "ui/GraphView.h"
#include "ui/PaletteBrowser.h"
#include "ui/HelpWindow.h"
#include "ui/PictureInput.h"
#include "ui/StatusPanels.h"
#include "ui/UFormulaSelect.h"
#include "ui/UiLook.h"
#include "ui/UiText.h"
#include "ui/WindowFit.h"
#include "document/ViewScale.h"

#include <QAction>
#include <QCloseEvent>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QGuiApplication>
#include <QMenuBar>
#include <QMimeData>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QStatusBar>
#include <QStyle>
#include <QTimer>
#include <QToolBar>
#include <QUrl>

#include <algorithm>
#include <vector>

TfrmMain::TfrmMain(const TMainWindowOptions& options)
{
    setObjectName(QStringLiteral("frmMain"));
    setWindowTitle(QStringLiteral("Velquor"));
    setFont(JapaneseFont());
    setWindowIcon(Icon(QStringLiteral("velquor.png")));

    if (options.dialogs == nullptr) ownDialogs_ = std::make_unique<TQtDialogs>();
    dialogs_ = options.dialogs != nullptr ? options.dialogs : ownDialogs_.get();

    FormCreate(options);

    // Created hidden right after the window; shown by actFunction.
    frmFormulaSelect_ = std::make_unique<TfrmFormulaSelect>(*this);
    dlgAbout_ = std::make_unique<TAboutDialog>(*dialogs_);
    dlgAbout_->Version = QStringLiteral(VELQUOR_VERSION);
    dlgAbout_->Copyright = QStringLiteral("Velquor Project");
    dlgAbout_->Year = QStringLiteral("2026");
}

TfrmMain::~TfrmMain()
{
    // Its hiding as the window goes must not reach the settings.
    if (dckPalettes) dckPalettes->disconnect(this);
    drawControl_->ShutDown();
    frmFormulaSelect_.reset();
    helpWindow_.reset();
    // Watches the paint box and keeps a rubber band inside it.
    pictureInput_.reset();
    // The paint box shows the operations' bitmap; it goes first.
    delete ptbGraph;
    ptbGraph = nullptr;
    ops_.reset();
    // The only time the settings are written.
    try {
        registry_->Save();
    } catch (const std::exception& e) {
        dialogs_->ShowException(nullptr, QString::fromStdString(WithClosingPeriod(MessageOf(e))));
    }
    registry_.reset();
}

void TfrmMain::FormCreate(const TMainWindowOptions& options)
{
    // Image bitmap, renderer, formula 0, colour change 1.0, point move 0.
    programDir_ = options.programDir.empty() ? ProgramDir() : options.programDir;
    startFile_ = options.startFile;
    if (options.desktop == nullptr) ownDesktop_ = MakeDesktopPlatform();
    desktop_ = options.desktop != nullptr ? options.desktop : ownDesktop_.get();
    ops_ = std::make_unique<TMainOperations>(static_cast<IMainHost&>(*this), programDir_);

    ptbGraph = new TGraphView(ops_->ImageBitmap(), this);
    // A picture larger than its area scrolls; a smaller one sits in the
    // middle of a neutral background, so a window made larger than its
    // picture shows no stray bars or white.
    scrGraph = new QScrollArea(this);
    scrGraph->setObjectName(QStringLiteral("scrGraph"));
    scrGraph->setFrameShape(QFrame::NoFrame);
    scrGraph->setAlignment(Qt::AlignCenter);
    scrGraph->setBackgroundRole(QPalette::Dark);
    scrGraph->setWidget(ptbGraph);
    scrGraph->viewport()->installEventFilter(this);
    setCentralWidget(scrGraph);
    // One new picture size per resize while the picture follows the window.
    followTimer_ = new QTimer(this);
    followTimer_->setObjectName(QStringLiteral("timFollow"));
    followTimer_->setSingleShot(true);
    followTimer_->setInterval(kFollowDelayMs);
    connect(followTimer_, &QTimer::timeout, this, [this] { RunCommand([this] { FollowWindow(); }); });
    CreateActions();
    CreateMenus();
    CreateRecentMenu();
    CreateToolBar();
    statusPanels_ = std::make_unique<TStatusPanels>(*this);
    drawControl_ = std::make_unique<TDrawControl>(
        *this, *ops_, *ptbGraph, statusPanels_->Progress(),
        TDrawControl::THooks{
            [this] { DrawingStarting(); }, [this](const std::string& error) { DrawingFinished(error); },
            [this](const std::string& text) { statusPanels_->ShowDrawingStatus(QString::fromStdString(text)); },
            [this](int first, int last) { ptbGraph->UpdateRows(first, last); }});
    CreatePictureInput();
    CreatePaletteBrowser();

    firstActivate_ = true;
    registry_ = std::make_unique<TVelquorRegistry>();
    if (!options.settingsFile.empty()) registry_->SetStorageFile(options.settingsFile);
    RunCommand([this] { registry_->Load(); });

    recent_ = TRecentFiles(registry_->RecentFiles);
    RebuildRecentMenu();
    RefreshDialogFolder(paletteDialogFolder_, registry_->PaletteDirectory);
    RefreshDialogFolder(vqpDialogFolder_, registry_->VqpDirectory);

    FitClientArea(400, 0);
    SetToolBarVisible(registry_->ToolBar);
    SetStatusBarVisible(registry_->StatusBar);
    actFollowWindow->setChecked(registry_->FollowWindow);
    if (registry_->PaletteBrowser) SetPaletteBrowserVisible(true);
    setAcceptDrops(true);
}

void TfrmMain::RefreshDialogFolder(QString& folder, const std::string& setting)
{
    if (IsFolder(setting)) folder = QString::fromStdString(setting);
}

bool TfrmMain::RunCommand(const std::function<void()>& command)
{
    // Input waits while an image is saved; anything else that arrives then
    // (a timer, a queued call) must not change the picture being written.
    if (savingImage_) return false;
    // A command acts on the pattern as it stands, so a running colour cycle
    // ends first, its offset a step of its own.
    EndColorCycle();
    bool done = true;
    try {
        command();
    } catch (const std::exception& e) {
        done = false;
        dialogs_->ShowException(DialogParent(), QString::fromStdString(WithClosingPeriod(MessageOf(e))));
    }
    // Whatever a command changed of the pattern, also on its way to a
    // failure, is one step; undo and redo themselves leave the pattern on
    // the step they moved to.
    ops_->RecordStep();
    UpdateHistoryActions();
    UpdateTitle();
    // The pattern under the pointer may have changed with it.
    if (statusPanels_) ShowPointer(pointer_);
    return done;
}

void TfrmMain::SelectFormula(int32_t formulaType, const std::string& formulaName)
{
    ops_->SelectFormula(formulaType, formulaName);
}

void TfrmMain::SetArea(long double x, long double y, long double dx, long double dy) { ops_->SetArea(x, y, dx, dy); }

void TfrmMain::SetImageSize(int32_t width, int32_t height) { ops_->SetImageSize(width, height); }

void TfrmMain::SetColorChange(double value) { ops_->SetColorChange(value); }

void TfrmMain::SetPaletteOffset(int32_t offset) { ops_->SetPaletteOffset(offset); }

void TfrmMain::SelectPointMove(int32_t pointMoveType, const TPointMoveParam& param)
{
    ops_->SelectPointMove(pointMoveType, param);
}

void TfrmMain::StopDraw() { drawControl_->Stop(); }

void TfrmMain::StartDraw() { drawControl_->Start(); }

QWidget* TfrmMain::DialogParent()
{
    QWidget* formula = frmFormulaSelect_ && frmFormulaSelect_->isVisible() ? frmFormulaSelect_.get() : nullptr;
    return ProgramDialogParent(formula != nullptr ? formula : this);
}

bool TfrmMain::Drawing() const { return drawControl_->Drawing(); }

void TfrmMain::DrawingStarting()
{
    // The picture is incomplete until the drawing has ended.
    actImgSave->setEnabled(false);
    actSave->setEnabled(false);
    actSaveAs->setEnabled(false);
    if (!frmFormulaSelect_) return;
    const TVelquor& pattern = ops_->Pattern();
    TfrmFormulaSelect& dialog = *frmFormulaSelect_;
    dialog.ShowArea(pattern.Center.X, pattern.Center.Y, pattern.Incremental.X, pattern.Incremental.Y);
    dialog.ShowImageSize(pattern.Width(), pattern.Height());
    // A typed formula's text is no entry number, even when it reads as one.
    if (ops_->FormulaType() == kExpressionFormulaType) dialog.ShowExpression(ops_->FormulaName());
    else dialog.SelectFormulaEntry(TryStrToInt(ops_->FormulaName()).value_or(-1));
    dialog.ShowPointMoveType(ops_->PointMoveType());
    dialog.ShowPointMoveParam(ops_->PointMoveParam());
    dialog.ShowColorChange(ops_->ColorChange());
    dialog.ShowPaletteOffset(ops_->PaletteOffset());
}

void TfrmMain::DrawingFinished(const std::string& error)
{
    if (!error.empty()) ErrorDialog(error);
    actImgSave->setEnabled(true);
    actSave->setEnabled(true);
    actSaveAs->setEnabled(true);
}

void TfrmMain::FormActivate()
{
    if (!firstActivate_) return;
    // Cleared first: the drawing start below processes events.
    firstActivate_ = false;
    RunCommand([this] {
        SetImageSize(400, 400);
        statusPanels_->ShowPaletteName(QStringLiteral("標準"));
    });
    // The start-up pattern is the first state; a start file is a step.
    ops_->ResetHistory();
    UpdateHistoryActions();
    doc_.New(ops_->Snapshot());
    RestorePlaces();
    // A file from the command line draws itself when it can; whatever it
    // did not start, the start-up pattern fills.
    if (!startFile_.empty()) DropFile(startFile_);
    UpdateTitle();
    if (!Drawing()) RunCommand([this] { StartDraw(); });
}

bool TfrmMain::event(QEvent* event)
{
    if (event->type() == QEvent::WindowActivate) QTimer::singleShot(0, this, &TfrmMain::FormActivate);
    return QMainWindow::event(event);
}

void TfrmMain::showEvent(QShowEvent* event)
{
    QMainWindow::showEvent(event);
    // Platforms without window activation (offscreen) still get the first drawing.
    QTimer::singleShot(0, this, &TfrmMain::FormActivate);
}

void TfrmMain::closeEvent(QCloseEvent* event)
{
    // A question may be open already (a second close while it waits).
    bool mayClose = false;
    if (!closing_) {
        closing_ = true;
        RunCommand([&] { mayClose = ConfirmDiscard(); });
        closing_ = false;
    }
    if (!mayClose) {
        event->ignore();
        return;
    }
    StorePlaces();
    // An export in progress ends at its next band and keeps the old file.
    if (exportRunner_) exportRunner_->Cancel();
    drawControl_->ShutDown();
    if (frmFormulaSelect_) frmFormulaSelect_->hide();
    event->accept();
}

std::string TfrmMain::PaletteDirectory() const { return registry_->PaletteDirectory; }

void TfrmMain::ShowMessage(const std::string& text) { dialogs_->Message(DialogParent(), QString::fromStdString(text)); }

void TfrmMain::ErrorDialog(const std::string& text) { dialogs_->Error(DialogParent(), QString::fromStdString(text)); }

void TfrmMain::ImageSizeChanged(int width, int height) { FitClientArea(width, height); }

void TfrmMain::PaletteNameChanged(const std::string& name)
{
    statusPanels_->ShowPaletteName(QString::fromStdString(name));
    if (browsing_ || !dckPalettes) return;
    // A palette that came by the command, a drop, a document or undo: it
    // is a recent one, and the list shows it.
    if (!ops_->PaletteFile().empty())
        registry_->RecentPalettes = WithRecent(registry_->RecentPalettes, ops_->PaletteFile());
    if (registry_->PaletteBrowser) RefreshPaletteBrowser();
    else dckPalettes->MarkCurrent(ops_->PaletteFile());
}

void TfrmMain::ShadeOffChanged(bool checked)
{
    // setChecked does not emit triggered, so no drawing starts from here.
    actShadeOff->setChecked(checked);
}

bool TfrmMain::OpenInViewer(const std::string& path)
{
    return dialogs_->OpenUrl(QUrl::fromLocalFile(QString::fromStdString(path)));
}

bool TfrmMain::ShowHelpWindow(const std::string& path)
{
    if (!helpWindow_) helpWindow_ = std::make_unique<THelpWindow>(this);
    helpWindow_->ShowPage(QUrl::fromLocalFile(QString::fromStdString(path)));
    return true;
}

QSize TfrmMain::ClientSize() const { return QSize(width(), height() - menuBar()->height()); }

bool TfrmMain::PictureScrolls() const
{
    return scrGraph->horizontalScrollBar()->maximum() > 0 || scrGraph->verticalScrollBar()->maximum() > 0;
}

int TfrmMain::BarsHeight() const
{
    int bars = 0;
    if (!tlbMain->isHidden()) bars += tlbMain->height();
    if (!statusBar()->isHidden()) bars += statusBar()->height();
    return bars;
}

void TfrmMain::FitClientArea(int width, int imageHeight)
{
    ptbGraph->SetPictureSize(width, imageHeight);
    const QRect screenArea = (screen() != nullptr ? screen() : QGuiApplication::primaryScreen())->availableGeometry();
    // The frame is known once the window manager has framed the window.
    const QSize frame = isVisible() ? frameGeometry().size() - geometry().size() : QSize(0, 0);
    fittedFrame_ = frame;
    // A fitted view asks for the window the picture would have 1:1; the
    // picture is then reduced into whatever area that gives.
    const double scale = viewFit_ ? 1.0 : ptbGraph->Scale();
    TFitInput in;
    in.imageWidth = ScaledLength(width, scale);
    in.imageHeight = ScaledLength(imageHeight, scale);
    in.menuHeight = menuBar()->sizeHint().height();
    in.barsHeight = BarsHeight();
    // A panel docked beside the picture widens the window by its width.
    const int side = SideDockWidth();
    in.minWidth =
        std::max(menuBar()->sizeHint().width(), tlbMain->isHidden() ? 0 : tlbMain->sizeHint().width()) - side;
    in.availableWidth = screenArea.width() - frame.width() - side;
    in.availableHeight = screenArea.height() - frame.height();
    in.scrollBarWidth = style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, scrGraph);
    const TFitResult fit = FitWindow(in);
    // The user may make the window smaller than its picture, down to what
    // the bars need.
    setMinimumSize(std::min(in.minWidth, fit.width) + side, std::min(in.menuHeight + in.barsHeight + 1, fit.height));
    setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
    // A maximised window, or one whose picture follows it, keeps its size.
    const bool keepSize = isMaximized() || isFullScreen() || actFollowWindow->isChecked();
    if (!keepSize) {
        fittedSize_ = QSize(fit.width + side, fit.height);
        resize(fittedSize_);
    }
    ApplyViewFit();
    // A window that grew past the screen's edge comes back inside it.
    if (isVisible() && !keepSize) {
        const QRect outer = frameGeometry();
        const int left = std::clamp(outer.left(), screenArea.left(),
                                    std::max(screenArea.left(), screenArea.right() + 1 - outer.width()));
        const int top = std::clamp(outer.top(), screenArea.top(),
                                   std::max(screenArea.top(), screenArea.bottom() + 1 - outer.height()));
        if (left != outer.left() || top != outer.top()) move(left, top);
    }
}

QSize TfrmMain::PictureArea() const
{
    // The area without scroll bars: what the central widget has.
    return scrGraph->size();
}

void TfrmMain::ApplyViewFit()
{
    if (!viewFit_) return;
    const QSize area = PictureArea();
    ptbGraph->SetScale(
        FittedViewScale(ops_->Pattern().Width(), ops_->Pattern().Height(), area.width(), area.height()));
}

void TfrmMain::SetViewScale(double scale)
{
    viewFit_ = false;
    // The point in the middle of the area stays in the middle.
    const QSize area = scrGraph->viewport()->size();
    const double old = ptbGraph->Scale();
    const double midX = (scrGraph->horizontalScrollBar()->value() + area.width() / 2.0) / old;
    const double midY = (scrGraph->verticalScrollBar()->value() + area.height() / 2.0) / old;
    ptbGraph->SetScale(scale);
    scrGraph->horizontalScrollBar()->setValue(static_cast<int>(midX * scale - area.width() / 2.0));
    scrGraph->verticalScrollBar()->setValue(static_cast<int>(midY * scale - area.height() / 2.0));
}

bool TfrmMain::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == scrGraph->viewport() && event->type() == QEvent::Resize) {
        ApplyViewFit();
        if (actFollowWindow->isChecked() && !firstActivate_) followTimer_->start();
    }
    return QMainWindow::eventFilter(watched, event);
}

void TfrmMain::FollowWindow()
{
    const QSize area = PictureArea();
    const int width = std::clamp(area.width(), 1, 9999);
    const int height = std::clamp(area.height(), 1, 9999);
    const TVelquor& pattern = ops_->Pattern();
    if (width == pattern.Width() && height == pattern.Height()) return;
    StopDraw();
    SetImageSize(width, height);
    StartDraw();
}

void TfrmMain::resizeEvent(QResizeEvent* event)
{
    QMainWindow::resizeEvent(event);
    // Sized by the user or the window manager: the frame's later arrival no
    // longer refits it.
    // Sizes that come before the frame are the window manager's answers to
    // the program's own requests, late ones included, not the user's.
    const bool framed = frameGeometry().size() != geometry().size();
    if (size() != fittedSize_ && isVisible() && framed) userSized_ = true;
}

void TfrmMain::moveEvent(QMoveEvent* event)
{
    QMainWindow::moveEvent(event);
    // The window manager's frame is known only once it has framed the
    // window; a fit made before then may reach past the screen.
    const QSize frame = frameGeometry().size() - geometry().size();
    if (frame == fittedFrame_ || ops_->Pattern().Height() <= 0) return;
    // A window the manager sized on the way (it may send a size of its own
    // before the frame) is still refitted when its frame reaches past the
    // screen, since no user can have wanted that.
    const QScreen* here = screen() != nullptr ? screen() : QGuiApplication::primaryScreen();
    const QSize outer = frameGeometry().size();
    const QSize room = here->availableGeometry().size();
    const bool pastScreen = outer.width() > room.width() || outer.height() > room.height();
    if (!userSized_ || (pastScreen && !isMaximized() && !isFullScreen())) AdjustClientHeight();
}

void TfrmMain::AdjustClientHeight() { FitClientArea(ops_->Pattern().Width(), ops_->Pattern().Height()); }

void TfrmMain::dragEnterEvent(QDragEnterEvent* event)
{
    if (event->mimeData()->hasUrls()) event->acceptProposedAction();
}

void TfrmMain::dropEvent(QDropEvent* event)
{
    event->acceptProposedAction();
    DropMimeData(*event->mimeData());
}

void TfrmMain::DropMimeData(const QMimeData& data)
{
    // The first file counts; further ones are ignored.
    for (const QUrl& url : data.urls())
        if (url.isLocalFile()) {
            DropFile(url.toLocalFile().toStdString());
            return;
        }
}

void TfrmMain::DropFile(const std::string& fileName)
{
    // A document replaces the pattern, so a change is asked about first and
    // the document becomes the window's; anything else goes the drop's way.
    if (LowerExtension(fileName) == ".vqp") {
        RunCommand([&] {
            if (ConfirmDiscard()) OpenDocumentFile(fileName);
        });
    } else {
        RunCommand([&] { ops_->DropFiles({fileName}); });
    }
}

void TfrmMain::UpdateTitle()
{
    if (firstActivate_) return;
    setWindowTitle(QString::fromStdString(WindowTitle(doc_.FileName(), doc_.Modified(ops_->Snapshot()))));
}

void TfrmMain::StorePlaces()
{
    registry_->WindowGeometry = saveGeometry().toBase64().toStdString();
    if (formulaDialogShown_) {
        const QPoint place = frmFormulaSelect_->pos();
        registry_->FormulaDialogPlace = std::to_string(place.x()) + "," + std::to_string(place.y());
    }
}

void TfrmMain::RestorePlaces()
{
    if (registry_->WindowGeometry.empty()) return;
    if (restoreGeometry(QByteArray::fromBase64(QByteArray::fromStdString(registry_->WindowGeometry))))
        userSized_ = true;
}
