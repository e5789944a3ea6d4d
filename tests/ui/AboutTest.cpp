// The About box: its texts from the component's properties, OK and Escape.
#include "tests/ui/WindowFixture.h"

#include "ui/About.h"
#include "ui/AboutDialog.h"

#include <QAction>
#include <QLabel>
#include <QPushButton>
#include <QTest>

using AboutTest = WindowFixture;

TEST_F(AboutTest, ProgramValuesThroughTheHelpMenu)
{
    TfrmMain& window = CreateShown();
    QStringList seen;
    dialogs_.onExec = [&](QDialog& dialog) {
        auto& box = dynamic_cast<TAboutBox&>(dialog);
        seen << box.windowTitle() << box.Title->text() << box.Version->text() << box.Copyright->text();
        EXPECT_TRUE(box.Button1->isDefault());
        box.Button1->click();
        return box.result();
    };
    window.mnuHelpAbout->trigger();
    EXPECT_EQ(dialogs_.execCount, 1);
    EXPECT_EQ(seen,
              (QStringList{QStringLiteral("ﾊﾞｰｼﾞｮﾝ情報"), QStringLiteral("Velquor"), QStringLiteral("Version 0.11.0"),
                           QStringLiteral("Copyright(C) 2026  Velquor Project")}));
    EXPECT_TRUE(window.AboutDialog().Execute());
}

TEST_F(AboutTest, PropertiesAndTheKeysThatDoNotClose)
{
    TAboutDialog about(dialogs_);
    about.Caption = QStringLiteral("情報");
    about.Title = QStringLiteral("タイトル");
    about.Version = QStringLiteral("1.2");
    about.Copyright = QStringLiteral("Holder");
    QStringList seen;
    dialogs_.onExec = [&](QDialog& dialog) {
        auto& box = dynamic_cast<TAboutBox&>(dialog);
        seen << box.windowTitle() << box.Title->text() << box.Version->text() << box.Copyright->text();
        box.show();
        QTest::keyClick(&box, Qt::Key_Escape);
        EXPECT_TRUE(box.isVisible());
        box.close(); // the close box: a result other than OK
        return box.result();
    };
    EXPECT_FALSE(about.Execute());
    EXPECT_EQ(seen, (QStringList{QStringLiteral("情報"), QStringLiteral("タイトル"), QStringLiteral("Version 1.2"),
                                 QStringLiteral("Copyright(C)   Holder")}));
}
