// The formula settings dialog. Positions are the designed ones at 120 dpi
// scaled to 96 dpi (times 0.8), the size Qt lays the font out at here.
#include "ui/UFormulaSelect.h"

#include <QGuiApplication>
#include <QScreen>

#include "common/Convert.h"
#include "common/NumberFormat.h"
#include "document/MainOperations.h"
#include "engine/UFormula.h"
#include "ui/Main.h"
#include "ui/UiLook.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include <algorithm>
#include <string>

namespace {

// Designed (120 dpi) coordinates to the ones used here.
int S(int designed) { return (designed * 4 + 2) / 5; }

QRect R(int left, int top, int width, int height) { return QRect(S(left), S(top), S(width), S(height)); }

QGroupBox* Group(QWidget* parent, const char* name, const QString& caption, const QRect& geometry)
{
    auto* group = new QGroupBox(caption, parent);
    group->setObjectName(QString::fromLatin1(name));
    group->setGeometry(geometry);
    return group;
}

QLineEdit* Edit(QWidget* group, const char* name, const QString& label, const QRect& labelGeometry,
                const QRect& geometry)
{
    if (!label.isEmpty()) {
        auto* caption = new QLabel(label, group);
        caption->setGeometry(labelGeometry);
        caption->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    }
    auto* edit = new QLineEdit(group);
    edit->setObjectName(QString::fromLatin1(name));
    edit->setGeometry(geometry);
    edit->setText(QString::fromLatin1(name));
    return edit;
}

std::string Text(const QLineEdit* edit) { return edit->text().toStdString(); }

QString Q(const std::string& text) { return QString::fromStdString(text); }

} // namespace

TfrmFormulaSelect::TfrmFormulaSelect(TfrmMain& main)
    : QDialog(&main, Qt::Tool | Qt::WindowStaysOnTopHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint), main_(main)
{
    setObjectName(QStringLiteral("frmFormulaSelect"));
    setWindowTitle(tr("数式設定"));
    setModal(false);
    setFont(JapaneseFont());
    setFixedSize(S(672), S(335));

    QGroupBox* formula = Group(this, "GroupBox2", tr("数式指定"), R(10, 10, 301, 94));
    cmbFormula = new QComboBox(formula);
    cmbFormula->setObjectName(QStringLiteral("cmbFormula"));
    cmbFormula->setGeometry(R(12, 24, 277, 26));
    edtExpression = Edit(formula, "edtExpression", QString(), QRect(), R(12, 58, 277, 26));
    edtExpression->clear();
    edtExpression->setPlaceholderText(tr("例: x*x + y*y"));

    QGroupBox* area = Group(this, "GroupBox1", tr("座標指定"), R(10, 112, 301, 166));
    edtX = Edit(area, "edtX", QStringLiteral("X"), R(8, 24, 60, 26), R(76, 24, 213, 26));
    edtY = Edit(area, "edtY", QStringLiteral("Y"), R(8, 59, 60, 26), R(76, 59, 213, 26));
    edtDX = Edit(area, "edtDX", tr("X増分"), R(8, 94, 60, 26), R(76, 94, 213, 26));
    edtDY = Edit(area, "edtDY", tr("Y増分"), R(8, 129, 60, 26), R(76, 129, 213, 26));

    QGroupBox* size = Group(this, "GroupBox3", tr("表示サイズ"), R(322, 10, 199, 61));
    edtSizeX = Edit(size, "edtSizeX", QStringLiteral("X"), R(4, 24, 20, 26), R(28, 24, 66, 26));
    edtSizeY = Edit(size, "edtSizeY", QStringLiteral("Y"), R(102, 24, 20, 26), R(126, 24, 66, 26));

    QGroupBox* colour = Group(this, "GroupBox5", tr("色の変化量"), R(536, 8, 129, 65));
    edtColorChange = Edit(colour, "edtColorChange", QString(), QRect(), R(12, 26, 105, 26));

    QGroupBox* move = Group(this, "GroupBox4", tr("座標変換"), R(322, 85, 343, 136));
    cmbPointMove = new QComboBox(move);
    cmbPointMove->setObjectName(QStringLiteral("cmbPointMove"));
    cmbPointMove->setGeometry(R(12, 24, 319, 26));
    edtParamA = Edit(move, "edtParamA", QStringLiteral("A"), R(4, 62, 20, 26), R(28, 62, 136, 26));
    edtParamB = Edit(move, "edtParamB", QStringLiteral("B"), R(168, 62, 20, 26), R(192, 62, 139, 26));
    edtParamC = Edit(move, "edtParamC", QStringLiteral("C"), R(4, 98, 20, 26), R(28, 98, 136, 26));
    edtParamD = Edit(move, "edtParamD", QStringLiteral("D"), R(168, 98, 20, 26), R(192, 98, 139, 26));

    QGroupBox* offset = Group(this, "GroupBox6", tr("ﾊﾟﾚｯﾄのずれ"), R(322, 229, 199, 61));
    edtPaletteOffset = Edit(offset, "edtPaletteOffset", QString(), QRect(), R(12, 24, 175, 26));

    bbnOK = new QPushButton(tr("了解(&O)"), this);
    bbnOK->setObjectName(QStringLiteral("bbnOK"));
    bbnOK->setGeometry(R(452, 297, 101, 31));
    bbnOK->setDefault(true);
    bbnCancel = new QPushButton(tr("閉じる(&C)"), this);
    bbnCancel->setObjectName(QStringLiteral("bbnCancel"));
    bbnCancel->setGeometry(R(562, 297, 101, 31));

    QWidget* order[] = {cmbFormula,     edtExpression, edtX,      edtY,      edtDX,     edtDY,     edtSizeX, edtSizeY,
                        edtColorChange, cmbPointMove,  edtParamA, edtParamB, edtParamC, edtParamD, edtPaletteOffset, bbnOK, bbnCancel};
    for (size_t i = 0; i + 1 < std::size(order); ++i) setTabOrder(order[i], order[i + 1]);

    installEventFilter(this);
    for (QWidget* child : findChildren<QWidget*>()) child->installEventFilter(this);

    connect(bbnOK, &QPushButton::clicked, this, &TfrmFormulaSelect::bbnOKClick);
    connect(bbnCancel, &QPushButton::clicked, this, &TfrmFormulaSelect::bbnCancelClick);
    FormCreate();
}

void TfrmFormulaSelect::FormCreate()
{
    for (int32_t n = 0; n < TFormulaBox::FormulaCount(); ++n) cmbFormula->addItem(Q(TFormulaBox::GetFormulaName(n)));
    cmbFormula->addItem(tr("式を入力"));
    connect(cmbFormula, &QComboBox::currentIndexChanged, this,
            [this](int index) { edtExpression->setEnabled(index == ExpressionEntry()); });
    cmbFormula->setCurrentIndex(0);
    edtExpression->setEnabled(false);
    for (int32_t n = 0; n < TPointMoveBox::PointMoveCount(); ++n)
        cmbPointMove->addItem(Q(TPointMoveBox::GetPointMoveName(n)));
    cmbPointMove->setCurrentIndex(0);
    // The point-move names are longer than the list is wide.
    QAbstractItemView* list = cmbPointMove->view();
    int widest = 0;
    for (int n = 0; n < cmbPointMove->count(); ++n)
        widest = std::max(widest, list->fontMetrics().horizontalAdvance(cmbPointMove->itemText(n)));
    list->setMinimumWidth(widest + 2 * list->frameWidth() + 16);
}

void TfrmFormulaSelect::ShowArea(long double x, long double y, long double dx, long double dy)
{
    edtX->setText(Q(FormatG(x)));
    edtY->setText(Q(FormatG(y)));
    edtDX->setText(Q(FormatG(dx)));
    edtDY->setText(Q(FormatG(dy)));
}

void TfrmFormulaSelect::ShowImageSize(int width, int height)
{
    edtSizeX->setText(QString::number(width));
    edtSizeY->setText(QString::number(height));
}

void TfrmFormulaSelect::ShowPointMoveType(int pointMoveType)
{
    cmbPointMove->setCurrentIndex(pointMoveType >= 0 && pointMoveType < cmbPointMove->count() ? pointMoveType : -1);
}

void TfrmFormulaSelect::ShowPointMoveParam(const TPointMoveParam& param)
{
    edtParamA->setText(Q(FloatToStr(param.a)));
    edtParamB->setText(Q(FloatToStr(param.b)));
    edtParamC->setText(Q(FloatToStr(param.c)));
    edtParamD->setText(Q(FloatToStr(param.d)));
}

void TfrmFormulaSelect::ShowColorChange(double value) { edtColorChange->setText(Q(FloatToStr(value))); }

void TfrmFormulaSelect::ShowPaletteOffset(int32_t offset) { edtPaletteOffset->setText(QString::number(offset)); }

int TfrmFormulaSelect::ExpressionEntry() const { return TFormulaBox::FormulaCount(); }

void TfrmFormulaSelect::SelectFormulaEntry(int formulaNumber)
{
    // The typed formula's entry is no built-in number; the box keeps its
    // text so that going back to the entry finds it again.
    cmbFormula->setCurrentIndex(formulaNumber >= 0 && formulaNumber < ExpressionEntry() ? formulaNumber : -1);
}

void TfrmFormulaSelect::ShowExpression(const std::string& text)
{
    edtExpression->setText(Q(text));
    edtExpression->setCursorPosition(0);
    cmbFormula->setCurrentIndex(ExpressionEntry());
}

void TfrmFormulaSelect::ShowBeside(QWidget& mainWindow, std::optional<QPoint> place)
{
    if (isHidden()) {
        const QPoint centre = mainWindow.frameGeometry().center();
        QPoint topLeft(centre.x() - width() / 2, centre.y() - height() / 2);
        // A remembered place, as long as the dialog's title bar stays on a screen.
        if (place && QGuiApplication::screenAt(*place + QPoint(width() / 2, 10)) != nullptr) topLeft = *place;
        move(topLeft);
    }
    show();
    raise();
    activateWindow();
}

void TfrmFormulaSelect::bbnOKClick()
{
    // A failing step ends OK there: earlier steps stay applied and the boxes
    // keep the user's texts, since only StartDraw rewrites them. The box the
    // failing step read gets the focus back with its text selected.
    QWidget* failing = nullptr;
    const auto read = [&failing](QLineEdit* box) {
        failing = box;
        return Text(box);
    };
    const bool done = main_.RunCommand([&] {
        main_.StopDraw();
        failing = cmbFormula;
        if (cmbFormula->currentIndex() == ExpressionEntry()) {
            failing = edtExpression;
            main_.SelectFormula(kExpressionFormulaType, Text(edtExpression));
        } else {
            main_.SelectFormula(kBuiltinFormulaType, std::to_string(cmbFormula->currentIndex()));
        }

        const long double x = StrToFloat(read(edtX));
        const long double y = StrToFloat(read(edtY));
        const long double dx = StrToFloat(read(edtDX));
        const long double dy = StrToFloat(read(edtDY));
        failing = edtX;
        main_.SetArea(x, y, dx, dy);

        const int32_t height = StrToInt(read(edtSizeY));
        const int32_t width = StrToInt(read(edtSizeX));
        // The width is checked first.
        failing = width < 1 || width > 9999 ? edtSizeX : edtSizeY;
        main_.SetImageSize(width, height);

        main_.SetColorChange(ToDoubleChecked(StrToFloat(read(edtColorChange))));

        TPointMoveParam param;
        param.a = StrToFloat(read(edtParamA));
        param.b = StrToFloat(read(edtParamB));
        param.c = StrToFloat(read(edtParamC));
        param.d = StrToFloat(read(edtParamD));
        failing = cmbPointMove;
        main_.SelectPointMove(cmbPointMove->currentIndex(), param);

        main_.SetPaletteOffset(StrToInt(read(edtPaletteOffset)));

        failing = nullptr;
        main_.StartDraw();
    });
    if (done || failing == nullptr) return;
    activateWindow();
    failing->setFocus(Qt::OtherFocusReason);
    if (auto* box = qobject_cast<QLineEdit*>(failing)) box->selectAll();
}

bool TfrmFormulaSelect::eventFilter(QObject* watched, QEvent* event)
{
    // A tool window keeps its owner's shortcuts working, so Alt+O would also
    // match the main window's menu and Qt would only cycle between the two.
    // Taken before the shortcuts are looked at, it is this dialog's OK.
    const bool key = event->type() == QEvent::ShortcutOverride || event->type() == QEvent::KeyPress;
    if (key) {
        const auto* press = static_cast<QKeyEvent*>(event);
        if (press->key() == Qt::Key_O && press->modifiers() == Qt::AltModifier) {
            event->accept();
            if (event->type() == QEvent::KeyPress && bbnOK->isEnabled()) bbnOK->click();
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void TfrmFormulaSelect::bbnCancelClick() { hide(); }

void TfrmFormulaSelect::reject() { hide(); }
