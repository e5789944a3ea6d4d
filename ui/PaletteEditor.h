// The palette editor: the palette as a bar of its segments and the list of
// its lines; each segment's colours, count and steps can be changed, and
// segments inserted, deleted, moved and put in reverse order. The edits are
// made on TPaletteLines (palette/McfLines.h); the dialog only shows them and
// reports, after a short pause, the text to preview on the picture. Its
// colour and file choices go through the hooks, so tests answer them.
#pragma once

#include "palette/McfLines.h"

#include <QColor>
#include <QDialog>
#include <QString>

#include <functional>
#include <optional>

class QDoubleSpinBox;
class QLabel;
class QListWidget;
class QPushButton;
class QSpinBox;
class QTimer;
class TPaletteBar;

class TPaletteEditor : public QDialog {
    Q_OBJECT
public:
    struct THooks {
        // The palette to show on the picture, once the edits have paused.
        std::function<void(const std::string& mcfText)> preview;
        std::function<std::optional<QColor>(const QColor& initial, const QString& title)> pickColor;
        // The file to save as; nothing when the user cancels.
        std::function<std::optional<QString>(const QString& proposed)> chooseSaveFile;
        // A message of a failure (a save that did not happen).
        std::function<void(const QString& message)> showError;
    };

    // file: where the palette came from (empty when it has no MCF file);
    // Save writes there.
    TPaletteEditor(QWidget* parent, TPaletteLines lines, QString file, THooks hooks);

    const TPaletteLines& Lines() const { return lines_; }
    // The file last saved or opened; empty when there is none.
    const QString& FileName() const { return file_; }
    // True when the palette is exactly what FileName holds (nothing edited
    // since it was opened or saved).
    bool Saved() const { return !file_.isEmpty() && lines_.Text() == savedText_; }
    int ChosenSegment() const { return chosen_; }
    void ChooseSegment(int segment);
    // How long the edits must pause before the picture shows them.
    static constexpr int kPreviewPauseMs = 300;

    TPaletteBar* pbxPalette;
    QListWidget* lstSegments;
    QLabel* lblCount;
    QPushButton* bbnColor;
    QPushButton* bbnEndColor;
    QPushButton* bbnSwapEnds;
    QSpinBox* spnCount;
    QDoubleSpinBox* spnStepR;
    QDoubleSpinBox* spnStepG;
    QDoubleSpinBox* spnStepB;
    QPushButton* bbnInsertColor;
    QPushButton* bbnInsertGradient;
    QPushButton* bbnInsertRamp;
    QPushButton* bbnDelete;
    QPushButton* bbnUp;
    QPushButton* bbnDown;
    QPushButton* bbnReverse;
    QPushButton* bbnSave;
    QPushButton* bbnSaveAs;
    QPushButton* bbnOK;
    QPushButton* bbnCancel;
    QTimer* timPreview;

private:
    void FormCreate();
    // The bar, the list and the segment's controls from lines_.
    void ShowLines();
    void ShowSegment();
    // Runs edit on the chosen segment (when there is one), shows the result
    // and asks for a preview after the pause.
    void EditSegment(const std::function<void(TPaletteSegment&)>& edit);
    void Edited();
    void PickColor(bool end);
    void Insert(TPaletteSegment segment);
    void MoveChosen(int by);
    void Save();
    void SaveAs();
    bool WriteTo(const QString& path);

    TPaletteLines lines_;
    QString file_;
    std::string savedText_;
    THooks hooks_;
    int chosen_ = -1;
    // True while controls are being filled, so their signals edit nothing.
    bool showing_ = false;
};
