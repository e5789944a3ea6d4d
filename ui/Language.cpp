#include "ui/Language.h"

#include "platform/AppPaths.h"
#include "settings/UVelquorRegistry.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

TUiLanguage UiLanguageOfSetting(const std::string& text)
{
    if (text == "en") return TUiLanguage::English;
    if (text == "system") return TUiLanguage::System;
    return TUiLanguage::Japanese;
}

std::string SettingOfUiLanguage(TUiLanguage language)
{
    switch (language) {
    case TUiLanguage::English: return "en";
    case TUiLanguage::System: return "system";
    case TUiLanguage::Japanese: break;
    }
    return "ja";
}

TTextLanguage TextLanguageOf(TUiLanguage language, const QLocale& system)
{
    switch (language) {
    case TUiLanguage::English: return TTextLanguage::English;
    case TUiLanguage::System:
        return system.language() == QLocale::Japanese ? TTextLanguage::Japanese : TTextLanguage::English;
    case TUiLanguage::Japanese: break;
    }
    return TTextLanguage::Japanese;
}

QLocale QtTextsLocale(TUiLanguage language, const QLocale& system)
{
    switch (language) {
    case TUiLanguage::English: return QLocale(QLocale::English, QLocale::UnitedStates);
    case TUiLanguage::System: return system;
    case TUiLanguage::Japanese: break;
    }
    return QLocale(QLocale::Japanese, QLocale::Japan);
}

TUiLanguage StoredUiLanguage(const std::string& settingsFile)
{
    TVelquorRegistry registry;
    if (!settingsFile.empty()) registry.SetStorageFile(settingsFile);
    try {
        registry.Load();
    } catch (const std::exception&) {
        // A store that cannot be read is the window's to report; its texts
        // are then Japanese.
        return TUiLanguage::Japanese;
    }
    return UiLanguageOfSetting(registry.Language);
}

static QTranslator* Install(QCoreApplication& app, const QString& name, const QString& folder)
{
    auto* translator = new QTranslator(&app);
    if (!translator->load(name, folder)) {
        delete translator;
        return nullptr;
    }
    QCoreApplication::installTranslator(translator);
    return translator;
}

std::vector<QTranslator*> InstallTexts(QCoreApplication& app, TUiLanguage language, const std::string& programDir,
                                       const QLocale& system)
{
    const TTextLanguage texts = TextLanguageOf(language, system);
    SetTextLanguage(texts);
    std::vector<QTranslator*> installed;
    if (texts == TTextLanguage::English) {
        const QString folder = QString::fromStdString(DataDir(programDir) + "/translations");
        if (QTranslator* t = Install(app, QStringLiteral("velquor_en"), folder)) installed.push_back(t);
    }
    // Qt's own texts are English in the source; every other language has a
    // translation file, e.g. qtbase_ja.
    const QLocale qt = QtTextsLocale(language, system);
    if (qt.language() != QLocale::English) {
        const QString folder = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
        if (QTranslator* t = Install(app, QStringLiteral("qtbase_") + qt.name().section(u'_', 0, 0), folder))
            installed.push_back(t);
    }
    return installed;
}
