// The transport commands' state table against the real decoder (null output).
#include "PlayerTestSupport.h"

#include <tuple>

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
    Player().cButtonAction_NTrackClick();
    Player().cButtonAction_PTrackClick();
    Player().cPlayListAction_ItemDblClick(1);
    ExpectStopped();
    EXPECT_EQ(Player().Playback().PlayPosition(), 0);
}

// The opened track is also the song information for the assists.
TEST_F(TransportTest, PlayOpensTheCurrentTrackAndPauseTogglesButPlayDoesNotResume)
{
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
    const protocol::SongInfoRecord& song = Player().AssistHost().SongInfo();
    EXPECT_EQ(protocol::SongFieldText(song.TrackName), "Track 1");
    EXPECT_EQ(protocol::SongFieldText(song.ArtistName), "Tester");
    EXPECT_EQ(protocol::SongFieldText(song.Mp3File), Player().Playback().coMp3Files().Item(1).Mp3File());

    // Each row: a command, and the pause flag and decoder state after it.
    const std::vector<std::tuple<void (frmZelko::*)(), bool, int>> rows{
        {&frmZelko::cButtonAction_PauseClick, true, 2},
        {&frmZelko::cButtonAction_PlayClick, true, 2},
        {&frmZelko::cButtonAction_PauseClick, false, 1},
    };
    for (const auto& [command, paused, state] : rows) {
        (Player().*command)();
        EXPECT_EQ(Player().Playback().bPause(), paused);
        EXPECT_EQ(Player().Decoder().dec_getState(), state);
        EXPECT_TRUE(Player().Loop().TimerActive()); // pause leaves the timer running
    }
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

// Stopped, they only move the current track; a double click plays the track
// it names (restarting the current one) and ignores unknown numbers.
TEST_F(TransportTest, NextPreviousAndDoubleClickWrapWithAndWithoutRepeat)
{
    LoadWith(3);
    Player().cButtonAction_NTrackClick();
    Player().cButtonAction_NTrackClick();
    EXPECT_EQ(Player().Playback().PlayPosition(), 3);
    Player().cButtonAction_NTrackClick();
    EXPECT_EQ(Player().Playback().PlayPosition(), 1);
    Player().cButtonAction_PTrackClick();
    EXPECT_EQ(Player().Playback().PlayPosition(), 3);
    ExpectStopped();
    for (bool repeat : {false, true}) {
        if (Player().Playback().bRepeat() != repeat) Player().cButtonAction_RepeatClick();
        Player().cPlayListAction_ItemDblClick(3);
        ExpectPlaying(3);
        Player().cButtonAction_NTrackClick();
        ExpectPlaying(1);
        Player().cButtonAction_PTrackClick();
        ExpectPlaying(3);
    }
    Player().cPlayListAction_ItemDblClick(2);
    Player().cPlayListAction_ItemDblClick(2);
    ExpectPlaying(2);
    Player().cPlayListAction_ItemDblClick(0);
    Player().cPlayListAction_ItemDblClick(7);
    ExpectPlaying(2);
}

// The rules are the volume rules'; here, that every way in goes through them
// and reaches the record the assists read.
TEST_F(TransportTest, VolumeStepsAndAssistVolumesStayInRange) {
    LoadWith(0);
    EXPECT_EQ(Player().Playback().Volume(), 50);
    Player().ApplyVolume(97);
    Player().cButtonAction_VolumePlusClick();
    EXPECT_EQ(ToRecord(Player().Playback().State()).Volume, 100);
    Player().ApplyVolume(3);
    Player().cButtonAction_VolumeMinusClick();
    EXPECT_EQ(Player().Playback().Volume(), 0);
    Player().AssistHost().SetVolumeFromAssist(150);
    EXPECT_EQ(Player().Playback().Volume(), 100);
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
