// The seek keys, the seek bar and the volume gauge of the real main window
// (offscreen, real decoder with the null output), through the adapter the
// desktop integration uses.
#include "PlayerTestSupport.h"

#include "player/FormPlayerControl.h"
#include "player/assisthost/ClsZelkoAssistHost.h"

using namespace playback;
using namespace skin;

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

// The drag rules are the gauges' own tests; here, that the window's seek bar
// and volume gauge reach the decoder and the play state.
TEST_F(DesktopInputTest, TheSeekBarAndTheVolumeGaugeReachThePlayer)
{
    // Carbon's seek bar: 20,118, 340 x 8; its volume gauge: 322,44, 36 x 14.
    StartTrack(60.0);
    Player().OnMouseDown(MouseButton::Left, KeyShift::None, 274, 122);
    Player().OnMouseUp(MouseButton::Left, KeyShift::None, 274, 122);
    EXPECT_NEAR(Ms(), 60000.0 * (274 - 20) / 339, 600);
    EXPECT_EQ(Player().DecoderState(), 1);
    Player().OnMouseDown(MouseButton::Left, KeyShift::None, 357, 50);
    Player().OnMouseUp(MouseButton::Left, KeyShift::None, 357, 50);
    EXPECT_EQ(ToRecord(Player().Playback().State()).Volume, 100);
}

} // namespace
} // namespace playertest
