// The Edit menu: undo and redo of the pattern's changes.
#include "ui/Main.h"

#include <QAction>

void TfrmMain::Undo() { ops_->Undo(); }

void TfrmMain::Redo() { ops_->Redo(); }

void TfrmMain::UpdateHistoryActions()
{
    if (actUndo == nullptr) return;
    actUndo->setEnabled(ops_->History().CanUndo());
    actRedo->setEnabled(ops_->History().CanRedo());
}
