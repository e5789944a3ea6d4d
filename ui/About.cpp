// The version information form: three centred lines in a frame between the
// program's icon and a fixed picture, and one OK button.
#include "ui/About.h"

#include "ui/UiLook.h"

#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>

namespace {

QLabel* CentredLabel(QWidget* parent, const char* name, const QString& text, int top)
{
    auto* label = new QLabel(text, parent);
    label->setObjectName(QString::fromLatin1(name));
    label->setAlignment(Qt::AlignCenter);
    label->setGeometry(56, top, 217, 12);
    return label;
}

QLabel* Picture(QWidget* parent, const char* name, int left)
{
    auto* label = new QLabel(parent);
    label->setObjectName(QString::fromLatin1(name));
    label->setGeometry(left, 16, 32, 32);
    return label;
}

} // namespace

TAboutBox::TAboutBox(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("AboutBox"));
    setWindowTitle(tr("ﾊﾞｰｼﾞｮﾝ情報"));
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
    setFont(JapaneseFont(12));
    setFixedSize(329, 103);

    Bevel1 = new QFrame(this);
    Bevel1->setObjectName(QStringLiteral("Bevel1"));
    Bevel1->setFrameStyle(QFrame::Box | QFrame::Sunken);
    Bevel1->setGeometry(48, 8, 233, 57);

    Icon = Picture(this, "Icon", 8);
    Title = CentredLabel(this, "Title", QStringLiteral("[Title]"), 16);
    Version = CentredLabel(this, "Version", QStringLiteral("[Version]"), 32);
    Copyright = CentredLabel(this, "Copyright", QStringLiteral("[Copyright]"), 48);
    Image1 = Picture(this, "Image1", 288);
    Image1->setPixmap(::Icon(QStringLiteral("about.png")).pixmap(32, 32));

    Button1 = new QPushButton(QStringLiteral("&OK"), this);
    Button1->setObjectName(QStringLiteral("Button1"));
    Button1->setGeometry(128, 72, 73, 25);
    Button1->setDefault(true);
    connect(Button1, &QPushButton::clicked, this, &QDialog::accept);
    Button1->setFocus();
}

void TAboutBox::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Escape) {
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}
