// The real modal dialogs, on Qt's standard dialogs and message boxes.
#include "ui/Dialogs.h"

#include "common/Paths.h"

#include <QApplication>
#include <QDesktopServices>
#include <QDialog>
#include <QFileDialog>
#include <QMessageBox>
#include <QStringList>
#include <QUrl>

QString QtFilter(const QString& filter)
{
    const QStringList parts = filter.split(QLatin1Char('|'));
    QStringList entries;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        QString patterns = parts[i + 1];
        patterns.replace(QLatin1Char(';'), QLatin1Char(' '));
        entries << parts[i] + QStringLiteral(" (") + patterns + QLatin1Char(')');
    }
    return entries.join(QStringLiteral(";;"));
}

namespace {

// Appends the default extension when the chosen name has none, as the
// system dialogs do.
QString WithDefaultExt(const QString& name, const QString& defaultExt)
{
    if (defaultExt.isEmpty() || !LowerExtension(name.toStdString()).empty()) return name;
    return name + defaultExt;
}

void Box(QWidget* parent, QMessageBox::Icon icon, const QString& caption, const QString& text)
{
    QMessageBox box(icon, caption, text, QMessageBox::Ok, parent);
    box.exec();
}

} // namespace

std::optional<QString> TQtDialogs::OpenFile(QWidget* parent, const TOpenFileRequest& request)
{
    QFileDialog dialog(parent, request.title, request.initialDir, QtFilter(request.filter));
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(request.fileMustExist ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
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
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
    TSaveFileResult result;
    result.fileName = WithDefaultExt(dialog.selectedFiles().front(), request.defaultExt);
    result.filterIndex = static_cast<int>(filters.indexOf(dialog.selectedNameFilter())) + 1;
    if (result.filterIndex < 1) result.filterIndex = 1;
    return result;
}

std::optional<QString> TQtDialogs::BrowseFolder(QWidget* parent, const QString& title, const QString& initialDir)
{
    const QString folder = QFileDialog::getExistingDirectory(parent, title, initialDir);
    if (folder.isEmpty()) return std::nullopt;
    return folder;
}

void TQtDialogs::Message(QWidget* parent, const QString& text)
{
    Box(parent, QMessageBox::NoIcon, QStringLiteral("Velquor"), text);
}

void TQtDialogs::Error(QWidget* parent, const QString& text)
{
    QApplication::beep();
    Box(parent, QMessageBox::Critical, QStringLiteral("エラー"), text);
}

void TQtDialogs::ShowException(QWidget* parent, const QString& text)
{
    Box(parent, QMessageBox::Critical, QStringLiteral("Velquor"), text);
}

int TQtDialogs::Exec(QDialog& dialog) { return dialog.exec(); }

bool TQtDialogs::OpenUrl(const QUrl& url) { return QDesktopServices::openUrl(url); }
