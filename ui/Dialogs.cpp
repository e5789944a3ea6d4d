// The real modal dialogs, on Qt's standard dialogs and message boxes.
#include "ui/Dialogs.h"

#include "common/Paths.h"

#include <QApplication>
#include <QColorDialog>
#include <QCoreApplication>
#include <QDesktopServices>
#include <QDialog>
#include <QFileDialog>
#include <QMessageBox>
#include <QProgressDialog>
#include <QPushButton>
#include <QStringList>
#include <QTimer>
#include <QUrl>

#include <atomic>
#include <chrono>
#include <exception>
#include <thread>

QString QtFilter(const QString& filter)
{
    const QStringList parts = filter.split(QLatin1Char('|'));
    QStringList entries;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        const QString& description = parts[i];
        const QString& patterns = parts[i + 1];
        QString spaced = patterns;
        spaced.replace(QLatin1Char(';'), QLatin1Char(' '));
        // Qt shows the whole entry and reads the patterns from its last
        // parentheses, so a description that already names them in that
        // place is enough on its own.
        const QString named = QLatin1Char('(') + patterns + QLatin1Char(')');
        if (description.endsWith(named))
            entries << description.left(description.size() - named.size()) + QLatin1Char('(') + spaced +
                           QLatin1Char(')');
        else entries << description + QStringLiteral(" (") + spaced + QLatin1Char(')');
    }
    return entries.join(QStringLiteral(";;"));
}

QWidget* ProgramDialogParent(QWidget* preferred)
{
    if (QWidget* modal = QApplication::activeModalWidget()) return modal;
    return preferred;
}

namespace {

// Appends the default extension when the chosen name has none, as the
// system dialogs do.
QString WithDefaultExt(const QString& name, const QString& defaultExt)
{
    if (defaultExt.isEmpty() || !LowerExtension(name.toStdString()).empty()) return name;
    return name + defaultExt;
}

// True when a shown window of the program stays on top of the others; a
// dialog that did not would open hidden behind it.
bool StayOnTopWindowShown(const QWidget& dialog)
{
    for (const QWidget* window : QApplication::topLevelWidgets())
        if (window != &dialog && window->isVisible() && window->windowFlags().testFlag(Qt::WindowStaysOnTopHint))
            return true;
    return false;
}

// Every modal dialog of the program opens above all its windows and takes
// the keyboard, whatever window stays on top meanwhile.
int ExecInFront(QDialog& dialog)
{
    if (StayOnTopWindowShown(dialog)) dialog.setWindowFlag(Qt::WindowStaysOnTopHint, true);
    QTimer::singleShot(0, &dialog, [&dialog] {
        dialog.raise();
        dialog.activateWindow();
    });
    return dialog.exec();
}

void Box(QWidget* parent, QMessageBox::Icon icon, const QString& caption, const QString& text)
{
    QMessageBox box(icon, caption, text, QMessageBox::Ok, parent);
    ExecInFront(box);
}

} // namespace

std::optional<QString> TQtDialogs::OpenFile(QWidget* parent, const TOpenFileRequest& request)
{
    QFileDialog dialog(parent, request.title, request.initialDir, QtFilter(request.filter));
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(request.fileMustExist ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
    if (ExecInFront(dialog) != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
    return WithDefaultExt(dialog.selectedFiles().front(), request.defaultExt);
}

std::optional<TSaveFileResult> TQtDialogs::SaveFile(QWidget* parent, const TSaveFileRequest& request)
{
    QFileDialog dialog(parent, request.title, request.initialDir, QtFilter(request.filter));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    if (!request.overwritePrompt) dialog.setOption(QFileDialog::DontConfirmOverwrite);
    const QStringList filters = dialog.nameFilters();
    if (request.filterIndex >= 1 && request.filterIndex <= filters.size())
        dialog.selectNameFilter(filters[request.filterIndex - 1]);
    if (!request.fileName.isEmpty()) dialog.selectFile(request.fileName);
    if (ExecInFront(dialog) != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
    TSaveFileResult result;
    result.fileName = WithDefaultExt(dialog.selectedFiles().front(), request.defaultExt);
    result.filterIndex = static_cast<int>(filters.indexOf(dialog.selectedNameFilter())) + 1;
    if (result.filterIndex < 1) result.filterIndex = 1;
    return result;
}

std::optional<QString> TQtDialogs::BrowseFolder(QWidget* parent, const QString& title, const QString& initialDir)
{
    QFileDialog dialog(parent, title, initialDir);
    dialog.setFileMode(QFileDialog::Directory);
    dialog.setOption(QFileDialog::ShowDirsOnly);
    if (ExecInFront(dialog) != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
    return dialog.selectedFiles().front();
}

std::optional<QColor> TQtDialogs::PickColor(QWidget* parent, const QColor& initial, const QString& title)
{
    QColorDialog dialog(initial, parent);
    dialog.setWindowTitle(title);
    if (ExecInFront(dialog) != QDialog::Accepted) return std::nullopt;
    return dialog.selectedColor();
}

void TQtDialogs::Message(QWidget* parent, const QString& text)
{
    Box(parent, QMessageBox::NoIcon, QStringLiteral("Velquor"), text);
}

TSaveAnswer TQtDialogs::AskToSave(QWidget* parent, const QString& text)
{
    QMessageBox box(QMessageBox::Question, QStringLiteral("Velquor"), text, QMessageBox::NoButton, parent);
    box.setObjectName(QStringLiteral("dlgAskToSave"));
    QPushButton* save = box.addButton(QCoreApplication::translate("TQtDialogs", "保存(&S)"), QMessageBox::AcceptRole);
    QPushButton* discard =
        box.addButton(QCoreApplication::translate("TQtDialogs", "保存しない(&N)"), QMessageBox::DestructiveRole);
    QPushButton* cancel =
        box.addButton(QCoreApplication::translate("TQtDialogs", "キャンセル"), QMessageBox::RejectRole);
    box.setDefaultButton(save);
    box.setEscapeButton(cancel);
    ExecInFront(box);
    if (box.clickedButton() == save) return TSaveAnswer::Save;
    if (box.clickedButton() == discard) return TSaveAnswer::Discard;
    return TSaveAnswer::Cancel;
}

void TQtDialogs::Error(QWidget* parent, const QString& text)
{
    QApplication::beep();
    Box(parent, QMessageBox::Critical, QCoreApplication::translate("TQtDialogs", "エラー"), text);
}

void TQtDialogs::ShowException(QWidget* parent, const QString& text)
{
    Box(parent, QMessageBox::Critical, QStringLiteral("Velquor"), text);
}

int TQtDialogs::Exec(QDialog& dialog) { return ExecInFront(dialog); }

bool TQtDialogs::OpenUrl(const QUrl& url) { return QDesktopServices::openUrl(url); }

void TQtDialogs::RunWithProgress(QWidget* parent, const QString& title, const TProgressWork& work)
{
    QProgressDialog box(title, QCoreApplication::translate("TQtDialogs", "キャンセル"), 0, 100, parent);
    box.setWindowTitle(QStringLiteral("Velquor"));
    box.setWindowModality(Qt::ApplicationModal);
    box.setAutoReset(false);
    box.setAutoClose(false);
    if (StayOnTopWindowShown(box)) box.setWindowFlag(Qt::WindowStaysOnTopHint, true);
    // A quick job ends before the box would appear; until it does, input
    // waits in the queue so no command can run while the work reads the
    // picture.
    box.setMinimumDuration(400);

    std::atomic<int> percent{0};
    std::atomic<bool> cancelled{false};
    std::atomic<bool> done{false};
    std::exception_ptr failure;
    std::thread worker([&] {
        try {
            work([&](int value) {
                percent.store(value);
                return !cancelled.load();
            });
        } catch (...) {
            failure = std::current_exception();
        }
        done.store(true);
    });
    while (!done.load()) {
        box.setValue(percent.load());
        if (box.wasCanceled()) cancelled.store(true);
        const auto flags = box.isVisible() ? QEventLoop::AllEvents : QEventLoop::ExcludeUserInputEvents;
        QCoreApplication::processEvents(flags, 20);
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    worker.join();
    if (failure) std::rethrow_exception(failure);
}
