// The View menu: showing and hiding the tool bar and the status bar (the
// window keeps the picture's size, so it grows or shrinks by the bar), the
// view scale, the picture following the window, and the start-up area.
#include "ui/Main.h"

#include "document/ViewScale.h"
#include "settings/UVelquorRegistry.h"
#include "ui/GraphView.h"

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

// The view scale changes only what is shown; the picture stays as drawn.
void TfrmMain::ViewFit()
{
    viewFit_ = true;
    ApplyViewFit();
}

void TfrmMain::ViewActualSize() { SetViewScale(1.0); }

void TfrmMain::ViewZoomIn() { SetViewScale(ViewScaleUp(ptbGraph->Scale())); }

void TfrmMain::ViewZoomOut() { SetViewScale(ViewScaleDown(ptbGraph->Scale())); }

void TfrmMain::ToggleFollowWindow()
{
    registry_->FollowWindow = actFollowWindow->isChecked();
    if (!actFollowWindow->isChecked()) return;
    // The picture is shown 1:1 at the size of its area.
    viewFit_ = false;
    ptbGraph->SetScale(1.0);
    FollowWindow();
}

void TfrmMain::ResetArea() { ops_->ResetArea(); }
