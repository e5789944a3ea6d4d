// The window's language: the texts each choice installs (the program's own,
// Qt's dialogs, the Qt-free messages), the choice in the options dialog and
// its place in the settings store.
#include "ui/Language.h"
#include "common/Exceptions.h"
#include "platform/AppPaths.h"
#include "settings/UVelquorRegistry.h"
#include "tests/ui/WindowFixture.h"
#include "ui/PaletteBar.h"
#include "ui/PaletteEditor.h"
#include "ui/USettings.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPointer>
#include <QPushButton>
#include <QStatusBar>
#include <QTranslator>

#include <optional>

namespace {

// Removes what InstallTexts installed, so every test starts in Japanese
// without Qt's translation, as the test program does.
class InstalledTexts {
public:
    InstalledTexts(TUiLanguage language, const QLocale& system)
        : translators_(InstallTexts(*qApp, language, ProgramDir(), system))
    {}
    ~InstalledTexts()
    {
        for (QTranslator* t : translators_) {
            QCoreApplication::removeTranslator(t);
            delete t;
        }
        SetTextLanguage(TTextLanguage::Japanese);
    }
    InstalledTexts(const InstalledTexts&) = delete;
    InstalledTexts& operator=(const InstalledTexts&) = delete;

private:
    std::vector<QTranslator*> translators_;
};

TEST(LanguageTest, EachChoiceInstallsItsTexts)
{
    const QLocale japan(QLocale::Japanese, QLocale::Japan);
    const QLocale germany(QLocale::German, QLocale::Germany);
    const QLocale us(QLocale::English, QLocale::UnitedStates);
    struct Case {
        const char* name;
        TUiLanguage language;
        QLocale system;
        TTextLanguage texts;
        const char* ours;   // the options dialog's "システムの言語"
        const char* cancel; // Qt's standard button
        const char* message;
    };
    const Case cases[] = {
        {"日本語 on an English system", TUiLanguage::Japanese, us, TTextLanguage::Japanese, "システムの言語",
         "キャンセル", "浮動小数点数のオーバーフロー"},
        {"English on a Japanese system", TUiLanguage::English, japan, TTextLanguage::English, "System language",
         "Cancel", "Floating-point overflow"},
        {"the system's, Japanese", TUiLanguage::System, japan, TTextLanguage::Japanese, "システムの言語", "キャンセル",
         "浮動小数点数のオーバーフロー"},
        // The program has no German: English texts, Qt's own in German.
        {"the system's, German", TUiLanguage::System, germany, TTextLanguage::English, "System language", "Abbrechen",
         "Floating-point overflow"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const InstalledTexts texts(c.language, c.system);
        EXPECT_EQ(TextLanguage(), c.texts);
        EXPECT_EQ(QCoreApplication::translate("TfrmSettings", "システムの言語"), QString::fromUtf8(c.ours));
        QDialogButtonBox buttons(QDialogButtonBox::Cancel);
        EXPECT_EQ(buttons.button(QDialogButtonBox::Cancel)->text(), QString::fromUtf8(c.cancel));
        EXPECT_EQ(MessageOf(EOverflow(kMsgOverflow)), c.message);
    }
    // Qt's Japanese file dialog texts, whatever the system's language.
    const InstalledTexts japanese(TUiLanguage::Japanese, us);
    EXPECT_EQ(QCoreApplication::translate("QFileDialog", "Look in:"), QStringLiteral("アドレス:"));
}

TEST(LanguageTest, SettingTextsAndUnknownOnes)
{
    for (const TUiLanguage l : {TUiLanguage::Japanese, TUiLanguage::English, TUiLanguage::System})
        EXPECT_EQ(UiLanguageOfSetting(SettingOfUiLanguage(l)), l);
    EXPECT_EQ(SettingOfUiLanguage(TUiLanguage::English), "en");
    EXPECT_EQ(SettingOfUiLanguage(TUiLanguage::System), "system");
    EXPECT_EQ(UiLanguageOfSetting(""), TUiLanguage::Japanese);
    EXPECT_EQ(UiLanguageOfSetting("fr"), TUiLanguage::Japanese);
    EXPECT_EQ(UiLanguageOfSetting("EN"), TUiLanguage::Japanese);
}

using LanguageOptionTest = WindowFixture;

TEST_F(LanguageOptionTest, ChosenInTheOptionsDialogKeptForTheNextStart)
{
    TfrmMain& window = CreateShown();
    EXPECT_EQ(StoredUiLanguage(SettingsFile()), TUiLanguage::Japanese);
    const auto choose = [&](const char* setting, bool ok) {
        dialogs_.onExec = [&](QDialog& dialog) {
            auto& settings = dynamic_cast<TfrmSettings&>(dialog);
            settings.FormShow();
            EXPECT_EQ(settings.cmbLanguage->currentData().toString(),
                      QString::fromStdString(window.Registry().Language));
            settings.cmbLanguage->setCurrentIndex(settings.cmbLanguage->findData(QString::fromUtf8(setting)));
            if (!ok) return static_cast<int>(QDialog::Rejected);
            settings.bbnOkClick();
            return settings.result();
        };
        window.actOption->trigger();
    };
    choose("en", false);
    EXPECT_EQ(window.Registry().Language, "ja");
    EXPECT_TRUE(dialogs_.messages.isEmpty());

    choose("en", true);
    EXPECT_EQ(window.Registry().Language, "en");
    EXPECT_EQ(dialogs_.messages, QStringList{QStringLiteral("言語の変更は次回の起動から有効になります。")});
    // The same language again is no change and says nothing.
    choose("en", true);
    EXPECT_EQ(dialogs_.messages.size(), 1);

    window_.reset();
    EXPECT_EQ(StoredUiLanguage(SettingsFile()), TUiLanguage::English);
    TVelquorRegistry stored;
    stored.SetStorageFile(SettingsFile());
    stored.Load();
    EXPECT_EQ(stored.Language, "en");
    EXPECT_TRUE(stored.ToolBar);
}

TEST_F(LanguageOptionTest, AnUnknownSettingShowsAsJapanese)
{
    TVelquorRegistry stored;
    stored.SetStorageFile(SettingsFile());
    stored.Load();
    stored.Language = "tlh";
    stored.Save();
    TfrmMain& window = CreateShown();
    QString shown;
    dialogs_.onExec = [&](QDialog& dialog) {
        auto& settings = dynamic_cast<TfrmSettings&>(dialog);
        settings.FormShow();
        shown = settings.cmbLanguage->currentText();
        return static_cast<int>(QDialog::Rejected);
    };
    window.actOption->trigger();
    EXPECT_EQ(shown, QStringLiteral("日本語"));
    EXPECT_EQ(window.Registry().Language, "tlh");
}

using EnglishWindowTest = WindowFixture;

QStringList MenuTitles(const TfrmMain& window)
{
    QStringList titles;
    for (QAction* action : window.menuBar()->actions()) titles << action->text();
    return titles;
}

QString StatusTexts(const TfrmMain& window)
{
    QStringList texts;
    for (const QLabel* label : window.statusBar()->findChildren<QLabel*>()) texts << label->text();
    return texts.join(u'|');
}

TEST_F(EnglishWindowTest, MenusHintsStatusAndMessagesSpeakEnglish)
{
    {
        const InstalledTexts english(TUiLanguage::English, QLocale(QLocale::Japanese, QLocale::Japan));
        TfrmMain& window = CreateShown();
        EXPECT_EQ(MenuTitles(window),
                  (QStringList{QStringLiteral("&File"), QStringLiteral("&Edit"), QStringLiteral("&Drawing"),
                               QStringLiteral("&View"), QStringLiteral("&Help")}));
        EXPECT_EQ(window.actOpen->text(), QStringLiteral("&Open..."));
        EXPECT_EQ(window.actOpen->toolTip(), QStringLiteral("Open"));
        EXPECT_EQ(window.actOpen->statusTip(), QStringLiteral("Opens a VQP file."));
        EXPECT_EQ(window.findChild<QMenu*>(QStringLiteral("mnuFileSetWallPaper"))->title(),
                  QStringLiteral("Set as &Wallpaper"));
        EXPECT_TRUE(StatusTexts(window).contains(QStringLiteral("Drawn in"))) << StatusTexts(window).toStdString();
        // The built-in and the unsaved palette's captions; documents keep
        // their Japanese names, a file's name shows as it is.
        QLabel& palette = *window.findChild<QLabel*>(QStringLiteral("stbPanel0"));
        EXPECT_EQ(palette.text(), QStringLiteral("Standard"));
        window.Operations().SetPaletteText("000000\nFFFFFF\n", "名称未設定.mcf");
        EXPECT_EQ(palette.text(), QStringLiteral("Untitled"));
        window.Operations().SetPaletteText("000000\nFFFFFF\n", "海.mcf");
        EXPECT_EQ(palette.text(), QStringLiteral("海"));

        // A message box from the window and one from the operations below it.
        dialogs_.onExec = [&](QDialog& dialog) {
            auto& settings = dynamic_cast<TfrmSettings&>(dialog);
            settings.FormShow();
            EXPECT_EQ(settings.windowTitle(), QStringLiteral("Velquor Settings"));
            settings.edtMcfDirectory->setText(TempPath(QStringLiteral("nowhere")));
            settings.bbnOkClick();
            return static_cast<int>(QDialog::Rejected);
        };
        window.actOption->trigger();
        window.Operations().DropFiles({TempPath(QStringLiteral("notes.txt")).toStdString()});
        EXPECT_EQ(dialogs_.errors,
                  (QStringList{TempPath(QStringLiteral("nowhere")) + QStringLiteral(" does not exist."),
                               TempPath(QStringLiteral("notes.txt")) + QStringLiteral("\r\ncannot be handled.")}));
        EXPECT_EQ(QCoreApplication::translate("TQtDialogs", "エラー"), QStringLiteral("Error"));
        window_.reset();
    }
    // Japanese again by default, with the specified texts exactly.
    dialogs_.errors.clear();
    TfrmMain& window = CreateShown();
    EXPECT_EQ(MenuTitles(window),
              (QStringList{QStringLiteral("ﾌｧｲﾙ(&F)"), QStringLiteral("編集(&E)"), QStringLiteral("描画設定(&O)"),
                           QStringLiteral("表示(&V)"), QStringLiteral("ﾍﾙﾌﾟ(&H)")}));
    EXPECT_EQ(window.actOpen->statusTip(), QStringLiteral("VQPﾌｧｲﾙを開きます。"));
    EXPECT_TRUE(StatusTexts(window).contains(QStringLiteral("描画時間"))) << StatusTexts(window).toStdString();
    EXPECT_EQ(window.findChild<QLabel*>(QStringLiteral("stbPanel0"))->text(), QStringLiteral("標準"));
    window.Operations().DropFiles({TempPath(QStringLiteral("notes.txt")).toStdString()});
    EXPECT_EQ(dialogs_.errors,
              QStringList{TempPath(QStringLiteral("notes.txt")) + QStringLiteral("\r\nは扱えません。")});
}

// The palette editor's captions, the count of its colours and the colour
// dialog it asks for follow the choice; by default they are the Japanese.
TEST_F(EnglishWindowTest, ThePaletteEditorSpeaksTheChosenLanguage)
{
    struct Case {
        TUiLanguage language;
        const char* title;
        const char* insertGradient;
        const char* startColour; // the colour button once a gradient is chosen
        const char* count;       // %1: the number of colours
        const char* endColourTitle;
    };
    const Case cases[] = {
        {TUiLanguage::Japanese, "ﾊﾟﾚｯﾄの編集", "ｸﾞﾗﾃﾞｰｼｮﾝを挿入", "始めの色(&C)...", "%1 色", "終わりの色"},
        {TUiLanguage::English, "Edit Palette", "Insert Gradient", "Start &Colour...", "Colours: %1", "End Colour"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(static_cast<int>(c.language));
        std::optional<InstalledTexts> texts;
        if (c.language != TUiLanguage::Japanese) texts.emplace(c.language, QLocale(QLocale::Japanese, QLocale::Japan));
        TfrmMain& window = CreateShown();
        dialogs_.colorTitles.clear();
        QStringList shown;
        dialogs_.onExec = [&](QDialog& dialog) {
            auto& editor = dynamic_cast<TPaletteEditor&>(dialog);
            shown << editor.windowTitle() << editor.bbnInsertGradient->text();
            editor.bbnInsertGradient->click();
            editor.bbnEndColor->click();
            shown << editor.bbnColor->text()
                  << editor.lblCount->text().replace(QString::number(editor.pbxPalette->Colors().size()),
                                                     QStringLiteral("%1"));
            return static_cast<int>(QDialog::Rejected);
        };
        window.actPaletteEdit->trigger();
        dialogs_.onExec = nullptr;
        EXPECT_EQ(shown, (QStringList{QString::fromUtf8(c.title), QString::fromUtf8(c.insertGradient),
                                      QString::fromUtf8(c.startColour), QString::fromUtf8(c.count)}));
        EXPECT_EQ(dialogs_.colorTitles, QStringList{QString::fromUtf8(c.endColourTitle)});
        window_.reset();
    }
}

TEST_F(EnglishWindowTest, DocumentsAreTheSameInBothLanguages)
{
    const std::string japanese = TempPath(QStringLiteral("ja.vqp")).toStdString();
    const std::string english = TempPath(QStringLiteral("en.vqp")).toStdString();
    CreateShown().Operations().SaveDocument(japanese);
    window_.reset();
    {
        const InstalledTexts texts(TUiLanguage::English, QLocale(QLocale::English, QLocale::UnitedStates));
        CreateShown().Operations().SaveDocument(english);
        window_.reset();
    }
    QFile a(QString::fromStdString(japanese)), b(QString::fromStdString(english));
    ASSERT_TRUE(a.open(QIODevice::ReadOnly) && b.open(QIODevice::ReadOnly));
    const QByteArray bytes = a.readAll();
    EXPECT_FALSE(bytes.isEmpty());
    EXPECT_EQ(bytes, b.readAll());
}

} // namespace
