// The main window: creation, drawing control, the host side of
// TMainOperations and shut-down. Actions, menus and bars are built in
// MainActions.cpp, the command handlers live in MainCommands.cpp.
#include "ui/Main.h"

#include "ui/AboutDialog.h"
#include "common/Convert.h"
#include "common/FileSystem.h"
#include "ui/Dialogs.h"
#include "ui/GraphView.h"
#include "ui/UFormulaSelect.h"
#include "ui/UiLook.h"
#include "ui/UiText.h"
#include "settings/UVelquorRegistry.h"
#include "platform/AppPaths.h"
#include "platform/FreedesktopPlatform.h"

#include <QAction>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QLabel>
#include <QMenuBar>
#include <QProgressBar>
#include <QStatusBar>
#include <QStatusTipEvent>
#include <QTimer>
#include <QUrl>
#include <QToolBar>

#include <chrono>
#include <thread>

TfrmMain::TfrmMain(const TMainWindowOptions& options)
{
    setObjectName(QStringLiteral("frmMain"));
    setWindowTitle(QStringLiteral("Velquor"));
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
                   | Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
    setFont(JapaneseFont());
    setWindowIcon(Icon(QStringLiteral("velquor.png")));

    if (options.dialogs == nullptr)
        ownDialogs_ = std::make_unique<TQtDialogs>();
    dialogs_ = options.dialogs != nullptr ? options.dialogs : ownDialogs_.get();

    FormCreate(options);

    // Created hidden right after the window; shown by actFunction.
    frmFormulaSelect_ = std::make_unique<TfrmFormulaSelect>(*this);
    dlgAbout_ = std::make_unique<TAboutDialog>(*dialogs_);
    dlgAbout_->Version = QStringLiteral("0.11.0");
    dlgAbout_->Copyright = QStringLiteral("Velquor Project");
    dlgAbout_->Year = QStringLiteral("2026");
}

TfrmMain::~TfrmMain()
{
    ShutDownDrawing();
    frmFormulaSelect_.reset();
    // The paint box shows the operations' bitmap; it goes first.
    delete ptbGraph;
    ptbGraph = nullptr;
    ops_.reset();
    // The only time the settings are written.
    try {
        registry_->Save();
    } catch (const std::exception& e) {
        dialogs_->ShowException(nullptr, QString::fromStdString(WithClosingPeriod(e.what())));
    }
    registry_.reset();
}

void TfrmMain::FormCreate(const TMainWindowOptions& options)
{
    // Image bitmap, renderer, formula 0, colour change 1.0, point move 0.
    programDir_ = options.programDir.empty() ? ProgramDir() : options.programDir;
    if (options.desktop == nullptr)
        ownDesktop_ = MakeDesktopPlatform();
    desktop_ = options.desktop != nullptr ? options.desktop : ownDesktop_.get();
    ops_ = std::make_unique<TMainOperations>(static_cast<IMainHost&>(*this), programDir_);
    // The worker's progress copies onto the image bitmap run on this thread;
    // StopDraw keeps serving them while it waits, so this cannot deadlock.
    ops_->Pattern().SetSynchronizer([this](const std::function<void()>& copy) {
        QMetaObject::invokeMethod(this, [&copy] { copy(); }, Qt::BlockingQueuedConnection);
    });

    ptbGraph = new TGraphView(ops_->ImageBitmap(), this);
    setCentralWidget(ptbGraph);
    CreateActions();
    CreateMenus();
    CreateToolBar();
    CreateStatusBar();
    timDraw = new QTimer(this);
    timDraw->setObjectName(QStringLiteral("timDraw"));
    connect(timDraw, &QTimer::timeout, this, &TfrmMain::timDrawTimer);

    firstActivate_ = true;
    registry_ = std::make_unique<TVelquorRegistry>();
    if (!options.settingsFile.empty())
        registry_->SetStorageFile(options.settingsFile);
    RunCommand([this] { registry_->Load(); });

    RefreshDialogFolder(paletteDialogFolder_, registry_->PaletteDirectory);
    RefreshDialogFolder(vqpDialogFolder_, registry_->VqpDirectory);

    FitClientArea(400, 0);
    SetToolBarVisible(registry_->ToolBar);
    SetStatusBarVisible(registry_->StatusBar);
    setAcceptDrops(true);
}

void TfrmMain::RefreshDialogFolder(QString& folder, const std::string& setting)
{
    if (IsFolder(setting))
        folder = QString::fromStdString(setting);
}

void TfrmMain::RunCommand(const std::function<void()>& command)
{
    try {
        command();
    } catch (const std::exception& e) {
        dialogs_->ShowException(this, QString::fromStdString(WithClosingPeriod(e.what())));
    }
}

void TfrmMain::SelectFormula(int32_t formulaType, const std::string& formulaName)
{
    ops_->SelectFormula(formulaType, formulaName);
}

void TfrmMain::SetArea(long double x, long double y, long double dx, long double dy)
{
    ops_->SetArea(x, y, dx, dy);
}

void TfrmMain::SetImageSize(int32_t width, int32_t height)
{
    ops_->SetImageSize(width, height);
}

void TfrmMain::SetColorChange(double value)
{
    ops_->SetColorChange(value);
}

void TfrmMain::SelectPointMove(int32_t pointMoveType, const TPointMoveParam& param)
{
    ops_->SelectPointMove(pointMoveType, param);
}

void TfrmMain::StopDraw()
{
    TVelquor& pattern = ops_->Pattern();
    if (pattern.Suspended())
        return;
    pattern.Stop();
    PumpUntilSuspended();
}

void TfrmMain::PumpUntilSuspended()
{
    // User input stays queued, so no command can start inside the wait.
    while (!ops_->Pattern().Suspended()) {
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
        if (!ops_->Pattern().Suspended())
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
}

void TfrmMain::StartDraw()
{
    if (shutDown_)
        return;
    StopDraw();
    UpdateFormulaDialog();
    ops_->BeginDrawing();
    prgDraw->setValue(0);
    prgDraw->show();
    timDraw->start(200);
}

void TfrmMain::UpdateFormulaDialog()
{
    actImgSave->setEnabled(false);
    actSave->setEnabled(false);
    if (!frmFormulaSelect_)
        return;
    const TVelquor& pattern = ops_->Pattern();
    TfrmFormulaSelect& dialog = *frmFormulaSelect_;
    dialog.ShowArea(pattern.Center.X, pattern.Center.Y, pattern.Incremental.X, pattern.Incremental.Y);
    dialog.ShowImageSize(pattern.Width(), pattern.Height());
    dialog.SelectFormulaEntry(TryStrToInt(ops_->FormulaName()).value_or(-1));
    dialog.ShowPointMoveType(ops_->PointMoveType());
    dialog.ShowPointMoveParam(ops_->PointMoveParam());
    dialog.ShowColorChange(ops_->ColorChange());
}

void TfrmMain::timDrawTimer()
{
    ptbGraph->update();
    const TVelquor& pattern = ops_->Pattern();
    if (!pattern.Suspended()) {
        if (pattern.Height() > 0)
            prgDraw->setValue(static_cast<int>(100LL * pattern.FinishedRows() / pattern.Height()));
        return;
    }
    timDraw->stop();
    prgDraw->hide();
    const std::string message = pattern.ErrorMessage();
    if (!message.empty())
        ErrorDialog(message);
    actImgSave->setEnabled(true);
    actSave->setEnabled(true);
}

bool TfrmMain::Drawing() const
{
    return timDraw->isActive();
}

void TfrmMain::FormActivate()
{
    if (!firstActivate_)
        return;
    // Cleared first: the drawing start below processes events.
    firstActivate_ = false;
    RunCommand([this] {
        SetImageSize(400, 400);
        stbPanel0->setText(QStringLiteral("標準"));
        StartDraw();
    });
}

bool TfrmMain::event(QEvent* event)
{
    switch (event->type()) {
    case QEvent::StatusTip:
        // The long part of the hint under the pointer goes to panel 1 and
        // leaves panel 0 alone, unlike QStatusBar's temporary message.
        stbPanel1->setText(static_cast<QStatusTipEvent*>(event)->tip());
        return true;
    case QEvent::WindowActivate:
        QTimer::singleShot(0, this, &TfrmMain::FormActivate);
        break;
    default:
        break;
    }
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
    ShutDownDrawing();
    if (frmFormulaSelect_)
        frmFormulaSelect_->hide();
    event->accept();
}

void TfrmMain::ShutDownDrawing()
{
    if (shutDown_)
        return;
    shutDown_ = true;
    timDraw->stop();
    // Stop and wait with events served, so a pending progress copy can
    // finish; then the worker may end. It stops after the current row.
    StopDraw();
    ops_->Pattern().Terminate();
}

std::string TfrmMain::PaletteDirectory() const
{
    return registry_->PaletteDirectory;
}

void TfrmMain::ShowMessage(const std::string& text)
{
    dialogs_->Message(this, QString::fromStdString(text));
}

void TfrmMain::ErrorDialog(const std::string& text)
{
    dialogs_->Error(this, QString::fromStdString(text));
}

void TfrmMain::ImageSizeChanged(int width, int height)
{
    FitClientArea(width, height);
}

void TfrmMain::PaletteNameChanged(const std::string& name)
{
    stbPanel0->setText(QString::fromStdString(name));
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

QSize TfrmMain::ClientSize() const
{
    return QSize(width(), height() - menuBar()->height());
}

int TfrmMain::BarsHeight() const
{
    int bars = 0;
    if (!tlbMain->isHidden())
        bars += tlbMain->height();
    if (!statusBar()->isHidden())
        bars += statusBar()->height();
    return bars;
}

void TfrmMain::FitClientArea(int width, int imageHeight)
{
    ptbGraph->setFixedSize(width, imageHeight);
    int menu = menuBar()->heightForWidth(width);
    if (menu <= 0)
        menu = menuBar()->sizeHint().height();
    setFixedSize(width, menu + BarsHeight() + imageHeight);
}

void TfrmMain::AdjustClientHeight()
{
    FitClientArea(ptbGraph->width(), ops_->Pattern().Height());
}

void TfrmMain::SetToolBarVisible(bool show)
{
    mnuViewToolbar->setChecked(show);
    tlbMain->setHidden(!show);
    AdjustClientHeight();
    registry_->ToolBar = show;
}

void TfrmMain::SetStatusBarVisible(bool show)
{
    mnuViewStatusbar->setChecked(show);
    statusBar()->setHidden(!show);
    AdjustClientHeight();
    registry_->StatusBar = show;
}
