#include "TestMedia.h"

#include "decoder/Mp3Source.h"
#include "decoder/NullAudioOutput.h"
#include "decoder/PlaybackEngine.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <atomic>

namespace decoder::test {
namespace {

using namespace std::chrono_literals;

class PlaybackEngineTest : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        s_dir = new TempDir();
        s_tone = new std::filesystem::path(MakeMp3(*s_dir, "tone", Tone{1000, 2.0, 44100, 2, 0.5}, "-b 128"));
    }
    static void TearDownTestSuite()
    {
        delete s_tone;
        delete s_dir;
    }

    static bool PlayToEnd(PlaybackEngine& engine, std::chrono::milliseconds limit = 5s)
    {
        std::shared_ptr<Mp3Source> track = Mp3Source::Open(s_tone->string());
        if (!track)
            return false;
        engine.Play(track);
        return WaitUntil([&] { return engine.CurrentState() == PlaybackEngine::State::Stopped; }, limit);
    }

    static inline TempDir* s_dir = nullptr;
    static inline std::filesystem::path* s_tone = nullptr;
};

// A sound server that stops answering, without reporting a failure.
class HungOutput : public NullAudioOutput {
public:
    explicit HungOutput(std::shared_ptr<const PacingClock> clock)
        : NullAudioOutput(std::move(clock))
    {}
    std::string Name() const override { return "hung"; }
    int64_t WritableFrames() override { return m_hung ? 0 : NullAudioOutput::WritableFrames(); }
    bool Write(std::span<const float> interleaved) override
    {
        m_hung = true;
        return NullAudioOutput::Write(interleaved);
    }
    void SetPaused(bool) override {}
    int64_t PlayedFrames() override { return 0; }
    bool Drained() override { return false; }

private:
    std::atomic<bool> m_hung{false};
};

TEST_F(PlaybackEngineTest, AnOutputThatHangsIsReplacedAfterThreeSeconds)
{
    auto clock = std::make_shared<PacingClock>(20.0);
    PlaybackEngine engine([&] { return std::make_unique<HungOutput>(clock); }, clock);
    const auto start = std::chrono::steady_clock::now();
    ASSERT_TRUE(PlayToEnd(engine, 8s));
    EXPECT_GE(std::chrono::steady_clock::now() - start, 2900ms);
    EXPECT_EQ(engine.OutputName(), "null");
}

TEST_F(PlaybackEngineTest, StopAndPlayAgainWhileTheThreadIsBusy)
{
    auto clock = std::make_shared<PacingClock>(50.0);
    PlaybackEngine engine([&] { return std::make_unique<NullAudioOutput>(clock); }, clock);
    std::shared_ptr<Mp3Source> track = Mp3Source::Open(s_tone->string());
    ASSERT_TRUE(track);
    for (int i = 0; i < 50; ++i) {
        engine.Play(track);
        if (i % 3 == 0)
            engine.Pause();
        if (i % 3 == 1)
            engine.Stop();
    }
    engine.Stop();
    EXPECT_EQ(engine.CurrentState(), PlaybackEngine::State::Stopped);
    ASSERT_TRUE(PlayToEnd(engine));
    EXPECT_NEAR(engine.PlayMs(), 2000, 30);
}

// An output whose heard position the test sets, counting the frames it is given.
class SteeredOutput : public NullAudioOutput {
public:
    SteeredOutput(std::shared_ptr<const PacingClock> clock, std::atomic<int64_t>& played, std::atomic<int64_t>& written)
        : NullAudioOutput(std::move(clock))
        , m_played(played)
        , m_written(written)
    {
    }
    bool Write(std::span<const float> interleaved) override
    {
        m_written += static_cast<int64_t>(interleaved.size() / 2);
        return NullAudioOutput::Write(interleaved);
    }
    int64_t PlayedFrames() override { return m_played.load(); }

private:
    std::atomic<int64_t>& m_played;
    std::atomic<int64_t>& m_written;
};

TEST_F(PlaybackEngineTest, SpectrumIsThatOfTheLastHopHeard)
{
    auto clock = std::make_shared<PacingClock>(1.0);
    std::atomic<int64_t> played{0};
    std::atomic<int64_t> written{0};
    PlaybackEngine engine([&] { return std::make_unique<SteeredOutput>(clock, played, written); }, clock);
    std::shared_ptr<Mp3Source> track = Mp3Source::Open(s_tone->string());
    ASSERT_TRUE(track);
    engine.Play(track);
    ASSERT_TRUE(WaitUntil([&] { return written.load() >= 8192; }, 2s));

    std::array<int32_t, 256> left{};
    std::array<int32_t, 256> right{};
    const auto peak = [&] { return *std::max_element(left.begin(), left.end()); };
    engine.Spectrum(left, right);
    EXPECT_EQ(peak(), 0); // nothing heard yet
    // Until 10 ms of sound have been heard, the window ends at the start.
    played = 440;
    engine.Spectrum(left, right);
    EXPECT_EQ(peak(), 0);
    // One hop on, the tone shows at its bin (1000 Hz * 512 / 44100 = 11.6).
    played = 441;
    engine.Spectrum(left, right);
    EXPECT_GT(peak(), 100);
    EXPECT_NEAR(std::max_element(left.begin(), left.end()) - left.begin(), 12, 1);
    engine.Stop();
    engine.Spectrum(left, right);
    EXPECT_EQ(peak(), 0);
}

// An output that remembers the rate of the last stream opened.
class RateRecordingOutput : public NullAudioOutput {
public:
    RateRecordingOutput(std::shared_ptr<const PacingClock> clock, std::atomic<int32_t>& rate)
        : NullAudioOutput(std::move(clock))
        , m_rate(rate)
    {
    }
    bool Open(AudioFormat format) override
    {
        m_rate = format.Rate;
        return NullAudioOutput::Open(format);
    }

private:
    std::atomic<int32_t>& m_rate;
};

// In the two-format file, the first part's last 250 ms (the null output's
// queue) play out from about 0.8 s on; a seek at 1 s comes while they do.
TEST_F(PlaybackEngineTest, ASeekWhileTheOldFormatPlaysOutReopensTheOutputInTheNewFormat)
{
    const auto joined = TwoFormatsMp3(*s_dir);
    auto clock = std::make_shared<PacingClock>(1.0);
    std::atomic<int32_t> rate{0};
    PlaybackEngine engine([&] { return std::make_unique<RateRecordingOutput>(clock, rate); }, clock);
    engine.Play(Mp3Source::Open(joined.string()));
    ASSERT_TRUE(WaitUntil([&] { return engine.PlayMs() >= 1000; }));
    engine.Seek(1500);
    ASSERT_TRUE(WaitUntil([&] { return engine.CurrentState() == PlaybackEngine::State::Stopped; }));
    EXPECT_EQ(rate.load(), 32000);
}

} // namespace
} // namespace decoder::test
