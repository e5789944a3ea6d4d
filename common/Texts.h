// The program's own texts in the user's language, for the layers without Qt.
//
// Japanese is the program's language: every text is written in Japanese in
// the code and is its own key. English comes from the same translation file
// as the window's texts (translations/velquor_en.ts, context "TText"), built
// into a table, so the window and velquor-render say the same in English.
#pragma once

#include <initializer_list>
#include <string>

// Names the class whose texts follow to the translation tools (lupdate
// takes it as Q_DECLARE_TR_FUNCTIONS); nothing for the compiler.
#define VQ_TEXT_CONTEXT(name)

enum class TTextLanguage { Japanese, English };

class TText {
    VQ_TEXT_CONTEXT(TText)
public:
    // japanese in the chosen language; a text without English stays as it is.
    static std::string tr(const char* japanese);
    static std::string tr(const std::string& japanese) { return tr(japanese.c_str()); }
    // Marks a constant text for the translation file; tr() it where it is used.
    static constexpr const char* Noop(const char* japanese) { return japanese; }
};

// The language of TText::tr, for the whole process (Japanese until set).
void SetTextLanguage(TTextLanguage language);
TTextLanguage TextLanguage();

// The language the environment asks for: the first of LC_ALL, LC_MESSAGES
// and LANG that is set and not empty decides; English when it names English
// ("en", "en_GB.UTF-8"), Japanese otherwise and when none is set.
TTextLanguage LanguageFromEnvironment();
// The same rule for one such value.
TTextLanguage LanguageOfLocaleName(const std::string& name);

// pattern with %1 to %9 replaced by the values (a value is not read again), so a
// translation may put the values where its language wants them.
std::string TextArg(const std::string& pattern, std::initializer_list<std::string> values);
