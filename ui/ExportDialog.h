// The export dialog: size, scale, anti-aliasing, format and the embedded
// pattern, with a 1:1 preview of the export's centre and the file size to
// expect, both made again whenever a setting changes.
#pragma once

#include "document/ImageExport.h"

#include <QDialog>
#include <QImage>

class QCheckBox;
class QComboBox;
class QLabel;
class QSpinBox;
class TMainOperations;

class TfrmExport : public QDialog {
    Q_OBJECT
public:
    static constexpr int kPreviewSide = 256;

    // Starts at scale 1, no anti-aliasing, PNG with the pattern embedded and
    // the pattern's own size. ops must outlive the dialog.
    TfrmExport(QWidget* parent, const TMainOperations& ops);

    // What the settings ask for; CheckExportSize holds for it.
    TExportOptions Options() const;
    // The preview as shown, and the expected size's text.
    const QImage& Preview() const { return preview_; }
    QString FileSizeText() const;

    QSpinBox* edtWidth = nullptr;
    QSpinBox* edtHeight = nullptr;
    QSpinBox* edtScale = nullptr;
    QComboBox* cmbAntialias = nullptr;
    QComboBox* cmbFormat = nullptr;
    QCheckBox* chkEmbed = nullptr;
    QLabel* lblPreview = nullptr;
    QLabel* lblFileSize = nullptr;

private:
    void ScaleChanged();
    void Refresh();

    const TMainOperations& ops_;
    QImage preview_;
    uint64_t pngPreviewBytes_ = 0; // the preview's own PNG data
};
