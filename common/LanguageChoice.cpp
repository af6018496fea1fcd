#include "common/LanguageChoice.h"

#include "common/AsciiText.h"

#include <cstdlib>
#include <optional>

namespace common {

namespace {

// The language part of a locale or LANGUAGE entry: "ja" of "ja_JP.UTF-8",
// "en" of "en@quot".
std::string LanguageOf(std::string_view locale)
{
    const std::size_t end = locale.find_first_of("_.@");
    return ascii::Lower(locale.substr(0, end));
}

bool IsPlainLocale(std::string_view locale)
{
    const std::string language = LanguageOf(locale);
    return language == "c" || language == "posix";
}

std::optional<UiLanguage> Known(std::string_view entry)
{
    const std::string language = LanguageOf(entry);
    if (language == "ja")
        return UiLanguage::Japanese;
    if (language == "en")
        return UiLanguage::English;
    return std::nullopt;
}

} // namespace

std::string LocaleEnvironment::Variable(const char* name)
{
    const char* value = std::getenv(name);
    return value ? std::string(value) : std::string();
}

LocaleEnvironment LocaleEnvironment::Current()
{
    return {Variable("LANGUAGE"), Variable("LC_ALL"), Variable("LC_MESSAGES"), Variable("LANG")};
}

UiLanguage LanguageChoice::Choose(const LocaleEnvironment& environment, LanguageSetting setting)
{
    if (setting == LanguageSetting::Japanese)
        return UiLanguage::Japanese;
    if (setting == LanguageSetting::English)
        return UiLanguage::English;

    const std::string& locale = !environment.lcAll.empty() ? environment.lcAll
        : !environment.lcMessages.empty()                  ? environment.lcMessages
                                                           : environment.lang;
    if (locale.empty() || IsPlainLocale(locale))
        return UiLanguage::Japanese;

    if (!environment.language.empty()) {
        std::string_view rest = environment.language;
        while (!rest.empty()) {
            const std::size_t colon = rest.find(':');
            if (const std::optional<UiLanguage> known = Known(rest.substr(0, colon)))
                return *known;
            rest = colon == std::string_view::npos ? std::string_view() : rest.substr(colon + 1);
        }
        return UiLanguage::English;
    }
    return Known(locale).value_or(UiLanguage::English);
}

LanguageSetting LanguageChoice::ParseSetting(std::string_view text)
{
    const std::size_t first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos)
        return LanguageSetting::Auto;
    text = text.substr(first, text.find_last_not_of(" \t") - first + 1);
    if (ascii::EqualIgnoringCase(text, "ja"))
        return LanguageSetting::Japanese;
    if (ascii::EqualIgnoringCase(text, "en"))
        return LanguageSetting::English;
    return LanguageSetting::Auto;
}

std::string_view LanguageChoice::SettingText(LanguageSetting setting)
{
    switch (setting) {
    case LanguageSetting::Japanese: return "ja";
    case LanguageSetting::English: return "en";
    case LanguageSetting::Auto: break;
    }
    return "auto";
}

LanguageSetting LanguageChoice::SettingFor(UiLanguage language)
{
    return language == UiLanguage::English ? LanguageSetting::English : LanguageSetting::Japanese;
}

} // namespace common
