// The sound-server output against a real PulseAudio server of the test's own.
#include "TestMedia.h"

#include "decoder/Decoder.h"
#include "decoder/VolumeCurve.h"
#include "support/PrivatePulseServer.h"
#include "support/ScopedEnvironment.h"

#include <gtest/gtest.h>
#include <pulse/volume.h>

#include <algorithm>
#include <cstring>
#include <optional>
#include <sys/socket.h>
#include <sys/un.h>
#include <thread>

namespace decoder::test {
namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;
using testsupport::PrivatePulseServer;
using testsupport::ScopedEnvironment;

// One field of the server's only playback stream, as pactl lists it.
std::optional<std::string> SinkInputField(const PrivatePulseServer& server, const std::string& field)
{
    const std::string list = server.Pactl("list sink-inputs");
    const std::string key = "\t" + field + ": ";
    const size_t at = list.find(key);
    if (at == std::string::npos)
        return std::nullopt;
    const size_t from = at + key.size();
    return list.substr(from, list.find('\n', from) - from);
}

class PulseAudioOutputTest : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        s_dir = new TempDir();
        s_tone = new fs::path(MakeMp3(*s_dir, "tone", Tone{440, 3.0, 44100, 2, 0.5}, "-b 128"));
    }
    static void TearDownTestSuite()
    {
        delete s_tone;
        delete s_dir;
    }
    void SetUp() override { ASSERT_TRUE(m_server.Running()) << "pulseaudio did not start: " << m_server.Log(); }

    void StartPlaying(Decoder& d)
    {
        TrackOpenRecord record;
        ASSERT_TRUE(d.dec_open(s_tone->string(), record));
        d.dec_play();
        ASSERT_TRUE(WaitUntil([&] { return d.OutputName() == "pulse" && d.dec_getPlayMs() > 0; }))
            << "output " << d.OutputName();
    }

    PrivatePulseServer m_server;
    static inline TempDir* s_dir = nullptr;
    static inline fs::path* s_tone = nullptr;
};

TEST_F(PulseAudioOutputTest, TheStreamStartsItsPositionFollowsTheServersClockAndTheWholeTrackIsHeard)
{
    Decoder d(DecoderOptions{"pulse", 1.0});
    const auto start = std::chrono::steady_clock::now();
    StartPlaying(d);
    EXPECT_EQ(SinkInputField(m_server, "Corked").value_or("?"), "no");

    // The null sink's clock runs with the system's: what has been heard never
    // exceeds the time since play was asked for, and never goes back.
    const int32_t first = d.dec_getPlayMs();
    int32_t last = first;
    const auto sampling = std::chrono::steady_clock::now();
    while (std::chrono::steady_clock::now() - sampling < 1500ms) {
        const int32_t playMs = d.dec_getPlayMs();
        const auto elapsed = std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - start);
        EXPECT_LE(playMs, elapsed.count() + 20) << "at " << elapsed.count() << " ms";
        EXPECT_GE(playMs, last);
        last = playMs;
        std::this_thread::sleep_for(20ms);
    }
    EXPECT_GT(last - first, 300);

    // The first fill (the whole queue) goes in several transfers: none is
    // lost, so the heard position goes on to the end of the track.
    int32_t heard = 0;
    ASSERT_TRUE(WaitUntil([&] {
        const int32_t playMs = d.dec_getPlayMs();
        if (d.dec_getState() != 1)
            return true;
        heard = std::max(heard, playMs);
        return false;
    },
                          5000ms));
    EXPECT_GE(heard, 2800);
    EXPECT_NEAR(d.dec_getPlayMs(), 3000, 30);
}

TEST_F(PulseAudioOutputTest, PauseCorksTheStreamAtOnceAndResumeUncorksIt)
{
    // "front-left: 8192 /  13% / -54.19 dB,   front-right: ..."
    const auto volumeIs = [&](int32_t volume) {
        const std::string expected = std::to_string(pa_sw_volume_from_linear(VolumeCurve::Gain(volume))) + " /";
        return SinkInputField(m_server, "Volume").value_or("").find("front-left: " + expected) != std::string::npos;
    };
    Decoder d(DecoderOptions{"pulse", 1.0});
    d.dec_setVolume(80, 80);
    StartPlaying(d);
    EXPECT_TRUE(WaitUntil([&] { return volumeIs(80); }, 3000ms)) << SinkInputField(m_server, "Volume").value_or("");
    d.dec_setVolume(30, 30);
    EXPECT_TRUE(WaitUntil([&] { return volumeIs(30); }, 3000ms)) << SinkInputField(m_server, "Volume").value_or("");
    std::this_thread::sleep_for(300ms);
    d.dec_pause();
    const int32_t frozen = d.dec_getPlayMs();
    EXPECT_TRUE(WaitUntil([&] { return SinkInputField(m_server, "Corked") == "yes"; }, 3000ms));
    std::this_thread::sleep_for(200ms);
    EXPECT_EQ(d.dec_getPlayMs(), frozen);
    EXPECT_EQ(d.dec_getState(), 2);

    d.dec_restart();
    EXPECT_TRUE(WaitUntil([&] { return SinkInputField(m_server, "Corked") == "no"; }, 3000ms));
    EXPECT_TRUE(WaitUntil([&] { return d.dec_getPlayMs() > frozen + 100; }, 3000ms));
    // Stop ends the stream at once rather than letting the queue play out.
    d.dec_stop();
    EXPECT_TRUE(WaitUntil([&] { return m_server.Pactl("list short sink-inputs").empty(); }, 3000ms));
}

TEST_F(PulseAudioOutputTest, AServerKilledMidTrackFallsBackToSilenceAndTheTrackEnds)
{
    Decoder d(DecoderOptions{"pulse", 1.0});
    StartPlaying(d);
    ASSERT_TRUE(WaitUntil([&] { return d.dec_getPlayMs() > 500; }));
    m_server.Kill();
    EXPECT_TRUE(WaitUntil([&] { return d.OutputName() == "null"; }, 5000ms));
    EXPECT_EQ(d.dec_getState(), 1);
    EXPECT_TRUE(WaitUntil([&] { return d.dec_getState() == 0; }, 8000ms));
    EXPECT_NEAR(d.dec_getPlayMs(), 3000, 100);
}

TEST(PulseAudioOutputStartTest, WithNoServerOrOneThatNeverAnswersTheTrackPlaysWithoutSoundAfterOneLogLine)
{
    TempDir dir;
    // A socket that takes connections and never says a word.
    const fs::path silent = dir.Path("silent");
    const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
    sockaddr_un a{};
    a.sun_family = AF_UNIX;
    std::strncpy(a.sun_path, silent.c_str(), sizeof a.sun_path - 1);
    ASSERT_EQ(::bind(fd, reinterpret_cast<sockaddr*>(&a), sizeof a), 0);
    ASSERT_EQ(::listen(fd, 16), 0);
    const auto tone = MakeMp3(dir, "tone", Tone{440, 1.0, 44100, 2, 0.5}, "-b 128");

    for (const fs::path& server : {dir.Path("nothing-here"), silent}) {
        SCOPED_TRACE(server.filename().string());
        ScopedEnvironment variable("PULSE_SERVER", ("unix:" + server.string()).c_str());
        testing::internal::CaptureStderr();
        {
            Decoder d(DecoderOptions{"pulse", 1.0});
            const auto before = std::chrono::steady_clock::now();
            d.dec_init();
            TrackOpenRecord record;
            ASSERT_TRUE(d.dec_open(tone.string(), record));
            d.dec_play();
            // The user-interface calls never wait for the server.
            EXPECT_LT(std::chrono::steady_clock::now() - before, 500ms);
            EXPECT_TRUE(WaitUntil([&] { return d.OutputName() == "null"; }, 5000ms));
            EXPECT_TRUE(WaitUntil([&] { return d.dec_getPlayMs() > 100; }, 3000ms));
        }
        const std::string err = testing::internal::GetCapturedStderr();
        EXPECT_EQ(std::count(err.begin(), err.end(), '\n'), 1) << err;
        EXPECT_NE(err.find("no sound server"), std::string::npos) << err;
    }
    ::close(fd);
}

} // namespace
} // namespace decoder::test
