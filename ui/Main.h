// The main window: picture, menu bar, tool bar and status bar. The state and
// the checked operations live in TMainOperations; this class adds what needs
// widgets. Where to look:
//   CommandTable.cpp   every command: caption, shortcut, hint, menu and tool
//                      bar place, handler; and the building of the bars
//   FileMenu.cpp, EditMenu.cpp, OptionMenu.cpp, ViewMenu.cpp, HelpMenu.cpp
//                      the handlers, one file a menu
//   PictureMoves.cpp   the mouse and keys on the picture (PictureInput.cpp)
//                      turned into moves, and the pointer's status panel
//   DrawControl.cpp    starting, stopping and following a drawing
//   StatusPanels.cpp   the status bar's panels and the hints
//   PalettePanel.cpp   the palette browser docked beside the picture
//   ColorCycle.cpp     colour cycling and the palette offset keys
//   Main.cpp           creation, settings, layout, drops and shut-down
#pragma once

#include "document/DocumentState.h"
#include "document/MainOperations.h"
#include "document/Wallpaper.h"

#include <QMainWindow>
#include <QPoint>
#include <QSize>
#include <QString>

#include <functional>
#include <memory>
#include <optional>
#include <span>
#include <string>

class IDialogs;
class QAction;
class QMenu;
class QMimeData;
class QScrollArea;
class QTimer;
class QToolBar;
class TAboutDialog;
class TDrawControl;
class TPaletteCycle;
class TExportRunner;
class TStatusPanels;
struct TCommandRow;
class TfrmFormulaSelect;
class TPaletteBrowser;
struct TPaletteEntry;
class TGraphView;
class THelpWindow;
class TPictureInput;
class TVelquorRegistry;

struct TMainWindowOptions {
    // INI file for the settings; empty uses the user's own store.
    std::string settingsFile;
    // Modal interaction; null uses the real dialogs. Not owned.
    IDialogs* dialogs = nullptr;
    // Folder of the program (palettes and help page beside it or in
    // ../share/velquor); empty: the running executable's.
    std::string programDir;
    // Where the wallpaper goes; null uses the running desktop's. Not owned.
    IDesktopPlatform* desktop = nullptr;
    // A file named on the command line: taken at the first activation as a
    // drop would take it, so a document replaces the start-up pattern.
    std::string startFile;
};

class TfrmMain : public QMainWindow, private IMainHost {
    Q_OBJECT
public:
    explicit TfrmMain(const TMainWindowOptions& options = {});
    ~TfrmMain() override;

    // The operations the dialogs and documents use; each may throw.
    void SelectFormula(int32_t formulaType, const std::string& formulaName);
    void SetArea(long double x, long double y, long double dx, long double dy);
    void SetImageSize(int32_t width, int32_t height);
    void SetColorChange(double value);
    void SetPaletteOffset(int32_t offset);
    void SelectPointMove(int32_t pointMoveType, const TPointMoveParam& param);
    void StopDraw() override;
    void StartDraw() override;

    // Runs one command; an exception leaving it is shown by the default error
    // display and the program goes on. False when it failed (or could not
    // run while an image is saved).
    bool RunCommand(const std::function<void()>& command);

    TMainOperations& Operations() { return *ops_; }
    TVelquorRegistry& Registry() { return *registry_; }
    TfrmFormulaSelect& FormulaDialog() { return *frmFormulaSelect_; }
    // The program's own help window; null until it was needed.
    THelpWindow* HelpWindow() { return helpWindow_.get(); }
    TAboutDialog& AboutDialog() { return *dlgAbout_; }
    TPaletteBrowser& PaletteBrowser() { return *dckPalettes; }
    // The area below the menu bar: tool bar, picture and status bar.
    QSize ClientSize() const;
    // The picture widget (its scale and shown size).
    TGraphView& GraphView() { return *ptbGraph; }
    // True while the poll timer runs (from StartDraw until the renderer is idle).
    bool Drawing() const;
    // The window a message or dialog opens over: an open modal dialog, else
    // the formula dialog while it is shown (it stays on top), else this.
    QWidget* DialogParent();
    // Applies a dropped set of files, as a drop on the window does.
    void DropMimeData(const QMimeData& data);
    // The document the window holds: its file (empty for a new pattern).
    const TDocumentState& Document() const { return doc_; }
    const TRecentFiles& RecentFiles() const { return recent_; }

protected:
    bool event(QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void moveEvent(QMoveEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    // IMainHost
    std::string PaletteDirectory() const override;
    void ShowMessage(const std::string& text) override;
    void ErrorDialog(const std::string& text) override;
    void ImageSizeChanged(int width, int height) override;
    void PaletteNameChanged(const std::string& name) override;
    void ShadeOffChanged(bool checked) override;
    bool OpenInViewer(const std::string& path) override;
    bool ShowHelpWindow(const std::string& path) override;

    // The commands' handlers, named in the command table; each runs inside
    // RunCommand.
    void NewDocument();
    void OpenDocument();
    void SaveDocument();
    void SaveDocumentAs();
    void SaveImage();
    void ExportImage();
    void CopyToClipboard();
    void WallPaperCenter();
    void WallPaperStretch();
    void WallPaperTile();
    void CloseProgram();
    void Undo();
    void Redo();
    void ShowFormulaDialog();
    void ChoosePalette();
    void EditPalette();
    void RandomArea();
    void ToggleShadeOff();
    void ToggleColorCycle();
    void PaletteForward();
    void PaletteBack();
    void EditOptions();
    void ViewFit();
    void ViewActualSize();
    void ViewZoomIn();
    void ViewZoomOut();
    void ToggleFollowWindow();
    void ResetArea();
    void ToggleToolBar();
    void ToggleStatusBar();
    void TogglePaletteBrowser();
    void OpenHelp();
    void ShowAbout();

    static std::span<const TCommandRow> CommandRows();
    void CreateActions();
    void CreateMenus();
    void CreateToolBar();

    void FormCreate(const TMainWindowOptions& options);
    void FormActivate();
    void DrawingStarting();
    void DrawingFinished(const std::string& error);
    void SetToolBarVisible(bool show);
    void SetStatusBarVisible(bool show);
    void AdjustClientHeight();
    void FitClientArea(int width, int imageHeight);
    int BarsHeight() const;
    // The picture's area between the bars, scroll bars included.
    QSize PictureArea() const;
    // True while the picture is larger than its area and scrolls.
    bool PictureScrolls() const;
    // A fitted view takes the scale that shows the whole picture.
    void ApplyViewFit();
    // A fixed view scale; the middle of the area stays where it is.
    void SetViewScale(double scale);
    // The picture takes the size of its area (after a pause in resizing).
    void FollowWindow();
    void SetWallPaper(TWallpaperStyle style);
    // Undo and redo usable exactly when the history has a step that way.
    void UpdateHistoryActions();
    // The palette browser (PalettePanel.cpp): made hidden, shown as the
    // setting says; its list is read again whenever it is shown, on its
    // button, and when a palette comes in by another way than the list.
    void CreatePaletteBrowser();
    void SetPaletteBrowserVisible(bool show);
    void RefreshPaletteBrowser();
    void ApplyBrowsedPalette(const TPaletteEntry& entry);
    // The width of the browser while it is docked beside the picture.
    int SideDockWidth() const;
    // Colour cycling and the offset keys (ColorCycle.cpp).
    void StepPaletteOffset(int32_t delta);
    void CycleStep();
    // Ends a running cycle, leaving the offset it reached as one step.
    void EndColorCycle();
    // The mouse and the keys on the picture.
    void CreatePictureInput();
    // Runs a move as a command, then shows its result and what is now under
    // the pointer.
    void RunMove(const std::function<void()>& move);
    // Status panel 2: the pixel under the pointer, or nothing when it is
    // not over the picture.
    void ShowPointer(std::optional<QPoint> pixel);
    // The open dialog of a document or palette command, starting in folder
    // (refreshed from setting first); nothing when cancelled.
    std::optional<QString> ChooseFileToOpen(QString& folder, const std::string& setting, const QString& filter,
                                            const QString& defaultExt);
    // Applies a document; once it is applied whole it is the window's
    // document and the newest of the recent list.
    void OpenDocumentFile(const std::string& fileName);
    // An entry of the recent list; a file that has gone leaves the list.
    void OpenRecent(const std::string& fileName);
    // 上書き保存 (a new pattern asks for a name) and 名前を付けて保存; false
    // when the user cancelled the file dialog. A failed write throws.
    bool SaveCurrent();
    bool SaveAs();
    void SaveTo(const std::string& fileName);
    // Before a change would be lost: true when the caller may go on (nothing
    // changed, saved, or 保存しない), false for キャンセル or a cancelled save.
    bool ConfirmDiscard();
    void AddRecent(const std::string& fileName);
    void CreateRecentMenu();
    void RebuildRecentMenu();
    // "名前.vqp - Velquor", with "*" while changed.
    void UpdateTitle();
    // A file dropped or named on the command line.
    void DropFile(const std::string& fileName);
    // The window's place and size, and the formula dialog's place, into the
    // settings and back.
    void StorePlaces();
    void RestorePlaces();
    // The settings' folder if it exists now, else what the dialog had.
    static void RefreshDialogFolder(QString& folder, const std::string& setting);

    std::unique_ptr<IDialogs> ownDialogs_;
    IDialogs* dialogs_ = nullptr;
    std::unique_ptr<TVelquorRegistry> registry_;
    std::unique_ptr<TMainOperations> ops_;
    std::unique_ptr<TfrmFormulaSelect> frmFormulaSelect_;
    std::unique_ptr<TAboutDialog> dlgAbout_;
    // Made the first time the desktop's viewer cannot show the help.
    std::unique_ptr<THelpWindow> helpWindow_;
    bool firstActivate_ = true;
    // The formula dialog has been shown in this run (its place is kept).
    bool formulaDialogShown_ = false;
    // True while the close asks about a change.
    bool closing_ = false;
    // True while an image save reads the picture on another thread.
    bool savingImage_ = false;
    std::string startFile_;
    // The window manager's frame the last fit allowed for.
    QSize fittedFrame_;
    // The size the last fit gave the window; once the user or the window
    // manager has given it another, a late frame no longer refits it.
    QSize fittedSize_;
    bool userSized_ = false;
    // The view scale follows the area (fit) instead of staying fixed.
    bool viewFit_ = false;
    static constexpr int kFollowDelayMs = 300;
    QTimer* followTimer_ = nullptr;
    QString paletteDialogFolder_;
    QString vqpDialogFolder_;
    // The folder of the executable (the wallpaper file goes there).
    std::string programDir_;
    std::unique_ptr<IDesktopPlatform> ownDesktop_;
    IDesktopPlatform* desktop_ = nullptr;
    // The image save dialog keeps these between uses within a run.
    QString imgSaveFileName_;
    int imgSaveFilterIndex_ = 1;
    // The export runs beside the window; the last name it wrote.
    std::unique_ptr<TExportRunner> exportRunner_;
    QString exportFileName_;

    TDocumentState doc_;
    TRecentFiles recent_;
    QMenu* recentMenu_ = nullptr;

    std::unique_ptr<TStatusPanels> statusPanels_;
    std::unique_ptr<TDrawControl> drawControl_;
    std::unique_ptr<TPictureInput> pictureInput_;
    std::optional<QPoint> pointer_;
    std::unique_ptr<TPaletteCycle> cycle_; // null while the colours stand still
    QTimer* cycleTimer_ = nullptr;
    int32_t cycleOffset_ = 0;

    // Widgets, owned by their Qt parents.
    QToolBar* tlbMain = nullptr;
    TPaletteBrowser* dckPalettes = nullptr;
    // True while the browser applies a palette: the keys step through many,
    // and neither the recent list nor the list itself follows those.
    bool browsing_ = false;
    QScrollArea* scrGraph = nullptr;
    TGraphView* ptbGraph = nullptr;

public:
    // The export running or run last; null before the first.
    TExportRunner* ExportRunner() const { return exportRunner_.get(); }
    // The commands, filled from the command table; owned by the window.
    QAction* actNew = nullptr;
    QAction* actOpen = nullptr;
    QAction* actSave = nullptr;
    QAction* actSaveAs = nullptr;
    QAction* actImgSave = nullptr;
    QAction* actImgExport = nullptr;
    QAction* actClipbordSave = nullptr;
    QAction* actWallCenter = nullptr;
    QAction* actWallStretch = nullptr;
    QAction* actWallTile = nullptr;
    QAction* actUndo = nullptr;
    QAction* actRedo = nullptr;
    QAction* actFunction = nullptr;
    QAction* actPalette = nullptr;
    QAction* actPaletteEdit = nullptr;
    QAction* actRandom = nullptr;
    QAction* actShadeOff = nullptr;
    QAction* actCycleColors = nullptr;
    QAction* actPaletteForward = nullptr;
    QAction* actPaletteBack = nullptr;
    QAction* actOption = nullptr;
    QAction* actViewFit = nullptr;
    QAction* actViewActual = nullptr;
    QAction* actViewZoomIn = nullptr;
    QAction* actViewZoomOut = nullptr;
    QAction* actFollowWindow = nullptr;
    QAction* actResetArea = nullptr;
    // Menu items without an action of their own.
    QAction* mnuFileClose = nullptr;
    QAction* mnuViewToolbar = nullptr;
    QAction* mnuViewStatusbar = nullptr;
    QAction* actPaletteBrowser = nullptr;
    QAction* mnuHelpHelp = nullptr;
    QAction* mnuHelpAbout = nullptr;
};
