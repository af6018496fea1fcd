#include "player/shell/ZelkoSettings.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

using namespace shell;

namespace fs = std::filesystem;

namespace {

ZelkoSettings FromText(const std::string& text, const std::string& appPath = "/opt/zelko/")
{
    return SettingsFile::Read(platform::ProfileFile::FromBytes(text), appPath);
}

TEST(ZelkoSettingsTest, EmptyFileGivesTheDefaults)
{
    const ZelkoSettings s = FromText("");
    EXPECT_EQ(s, ZelkoSettings{});
    EXPECT_EQ(s.Volume, 50);
    EXPECT_EQ(s.LyricsExt, "txt");
}

TEST(ZelkoSettingsTest, BooleanRule)
{
    for (const char* value : {"1", "yes", "-1"})
        EXPECT_TRUE(FromText(std::string("[Skin]\nWithMusic=") + value + "\n").SkinWithMusic) << value;
    for (const char* value : {"0", ""})
        EXPECT_FALSE(FromText(std::string("[Skin]\nWithMusic=") + value + "\n").SkinWithMusic) << value;
    EXPECT_EQ(SettingsFile::FormatBoolean(true), "-1");
    EXPECT_EQ(SettingsFile::FormatBoolean(false), "0");
}

// Numbers round half to even; text that is no number, or out of range, gives the default.
TEST(ZelkoSettingsTest, BadNumbersUseDefaults)
{
    const ZelkoSettings s = FromText(
        "[PlayInfo]\nVolume=loud\n[PlayListWindow]\nPosition=x7\n[Window]\nLeft=12abc\nTop=99999999999\n");
    EXPECT_EQ(s.Volume, 50);
    EXPECT_EQ(s.PlayPosition, 0);
    EXPECT_EQ(s.WindowLeft, 0);
    EXPECT_EQ(s.WindowTop, 0);
    const std::vector<std::pair<const char*, int>> volumes{{"150", 50}, {"-3", 50}, {"0", 0}, {"7.5", 8}, {"6.5", 6}, {"+12", 12}, {"1e3", 50}, {"-", 50}, {"", 50}};
    for (const auto& [text, volume] : volumes)
        EXPECT_EQ(FromText(std::string("[PlayInfo]\nVolume=") + text + "\n").Volume, volume) << text;
    EXPECT_EQ(FromText("[Window]\nLeft=-40\nTop= 17 \n").WindowLeft, -40);
    EXPECT_EQ(SettingsFile::ParseInteger("-2.4"), -2);
    // An older file without the scale chooses from the screen (0), as does any value but 1 to 3.
    const std::vector<std::pair<const char*, int>> scales{{"", 0}, {"Scale=1\n", 1}, {"Scale=3\n", 3}, {"Scale=4\n", 0}, {"Scale=-1\n", 0}, {"Scale=big\n", 0}};
    for (const auto& [line, scale] : scales)
        EXPECT_EQ(FromText(std::string("[Window]\nLeft=10\n") + line).WindowScale, scale) << line;
}

TEST(ZelkoSettingsTest, AppPathPlaceholder)
{
    EXPECT_EQ(FromText("[Skin]\nPath=$(apppath)/Skins/Blue/\n").SkinPath, "/opt/zelko/Skins/Blue/");
    EXPECT_EQ(FromText("[Skin]\nPath=$(APPPATH)\\Skins\\Blue\\\n").SkinPath, "/opt/zelko/Skins/Blue/");
    EXPECT_EQ(FromText("[Skin]\nPath=/x/$(apppath)/y/\n").SkinPath, "/x/$(apppath)/y/");
}

TEST(ZelkoSettingsTest, AssistSectionLinesAreHandedOnWhole)
{
    const ZelkoSettings s = FromText("[Assist]\nExecuteFile=RemoteZKA\nExecuteFile=ScopeZKA\n");
    EXPECT_EQ(s.AssistLines, (std::vector<std::string>{"ExecuteFile=RemoteZKA", "ExecuteFile=ScopeZKA"}));
}

TEST(ZelkoSettingsTest, SavedFileReadsBackAndKeepsForeignLines)
{
    const fs::path dir = fs::temp_directory_path() / ("zelko-ini-" + std::to_string(::getpid()));
    fs::remove_all(dir);
    fs::create_directories(dir);
    const std::string path = (dir / "Zelko.ini").string();
    std::ofstream(path) << "; my note\n[Assist]\nExecuteFile=Old\n[Other]\nKey=Value\n";

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

    ASSERT_TRUE(SettingsFile::Save(path, s, {}));
    EXPECT_EQ(profile.SectionEntries("Assist")->size(), 2u);
    EXPECT_TRUE(SettingsFile::Load(path, "/").AssistLines.empty());
    fs::remove_all(dir);
}

} // namespace
