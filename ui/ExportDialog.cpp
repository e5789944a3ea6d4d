// The preview is the export itself at 256 x 256 about the same centre, so it
// shows the fine structure a scale gives; a drawing failure shows its
// message instead.
#include "ui/ExportDialog.h"

#include "common/Exceptions.h"
#include "document/MainOperations.h"
#include "imaging/PngFile.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

#include <algorithm>
#include <cstring>
#include <sstream>

namespace {

QString SizeText(double bytes)
{
    if (bytes < 1024 * 1024) return QStringLiteral("%1 KB").arg(bytes / 1024, 0, 'f', 1);
    if (bytes < 1024.0 * 1024 * 1024) return QStringLiteral("%1 MB").arg(bytes / (1024 * 1024), 0, 'f', 1);
    return QStringLiteral("%1 GB").arg(bytes / (1024.0 * 1024 * 1024), 0, 'f', 2);
}

} // namespace

TfrmExport::TfrmExport(QWidget* parent, const TMainOperations& ops) : QDialog(parent), ops_(ops)
{
    setObjectName(QStringLiteral("frmExport"));
    setWindowTitle(tr("画像を書き出す"));

    edtWidth = new QSpinBox(this);
    edtHeight = new QSpinBox(this);
    for (QSpinBox* box : {edtWidth, edtHeight}) box->setRange(1, TExportSize::kMaxSide);
    edtWidth->setValue(ops.Pattern().Width());
    edtHeight->setValue(ops.Pattern().Height());
    edtScale = new QSpinBox(this);
    edtScale->setRange(1, TExportSize::kMaxScale);
    cmbAntialias = new QComboBox(this);
    cmbAntialias->addItem(tr("なし"));
    for (int k = 2; k <= TExportSize::kMaxAntialias; ++k) cmbAntialias->addItem(QStringLiteral("%1 x %1").arg(k));
    cmbFormat = new QComboBox(this);
    cmbFormat->addItem(QStringLiteral("PNG"));
    cmbFormat->addItem(QStringLiteral("BMP"));
    chkEmbed = new QCheckBox(tr("パターンを埋め込む"), this);
    chkEmbed->setChecked(true);
    chkEmbed->setToolTip(tr("PNG に模様の設定を入れ、開くと模様として開けるようにします。"));

    auto* form = new QFormLayout;
    form->addRow(tr("幅(&W):"), edtWidth);
    form->addRow(tr("高さ(&H):"), edtHeight);
    form->addRow(tr("倍率(&S):"), edtScale);
    form->addRow(tr("アンチエイリアス(&A):"), cmbAntialias);
    form->addRow(tr("形式(&F):"), cmbFormat);
    form->addRow(QString(), chkEmbed);
    lblFileSize = new QLabel(this);
    form->addRow(tr("ファイルの大きさ:"), lblFileSize);

    lblPreview = new QLabel(this);
    lblPreview->setFixedSize(kPreviewSide, kPreviewSide);
    lblPreview->setAlignment(Qt::AlignCenter);
    lblPreview->setWordWrap(true);
    lblPreview->setFrameShape(QFrame::StyledPanel);
    auto* previewBox = new QVBoxLayout;
    previewBox->addWidget(new QLabel(tr("中央の等倍表示:"), this));
    previewBox->addWidget(lblPreview);
    previewBox->addStretch();

    auto* columns = new QHBoxLayout;
    columns->addLayout(form);
    columns->addLayout(previewBox);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setText(tr("書き出す..."));
    buttons->button(QDialogButtonBox::Cancel)->setText(tr("キャンセル"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(columns);
    layout->addWidget(buttons);

    connect(edtScale, &QSpinBox::valueChanged, this, [this] { ScaleChanged(); });
    for (QSpinBox* box : {edtWidth, edtHeight}) connect(box, &QSpinBox::valueChanged, this, [this] { Refresh(); });
    connect(cmbAntialias, &QComboBox::currentIndexChanged, this, [this] { Refresh(); });
    connect(cmbFormat, &QComboBox::currentIndexChanged, this, [this] { Refresh(); });
    Refresh();
}

TExportOptions TfrmExport::Options() const
{
    TExportOptions o;
    o.size = {edtWidth->value(), edtHeight->value(), edtScale->value(), cmbAntialias->currentIndex() + 1};
    o.format = cmbFormat->currentIndex() == 0 ? iftPng : iftBmp;
    o.embedDocument = o.format == iftPng && chkEmbed->isChecked();
    return o;
}

void TfrmExport::ScaleChanged()
{
    // A finer scale keeps the pattern's extent: the picture grows with it.
    const int s = edtScale->value();
    for (auto [box, side] : {std::pair{edtWidth, ops_.Pattern().Width()}, std::pair{edtHeight, ops_.Pattern().Height()}}) {
        const QSignalBlocker block(box);
        box->setValue(std::min(side * s, TExportSize::kMaxSide));
    }
    Refresh();
}

QString TfrmExport::FileSizeText() const { return lblFileSize->text(); }

void TfrmExport::Refresh()
{
    const TExportOptions o = Options();
    chkEmbed->setEnabled(o.format == iftPng);
    TExportSize previewSize = o.size;
    previewSize.width = std::min(o.size.width, kPreviewSide);
    previewSize.height = std::min(o.size.height, kPreviewSide);
    TBitmap24 picture(previewSize.width, previewSize.height);
    try {
        TExportDrawing drawing(ops_.Pattern(), ops_.ShadeOff(), previewSize);
        drawing.NextBand(previewSize.height, [&](int j, const uint8_t* pixels) {
            std::memcpy(picture.Row(j), pixels, static_cast<size_t>(previewSize.width) * 3);
        });
        preview_ = QImage(picture.Bits(), picture.Width(), picture.Height(), static_cast<qsizetype>(picture.Stride()),
                          QImage::Format_BGR888)
                       .copy();
        lblPreview->setPixmap(QPixmap::fromImage(preview_));
        std::ostringstream png;
        WritePng(picture, png);
        pngPreviewBytes_ = png.str().size();
    } catch (const std::exception& e) {
        preview_ = QImage();
        pngPreviewBytes_ = 0;
        lblPreview->setText(QString::fromStdString(MessageOf(e)));
    }
    const double pixels = static_cast<double>(o.size.width) * o.size.height;
    if (o.format == iftBmp) {
        const uint64_t bytes = ExportBmpFileSize(o.size.width, o.size.height);
        lblFileSize->setText(bytes > UINT32_MAX ? tr("BMP には大きすぎます (4 GB まで)")
                                                : SizeText(static_cast<double>(bytes)));
    } else if (pngPreviewBytes_ > 0) {
        // The preview's compressed bytes per pixel, for the whole picture.
        const double perPixel = static_cast<double>(pngPreviewBytes_) / (previewSize.width * previewSize.height);
        lblFileSize->setText(tr("約 ") + SizeText(perPixel * pixels));
    } else {
        lblFileSize->setText(QStringLiteral("-"));
    }
}
