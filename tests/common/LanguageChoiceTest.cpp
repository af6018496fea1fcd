#include "common/LanguageChoice.h"

#include <gtest/gtest.h>

namespace {

constexpr UiLanguage Ja = UiLanguage::Japanese;
constexpr UiLanguage En = UiLanguage::English;

// The language an environment of LANG alone gives with the setting "auto".
UiLanguage ForLang(const std::string& lang)
{
    return LanguageChoice::Choose(LocaleEnvironment{"", "", "", lang}, LanguageSetting::Auto);
}

TEST(LanguageChoice, AJapaneseLocaleKeepsTheJapaneseTexts)
{
    EXPECT_EQ(ForLang("ja_JP.UTF-8"), Ja);
    EXPECT_EQ(ForLang("ja_JP.eucJP"), Ja);
    EXPECT_EQ(ForLang("ja"), Ja);
}

TEST(LanguageChoice, TheCLocaleOrNoneAtAllKeepsTheJapaneseTexts)
{
    EXPECT_EQ(ForLang(""), Ja);
    EXPECT_EQ(ForLang("C"), Ja);
    EXPECT_EQ(ForLang("C.UTF-8"), Ja);
    EXPECT_EQ(ForLang("C.utf8"), Ja);
    EXPECT_EQ(ForLang("POSIX"), Ja);
    EXPECT_EQ(LanguageChoice::Choose(LocaleEnvironment{}, LanguageSetting::Auto), Ja);
}

TEST(LanguageChoice, AnyOtherLanguageGivesEnglish)
{
    EXPECT_EQ(ForLang("en_US.UTF-8"), En);
    EXPECT_EQ(ForLang("en_GB"), En);
    EXPECT_EQ(ForLang("de_DE.UTF-8"), En);
    EXPECT_EQ(ForLang("fr_FR@euro"), En);
    EXPECT_EQ(ForLang("zh_CN.UTF-8"), En);
}

TEST(LanguageChoice, LcAllComesBeforeLcMessagesWhichComesBeforeLang)
{
    EXPECT_EQ(LanguageChoice::Choose({"", "ja_JP.UTF-8", "de_DE.UTF-8", "en_US.UTF-8"}, LanguageSetting::Auto), Ja);
    EXPECT_EQ(LanguageChoice::Choose({"", "", "de_DE.UTF-8", "ja_JP.UTF-8"}, LanguageSetting::Auto), En);
    EXPECT_EQ(LanguageChoice::Choose({"", "", "ja_JP.UTF-8", "de_DE.UTF-8"}, LanguageSetting::Auto), Ja);
    // LC_ALL=C wins over a Japanese or English LANG: the plain texts.
    EXPECT_EQ(LanguageChoice::Choose({"", "C", "", "en_US.UTF-8"}, LanguageSetting::Auto), Ja);
}

TEST(LanguageChoice, LanguageListsPreferencesAndTheFirstOneWeHaveWins)
{
    EXPECT_EQ(LanguageChoice::Choose({"de:ja", "", "", "de_DE.UTF-8"}, LanguageSetting::Auto), Ja);
    EXPECT_EQ(LanguageChoice::Choose({"de:en:ja", "", "", "de_DE.UTF-8"}, LanguageSetting::Auto), En);
    EXPECT_EQ(LanguageChoice::Choose({"ja_JP:en", "", "", "en_US.UTF-8"}, LanguageSetting::Auto), Ja);
    EXPECT_EQ(LanguageChoice::Choose({"en_GB:en", "", "", "ja_JP.UTF-8"}, LanguageSetting::Auto), En);
    // Only languages we do not have: English, even under a Japanese LANG.
    EXPECT_EQ(LanguageChoice::Choose({"de:fr", "", "", "ja_JP.UTF-8"}, LanguageSetting::Auto), En);
    // Empty entries are skipped.
    EXPECT_EQ(LanguageChoice::Choose({"::ja", "", "", "de_DE.UTF-8"}, LanguageSetting::Auto), Ja);
}

TEST(LanguageChoice, LanguageIsIgnoredUnderTheCLocale)
{
    EXPECT_EQ(LanguageChoice::Choose({"en", "", "", "C.UTF-8"}, LanguageSetting::Auto), Ja);
    EXPECT_EQ(LanguageChoice::Choose({"de:en", "", "", ""}, LanguageSetting::Auto), Ja);
}

TEST(LanguageChoice, TheSettingOverridesTheEnvironment)
{
    const LocaleEnvironment english{"en", "", "", "en_US.UTF-8"};
    const LocaleEnvironment japanese{"", "", "", "ja_JP.UTF-8"};
    const LocaleEnvironment plain{"", "", "", "C.UTF-8"};
    for (const LocaleEnvironment& environment : {english, japanese, plain}) {
        EXPECT_EQ(LanguageChoice::Choose(environment, LanguageSetting::Japanese), Ja);
        EXPECT_EQ(LanguageChoice::Choose(environment, LanguageSetting::English), En);
    }
    EXPECT_EQ(LanguageChoice::Choose(english, LanguageSetting::Auto), En);
    EXPECT_EQ(LanguageChoice::Choose(japanese, LanguageSetting::Auto), Ja);
}

TEST(LanguageChoice, SettingTextsReadInAnyCaseAndUnknownOnesMeanAuto)
{
    EXPECT_EQ(LanguageChoice::ParseSetting("ja"), LanguageSetting::Japanese);
    EXPECT_EQ(LanguageChoice::ParseSetting("EN"), LanguageSetting::English);
    EXPECT_EQ(LanguageChoice::ParseSetting(" en "), LanguageSetting::English);
    EXPECT_EQ(LanguageChoice::ParseSetting("Auto"), LanguageSetting::Auto);
    EXPECT_EQ(LanguageChoice::ParseSetting(""), LanguageSetting::Auto);
    EXPECT_EQ(LanguageChoice::ParseSetting("japanese"), LanguageSetting::Auto);
    EXPECT_EQ(LanguageChoice::ParseSetting("de"), LanguageSetting::Auto);
    EXPECT_EQ(LanguageChoice::ParseSetting("en_US"), LanguageSetting::Auto);

    EXPECT_EQ(LanguageChoice::SettingText(LanguageSetting::Japanese), "ja");
    EXPECT_EQ(LanguageChoice::SettingText(LanguageSetting::English), "en");
    EXPECT_EQ(LanguageChoice::SettingText(LanguageSetting::Auto), "auto");
    for (LanguageSetting s : {LanguageSetting::Auto, LanguageSetting::Japanese, LanguageSetting::English})
        EXPECT_EQ(LanguageChoice::ParseSetting(LanguageChoice::SettingText(s)), s);
}

TEST(LanguageChoice, TheHandedOnSettingGivesTheSameLanguageEverywhere)
{
    const LocaleEnvironment german{"", "", "", "de_DE.UTF-8"};
    const LocaleEnvironment plain{"", "", "", "C"};
    for (UiLanguage language : {Ja, En}) {
        EXPECT_EQ(LanguageChoice::Choose(german, LanguageChoice::SettingFor(language)), language);
        EXPECT_EQ(LanguageChoice::Choose(plain, LanguageChoice::SettingFor(language)), language);
    }
}

} // namespace
