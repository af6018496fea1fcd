// [Window] Language in the settings file: older files without it, values the
// player does not know, and the value written back beside the other keys.
#include "player/shell/ZelkoSettings.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

ZelkoSettings FromText(const std::string& text)
{
    return SettingsFile::Read(platform::ProfileFile::FromBytes(text), "/opt/zelko/");
}

TEST(ZelkoSettingsLanguage, AnOlderFileWithoutTheKeyReadsAsAutoAndKeepsEverythingElse)
{
    const ZelkoSettings s = FromText("[PlayInfo]\nVolume=30\n[Window]\nLeft=12\nTop=34\n");
    EXPECT_EQ(s.Language, LanguageSetting::Auto);
    EXPECT_EQ(s.Volume, 30);
    EXPECT_EQ(s.WindowLeft, 12);
    EXPECT_EQ(s.WindowTop, 34);
    EXPECT_EQ(ZelkoSettings{}.Language, LanguageSetting::Auto);
}

TEST(ZelkoSettingsLanguage, TheValuesReadAsGivenAndUnknownOnesAsAuto)
{
    EXPECT_EQ(FromText("[Window]\nLanguage=ja\n").Language, LanguageSetting::Japanese);
    EXPECT_EQ(FromText("[Window]\nLanguage=en\n").Language, LanguageSetting::English);
    EXPECT_EQ(FromText("[Window]\nLanguage=EN\n").Language, LanguageSetting::English);
    EXPECT_EQ(FromText("[Window]\nLanguage=auto\n").Language, LanguageSetting::Auto);
    EXPECT_EQ(FromText("[Window]\nLanguage=klingon\n").Language, LanguageSetting::Auto);
    EXPECT_EQ(FromText("[Window]\nLanguage=\n").Language, LanguageSetting::Auto);
    EXPECT_EQ(FromText("[Window]\nLanguage=Non\n").Language, LanguageSetting::Auto);
    // The key belongs to [Window] only.
    EXPECT_EQ(FromText("[Skin]\nLanguage=en\n").Language, LanguageSetting::Auto);
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
