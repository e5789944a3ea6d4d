// The options dialog: the folders of palette files and of pattern documents,
// and the language of the window.
//
// The main window hands both folders in through McfDirectory and
// VqpDirectory and the language setting through Language, shows the dialog
// modally and takes them back after OK.
#pragma once

#include <QDialog>
#include <QString>

#include <functional>
#include <optional>

class QComboBox;
class QFrame;
class QLabel;
class QLineEdit;
class QPushButton;
class QShowEvent;

class TfrmSettings : public QDialog {
    Q_OBJECT
public:
    using BrowseFunc = std::function<std::optional<QString>(const QString& title)>;
    using ErrorFunc = std::function<void(const QString& text)>;

    // The owner hands in its folder picker (the title is the box's caption)
    // and its error dialog, the one the rest of the program uses.
    TfrmSettings(QWidget* owner, BrowseFunc browseForFolder, ErrorFunc errorDialog);

    QString McfDirectory;
    QString VqpDirectory;
    // The language setting's text: "ja", "en" or "system".
    QString Language;

    // The form's controls; the dialog's widget tree owns them.
    QLabel* lblMcfDirectory;
    QLineEdit* edtMcfDirectory;
    QPushButton* bbnRef;
    QLabel* lblVqpDirectory;
    QLineEdit* edtVqpDirectory;
    QPushButton* bbnBrows;
    QLabel* lblLanguage;
    QComboBox* cmbLanguage;
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
