// The options dialog.
#include "ui/USettings.h"

#include "common/FileSystem.h"
#include "ui/UiLook.h"

#include <QComboBox>
#include <QFont>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QShowEvent>

#include <algorithm>

TfrmSettings::TfrmSettings(QWidget* owner, BrowseFunc browseForFolder, ErrorFunc errorDialog)
    : QDialog(owner, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                         Qt::WindowCloseButtonHint),
      browseForFolder_(std::move(browseForFolder)), errorDialog_(std::move(errorDialog))
{
    setObjectName(QStringLiteral("frmSettings"));
    setWindowTitle(tr("Velquorの設定"));
    QFont font = JapaneseFont();
    font.setPointSize(9);
    setFont(font);
    setFixedSize(380, 152);

    lblMcfDirectory = new QLabel(tr("MCFﾌｧｲﾙの読み込み元"), this);
    lblMcfDirectory->setTextFormat(Qt::PlainText);
    lblMcfDirectory->move(8, 8);
    lblMcfDirectory->adjustSize();
    edtMcfDirectory = new QLineEdit(this);
    edtMcfDirectory->setGeometry(8, 24, 273, 20);
    bbnRef = new QPushButton(tr("参照(&R)..."), this);
    bbnRef->setGeometry(288, 24, 81, 25);

    lblVqpDirectory = new QLabel(tr("VQPファイルの保存先"), this);
    lblVqpDirectory->setTextFormat(Qt::PlainText);
    lblVqpDirectory->move(8, 56);
    lblVqpDirectory->adjustSize();
    edtVqpDirectory = new QLineEdit(this);
    edtVqpDirectory->setGeometry(8, 72, 273, 20);
    bbnBrows = new QPushButton(tr("参照(&B)..."), this);
    bbnBrows->setGeometry(288, 72, 75, 25);

    // The language on the buttons' row, left of them, so the folder rows
    // keep their places. Each language is named in its own words.
    lblLanguage = new QLabel(tr("言語(&L)"), this);
    lblLanguage->move(8, 124);
    lblLanguage->adjustSize();
    cmbLanguage = new QComboBox(this);
    cmbLanguage->addItem(QStringLiteral("日本語"), QStringLiteral("ja"));
    cmbLanguage->addItem(QStringLiteral("English"), QStringLiteral("en"));
    cmbLanguage->addItem(tr("システムの言語"), QStringLiteral("system"));
    cmbLanguage->setToolTip(tr("次回の起動から有効になります"));
    const int languageLeft = 8 + lblLanguage->width() + 6;
    cmbLanguage->setGeometry(languageLeft, 120, 192 - languageLeft, 22);
    lblLanguage->setBuddy(cmbLanguage);

    Bevel1 = new QFrame(this);
    Bevel1->setFrameShape(QFrame::HLine);
    Bevel1->setFrameShadow(QFrame::Sunken);
    Bevel1->setGeometry(0, 112, 377, 2);

    bbnOk = new QPushButton(tr("了解(&O)"), this);
    bbnOk->setGeometry(200, 120, 81, 25);
    bbnOk->setDefault(true);
    bbnCancel = new QPushButton(tr("ｷｬﾝｾﾙ(&C)"), this);
    bbnCancel->setGeometry(288, 120, 81, 25);

    setTabOrder(edtMcfDirectory, bbnRef);
    setTabOrder(bbnRef, bbnOk);
    setTabOrder(bbnOk, bbnCancel);
    setTabOrder(bbnCancel, edtVqpDirectory);
    setTabOrder(edtVqpDirectory, bbnBrows);
    setTabOrder(bbnBrows, cmbLanguage);

    connect(bbnRef, &QPushButton::clicked, this, [this] { bbnRefClick(); });
    connect(bbnBrows, &QPushButton::clicked, this, [this] { bbnBrowsClick(); });
    connect(bbnOk, &QPushButton::clicked, this, [this] { bbnOkClick(); });
    // Esc and the close box reject the dialog as this button does.
    connect(bbnCancel, &QPushButton::clicked, this, &QDialog::reject);
}

void TfrmSettings::showEvent(QShowEvent* event)
{
    // Only the dialog's own showing, not the window system's restore.
    if (!event->spontaneous()) FormShow();
    QDialog::showEvent(event);
}

void TfrmSettings::FormShow()
{
    edtMcfDirectory->setText(McfDirectory);
    edtVqpDirectory->setText(VqpDirectory);
    // A setting this program does not know shows as the default, Japanese.
    cmbLanguage->setCurrentIndex(std::max(0, cmbLanguage->findData(Language)));
}

void TfrmSettings::Browse(const QLabel* caption, QLineEdit* edit)
{
    const std::optional<QString> folder = browseForFolder_(caption->text());
    if (folder) edit->setText(*folder);
}

void TfrmSettings::bbnRefClick() { Browse(lblMcfDirectory, edtMcfDirectory); }

void TfrmSettings::bbnBrowsClick() { Browse(lblVqpDirectory, edtVqpDirectory); }

bool TfrmSettings::AcceptFolder(const QString& text)
{
    // A folder typed by hand counts only when it exists as a folder; a file of
    // that name is not a place to keep palettes or documents.
    if (text.isEmpty() || IsFolder(text.toStdString())) return true;
    errorDialog_(tr("%1は存在しません。").arg(text));
    return false;
}

void TfrmSettings::bbnOkClick()
{
    // The palette folder is checked first; one refusal at a time.
    if (!AcceptFolder(edtMcfDirectory->text())) return;
    if (!AcceptFolder(edtVqpDirectory->text())) return;
    McfDirectory = edtMcfDirectory->text();
    VqpDirectory = edtVqpDirectory->text();
    Language = cmbLanguage->currentData().toString();
    accept();
}
