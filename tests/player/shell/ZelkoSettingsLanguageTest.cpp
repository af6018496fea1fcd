// [Window] Language in the settings file: older files without it, values the
// player does not know, and the value written back beside the other keys.
#include "player/shell/ZelkoSettings.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <unistd.h>

using namespace common;
using namespace shell;

namespace fs = std::filesystem;

namespace {

ZelkoSettings FromText(const std::string& text)
{
    return SettingsFile::Read(platform::ProfileFile::FromBytes(text), "/opt/zelko/");
}

// An older file without the key, values the player does not know and the key
// in another section read as Auto.
TEST(ZelkoSettingsLanguage, TheValuesReadAsGivenAndUnknownOnesAsAuto)
{
    const std::vector<std::pair<const char*, LanguageSetting>> rows{
        {"[Window]\nLeft=12\n", LanguageSetting::Auto},
        {"[Window]\nLanguage=ja\n", LanguageSetting::Japanese},
        {"[Window]\nLanguage=en\n", LanguageSetting::English},
        {"[Window]\nLanguage=EN\n", LanguageSetting::English},
        {"[Window]\nLanguage=auto\n", LanguageSetting::Auto},
        {"[Window]\nLanguage=klingon\n", LanguageSetting::Auto},
        {"[Window]\nLanguage=\n", LanguageSetting::Auto},
        {"[Skin]\nLanguage=en\n", LanguageSetting::Auto},
    };
    for (const auto& [text, language] : rows)
        EXPECT_EQ(FromText(text).Language, language) << text;
}

// A file saved at the defaults keeps the keys it had; once chosen, the
// language is written back beside the window's other keys.
TEST(ZelkoSettingsLanguage, TheSettingIsWrittenBackInTheWindowSectionOnceSet)
{
    const fs::path dir = fs::temp_directory_path() / ("zelko-ini-language-" + std::to_string(::getpid()));
    fs::remove_all(dir);
    fs::create_directories(dir);
    const std::string path = (dir / "Zelko.ini").string();

    std::ofstream(path) << "[Window]\nLeft=5\nTop=6\n";
    ZelkoSettings s = SettingsFile::Load(path, "/opt/zelko/");
    ASSERT_TRUE(SettingsFile::Save(path, s, {}));
    EXPECT_FALSE(platform::ProfileFile::Load(path).Value("Window", "Language").has_value());
    EXPECT_FALSE(platform::ProfileFile::Load(path).Value("Window", "Scale").has_value());

    s.Language = LanguageSetting::English;
    ASSERT_TRUE(SettingsFile::Save(path, s, {}));
    const platform::ProfileFile saved = platform::ProfileFile::Load(path);
    EXPECT_EQ(saved.Value("Window", "Language"), "en");
    EXPECT_EQ(saved.Value("Window", "Left"), "5");
    EXPECT_EQ(SettingsFile::Load(path, "/opt/zelko/"), s);

    std::ofstream(path) << "[Window]\nLanguage=martian\n";
    ASSERT_TRUE(SettingsFile::Save(path, SettingsFile::Load(path, "/opt/zelko/"), {}));
    EXPECT_EQ(platform::ProfileFile::Load(path).Value("Window", "Language"), "auto");
    fs::remove_all(dir);
}

} // namespace
