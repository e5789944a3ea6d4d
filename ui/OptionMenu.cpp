// The drawing settings menu: formula dialog, palette, random area, blur and
// the options dialog.
#include "ui/Main.h"

#include "settings/UVelquorRegistry.h"
#include "ui/Dialogs.h"
#include "ui/UFormulaSelect.h"
#include "ui/USettings.h"

#include <QAction>

#include <memory>

void TfrmMain::ShowFormulaDialog() { frmFormulaSelect_->ShowBeside(*this); }

void TfrmMain::ChoosePalette()
{
    const std::optional<QString> file =
        ChooseFileToOpen(paletteDialogFolder_, registry_->PaletteDirectory,
                         tr("MCFﾌｧｲﾙ(*.mcf)|*.mcf|すべてのﾌｧｲﾙ|*"), QStringLiteral(".mcf"));
    if (file) ops_->LoadPaletteAndDraw(file->toStdString());
}

void TfrmMain::RandomArea() { ops_->Random(); }

void TfrmMain::ToggleShadeOff()
{
    ops_->SetShadeOff(actShadeOff->isChecked());
    StartDraw();
}

void TfrmMain::EditOptions()
{
    // Owned here and freed on every path; the window is only its owner for
    // placement.
    auto settings = std::make_unique<TfrmSettings>(
        DialogParent(),
        [this](const QString& title) { return dialogs_->BrowseFolder(DialogParent(), title, QString()); },
        [this](const QString& text) { dialogs_->Error(DialogParent(), text); });
    settings->McfDirectory = QString::fromStdString(registry_->PaletteDirectory);
    settings->VqpDirectory = QString::fromStdString(registry_->VqpDirectory);
    settings->Language = QString::fromStdString(registry_->Language);
    if (dialogs_->Exec(*settings) == QDialog::Accepted) {
        registry_->PaletteDirectory = settings->McfDirectory.toStdString();
        registry_->VqpDirectory = settings->VqpDirectory.toStdString();
        // The texts are installed before the first window exists, so a new
        // language shows from the next start; the store keeps it until then.
        const std::string language = settings->Language.toStdString();
        if (language != registry_->Language) {
            registry_->Language = language;
            dialogs_->Message(DialogParent(), tr("言語の変更は次回の起動から有効になります。"));
        }
    }
}
