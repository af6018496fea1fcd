#pragma once
// Which language the user interface speaks: the Japanese texts the programs
// are written with, or their English translation. Pure functions of the
// environment's locale variables and the player's [Window] Language setting;
// nothing here reads the process environment except LocaleEnvironment::Current.
//
// The rules, in order:
// 1. The setting "ja" or "en" decides alone. "auto", an empty or unknown
//    value means the environment decides.
// 2. The locale of messages is the first non-empty one of LC_ALL,
//    LC_MESSAGES and LANG. When there is none, or it is the C or POSIX
//    locale (also "C.UTF-8" and the like), the texts stay Japanese, exactly as
//    without any translation. LANGUAGE is then ignored, as the desktop's own
//    message catalogues ignore it.
// 3. Otherwise LANGUAGE, when set, lists preferred languages separated by
//    ":" ("de:ja"): the first that is Japanese or English wins; a list naming
//    only other languages gives English.
// 4. Otherwise the locale's language: Japanese for "ja", English for any other.
#include <string>
#include <string_view>

namespace common {

enum class UiLanguage {
    Japanese, // the source texts
    English,
};

// The [Window] Language setting.
enum class LanguageSetting {
    Auto,     // "auto": the environment decides
    Japanese, // "ja"
    English,  // "en"
};

// The locale variables as the process found them ("" for unset ones).
struct LocaleEnvironment {
    std::string language;   // LANGUAGE
    std::string lcAll;      // LC_ALL
    std::string lcMessages; // LC_MESSAGES
    std::string lang;       // LANG

    static LocaleEnvironment Current();
    // One variable of the process environment, "" when unset.
    static std::string Variable(const char* name);
};

class LanguageChoice {
public:
    // The player hands its choice on to the assists it starts in this
    // environment variable ("ja" or "en"), which they read as their setting.
    static constexpr const char* HandedOnVariable = "ZELKO_LANGUAGE";

    [[nodiscard]] static UiLanguage Choose(const LocaleEnvironment& environment, LanguageSetting setting);

    // "ja", "en" and "auto" in any letter case, surrounding blanks ignored;
    // anything else is Auto.
    [[nodiscard]] static LanguageSetting ParseSetting(std::string_view text);
    // "ja", "en" or "auto": the text written back to the settings file.
    [[nodiscard]] static std::string_view SettingText(LanguageSetting setting);
    // The setting that makes Choose give language whatever the environment.
    [[nodiscard]] static LanguageSetting SettingFor(UiLanguage language);
};

} // namespace common
