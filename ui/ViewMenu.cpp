// The View menu: showing and hiding the tool bar and the status bar. The
// window keeps the picture's size, so it grows or shrinks by the bar.
#include "ui/Main.h"

#include "settings/UVelquorRegistry.h"

#include <QAction>
#include <QStatusBar>
#include <QToolBar>

void TfrmMain::ToggleToolBar() { SetToolBarVisible(!registry_->ToolBar); }

void TfrmMain::ToggleStatusBar() { SetStatusBarVisible(!registry_->StatusBar); }

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
