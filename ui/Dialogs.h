// Every modal interaction of the program goes through IDialogs, so that tests
// can script the answers and never wait on a dialog.
//
// Filters are written "description|pattern|description|pattern", the form the
// program's texts use; TQtDialogs turns them into Qt's own form.
#pragma once

#include <QColor>
#include <QString>

#include <functional>
#include <optional>

class QDialog;
class QUrl;
class QWidget;

struct TOpenFileRequest {
    QString title;
    QString filter;
    QString defaultExt; // with its dot, e.g. ".mcf"; may be empty
    QString initialDir; // empty: the toolkit's choice
    bool fileMustExist = true;
};

struct TSaveFileRequest {
    QString title;
    QString filter;
    QString defaultExt;
    QString initialDir;
    QString fileName;    // proposed name, e.g. the last one chosen
    int filterIndex = 1; // 1-based, as the commands count filter entries
    bool overwritePrompt = false;
};

struct TSaveFileResult {
    QString fileName;
    int filterIndex = 1; // 1-based entry the user left selected
};

// The answers to "変更を保存しますか？".
enum class TSaveAnswer { Save, Discard, Cancel };

// Told the whole percentage done; answers false once the user cancelled.
using TReportProgress = std::function<bool(int percent)>;
// Long work that reports its progress; runs off the GUI thread.
using TProgressWork = std::function<void(const TReportProgress& report)>;

class IDialogs {
public:
    virtual ~IDialogs() = default;
    // nullopt when the user cancels.
    virtual std::optional<QString> OpenFile(QWidget* parent, const TOpenFileRequest& request) = 0;
    virtual std::optional<TSaveFileResult> SaveFile(QWidget* parent, const TSaveFileRequest& request) = 0;
    virtual std::optional<QString> BrowseFolder(QWidget* parent, const QString& title, const QString& initialDir) = 0;
    // The colour dialog, starting at initial; nullopt when the user cancels.
    virtual std::optional<QColor> PickColor(QWidget* parent, const QColor& initial, const QString& title) = 0;
    // A plain message box captioned "Velquor", no icon, no beep.
    virtual void Message(QWidget* parent, const QString& text) = 0;
    // The error dialog: error beep, then a box captioned "エラー" with the error icon.
    virtual void Error(QWidget* parent, const QString& text) = 0;
    // The default error display: a box captioned "Velquor" with the error
    // icon; text already carries its closing full stop.
    virtual void ShowException(QWidget* parent, const QString& text) = 0;
    // A question with the buttons 保存 (the default), 保存しない and キャンセル
    // (also Esc and the close box).
    virtual TSaveAnswer AskToSave(QWidget* parent, const QString& text) = 0;
    // Shows a modal dialog and returns its result code (QDialog::Accepted...).
    virtual int Exec(QDialog& dialog) = 0;
    // Hands a file URL to the desktop's viewer; true when it was taken.
    virtual bool OpenUrl(const QUrl& url) = 0;
    // Runs work on another thread while a modal box shows its progress and
    // offers to cancel; the windows keep repainting and take no input
    // meanwhile. Returns when work has returned; what it threw is thrown
    // here.
    virtual void RunWithProgress(QWidget* parent, const QString& title, const TProgressWork& work) = 0;
};

// The real dialogs of the desktop. Each opens above every window of the
// program, stay-on-top ones included, and takes the keyboard focus.
class TQtDialogs final : public IDialogs {
public:
    std::optional<QString> OpenFile(QWidget* parent, const TOpenFileRequest& request) override;
    std::optional<TSaveFileResult> SaveFile(QWidget* parent, const TSaveFileRequest& request) override;
    std::optional<QString> BrowseFolder(QWidget* parent, const QString& title, const QString& initialDir) override;
    std::optional<QColor> PickColor(QWidget* parent, const QColor& initial, const QString& title) override;
    void Message(QWidget* parent, const QString& text) override;
    void Error(QWidget* parent, const QString& text) override;
    void ShowException(QWidget* parent, const QString& text) override;
    TSaveAnswer AskToSave(QWidget* parent, const QString& text) override;
    int Exec(QDialog& dialog) override;
    bool OpenUrl(const QUrl& url) override;
    void RunWithProgress(QWidget* parent, const QString& title, const TProgressWork& work) override;
};

// "MCF(*.mcf)|*.mcf|all|*" -> "MCF(*.mcf);;all (*)": each pattern shown once.
QString QtFilter(const QString& filter);

// The window a new dialog belongs to: an open modal dialog of the program if
// there is one, else preferred.
QWidget* ProgramDialogParent(QWidget* preferred);
