// Each transport command once through the main window; the rules are the playback classes' tests.
#include "PlayerTestSupport.h"

#include <tuple>

using namespace playback;

namespace playertest {
namespace {

class TransportTest : public PlayerTest {
protected:
    void LoadWith(int tracks)
    {
        Load();
        ASSERT_TRUE(m_loadResult);
        if (tracks > 0)
            Player().AddMp3Files(Tracks(tracks));
    }
    void ExpectStopped()
    {
        EXPECT_TRUE(Player().Playback().bStop());
        EXPECT_FALSE(Player().Playback().bPlay());
        EXPECT_FALSE(Player().Loop().TimerActive());
    }
    void ExpectPlaying(std::int32_t track)
    {
        EXPECT_TRUE(Player().Playback().bPlay());
        EXPECT_FALSE(Player().Playback().bPause());
        EXPECT_TRUE(Player().Loop().TimerActive());
        EXPECT_EQ(Player().App().TrackName(), "Track " + std::to_string(track));
    }
};

TEST_F(TransportTest, EmptyListPlayStaysStoppedAndSteppingDoesNothing)
{
    LoadWith(0);
    Player().cButtonAction_PlayClick();
    Player().cButtonAction_NTrackClick();
    Player().cPlayListAction_ItemDblClick(1);
    ExpectStopped();
    EXPECT_EQ(Player().Playback().PlayPosition(), 0);
}

// The opened track is also the song information for the assists.
TEST_F(TransportTest, PlayPauseStopAndVolumeFollowTheStateTable)
{
    LoadWith(3);
    Player().mnuP1Pause_Click(); // stopped: ignored
    ExpectStopped();
    Player().cButtonAction_PlayClick();
    ExpectPlaying(1);
    EXPECT_EQ(Player().Loop().TotalMs(), 2000);
    EXPECT_EQ(ToRecord(Player().Playback().State()).bPlay, protocol::VbTrue);
    const protocol::SongInfoRecord& song = Player().AssistHost().SongInfo();
    EXPECT_EQ(protocol::SongFieldText(song.TrackName), "Track 1");
    EXPECT_EQ(protocol::SongFieldText(song.ArtistName), "Tester");

    // Each row: a command, then the pause flag and decoder state; the timer runs on.
    const std::vector<std::tuple<void (frmZelko::*)(), bool, int>> rows{
        {&frmZelko::cButtonAction_PauseClick, true, 2},
        {&frmZelko::cButtonAction_PlayClick, true, 2},
        {&frmZelko::mnuP1Play_Click, true, 2},
        {&frmZelko::cButtonAction_PauseClick, false, 1},
    };
    for (const auto& [command, paused, state] : rows) {
        (Player().*command)();
        EXPECT_EQ(Player().Playback().bPause(), paused);
        EXPECT_EQ(Player().Decoder().dec_getState(), state);
        EXPECT_TRUE(Player().Loop().TimerActive());
    }
    Player().cButtonAction_NTrackClick();
    ExpectPlaying(2);
    Player().cButtonAction_StopClick();
    ExpectStopped();
    EXPECT_EQ(Player().Playback().PlayPosition(), 2);
    EXPECT_EQ(Player().Decoder().dec_getState(), 0);

    // The volume buttons reach the record the assists read.
    Player().ApplyVolume(97);
    Player().cButtonAction_VolumePlusClick();
    EXPECT_EQ(ToRecord(Player().Playback().State()).Volume, 100);
    Player().cButtonAction_VolumeMinusClick();
    EXPECT_EQ(ToRecord(Player().Playback().State()).Volume, 95);
}

// Stopped, they only move the current track; a double click ignores unknown numbers.
TEST_F(TransportTest, NextPreviousAndDoubleClickMoveTheCurrentTrack)
{
    LoadWith(3);
    Player().cButtonAction_PTrackClick();
    EXPECT_EQ(Player().Playback().PlayPosition(), 3);
    ExpectStopped();
    Player().cPlayListAction_ItemDblClick(2);
    ExpectPlaying(2);
    Player().cButtonAction_NTrackClick();
    ExpectPlaying(3);
    Player().cPlayListAction_ItemDblClick(7);
    ExpectPlaying(3);
}

TEST_F(TransportTest, ShuffleAndRepeatRebuildThePlayOrderAndKeepTheCurrentTrack)
{
    LoadWith(0);
    Player().AddMp3Files(std::vector<std::string>(12, Tones::Instance().Get(1.0, "Track 1")));
    const std::vector<std::int32_t> plain{1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12};
    Player().cButtonAction_NTrackClick();
    Player().cButtonAction_ShuffleClick();
    Player().cButtonAction_RepeatClick();
    EXPECT_TRUE(Player().Playback().bRepeat());
    EXPECT_NE(Player().Playback().PlayOrder().Elements(), plain);
    EXPECT_EQ(Player().Playback().PlayPosition(), 2);
    Player().cButtonAction_ShuffleClick();
    EXPECT_EQ(Player().Playback().PlayOrder().Elements(), plain);
}

} // namespace
} // namespace playertest
