#include "PlayerTestSupport.h"

#include "platform/ProfileFile.h"
#include "player/skin/SkinWindow.h"

#include <tuple>

namespace playertest {
namespace {

using StartupShutdownTest = PlayerTest;

TEST_F(StartupShutdownTest, SettingsWindowPositionAndListRoundTrip)
{
    const std::vector<std::string> tracks = Tracks(3);
    m_folder.WriteIni("[Window]\nLeft=40\nTop=30\n");
    Load();
    EXPECT_EQ(Player().Window().Position(), (platform::Point{40, 30}));
    Player().Window().MoveTo(70, 90);
    Player().cBodyAction_BodyMoveFinished();
    Player().AddMp3Files(tracks);
    Player().cButtonAction_RepeatClick();
    Player().cButtonAction_ShuffleClick();
    Player().AssistHost().SetVolumeFromAssist(73);
    Player().Playback().SetPlayPosition(3);
    Player().App().SetLyricsExt("lrc");
    Player().App().SetSearchChildFolder(true);
    Player().Form_OLEDragDrop({(m_folder.Path() / "Skins/Meadow/Meadow.zks").string()});
    Player().cButtonAction_PlayClick(); // closing while playing stops first
    m_player.reset();
    Load();

    EXPECT_EQ(Player().Window().Position(), (platform::Point{70, 90}));
    EXPECT_TRUE(Player().Playback().bRepeat());
    EXPECT_TRUE(Player().Playback().bShuffle());
    EXPECT_EQ(Player().Playback().Volume(), 73);
    EXPECT_EQ(Player().Playback().PlayPosition(), 3);
    EXPECT_EQ(Player().App().LyricsExt(), "lrc");
    EXPECT_TRUE(Player().App().SearchChildFolder());
    EXPECT_EQ(Player().CurrentSkin().skinFile, "Meadow.zks");
    EXPECT_TRUE(Player().Playback().bStop());
    Player().Form_Unload();
    EXPECT_EQ(m_folder.ReadFile(m_folder.List()), tracks[0] + "\r\n" + tracks[1] + "\r\n" + tracks[2] + "\r\n");
}

TEST_F(StartupShutdownTest, SavedPositionIsCheckedAgainstTheList)
{
    m_folder.WriteList(Tracks(3));
    // Each row: the saved position, whether the list is still there, and the position at start.
    const std::vector<std::tuple<int, bool, int>> rows{{7, true, 1}, {2, true, 2}, {2, false, 0}};
    for (const auto& [saved, listed, position] : rows) {
        SCOPED_TRACE(saved);
        if (!listed)
            fs::remove(m_folder.List());
        m_folder.WriteIni("[PlayListWindow]\nPosition=" + std::to_string(saved) + "\n");
        Load();
        EXPECT_EQ(Player().Playback().PlayPosition(), position);
        m_player.reset();
    }
}

TEST_F(StartupShutdownTest, ABrokenConfiguredSkinNamesItsFolderAndReasonInTheLogAndOnStderr)
{
    // Listed after Carbon, so that the fallback to the first catalogue skin does not try it again.
    const fs::path broken = m_folder.Path() / "Skins" / "Worn";
    fs::copy(m_folder.Path() / "Skins" / "Carbon", broken, fs::copy_options::recursive);
    fs::remove(broken / "Title.bmp");
    m_folder.WriteIni("[Skin]\nPath=" + broken.string() + "/\nFile=Carbon.zks\n");
    ::testing::internal::CaptureStderr();
    Load(1.0, "/log");
    const std::string stderrText = ::testing::internal::GetCapturedStderr();
    ASSERT_TRUE(m_loadResult);
    EXPECT_EQ(m_answers.skinErrors.size(), 1u);
    EXPECT_EQ(Player().CurrentSkin().skinFile, "Carbon.zks");
    const std::string why = "skin " + broken.string() + "/ not loaded: " + broken.string() +
        "/Title.bmp: required picture missing (neither .bmp nor .jpg)";
    // One line of ours (Qt may add its own warnings after it).
    EXPECT_EQ(stderrText.substr(0, stderrText.find('\n') + 1), "zelko: " + why + "\n");
    EXPECT_EQ(stderrText.find("zelko: ", 1), std::string::npos);
    EXPECT_NE(m_folder.ReadFile(m_folder.Path() / "Zelko.log").find(why + "\r\n"), std::string::npos);
}

// Configured or not, the message is shown once and the settings are still saved.
TEST(NoSkinStartupTest, WithoutAnySkinTheMessageIsShownOnceAndSettingsAreSaved)
{
    ProgramFolder folder(false);
    DialogAnswers answers;
    for (const char* ini : {"", "[PlayInfo]\nVolume=30\n[Skin]\nPath=/nowhere/\nFile=x.zks\n"}) {
        SCOPED_TRACE(ini);
        folder.WriteIni(ini);
        answers.skinErrors.clear();
        frmZelko player(PlayerOptions(folder, answers));
        EXPECT_FALSE(player.Form_Load());
        EXPECT_TRUE(player.IsUnloaded());
        EXPECT_EQ(answers.skinErrors.size(), 1u);
    }
    const platform::ProfileFile ini = platform::ProfileFile::Load(folder.Ini().string());
    EXPECT_EQ(ini.Value("PlayInfo", "Volume"), "30");
    EXPECT_EQ(ini.Value("Skin", "Path"), "/nowhere/");
}

} // namespace
} // namespace playertest
