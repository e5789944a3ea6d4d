// The About command's component.
#include "ui/AboutDialog.h"

#include "ui/About.h"
#include "ui/Dialogs.h"

#include <QApplication>
#include <QLabel>

bool TAboutDialog::Execute(QWidget* parent)
{
    // Owned by this call alone: destroyed on every path out of it.
    TAboutBox box(parent);
    if (!Caption.isEmpty()) box.setWindowTitle(Caption);
    box.Title->setText(Title.isEmpty() ? QApplication::applicationName() : Title);
    box.Version->setText(QStringLiteral("Version ") + Version);
    box.Copyright->setText(QStringLiteral("Copyright(C) ") + Year + QStringLiteral("  ") + Copyright);
    box.Icon->setPixmap(QApplication::windowIcon().pixmap(32, 32));
    return dialogs_.Exec(box) == QDialog::Accepted;
}
