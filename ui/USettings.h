// The options dialog: the folders of palette files and of pattern documents.
//
// The main window hands both folders in through McfDirectory and
// VqpDirectory, shows the dialog modally and takes them back after OK.
#pragma once

#include <QDialog>
#include <QString>

#include <functional>
#include <optional>

class QFrame;
class QLabel;
class QLineEdit;
class QPushButton;
class QShowEvent;
class QWidget;

// A modal choice of an existing folder, titled title; its full path, or
// nothing when the user cancels. Opens without a preselected folder.
std::optional<QString> BrowseForFolder(QWidget* parent, const QString& title);

class TfrmSettings : public QDialog {
public:
    using BrowseFunc = std::function<std::optional<QString>(const QString& title)>;
    using ErrorFunc = std::function<void(const QString& text)>;

    // An empty callable stands for the real one: BrowseForFolder, and the
    // error dialog (beep, then a critical box captioned "エラー").
    explicit TfrmSettings(QWidget* owner = nullptr, BrowseFunc browseForFolder = {},
                          ErrorFunc errorDialog = {});

    QString McfDirectory;
    QString VqpDirectory;

    // The form's controls; the dialog's widget tree owns them.
    QLabel* lblMcfDirectory;
    QLineEdit* edtMcfDirectory;
    QPushButton* bbnRef;
    QLabel* lblVqpDirectory;
    QLineEdit* edtVqpDirectory;
    QPushButton* bbnBrows;
    QFrame* Bevel1;
    QPushButton* bbnOk;
    QPushButton* bbnCancel;

    void FormShow();
    void bbnRefClick();
    void bbnBrowsClick();
    void bbnOkClick();

protected:
    void showEvent(QShowEvent* event) override;

private:
    void Browse(const QLabel* caption, QLineEdit* edit);
    // True when text is empty or names an existing folder; otherwise shows
    // the refusal.
    bool AcceptFolder(const QString& text);

    BrowseFunc browseForFolder_;
    ErrorFunc errorDialog_;
};
