// Handlers of the main window's commands and of dropped files.
#include "ui/Main.h"

#include "ui/AboutDialog.h"
#include "ui/UFormulaSelect.h"
#include "settings/UVelquorRegistry.h"

#include <QDragEnterEvent>
#include <QDropEvent>
#include <QMimeData>
#include <QUrl>

#include <string>
#include <vector>

void TfrmMain::actFunctionExecute()
{
    frmFormulaSelect_->ShowBeside(*this);
}

void TfrmMain::actRandomExecute()
{
    RunCommand([this] { ops_->Random(); });
}

void TfrmMain::actShadeOffExecute(bool checked)
{
    // The action has already toggled its check mark.
    RunCommand([this, checked] {
        ops_->SetShadeOff(checked);
        StartDraw();
    });
}

void TfrmMain::mnuFileCloseClick()
{
    close();
}

void TfrmMain::mnuViewToolbarClick()
{
    SetToolBarVisible(!registry_->ToolBar);
}

void TfrmMain::mnuViewStatusbarClick()
{
    SetStatusBarVisible(!registry_->StatusBar);
}

void TfrmMain::mnuHelpAboutClick()
{
    RunCommand([this] { dlgAbout_->Execute(); });
}

void TfrmMain::dragEnterEvent(QDragEnterEvent* event)
{
    if (event->mimeData()->hasUrls())
        event->acceptProposedAction();
}

void TfrmMain::dropEvent(QDropEvent* event)
{
    event->acceptProposedAction();
    DropMimeData(*event->mimeData());
}

void TfrmMain::DropMimeData(const QMimeData& data)
{
    std::vector<std::string> files;
    for (const QUrl& url : data.urls())
        if (url.isLocalFile())
            files.push_back(url.toLocalFile().toStdString());
    if (!files.empty())
        RunCommand([this, &files] { ops_->DropFiles(files); });
}
