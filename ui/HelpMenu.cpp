// The Help menu: the help page and the About box.
#include "ui/Main.h"

#include "ui/AboutDialog.h"

void TfrmMain::OpenHelp() { ops_->ShowHelp(); }

void TfrmMain::ShowAbout() { dlgAbout_->Execute(DialogParent()); }
