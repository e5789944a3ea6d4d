// The language of the window: Japanese (the program's own), English, or the
// system's. Chosen in the options dialog, kept in the settings store and
// applied at start, before the first window exists.
#pragma once

#include "common/Texts.h"

#include <QLocale>
#include <QString>

#include <string>
#include <vector>

class QCoreApplication;
class QTranslator;

enum class TUiLanguage { Japanese, English, System };

// The setting's text ("ja", "en", "system") and back; anything else is
// Japanese, the program's language.
TUiLanguage UiLanguageOfSetting(const std::string& text);
std::string SettingOfUiLanguage(TUiLanguage language);

// The language the window's own texts take: the system's language means
// Japanese on a Japanese system and English on any other, since the program
// has no third.
TTextLanguage TextLanguageOf(TUiLanguage language, const QLocale& system);

// The locale whose Qt texts (file dialogs, standard buttons) are shown:
// Japanese, English, or for the system's language the system's own, so a
// German system gets German buttons around the English window.
QLocale QtTextsLocale(TUiLanguage language, const QLocale& system);

// The language stored in the settings store (settingsFile empty: the user's).
TUiLanguage StoredUiLanguage(const std::string& settingsFile);

// Installs the texts of language on app: the program's English translation
// from programDir's data folder ("translations/velquor_en.qm") when the
// window speaks English, Qt's own texts of QtTextsLocale, and the language of
// the Qt-free layers' messages (SetTextLanguage). Returns the translators it
// installed; they belong to app. A translation that is not installed is
// left out: its texts stay Japanese or Qt's English.
std::vector<QTranslator*> InstallTexts(QCoreApplication& app, TUiLanguage language, const std::string& programDir,
                                       const QLocale& system = QLocale::system());
