// The help page in a window of the program's own (Qt's text browser), for a
// desktop whose viewer cannot be started. Links within the page and to the
// files beside it are followed here; links to the web go to the browser.
#pragma once

#include <QWidget>

class QTextBrowser;
class QUrl;

class THelpWindow : public QWidget {
public:
    explicit THelpWindow(QWidget* owner);
    // Shows page (a local file) and brings the window to the front.
    void ShowPage(const QUrl& page);
    QTextBrowser& Browser() { return *browser_; }

private:
    QTextBrowser* browser_ = nullptr;
};
