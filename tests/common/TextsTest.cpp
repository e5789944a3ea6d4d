// The Qt-free texts: Japanese unless English is chosen, the English from the
// translation file, the environment's choice, and values put into texts.
#include "common/Exceptions.h"
#include "common/Texts.h"
#include "tests/support/ScopedEnv.h"

#include <gtest/gtest.h>

#include <new>

namespace {

class TextsTest : public ::testing::Test {
protected:
    void TearDown() override { SetTextLanguage(TTextLanguage::Japanese); }
};

TEST_F(TextsTest, JapaneseByDefaultEnglishFromTheTranslationFile)
{
    EXPECT_EQ(TextLanguage(), TTextLanguage::Japanese);
    EXPECT_EQ(TText::tr(kMsgOverflow), "浮動小数点数のオーバーフロー");
    SetTextLanguage(TTextLanguage::English);
    EXPECT_EQ(TText::tr(kMsgOverflow), "Floating-point overflow");
    // A text the file does not have stays as it is rather than vanish.
    EXPECT_EQ(TText::tr("翻訳のない文"), "翻訳のない文");
    EXPECT_EQ(TText::tr(""), "");
}

TEST_F(TextsTest, MessagesAreShownInTheChosenLanguage)
{
    const EOverflow overflow(kMsgOverflow);
    const Exception composed("C:\\x.mcf\n3行目の形式が不正です");
    EXPECT_EQ(MessageOf(overflow), "浮動小数点数のオーバーフロー");
    EXPECT_EQ(MessageOf(std::bad_alloc()), "メモリが不足しています。");
    SetTextLanguage(TTextLanguage::English);
    EXPECT_EQ(MessageOf(overflow), "Floating-point overflow");
    EXPECT_EQ(MessageOf(std::bad_alloc()), "Not enough memory.");
    EXPECT_EQ(MessageOf(composed), composed.Message());
}

TEST_F(TextsTest, LocaleNamesThatMeanEnglish)
{
    const std::pair<const char*, TTextLanguage> cases[] = {
        {"en", TTextLanguage::English},          {"en_GB.UTF-8", TTextLanguage::English},
        {"en_US", TTextLanguage::English},       {"en.UTF-8", TTextLanguage::English},
        {"en@boldquot", TTextLanguage::English}, {"ja_JP.UTF-8", TTextLanguage::Japanese},
        {"C", TTextLanguage::Japanese},          {"C.UTF-8", TTextLanguage::Japanese},
        {"POSIX", TTextLanguage::Japanese},      {"de_DE.UTF-8", TTextLanguage::Japanese},
        {"eng", TTextLanguage::Japanese},        {"e", TTextLanguage::Japanese},
    };
    for (const auto& [name, language] : cases) EXPECT_EQ(LanguageOfLocaleName(name), language) << name;
}

TEST_F(TextsTest, TheFirstSetVariableDecides)
{
    struct Case {
        const char* lcAll;
        const char* lcMessages;
        const char* lang;
        TTextLanguage expected;
    };
    const Case cases[] = {
        {nullptr, nullptr, nullptr, TTextLanguage::Japanese},
        {nullptr, nullptr, "en_US.UTF-8", TTextLanguage::English},
        {nullptr, "ja_JP.UTF-8", "en_US.UTF-8", TTextLanguage::Japanese},
        {"en_GB.UTF-8", "ja_JP.UTF-8", "ja_JP.UTF-8", TTextLanguage::English},
        {"C", nullptr, "en_US.UTF-8", TTextLanguage::Japanese},
        // An empty variable counts as not set.
        {"", "", "en_US.UTF-8", TTextLanguage::English},
    };
    for (const Case& c : cases) {
        const ScopedEnv all("LC_ALL", c.lcAll), messages("LC_MESSAGES", c.lcMessages), lang("LANG", c.lang);
        EXPECT_EQ(LanguageFromEnvironment(), c.expected)
            << (c.lcAll ? c.lcAll : "-") << " " << (c.lcMessages ? c.lcMessages : "-") << " " << (c.lang ? c.lang : "-");
    }
}

TEST_F(TextsTest, ValuesGoWhereTheTextPutsThem)
{
    EXPECT_EQ(TextArg("%1は存在しません。", {"/tmp/x"}), "/tmp/xは存在しません。");
    EXPECT_EQ(TextArg("line %2 of %1", {"a.mcf", "3"}), "line 3 of a.mcf");
    // A value is not read again, and a number without a value stays.
    EXPECT_EQ(TextArg("%1 and %2", {"%2", "b"}), "%2 and b");
    EXPECT_EQ(TextArg("100% of %1, %3", {"x"}), "100% of x, %3");
    EXPECT_EQ(TextArg("trailing %", {}), "trailing %");
}

} // namespace
