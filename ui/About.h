// The version information form, built afresh by TAboutDialog::Execute.
#pragma once

#include <QDialog>

class QFrame;
class QLabel;
class QPushButton;

class TAboutBox : public QDialog {
    Q_OBJECT
public:
    explicit TAboutBox(QWidget* parent = nullptr);

    QFrame* Bevel1;
    QLabel* Icon;
    QLabel* Title;
    QLabel* Version;
    QLabel* Copyright;
    QLabel* Image1;
    QPushButton* Button1;

protected:
    // Only OK and the close box end this box; Escape does nothing.
    void keyPressEvent(QKeyEvent* event) override;
};
