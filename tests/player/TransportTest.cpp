// The transport commands' state table against the real decoder (null output).
#include "PlayerTestSupport.h"

#include <fstream>

namespace playertest {
namespace {

class TransportTest : public PlayerTest {
protected:
    void LoadWith(int tracks, double seconds = 2.0) {
        Load();
        ASSERT_TRUE(m_loadResult);
        if (tracks > 0) Player().AddMp3Files(Tracks(tracks, seconds));
    }
    void ExpectStopped() {
        EXPECT_TRUE(Player().Playback().bStop());
        EXPECT_FALSE(Player().Playback().bPlay());
        EXPECT_FALSE(Player().Playback().bPause());
        EXPECT_FALSE(Player().Loop().TimerActive());
    }
    void ExpectPlaying(std::int32_t track) {
        EXPECT_FALSE(Player().Playback().bStop());
        EXPECT_TRUE(Player().Playback().bPlay());
        EXPECT_FALSE(Player().Playback().bPause());
        EXPECT_TRUE(Player().Loop().TimerActive());
        EXPECT_EQ(Player().Playback().PlayPosition(), track);
        EXPECT_EQ(Player().App().TrackName(), "Track " + std::to_string(track));
    }
};

TEST_F(TransportTest, EmptyListPlayStaysStoppedAndSteppingDoesNothing) {
    LoadWith(0);
    Player().cButtonAction_PlayClick();
    ExpectStopped();
    Player().cButtonAction_NTrackClick();
    Player().cButtonAction_PTrackClick();
    Player().cPlayListAction_ItemDblClick(1);
    ExpectStopped();
    EXPECT_EQ(Player().Playback().PlayPosition(), 0);
}

TEST_F(TransportTest, PlayOpensTheCurrentTrackAndStartsTheTimer) {
    LoadWith(2);
    EXPECT_EQ(Player().Playback().PlayPosition(), 1);
    Player().cButtonAction_PlayClick();
    ExpectPlaying(1);
    EXPECT_EQ(Player().App().ArtistName(), "Tester");
    EXPECT_EQ(Player().Loop().TotalMs(), 2000);
    EXPECT_EQ(Player().Decoder().dec_getState(), 1);
    const protocol::PlayStateRecord& record = ToRecord(Player().Playback().State());
    EXPECT_EQ(record.bPlay, protocol::VbTrue);
    EXPECT_EQ(record.bStop, protocol::VbFalse);
}

TEST_F(TransportTest, TheOpenedTrackIsTheSongInformationForTheAssists) {
    LoadWith(2);
    Player().cPlayListAction_ItemDblClick(2);
    const protocol::SongInfoRecord& song = Player().AssistHost().SongInfo();
    EXPECT_EQ(protocol::SongFieldText(song.TrackName), "Track 2");
    EXPECT_EQ(protocol::SongFieldText(song.ArtistName), "Tester");
    EXPECT_EQ(protocol::SongFieldText(song.Mp3File), Player().Playback().coMp3Files().Item(2).Mp3File());
}

TEST_F(TransportTest, PauseTogglesAndPlayDoesNotResume) {
    LoadWith(1);
    Player().cButtonAction_PlayClick();
    Player().cButtonAction_PauseClick();
    EXPECT_TRUE(Player().Playback().bPause());
    EXPECT_EQ(Player().Decoder().dec_getState(), 2);
    EXPECT_TRUE(Player().Loop().TimerActive());  // pause leaves the timer running
    Player().cButtonAction_PlayClick();
    EXPECT_TRUE(Player().Playback().bPause());
    EXPECT_EQ(Player().Decoder().dec_getState(), 2);
    Player().cButtonAction_PauseClick();
    EXPECT_FALSE(Player().Playback().bPause());
    EXPECT_EQ(Player().Decoder().dec_getState(), 1);
}

TEST_F(TransportTest, StopKeepsTheCurrentTrackAndCommandsThatDoNotApplyAreIgnored) {
    LoadWith(3);
    Player().mnuP1Pause_Click();  // stopped: ignored
    Player().mnuP1Stop_Click();
    Player().cButtonAction_PauseClick();
    ExpectStopped();
    Player().cButtonAction_NTrackClick();
    Player().cButtonAction_PlayClick();
    ExpectPlaying(2);
    Player().mnuP1Play_Click();  // started: ignored
    ExpectPlaying(2);
    Player().cButtonAction_StopClick();
    ExpectStopped();
    EXPECT_EQ(Player().Playback().PlayPosition(), 2);
    EXPECT_EQ(Player().Decoder().dec_getState(), 0);
}

TEST_F(TransportTest, NextAndPreviousWrapWithAndWithoutRepeat) {
    LoadWith(3);
    for (bool repeat : {false, true}) {
        if (Player().Playback().bRepeat() != repeat) Player().cButtonAction_RepeatClick();
        Player().cPlayListAction_ItemDblClick(3);
        ExpectPlaying(3);
        Player().cButtonAction_NTrackClick();
        ExpectPlaying(1);
        Player().cButtonAction_PTrackClick();
        ExpectPlaying(3);
        Player().cButtonAction_StopClick();
    }
}

TEST_F(TransportTest, NextWhileStoppedOnlyMovesTheCurrentTrack) {
    LoadWith(3);
    Player().cButtonAction_NTrackClick();
    Player().cButtonAction_NTrackClick();
    ExpectStopped();
    EXPECT_EQ(Player().Playback().PlayPosition(), 3);
    Player().cButtonAction_NTrackClick();
    EXPECT_EQ(Player().Playback().PlayPosition(), 1);
    Player().cButtonAction_PTrackClick();
    EXPECT_EQ(Player().Playback().PlayPosition(), 3);
    ExpectStopped();
}

TEST_F(TransportTest, DoubleClickPlaysThatTrackAndIgnoresUnknownNumbers) {
    LoadWith(3);
    Player().cPlayListAction_ItemDblClick(2);
    ExpectPlaying(2);
    Player().cPlayListAction_ItemDblClick(2);  // restarts the current track
    ExpectPlaying(2);
    Player().cPlayListAction_ItemDblClick(0);
    Player().cPlayListAction_ItemDblClick(7);
    ExpectPlaying(2);
}

TEST_F(TransportTest, ATrackThatCannotBeOpenedLeavesThePlayerStartedWithoutSound) {
    const fs::path bad = m_folder.Path() / "broken.mp3";
    std::ofstream(bad) << "this is not audio";
    LoadWith(0);
    Player().AddMp3Files({bad.string()});
    EXPECT_EQ(Player().Playback().coMp3Files().Item(1).TotalSec(), 0);
    Player().cButtonAction_PlayClick();
    EXPECT_TRUE(Player().Playback().bPlay());
    EXPECT_FALSE(Player().Playback().bStop());
    EXPECT_FALSE(Player().Loop().TimerActive());
    EXPECT_NE(Player().App().TrackName().find("broken.mp3"), std::string::npos);
    Player().cButtonAction_StopClick();
    ExpectStopped();
}

TEST_F(TransportTest, VolumeStepsAndAssistVolumesStayInRange) {
    LoadWith(0);
    EXPECT_EQ(Player().Playback().Volume(), 50);
    Player().ApplyVolume(97);
    Player().cButtonAction_VolumePlusClick();
    EXPECT_EQ(Player().Playback().Volume(), 100);
    EXPECT_EQ(ToRecord(Player().Playback().State()).Volume, 100);
    Player().ApplyVolume(3);
    Player().cButtonAction_VolumeMinusClick();
    EXPECT_EQ(Player().Playback().Volume(), 0);
    Player().AssistHost().SetVolumeFromAssist(150);
    EXPECT_EQ(Player().Playback().Volume(), 100);
    Player().AssistHost().SetVolumeFromAssist(-5);
    EXPECT_EQ(Player().Playback().Volume(), 0);
    Player().AssistHost().SetVolumeFromAssist(42);
    EXPECT_EQ(ToRecord(Player().Playback().State()).Volume, 42);
}

TEST_F(TransportTest, ShuffleRebuildsThePlayOrderAndKeepsTheCurrentTrack) {
    LoadWith(0);
    std::vector<std::string> many;
    for (int i = 0; i < 12; ++i) many.push_back(Tones::Instance().Get(1.0, "Track 1"));
    Player().AddMp3Files(many);
    Player().cButtonAction_NTrackClick();
    Player().cButtonAction_ShuffleClick();
    EXPECT_TRUE(Player().Playback().bShuffle());
    std::vector<std::int32_t> order = Player().Playback().PlayOrder().Elements();
    EXPECT_NE(order, (std::vector<std::int32_t>{1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12}));
    std::sort(order.begin(), order.end());
    EXPECT_EQ(order, (std::vector<std::int32_t>{1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12}));
    EXPECT_EQ(Player().Playback().PlayPosition(), 2);
    Player().cButtonAction_ShuffleClick();
    EXPECT_EQ(Player().Playback().PlayOrder().Elements(), (std::vector<std::int32_t>{1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12}));
}

} // namespace
} // namespace playertest
