// The seek keys, the seek bar and the volume gauge of the real main window
// (offscreen, real decoder with the null output), through the adapter the
// desktop integration uses.
#include "PlayerTestSupport.h"

#include "player/FormPlayerControl.h"
#include "player/assisthost/ClsZelkoAssistHost.h"

namespace playertest {
namespace {

class DesktopInputTest : public PlayerTest {
protected:
    void StartTrack(double seconds)
    {
        Load();
        ASSERT_TRUE(m_loadResult);
        m_control = std::make_unique<FormPlayerControl>(Player());
        Player().AddMp3Files(Tracks(1, seconds));
        Player().cButtonAction_PlayClick();
        ASSERT_TRUE(WaitFor([&] { return Player().Decoder().dec_getPlayMs() > 100; }));
    }
    void TearDown() override
    {
        m_control.reset();
        PlayerTest::TearDown();
    }
    int32_t Ms() { return Player().Decoder().dec_getPlayMs(); }

    std::unique_ptr<FormPlayerControl> m_control;
};

TEST_F(DesktopInputTest, CtrlArrowsStepFiveAndThirtySeconds)
{
    StartTrack(60.0);
    const int32_t start = Ms();
    Player().Form_KeyUp(39, KeyShift::Ctrl);
    EXPECT_GE(Ms(), start + 5000);
    EXPECT_LT(Ms(), start + 5500);
    Player().Form_KeyUp(39, KeyShift::Ctrl | KeyShift::Shift);
    EXPECT_GE(Ms(), start + 35000);
    EXPECT_LT(Ms(), start + 35500);
    Player().Form_KeyUp(37, KeyShift::Ctrl | KeyShift::Shift);
    Player().Form_KeyUp(37, KeyShift::Ctrl);
    EXPECT_GE(Ms(), start);
    EXPECT_LT(Ms(), start + 1000);
}

TEST_F(DesktopInputTest, ASeekBarDragSeeksOnceOnRelease)
{
    // Carbon's seek bar: 20,118, 340 x 8.
    StartTrack(60.0);
    Player().OnMouseDown(MouseButton::Left, KeyShift::None, 105, 122);
    const auto left = static_cast<MouseButtons>(MouseButton::Left);
    Player().OnMouseMove(left, KeyShift::None, 200, 122);
    Player().OnMouseMove(left, KeyShift::None, 274, 122);
    // While dragging the bar shows the pointer, and the track has not moved.
    EXPECT_TRUE(WaitFor([&] { return Player().App().SeekPosition() == 75; }));
    EXPECT_LT(Ms(), 5000);
    Player().OnMouseUp(MouseButton::Left, KeyShift::None, 274, 122);
    const double expected = 60000.0 * (274 - 20) / 339;
    EXPECT_NEAR(Ms(), expected, 600);
    EXPECT_EQ(Player().DecoderState(), 1);
}

TEST_F(DesktopInputTest, TheVolumeGaugeSetsTheVolumeAndTheAssistsRecord)
{
    // Carbon's volume gauge: 322,44, 36 x 14.
    StartTrack(10.0);
    Player().OnMouseDown(MouseButton::Left, KeyShift::None, 357, 50);
    EXPECT_EQ(Player().Playback().Volume(), 100);
    Player().OnMouseMove(static_cast<MouseButtons>(MouseButton::Left), KeyShift::None, 329, 50);
    Player().OnMouseUp(MouseButton::Left, KeyShift::None, 329, 50);
    EXPECT_EQ(Player().Playback().Volume(), 20);
}

} // namespace
} // namespace playertest
