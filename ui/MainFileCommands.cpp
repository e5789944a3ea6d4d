// The main window's document, palette, options and help commands.
#include "ui/Main.h"

#include "ui/Dialogs.h"
#include "ui/USettings.h"
#include "settings/UVelquorRegistry.h"

#include <QDir>

#include <memory>
#include <optional>

namespace {

const QString kVqpFilter = QStringLiteral("Velquorファイル(*.vqp)|*.vqp");
const QString kMcfFilter = QStringLiteral("MCFﾌｧｲﾙ(*.mcf)|*.mcf|すべてのﾌｧｲﾙ|*");

}  // namespace

void TfrmMain::actOpenExecute()
{
    RunCommand([this] {
        RefreshDialogFolder(vqpDialogFolder_, registry_->VqpDirectory);
        TOpenFileRequest request;
        request.filter = kVqpFilter;
        request.defaultExt = QStringLiteral(".vqp");
        request.initialDir = vqpDialogFolder_;
        const std::optional<QString> file = dialogs_->OpenFile(this, request);
        if (file)
            ops_->OpenDocument(file->toStdString());
    });
}

void TfrmMain::actSaveExecute()
{
    RunCommand([this] {
        RefreshDialogFolder(vqpDialogFolder_, registry_->VqpDirectory);
        TSaveFileRequest request;
        request.filter = kVqpFilter;
        request.defaultExt = QStringLiteral(".vqp");
        request.initialDir = vqpDialogFolder_;
        request.overwritePrompt = true;
        const std::optional<TSaveFileResult> result = dialogs_->SaveFile(this, request);
        if (result)
            ops_->SaveDocument(result->fileName.toStdString());
    });
}

void TfrmMain::actPaletteExecute()
{
    RunCommand([this] {
        RefreshDialogFolder(paletteDialogFolder_, registry_->PaletteDirectory);
        TOpenFileRequest request;
        request.filter = kMcfFilter;
        request.defaultExt = QStringLiteral(".mcf");
        request.initialDir = paletteDialogFolder_;
        const std::optional<QString> file = dialogs_->OpenFile(this, request);
        if (file)
            ops_->LoadPaletteAndDraw(file->toStdString());
    });
}

void TfrmMain::actOptionExecute()
{
    RunCommand([this] {
        // Owned here and freed on every path; the window is only its owner
        // for placement.
        auto settings = std::make_unique<TfrmSettings>(
            this, [this](const QString& title) { return dialogs_->BrowseFolder(this, title, QString()); },
            [this](const QString& text) { dialogs_->Error(this, text); });
        settings->McfDirectory = QString::fromStdString(registry_->PaletteDirectory);
        settings->VqpDirectory = QString::fromStdString(registry_->VqpDirectory);
        if (dialogs_->Exec(*settings) == QDialog::Accepted) {
            registry_->PaletteDirectory = settings->McfDirectory.toStdString();
            registry_->VqpDirectory = settings->VqpDirectory.toStdString();
        }
    });
}

void TfrmMain::mnuHelpHelpClick()
{
    RunCommand([this] { ops_->ShowHelp(); });
}
