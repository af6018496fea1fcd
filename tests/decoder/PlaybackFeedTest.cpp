// The playback thread feeding an output that takes less than it is offered:
// every decoded sample reaches the output once, in order, with the volume
// applied, up to the very end of the track.
#include "TestMedia.h"

#include "decoder/Mp3Source.h"
#include "decoder/NullAudioOutput.h"
#include "decoder/PlaybackEngine.h"

#include <gtest/gtest.h>

#include <chrono>
#include <mutex>
#include <thread>

namespace decoder::test {
namespace {

using namespace std::chrono_literals;

// A paced output whose free room is an odd size that no MP3 frame divides,
// keeping what it is given.
class NarrowOutput : public NullAudioOutput {
public:
    NarrowOutput(std::shared_ptr<const PacingClock> clock, std::vector<float>& kept, std::mutex& mutex)
        : NullAudioOutput(std::move(clock))
        , m_kept(kept)
        , m_mutex(mutex)
    {
    }
    int64_t WritableFrames() override { return std::min<int64_t>(NullAudioOutput::WritableFrames(), 1000); }
    bool Write(std::span<const float> interleaved) override
    {
        {
            std::lock_guard lock(m_mutex);
            m_kept.insert(m_kept.end(), interleaved.begin(), interleaved.end());
        }
        return NullAudioOutput::Write(interleaved);
    }

private:
    std::vector<float>& m_kept;
    std::mutex& m_mutex;
};

TEST(PlaybackFeedTest, AnOutputWithLittleRoomGetsEveryDecodedSampleWithTheVolumeApplied)
{
    TempDir dir;
    const auto mp3 = MakeMp3(dir, "tone", Tone{440, 1.0, 44100, 2, 0.5}, "-b 128");
    const auto decoded = DecodeMp3(mp3);
    ASSERT_TRUE(decoded);
    auto clock = std::make_shared<PacingClock>(20.0);
    std::vector<float> kept;
    std::mutex mutex;
    PlaybackEngine engine([&] { return std::make_unique<NarrowOutput>(clock, kept, mutex); }, clock);
    engine.SetGains(0.5f, 0.25f);
    std::shared_ptr<Mp3Source> track = Mp3Source::Open(mp3.string());
    ASSERT_TRUE(track);
    engine.Play(track);
    const auto deadline = std::chrono::steady_clock::now() + 10s;
    while (engine.CurrentState() != PlaybackEngine::State::Stopped && std::chrono::steady_clock::now() < deadline)
        std::this_thread::sleep_for(1ms);
    ASSERT_EQ(engine.CurrentState(), PlaybackEngine::State::Stopped);

    std::lock_guard lock(mutex);
    ASSERT_EQ(kept.size(), decoded->Samples.size());
    for (size_t i = 0; i < kept.size(); ++i) {
        const float gain = i % 2 == 0 ? 0.5f : 0.25f;
        ASSERT_FLOAT_EQ(kept[i], decoded->Samples[i] * gain) << "sample " << i;
    }
}

} // namespace
} // namespace decoder::test
