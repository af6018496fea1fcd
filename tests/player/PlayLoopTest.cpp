// Tracks play on the null output with a fast clock.
#include "PlayerTestSupport.h"

#include "player/skin/SkinWindow.h"

#include <tuple>

using namespace shell;

namespace playertest {
namespace {

class PlayLoopTest : public PlayerTest {
protected:
    bool WaitUntilStopped(int timeoutMs = 5000)
    {
        return WaitFor([this] { return Player().Playback().bStop(); }, timeoutMs);
    }
    bool WaitUntilPlaying(std::int32_t position)
    {
        return WaitFor([this, position] { return Player().Playback().PlayPosition() == position && Player().Playback().bPlay(); });
    }
};

// Past the last track: stopped at the first (repeat: playing it); after a clear, no track.
TEST_F(PlayLoopTest, EndOfTrackRules)
{
    Load(20.0);
    Player().AddMp3Files(Tracks(2, 1.0));
    Player().cPlayListAction_ItemDblClick(2);
    ASSERT_TRUE(Player().Playback().bPlay());
    ASSERT_TRUE(WaitUntilStopped());
    EXPECT_FALSE(Player().Loop().TimerActive());
    EXPECT_EQ(Player().Playback().PlayPosition(), 1);
    EXPECT_EQ(Player().Decoder().dec_getState(), 0);

    Player().cButtonAction_RepeatClick();
    Player().cPlayListAction_ItemDblClick(2);
    ASSERT_TRUE(WaitUntilPlaying(1));
    EXPECT_EQ(Player().App().TrackName(), "Track 1");

    Player().mnuP2ItemClear_Click();
    EXPECT_TRUE(Player().Playback().bPlay()); // the playing track goes on
    ASSERT_TRUE(WaitUntilStopped());
    EXPECT_EQ(Player().Playback().PlayPosition(), 0);
}

TEST_F(PlayLoopTest, TimeDigitsAndSeekBarAreRedrawnOnlyWhenTheyChange)
{
    Load(10.0);
    Player().AddMp3Files({Tones::Instance().Get(25.0, "Long")});
    const PlayLoop::RedrawCounts before = Player().Loop().Redraws();
    Player().cButtonAction_PlayClick();
    ASSERT_TRUE(WaitUntilStopped(10000));
    const PlayLoop::RedrawCounts& after = Player().Loop().Redraws();
    // The first tick draws all five; then seconds change at most 25 times, minutes never.
    for (std::size_t digit : {0u, 1u, 2u})
        EXPECT_EQ(after.timeDigits[digit] - before.timeDigits[digit], 1) << digit;
    EXPECT_LE(after.timeDigits[3] - before.timeDigits[3], 4);
    EXPECT_GE(after.timeDigits[4] - before.timeDigits[4], 12); // loose: a late tick may skip a second
    EXPECT_LE(after.timeDigits[4] - before.timeDigits[4], 27);
    EXPECT_LE(after.seekBar - before.seekBar, 101);
    // The analyser is redrawn on every tick, far more often than the digits.
    EXPECT_GT(after.spectrum - before.spectrum, after.timeDigits[4] - before.timeDigits[4]);
}

TEST_F(PlayLoopTest, ATrackOfZeroSecondsShowsASeekPositionOfZero)
{
    Load(1.0);
    Player().AddMp3Files({Tones::Instance().Get(0.5, "Short")});
    Player().cButtonAction_PlayClick();
    EXPECT_EQ(Player().Loop().TotalMs(), 0);
    for (int i = 0; i < 5; ++i)
        Player().Loop().PlayTimer_Timer();
    EXPECT_EQ(Player().App().SeekPosition(), 0);
    ASSERT_TRUE(WaitUntilStopped());
}

TEST_F(PlayLoopTest, NothingIsDrawnWhileMinimised)
{
    Load(1.0);
    Player().AddMp3Files(Tracks(1, 2.0));
    Player().cButtonAction_PlayClick();
    Player().MinimizeWindow();
    ASSERT_TRUE(Player().IsMinimized());
    const PlayLoop::RedrawCounts before = Player().Loop().Redraws();
    for (int i = 0; i < 20; ++i)
        Player().Loop().PlayTimer_Timer();
    const PlayLoop::RedrawCounts& after = Player().Loop().Redraws();
    EXPECT_EQ(std::tie(after.spectrum, after.seekBar, after.timeDigits), std::tie(before.spectrum, before.seekBar, before.timeDigits));
    Player().RestoreWindow();
    Player().Loop().PlayTimer_Timer();
    EXPECT_EQ(Player().Loop().Redraws().spectrum, before.spectrum + 1);
}

TEST_F(PlayLoopTest, TheSkinChangesWithTheMusicUnlessMinimised)
{
    Load(20.0);
    ASSERT_EQ(Player().CurrentSkin().skinFile, "Carbon.zks");
    Player().AddMp3Files(Tracks(2, 1.0));
    Player().cButtonAction_RepeatClick();
    Player().App().SetSkinWithMusic(true);
    Player().cButtonAction_PlayClick();
    ASSERT_TRUE(WaitUntilPlaying(2));
    EXPECT_EQ(Player().CurrentSkin().skinFile, "Meadow.zks");
    Player().MinimizeWindow();
    ASSERT_TRUE(WaitUntilPlaying(1));
    EXPECT_EQ(Player().CurrentSkin().skinFile, "Meadow.zks");
}

} // namespace
} // namespace playertest
