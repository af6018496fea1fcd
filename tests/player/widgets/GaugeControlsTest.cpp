#include "player/skin/Skin.h"
#include "player/widgets/GaugeControls.h"

#include <gtest/gtest.h>

#include <vector>

using namespace skin;
using namespace widgets;

namespace {

class RecordingHost : public GaugeControls::Host {
public:
    void SeekToFraction(double fraction) override { seeks.push_back(fraction); }
    void SeekStep(int32_t ms) override { steps.push_back(ms); }
    void SetVolume(int32_t v) override
    {
        volumes.push_back(v);
        volume = v;
    }
    int32_t CurrentVolume() const override { return volume; }
    bool CanSeek() const override { return playing; }

    std::vector<double> seeks;
    std::vector<int32_t> steps;
    std::vector<int32_t> volumes;
    int32_t volume = 50;
    bool playing = true;
};

class GaugeControlsTest : public ::testing::Test {
protected:
    // The seek bar: x 10..110 (101 pixels), y 20..29; the volume gauge: x 200..300, y 20..29.
    void SetUp() override
    {
        for (const auto& [name, left] : {std::pair{"seekbar-container", 10}, std::pair{"volume-container", 200}}) {
            ClsZelkoRgn rgn;
            rgn.SetName(name);
            rgn.SetRgn(platform::Region(platform::Rect::FromSize(left, 20, 101, 10)));
            ASSERT_TRUE(m_skin.coRgns.Add(std::move(rgn)));
        }
    }
    static constexpr MouseButtons Left = static_cast<MouseButtons>(MouseButton::Left);

    Skin m_skin;
    RecordingHost m_host;
    GaugeControls m_controls{m_skin, m_host};
};

TEST_F(GaugeControlsTest, ADragOnTheSeekBarFollowsThePointerAndSeeksOnceOnRelease)
{
    EXPECT_TRUE(m_controls.MouseDown(MouseButton::Left, 30, 25));
    EXPECT_EQ(m_controls.SeekBarPercent(), 20);
    m_controls.MouseMove(Left, 60, 25);
    EXPECT_EQ(m_controls.SeekBarPercent(), 50);
    // Past the end the bar stays at its end.
    m_controls.MouseMove(Left, 400, 90);
    EXPECT_EQ(m_controls.SeekBarPercent(), 100);
    EXPECT_TRUE(m_host.seeks.empty());
    EXPECT_TRUE(m_controls.MouseUp(MouseButton::Left, 85, 25));
    ASSERT_EQ(m_host.seeks.size(), 1u);
    EXPECT_DOUBLE_EQ(m_host.seeks[0], 0.75);
    EXPECT_FALSE(m_controls.SeekBarPercent().has_value());
    // A press outside the gauges, with another button or while stopped is not taken.
    EXPECT_FALSE(m_controls.MouseDown(MouseButton::Left, 150, 25));
    EXPECT_FALSE(m_controls.MouseDown(MouseButton::Right, 30, 25));
    m_host.playing = false;
    EXPECT_FALSE(m_controls.MouseDown(MouseButton::Left, 30, 25));
    EXPECT_EQ(m_host.seeks.size(), 1u);
}

TEST_F(GaugeControlsTest, TheVolumeGaugeSetsTheVolumeInStepsOfOne)
{
    EXPECT_TRUE(m_controls.MouseDown(MouseButton::Left, 237, 22));
    m_controls.MouseMove(Left, 238, 22);
    m_controls.MouseMove(Left, 238, 40); // unchanged: not set again
    m_controls.MouseMove(Left, 100, 22); // left of the gauge: 0
    EXPECT_TRUE(m_controls.MouseUp(MouseButton::Left, 300, 22));
    EXPECT_EQ(m_host.volumes, (std::vector<int32_t>{37, 38, 0, 100}));
}

TEST_F(GaugeControlsTest, TheWheelOverTheSeekBarStepsFiveSecondsPerNotch)
{
    EXPECT_TRUE(m_controls.Wheel(120, 50, 25));
    EXPECT_TRUE(m_controls.Wheel(-240, 50, 25));
    // Half notches add up.
    EXPECT_TRUE(m_controls.Wheel(60, 50, 25));
    EXPECT_TRUE(m_controls.Wheel(60, 50, 25));
    EXPECT_FALSE(m_controls.Wheel(120, 250, 25));
    EXPECT_EQ(m_host.steps, (std::vector<int32_t>{5000, -10000, 5000}));
}

} // namespace
