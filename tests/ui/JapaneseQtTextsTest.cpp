// Qt's own texts (file dialogs, standard buttons) in Japanese, whatever the
// system's language.
#include "ui/UiLook.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QLocale>
#include <QPushButton>
#include <QTranslator>

TEST(JapaneseQtTextsTest, StandardButtonsAndFileDialogSpeakJapanese)
{
    const QLocale before;
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    QTranslator* translator = InstallJapaneseQtTexts(*qApp);
    ASSERT_NE(translator, nullptr) << "Qt's Japanese translation is not installed (qt6-translations-l10n)";

    QDialogButtonBox buttons(QDialogButtonBox::Cancel | QDialogButtonBox::Save);
    EXPECT_EQ(buttons.button(QDialogButtonBox::Cancel)->text(), QStringLiteral("キャンセル"));
    EXPECT_EQ(QCoreApplication::translate("QFileDialog", "Look in:"), QStringLiteral("アドレス:"));
    EXPECT_NE(QCoreApplication::translate("QFileDialog", "%1 already exists.\nDo you want to replace it?"),
              QStringLiteral("%1 already exists.\nDo you want to replace it?"));

    QCoreApplication::removeTranslator(translator);
    delete translator;
    QLocale::setDefault(before);
}
