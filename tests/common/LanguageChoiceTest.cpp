#include "common/LanguageChoice.h"

#include <gtest/gtest.h>

using namespace common;

namespace {

constexpr UiLanguage Ja = UiLanguage::Japanese;
constexpr UiLanguage En = UiLanguage::English;

// With the setting "auto": a Japanese, C or missing locale keeps the Japanese
// texts, any other language gives English; LC_ALL comes before LC_MESSAGES
// before LANG; LANGUAGE lists preferences (the first one we have wins) but
// is ignored under the C locale.
TEST(LanguageChoice, TheEnvironmentChoosesUnderAuto)
{
    struct Row {
        LocaleEnvironment Environment; // LANGUAGE, LC_ALL, LC_MESSAGES, LANG
        UiLanguage Expected;
    };
    const Row rows[] = {
        {{"", "", "", "ja_JP.UTF-8"}, Ja},
        {{"", "", "", ""}, Ja},
        {{"", "", "", "C"}, Ja},
        {{"", "", "", "en_US.UTF-8"}, En},
        {{"", "ja_JP.UTF-8", "de_DE.UTF-8", "en_US.UTF-8"}, Ja},
        {{"", "", "de_DE.UTF-8", "ja_JP.UTF-8"}, En},
        {{"", "C", "", "en_US.UTF-8"}, Ja},
        {{"de:ja", "", "", "de_DE.UTF-8"}, Ja},
        {{"en_GB:en", "", "", "ja_JP.UTF-8"}, En},
        {{"de:fr", "", "", "ja_JP.UTF-8"}, En},
        {{"::ja", "", "", "de_DE.UTF-8"}, Ja},
        {{"en", "", "", "C.UTF-8"}, Ja},
        {{"de:en", "", "", ""}, Ja},
    };
    for (const Row& row : rows)
        EXPECT_EQ(LanguageChoice::Choose(row.Environment, LanguageSetting::Auto), row.Expected)
            << row.Environment.language << "|" << row.Environment.lcAll << "|" << row.Environment.lcMessages << "|"
            << row.Environment.lang;
}

// The setting overrides the environment; its texts are stored in the settings file.
TEST(LanguageChoice, TheSettingOverridesTheEnvironmentAndItsTextsReadInAnyCase)
{
    for (const LocaleEnvironment& environment : {LocaleEnvironment{"en", "", "", "en_US.UTF-8"},
                                                 LocaleEnvironment{"", "", "", "C"}}) {
        for (UiLanguage language : {Ja, En})
            EXPECT_EQ(LanguageChoice::Choose(environment, LanguageChoice::SettingFor(language)), language);
    }
    EXPECT_EQ(LanguageChoice::ParseSetting("ja"), LanguageSetting::Japanese);
    EXPECT_EQ(LanguageChoice::ParseSetting(" EN "), LanguageSetting::English);
    EXPECT_EQ(LanguageChoice::ParseSetting("japanese"), LanguageSetting::Auto);
    EXPECT_EQ(LanguageChoice::ParseSetting("en_US"), LanguageSetting::Auto);
    EXPECT_EQ(LanguageChoice::SettingText(LanguageSetting::Japanese), "ja");
    EXPECT_EQ(LanguageChoice::SettingText(LanguageSetting::English), "en");
    EXPECT_EQ(LanguageChoice::SettingText(LanguageSetting::Auto), "auto");
}

} // namespace
