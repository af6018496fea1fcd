#include "decoder/AudioOutputFactory.h"
#include "decoder/NullAudioOutput.h"
#include "decoder/VolumeCurve.h"
#include "decoder/WavFileAudioOutput.h"
#include "support/CapturedLog.h"

#include <gtest/gtest.h>

#include <cmath>
#include <thread>
#include <vector>

namespace decoder {
namespace {

using namespace std::chrono_literals;

TEST(VolumeCurveTest, SilenceToUnityMonotonicAndPerceptuallySpread)
{
    EXPECT_EQ(VolumeCurve::Gain(-5), 0.0f);
    EXPECT_EQ(VolumeCurve::Gain(150), 1.0f);
    EXPECT_EQ(VolumeCurve::Gain(0), 0.0f);
    for (int v = 1; v <= 100; ++v)
        EXPECT_GT(VolumeCurve::Gain(v), VolumeCurve::Gain(v - 1)) << v;
    // About -18 dB at half volume, not the -6 dB of a linear gain.
    EXPECT_NEAR(20.0 * std::log10(VolumeCurve::Gain(50)), -18.06, 0.1);
}

// A sound card's position stands still while paused; so must the null output's.
TEST(NullAudioOutputTest, PlaysAtTheClockRateAndStandsStillWhilePaused)
{
    auto clock = std::make_shared<PacingClock>(1.0);
    NullAudioOutput out(clock, 250);
    ASSERT_TRUE(out.Open({1000, 1}));
    ASSERT_TRUE(out.Write(std::vector<float>(250, 0.0f)));
    out.SetPaused(true);
    const int64_t frozen = out.PlayedFrames();
    EXPECT_LT(frozen, 250);
    std::this_thread::sleep_for(30ms);
    EXPECT_EQ(out.PlayedFrames(), frozen);
}

TEST(WavFileAudioOutputTest, ConvertsSamplesToPcm16)
{
    EXPECT_EQ(WavFileAudioOutput::ToPcm16(-1.0f), -32767);
    EXPECT_EQ(WavFileAudioOutput::ToPcm16(2.0f), 32767);
    EXPECT_EQ(WavFileAudioOutput::ToPcm16(0.5f), 16384);
    auto clock = std::make_shared<PacingClock>();
    WavFileAudioOutput out("/nonexistent-folder/x.wav", clock);
    EXPECT_FALSE(out.Open({44100, 2}));
    EXPECT_TRUE(out.Failed());
}

TEST(AudioOutputFactoryTest, ReadsTheSetting)
{
    using Kind = AudioChoice::Kind;
    EXPECT_EQ(AudioOutputFactory::Parse("")->Output, Kind::Auto);
    EXPECT_EQ(AudioOutputFactory::Parse("pulse")->Output, Kind::Pulse);
    const auto wav = AudioOutputFactory::Parse("wav:/tmp/a b.wav");
    ASSERT_TRUE(wav);
    EXPECT_EQ(wav->Output, Kind::Wav);
    EXPECT_EQ(wav->WavPath, "/tmp/a b.wav");
    EXPECT_FALSE(AudioOutputFactory::Parse("wav:"));
    EXPECT_FALSE(AudioOutputFactory::Parse("alsa"));
    testsupport::CapturedLog log;
    EXPECT_NE(AudioOutputFactory::Create("alsa", std::make_shared<PacingClock>()), nullptr);
    ASSERT_FALSE(log.Lines().empty());
    EXPECT_EQ(log.Lines().front(), "zelko: ZELKO_AUDIO=alsa names no output (auto, pulse, null, wav:PATH); using auto");
}

} // namespace
} // namespace decoder
