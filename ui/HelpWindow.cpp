#include "ui/HelpWindow.h"

#include <QCoreApplication>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>

THelpWindow::THelpWindow(QWidget* owner) : QWidget(owner, Qt::Window)
{
    setObjectName(QStringLiteral("frmHelp"));
    setWindowTitle(QCoreApplication::translate("THelpWindow", "Velquor ﾍﾙﾌﾟ"));
    browser_ = new QTextBrowser(this);
    browser_->setObjectName(QStringLiteral("brwHelp"));
    // Pages of the help folder open here; the web opens in the browser.
    browser_->setOpenLinks(true);
    browser_->setOpenExternalLinks(true);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(browser_);
    resize(720, 600);
}

void THelpWindow::ShowPage(const QUrl& page)
{
    browser_->setSource(page);
    show();
    raise();
    activateWindow();
}
