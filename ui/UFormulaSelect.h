// The modeless formula settings dialog: every drawing parameter but the
// palette itself and the blur switch. It keeps no state of its own; StartDraw
// rewrites its boxes from the window's current state.
#pragma once

#include "engine/UPointMove.h"

#include <QDialog>
#include <QPoint>

#include <optional>

#include <string>

class QComboBox;
class QGroupBox;
class QLineEdit;
class QPushButton;
class TfrmMain;

class TfrmFormulaSelect : public QDialog {
    Q_OBJECT
public:
    // A stay-on-top window of main, created hidden with both lists filled.
    explicit TfrmFormulaSelect(TfrmMain& main);

    void ShowArea(long double x, long double y, long double dx, long double dy);
    void ShowImageSize(int width, int height);
    // An entry outside the list leaves none selected.
    void ShowPointMoveType(int pointMoveType);
    void ShowPointMoveParam(const TPointMoveParam& param);
    void ShowColorChange(double value);
    void ShowPaletteOffset(int32_t offset);
    void SelectFormulaEntry(int formulaNumber);
    // Chooses the last entry, the typed formula, and shows its text.
    void ShowExpression(const std::string& text);

    // Shows the dialog (when it was hidden: at place, else centred over the
    // window) and brings it to the front.
    void ShowBeside(QWidget& mainWindow, std::optional<QPoint> place = std::nullopt);

    // Esc and the close box only hide.
    void reject() override;

    QComboBox* cmbFormula;
    // The typed formula; usable while the list's last entry is chosen.
    QLineEdit* edtExpression;
    QLineEdit* edtX;
    QLineEdit* edtY;
    QLineEdit* edtDX;
    QLineEdit* edtDY;
    QLineEdit* edtSizeX;
    QLineEdit* edtSizeY;
    QLineEdit* edtColorChange;
    QComboBox* cmbPointMove;
    QLineEdit* edtParamA;
    QLineEdit* edtParamB;
    QLineEdit* edtParamC;
    QLineEdit* edtParamD;
    QLineEdit* edtPaletteOffset;
    QPushButton* bbnOK;
    QPushButton* bbnCancel;

protected:
    // Alt+O presses OK from any of the dialog's widgets.
    bool eventFilter(QObject* watched, QEvent* event) override;

private slots:
    void bbnOKClick();
    void bbnCancelClick();

private:
    void FormCreate();
    int ExpressionEntry() const;

    TfrmMain& main_;
};
