// The About command's component: carries the texts and shows a TAboutBox.
#pragma once

#include <QString>

class IDialogs;
class QWidget;

class TAboutDialog {
public:
    // dialogs shows the box modally; not owned, must outlive this object.
    explicit TAboutDialog(IDialogs& dialogs) : dialogs_(dialogs) {}

    QString Caption; // empty keeps the box's own caption
    QString Title;   // empty shows the application's name
    QString Version;
    QString Copyright; // the holder's name
    QString Year;

    // Builds a fresh box from the texts, shows it modally and destroys it;
    // true when it was closed with OK. parent places the box; may be null.
    bool Execute(QWidget* parent = nullptr);

private:
    IDialogs& dialogs_;
};
