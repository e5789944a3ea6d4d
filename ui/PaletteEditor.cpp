// The palette editor's controls and what each does to the lines.
#include "ui/PaletteEditor.h"

#include "palette/PaletteFile.h"

#include "common/Exceptions.h"
#include "ui/PaletteBar.h"

#include <QDoubleSpinBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QSpinBox>
#include <QTimer>
#include <QVBoxLayout>

namespace {

QColor ToQColor(int32_t v) { return QColor(v & 0xFF, (v >> 8) & 0xFF, (v >> 16) & 0xFF); }

int32_t FromQColor(const QColor& c) { return c.blue() * 65536 + c.green() * 256 + c.red(); }

// The start colour of a ramp: its three bases as a colour, each clamped as
// the channel is.
int32_t RampStart(const TPaletteSegment& s)
{
    const auto clamp = [](int32_t v) { return std::clamp(v, 0, 255); };
    return clamp(s.blue.base) * 65536 + clamp(s.green.base) * 256 + clamp(s.red.base);
}

void ShowSwatch(QPushButton& button, const QColor& color, bool shown)
{
    if (!shown) {
        button.setIcon(QIcon());
        return;
    }
    QPixmap swatch(24, 14);
    swatch.fill(color);
    button.setIcon(QIcon(swatch));
}

QDoubleSpinBox* StepBox(QWidget* parent, const char* name)
{
    auto* box = new QDoubleSpinBox(parent);
    box->setObjectName(QString::fromLatin1(name));
    box->setRange(-256, 256);
    box->setDecimals(3);
    box->setSingleStep(0.5);
    return box;
}

} // namespace

TPaletteEditor::TPaletteEditor(QWidget* parent, TPaletteLines lines, QString file, THooks hooks)
    : QDialog(parent), lines_(std::move(lines)), file_(std::move(file)), hooks_(std::move(hooks))
{
    savedText_ = file_.isEmpty() ? std::string() : lines_.Text();
    FormCreate();
    ShowLines();
    ChooseSegment(lines_.segments.empty() ? -1 : 0);
}

void TPaletteEditor::FormCreate()
{
    setObjectName(QStringLiteral("frmPaletteEditor"));
    setWindowTitle(tr("ﾊﾟﾚｯﾄの編集"));
    auto* layout = new QVBoxLayout(this);

    pbxPalette = new TPaletteBar(this, [this](int segment) { ChooseSegment(segment); });
    layout->addWidget(pbxPalette);
    lblCount = new QLabel(this);
    lblCount->setObjectName(QStringLiteral("lblCount"));
    layout->addWidget(lblCount);

    auto* middle = new QHBoxLayout;
    lstSegments = new QListWidget(this);
    lstSegments->setObjectName(QStringLiteral("lstSegments"));
    lstSegments->setMinimumWidth(260);
    middle->addWidget(lstSegments, 1);

    auto* side = new QVBoxLayout;
    auto* segment = new QGroupBox(tr("区間"), this);
    auto* grid = new QGridLayout(segment);
    bbnColor = new QPushButton(tr("色(&C)..."), segment);
    bbnColor->setObjectName(QStringLiteral("bbnColor"));
    bbnEndColor = new QPushButton(tr("終わりの色(&E)..."), segment);
    bbnEndColor->setObjectName(QStringLiteral("bbnEndColor"));
    bbnSwapEnds = new QPushButton(tr("両端を入れ替え(&W)"), segment);
    bbnSwapEnds->setObjectName(QStringLiteral("bbnSwapEnds"));
    spnCount = new QSpinBox(segment);
    spnCount->setObjectName(QStringLiteral("spnCount"));
    spnCount->setRange(1, 65536);
    spnStepR = StepBox(segment, "spnStepR");
    spnStepG = StepBox(segment, "spnStepG");
    spnStepB = StepBox(segment, "spnStepB");
    grid->addWidget(bbnColor, 0, 0, 1, 2);
    grid->addWidget(bbnEndColor, 1, 0, 1, 2);
    grid->addWidget(bbnSwapEnds, 2, 0, 1, 2);
    grid->addWidget(new QLabel(tr("色数"), segment), 3, 0);
    grid->addWidget(spnCount, 3, 1);
    grid->addWidget(new QLabel(tr("赤の増分"), segment), 4, 0);
    grid->addWidget(spnStepR, 4, 1);
    grid->addWidget(new QLabel(tr("緑の増分"), segment), 5, 0);
    grid->addWidget(spnStepG, 5, 1);
    grid->addWidget(new QLabel(tr("青の増分"), segment), 6, 0);
    grid->addWidget(spnStepB, 6, 1);
    side->addWidget(segment);

    auto* edits = new QGridLayout;
    const auto button = [this](const char* name, const QString& caption) {
        auto* b = new QPushButton(caption, this);
        b->setObjectName(QString::fromLatin1(name));
        b->setAutoDefault(false);
        return b;
    };
    bbnInsertColor = button("bbnInsertColor", tr("単色を挿入"));
    bbnInsertGradient = button("bbnInsertGradient", tr("ｸﾞﾗﾃﾞｰｼｮﾝを挿入"));
    bbnInsertRamp = button("bbnInsertRamp", tr("ﾗﾝﾌﾟを挿入"));
    bbnDelete = button("bbnDelete", tr("削除(&D)"));
    bbnUp = button("bbnUp", tr("上へ(&U)"));
    bbnDown = button("bbnDown", tr("下へ(&N)"));
    bbnReverse = button("bbnReverse", tr("逆順(&R)"));
    edits->addWidget(bbnInsertColor, 0, 0);
    edits->addWidget(bbnInsertGradient, 1, 0);
    edits->addWidget(bbnInsertRamp, 2, 0);
    edits->addWidget(bbnDelete, 3, 0);
    edits->addWidget(bbnUp, 0, 1);
    edits->addWidget(bbnDown, 1, 1);
    edits->addWidget(bbnReverse, 2, 1);
    side->addLayout(edits);
    side->addStretch();
    middle->addLayout(side);
    layout->addLayout(middle, 1);

    auto* bottom = new QHBoxLayout;
    bbnSave = button("bbnSave", tr("保存(&S)"));
    bbnSaveAs = button("bbnSaveAs", tr("名前を付けて保存(&A)..."));
    bbnOK = button("bbnOK", tr("了解(&O)"));
    bbnOK->setDefault(true);
    bbnCancel = button("bbnCancel", tr("ｷｬﾝｾﾙ"));
    bottom->addWidget(bbnSave);
    bottom->addWidget(bbnSaveAs);
    bottom->addStretch();
    bottom->addWidget(bbnOK);
    bottom->addWidget(bbnCancel);
    layout->addLayout(bottom);

    timPreview = new QTimer(this);
    timPreview->setObjectName(QStringLiteral("timPreview"));
    timPreview->setSingleShot(true);
    timPreview->setInterval(kPreviewPauseMs);
    connect(timPreview, &QTimer::timeout, this, [this] {
        if (hooks_.preview) hooks_.preview(lines_.Text());
    });

    connect(lstSegments, &QListWidget::currentRowChanged, this, [this](int row) {
        if (!showing_) ChooseSegment(row);
    });
    connect(bbnColor, &QPushButton::clicked, this, [this] { PickColor(false); });
    connect(bbnEndColor, &QPushButton::clicked, this, [this] { PickColor(true); });
    connect(bbnSwapEnds, &QPushButton::clicked, this,
            [this] { EditSegment([](TPaletteSegment& s) { std::swap(s.color, s.endColor); }); });
    connect(spnCount, &QSpinBox::valueChanged, this,
            [this](int n) { EditSegment([n](TPaletteSegment& s) { s.count = n; }); });
    const auto stepEdit = [this](TRampChannel TPaletteSegment::*channel) {
        return [this, channel](double v) { EditSegment([&](TPaletteSegment& s) { (s.*channel).step = v; }); };
    };
    connect(spnStepR, &QDoubleSpinBox::valueChanged, this, stepEdit(&TPaletteSegment::red));
    connect(spnStepG, &QDoubleSpinBox::valueChanged, this, stepEdit(&TPaletteSegment::green));
    connect(spnStepB, &QDoubleSpinBox::valueChanged, this, stepEdit(&TPaletteSegment::blue));

    connect(bbnInsertColor, &QPushButton::clicked, this, [this] {
        const int32_t base = chosen_ >= 0 ? lines_.segments[static_cast<size_t>(chosen_)].color : 0xFFFFFF;
        Insert(TPaletteSegment::Single(base));
    });
    connect(bbnInsertGradient, &QPushButton::clicked, this,
            [this] { Insert(TPaletteSegment::Gradient(0x000000, 0xFFFFFF, 64)); });
    connect(bbnInsertRamp, &QPushButton::clicked, this, [this] {
        Insert(TPaletteSegment::Ramp({0, 4}, {0, 2}, {0, 1}, 64));
    });
    connect(bbnDelete, &QPushButton::clicked, this, [this] {
        if (chosen_ < 0) return;
        lines_.Remove(static_cast<size_t>(chosen_));
        chosen_ = std::min(chosen_, static_cast<int>(lines_.segments.size()) - 1);
        Edited();
    });
    connect(bbnUp, &QPushButton::clicked, this, [this] { MoveChosen(-1); });
    connect(bbnDown, &QPushButton::clicked, this, [this] { MoveChosen(1); });
    connect(bbnReverse, &QPushButton::clicked, this, [this] {
        lines_.Reverse();
        if (chosen_ >= 0) chosen_ = static_cast<int>(lines_.segments.size()) - 1 - chosen_;
        Edited();
    });
    connect(bbnSave, &QPushButton::clicked, this, &TPaletteEditor::Save);
    connect(bbnSaveAs, &QPushButton::clicked, this, &TPaletteEditor::SaveAs);
    connect(bbnOK, &QPushButton::clicked, this, [this] {
        // The picture shows the last edits at once, not after the pause.
        timPreview->stop();
        accept();
    });
    connect(bbnCancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(this, &QDialog::rejected, timPreview, &QTimer::stop);
    // The keys step through the segments from the start.
    lstSegments->setFocus();
}

void TPaletteEditor::ShowLines()
{
    showing_ = true;
    std::vector<int32_t> colors;
    std::vector<size_t> starts;
    lstSegments->clear();
    for (const TPaletteSegment& s : lines_.segments) {
        starts.push_back(colors.size());
        try {
            const std::vector<int32_t> added = TPaletteLines::SegmentColors(s);
            colors.insert(colors.end(), added.begin(), added.end());
        } catch (const std::exception&) {
            // Shown without colours; the list names the line.
        }
        lstSegments->addItem(QString::fromStdString(SegmentLine(s)));
    }
    lstSegments->setCurrentRow(chosen_);
    pbxPalette->SetPalette(std::move(colors), std::move(starts), chosen_);
    lblCount->setText(tr("%1 色").arg(pbxPalette->Colors().size()));
    showing_ = false;
    ShowSegment();
}

void TPaletteEditor::ShowSegment()
{
    showing_ = true;
    const TPaletteSegment* s = chosen_ >= 0 ? &lines_.segments[static_cast<size_t>(chosen_)] : nullptr;
    const bool gradient = s != nullptr && s->kind == TSegmentKind::Gradient;
    const bool ramp = s != nullptr && s->kind == TSegmentKind::Ramp;
    bbnColor->setEnabled(s != nullptr);
    bbnColor->setText(gradient || ramp ? tr("始めの色(&C)...") : tr("色(&C)..."));
    ShowSwatch(*bbnColor, ToQColor(s == nullptr ? 0 : (ramp ? RampStart(*s) : s->color)), s != nullptr);
    bbnEndColor->setEnabled(gradient);
    ShowSwatch(*bbnEndColor, ToQColor(gradient ? s->endColor : 0), gradient);
    bbnSwapEnds->setEnabled(gradient);
    spnCount->setEnabled(gradient || ramp);
    spnCount->setValue(gradient || ramp ? std::max(1, s->count) : 1);
    for (auto [box, channel] :
         {std::pair{spnStepR, &TPaletteSegment::red}, std::pair{spnStepG, &TPaletteSegment::green},
          std::pair{spnStepB, &TPaletteSegment::blue}}) {
        box->setEnabled(ramp);
        box->setValue(ramp ? (s->*channel).step : 0);
    }
    bbnDelete->setEnabled(s != nullptr);
    bbnUp->setEnabled(chosen_ > 0);
    bbnDown->setEnabled(s != nullptr && chosen_ + 1 < static_cast<int>(lines_.segments.size()));
    bbnReverse->setEnabled(lines_.segments.size() > 1);
    showing_ = false;
}

void TPaletteEditor::ChooseSegment(int segment)
{
    chosen_ = segment >= 0 && segment < static_cast<int>(lines_.segments.size()) ? segment : -1;
    showing_ = true;
    lstSegments->setCurrentRow(chosen_);
    showing_ = false;
    pbxPalette->SetChosen(chosen_);
    ShowSegment();
}

void TPaletteEditor::EditSegment(const std::function<void(TPaletteSegment&)>& edit)
{
    if (showing_ || chosen_ < 0) return;
    edit(lines_.segments[static_cast<size_t>(chosen_)]);
    Edited();
}

void TPaletteEditor::Edited()
{
    ShowLines();
    // Each edit restarts the pause: a burst of edits previews once.
    timPreview->start();
}

void TPaletteEditor::PickColor(bool end)
{
    if (chosen_ < 0 || !hooks_.pickColor) return;
    TPaletteSegment& s = lines_.segments[static_cast<size_t>(chosen_)];
    const int32_t now = end ? s.endColor : (s.kind == TSegmentKind::Ramp ? RampStart(s) : s.color);
    const std::optional<QColor> color = hooks_.pickColor(ToQColor(now), end ? tr("終わりの色") : tr("色"));
    if (!color) return;
    const int32_t v = FromQColor(*color);
    EditSegment([&](TPaletteSegment& seg) {
        if (end) seg.endColor = v;
        else if (seg.kind == TSegmentKind::Ramp) {
            seg.red.base = color->red();
            seg.green.base = color->green();
            seg.blue.base = color->blue();
        } else {
            seg.color = v;
        }
    });
}

void TPaletteEditor::Insert(TPaletteSegment segment)
{
    const size_t at = chosen_ >= 0 ? static_cast<size_t>(chosen_) + 1 : lines_.segments.size();
    lines_.Insert(at, std::move(segment));
    chosen_ = static_cast<int>(at);
    Edited();
}

void TPaletteEditor::MoveChosen(int by)
{
    const int to = chosen_ + by;
    if (chosen_ < 0 || to < 0 || to >= static_cast<int>(lines_.segments.size())) return;
    lines_.Move(static_cast<size_t>(chosen_), static_cast<size_t>(to));
    chosen_ = to;
    Edited();
}

bool TPaletteEditor::WriteTo(const QString& path)
{
    try {
        // A map or GIMP palette holds colours only; MCF keeps the lines.
        const std::string file = path.toStdString();
        const std::optional<TPaletteFormat> format = PaletteFormatOf(file);
        if (format && *format != TPaletteFormat::Mcf) {
            const std::vector<int32_t> colors = lines_.Colors();
            TMcf mcf;
            mcf.Assign(colors.data(), colors.size(), file, lines_.Text());
            SavePaletteFile(mcf, file);
        } else {
            lines_.SaveToFile(file);
        }
    } catch (const std::exception& e) {
        if (hooks_.showError) hooks_.showError(QString::fromStdString(MessageOf(e)));
        return false;
    }
    file_ = path;
    savedText_ = lines_.Text();
    return true;
}

void TPaletteEditor::Save()
{
    if (file_.isEmpty()) SaveAs();
    else WriteTo(file_);
}

void TPaletteEditor::SaveAs()
{
    if (!hooks_.chooseSaveFile) return;
    if (const std::optional<QString> path = hooks_.chooseSaveFile(file_)) WriteTo(*path);
}
