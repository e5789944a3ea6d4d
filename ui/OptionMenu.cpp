// The drawing settings menu: formula dialog, palette, random area, blur and
// the options dialog.
#include "ui/Main.h"

#include "platform/AppPaths.h"

#include <QStringList>

#include "settings/UVelquorRegistry.h"
#include "ui/Dialogs.h"
#include "ui/UFormulaSelect.h"
#include "ui/USettings.h"

#include <QAction>

#include <memory>

void TfrmMain::ShowFormulaDialog()
{
    // The place of the last run serves the first showing of this one.
    std::optional<QPoint> place;
    if (!formulaDialogShown_) {
        const QStringList parts = QString::fromStdString(registry_->FormulaDialogPlace).split(QLatin1Char(','));
        bool okX = false, okY = false;
        if (parts.size() == 2) place = QPoint(parts[0].toInt(&okX), parts[1].toInt(&okY));
        if (!okX || !okY) place.reset();
    }
    formulaDialogShown_ = true;
    frmFormulaSelect_->ShowBeside(*this, place);
}

void TfrmMain::ChoosePalette()
{
    // Without a palette folder of the user's, the shipped palettes are where
    // a new user finds something to choose.
    if (paletteDialogFolder_.isEmpty()) paletteDialogFolder_ = QString::fromStdString(DefaultPaletteFolder(programDir_));
    const std::optional<QString> file =
        ChooseFileToOpen(paletteDialogFolder_, registry_->PaletteDirectory,
                         tr("ﾊﾟﾚｯﾄ(*.mcf;*.map;*.gpl;*.ggr)|*.mcf;*.map;*.gpl;*.ggr|MCFﾌｧｲﾙ(*.mcf)|*.mcf|すべてのﾌｧｲﾙ|*"), QStringLiteral(".mcf"));
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
