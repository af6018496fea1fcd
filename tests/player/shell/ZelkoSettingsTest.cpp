#include "player/shell/ZelkoSettings.h"

#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <fstream>
#include <functional>

using namespace shell;
using common::LanguageSetting;

namespace {

ZelkoSettings FromText(const std::string& text)
{
    return SettingsFile::Read(platform::ProfileFile::FromBytes(text), "/opt/zelko/");
}

TEST(ZelkoSettingsTest, EachKindOfValueReadsByItsRule)
{
    // Each row: the file's text and how what it reads as differs from the defaults.
    using Change = std::function<void(ZelkoSettings&)>;
    const Change none = [](ZelkoSettings&) {};
    const std::vector<std::pair<std::string, Change>> rows{
        {"", none},
        {"[PlayInfo]\nVolume=loud\n[PlayListWindow]\nPosition=x7\n[Window]\nLeft=12abc\nTop=99999999999\n", none},
        {"[Skin]\nWithMusic=yes\n", [](ZelkoSettings& s) { s.SkinWithMusic = true; }},
        {"[Skin]\nWithMusic=-1\n", [](ZelkoSettings& s) { s.SkinWithMusic = true; }},
        {"[Skin]\nWithMusic=0\n", none},
        {"[Skin]\nWithMusic=\n", none},
        {"[Skin]\nPath=$(apppath)/Skins/Blue/\n", [](ZelkoSettings& s) { s.SkinPath = "/opt/zelko/Skins/Blue/"; }},
        {"[Skin]\nPath=$(APPPATH)\\Skins\\Blue\\\n", [](ZelkoSettings& s) { s.SkinPath = "/opt/zelko/Skins/Blue/"; }},
        {"[Skin]\nPath=/x/$(apppath)/y/\n", [](ZelkoSettings& s) { s.SkinPath = "/x/$(apppath)/y/"; }},
        {"[Assist]\nExecuteFile=RemoteZKA\nExecuteFile=ScopeZKA\n", [](ZelkoSettings& s) { s.AssistLines = {"ExecuteFile=RemoteZKA", "ExecuteFile=ScopeZKA"}; }},
        {"[PlayInfo]\nVolume=150\n", none},
        {"[PlayInfo]\nVolume=-3\n", none},
        {"[PlayInfo]\nVolume=1e3\n", none},
        {"[PlayInfo]\nVolume=-\n", none},
        {"[PlayInfo]\nVolume=0\n", [](ZelkoSettings& s) { s.Volume = 0; }},
        {"[PlayInfo]\nVolume=7.5\n", [](ZelkoSettings& s) { s.Volume = 8; }},
        {"[PlayInfo]\nVolume=6.5\n", [](ZelkoSettings& s) { s.Volume = 6; }},
        {"[PlayInfo]\nVolume=+12\n", [](ZelkoSettings& s) { s.Volume = 12; }},
        {"[Window]\nLeft=-40\n", [](ZelkoSettings& s) { s.WindowLeft = -40; }},
        {"[Window]\nTop= 17 \n", [](ZelkoSettings& s) { s.WindowTop = 17; }},
        {"[Window]\nScale=1\n", [](ZelkoSettings& s) { s.WindowScale = 1; }},
        {"[Window]\nScale=3\n", [](ZelkoSettings& s) { s.WindowScale = 3; }},
        {"[Window]\nScale=4\n", none},
        {"[Window]\nScale=big\n", none},
        {"[Window]\nLanguage=ja\n", [](ZelkoSettings& s) { s.Language = LanguageSetting::Japanese; }},
        {"[Window]\nLanguage=EN\n", [](ZelkoSettings& s) { s.Language = LanguageSetting::English; }},
        {"[Window]\nLanguage=klingon\n", none},
        {"[Skin]\nLanguage=en\n", none},
    };
    for (const auto& [text, change] : rows) {
        ZelkoSettings expected;
        change(expected);
        EXPECT_EQ(FromText(text), expected) << text;
    }
    EXPECT_EQ(SettingsFile::ParseInteger("-2.4"), -2);
}

// Scale and language enter a file only once set; an unknown language is written back as "auto".
TEST(ZelkoSettingsTest, SavedFileReadsBackAndKeepsForeignLines)
{
    testsupport::TempFolder dir;
    const std::string path = dir.Path("Zelko.ini").string();
    std::ofstream(path) << "; my note\n[Assist]\nExecuteFile=Old\n[Other]\nKey=Value\n[Window]\nLeft=5\n";
    ASSERT_TRUE(SettingsFile::Save(path, SettingsFile::Load(path, "/opt/zelko/"), {}));
    EXPECT_FALSE(platform::ProfileFile::Load(path).Value("Window", "Language").has_value());
    EXPECT_FALSE(platform::ProfileFile::Load(path).Value("Window", "Scale").has_value());

    ZelkoSettings s;
    s.SkinPath = "/opt/zelko/Skins/Blue/";
    s.SkinFile = "Blue.zks";
    s.SkinWithMusic = true;
    s.Repeat = true;
    s.Volume = 73;
    s.PlayPosition = 4;
    s.LyricsShowAlway = true;
    s.SearchChildFolder = true;
    s.WindowLeft = -20;
    s.WindowTop = 300;
    s.WindowScale = 2;
    s.Language = LanguageSetting::English;
    s.LyricsExt = "lrc";
    s.LyricsFolder = "/home/u/lyrics/";
    ASSERT_TRUE(SettingsFile::Save(path, s, {"RemoteZKA", "ScopeZKA"}));
    ZelkoSettings back = SettingsFile::Load(path, "/opt/zelko/");
    EXPECT_EQ(back.AssistLines, (std::vector<std::string>{"ExecuteFile=RemoteZKA", "ExecuteFile=ScopeZKA"}));
    back.AssistLines.clear();
    EXPECT_EQ(back, s);
    const platform::ProfileFile profile = platform::ProfileFile::Load(path);
    EXPECT_EQ(profile.Value("Other", "Key"), "Value");
    EXPECT_EQ(profile.Value("Skin", "WithMusic"), "-1");
    EXPECT_EQ(profile.Value("PlayInfo", "Shuffle"), "0");
    EXPECT_EQ(profile.Value("Window", "Scale"), "2");
    EXPECT_EQ(profile.Value("Window", "Language"), "en");

    ASSERT_TRUE(SettingsFile::Save(path, s, {}));
    EXPECT_TRUE(SettingsFile::Load(path, "/").AssistLines.empty());

    std::ofstream(path) << "[Window]\nLanguage=martian\n";
    ASSERT_TRUE(SettingsFile::Save(path, SettingsFile::Load(path, "/opt/zelko/"), {}));
    EXPECT_EQ(platform::ProfileFile::Load(path).Value("Window", "Language"), "auto");
}

} // namespace
