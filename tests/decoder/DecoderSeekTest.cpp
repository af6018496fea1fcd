// dec_seek on a tone whose frequency changes every second, so that the
// spectrum tells which second is heard.
#include "TestMedia.h"

#include "decoder/Decoder.h"
#include "decoder/Mp3Source.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <numbers>
#include <thread>

namespace decoder::test {
namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;

constexpr int32_t Rate = 44100;
constexpr int Seconds = 6;

// Second k of the test tone lies exactly on this analyser bin.
int BinOfSecond(int k)
{
    return 12 + 6 * k;
}

// Raw stereo 16-bit samples (for lame -r): second k is a sine on BinOfSecond(k).
void WriteSteppedTone(const fs::path& path)
{
    std::string data;
    double phase = 0;
    for (int32_t f = 0; f < Rate * Seconds; ++f) {
        phase += 2 * std::numbers::pi * BinOfSecond(f / Rate) / 512;
        const auto v = static_cast<uint16_t>(static_cast<int16_t>(std::lrint(0.5 * 32767 * std::sin(phase))));
        for (int channel = 0; channel < 2; ++channel)
            data += {static_cast<char>(v & 0xFF), static_cast<char>(v >> 8)};
    }
    WriteFileBytes(path, data);
}

int DominantBin(Decoder& d)
{
    std::array<int32_t, 256> left{};
    std::array<int32_t, 256> right{};
    d.dec_getSpectrum(left, right);
    if (*std::max_element(left.begin(), left.end()) == 0)
        return -1;
    return static_cast<int>(std::max_element(left.begin(), left.end()) - left.begin());
}

// The stepped tone encoded with the lame arguments, made once per name.
fs::path SteppedMp3(const TempDir& dir, const std::string& name, const std::string& lameArguments)
{
    const auto raw = dir.Path("stepped.raw");
    const auto mp3 = dir.Path(name + ".mp3");
    if (!fs::exists(raw))
        WriteSteppedTone(raw);
    if (!fs::exists(mp3) && !testsupport::EncodeMp3(raw, mp3, "-r -s 44.1 -m j " + lameArguments))
        ADD_FAILURE() << "lame failed for " << name;
    return mp3;
}

class DecoderSeekTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { s_dir = new TempDir(); }
    static void TearDownTestSuite()
    {
        delete s_dir;
        s_dir = nullptr;
    }

    void Start(Decoder& d)
    {
        d.dec_init();
        TrackOpenRecord record;
        ASSERT_TRUE(d.dec_open(m_mp3.string(), record));
        d.dec_play();
        ASSERT_TRUE(WaitUntil([&] { return d.dec_getPlayMs() >= 100; }));
    }

    static inline TempDir* s_dir = nullptr;
    const fs::path m_mp3 = SteppedMp3(*s_dir, "vbr_without_seek_table", "-V 2 -t");
};

// The margins (45 ms after a change of tone, 60 ms before one) hold the
// encoder's delay; a seek off by more than 50 ms shows the neighbouring second.
TEST_F(DecoderSeekTest, WhilePausedThePositionSpectrumAndLyricsShowTheSoughtPlace)
{
    const auto lrc = s_dir->Path("stepped.lrc");
    WriteFileBytes(lrc, "[00:01.00]one\n[00:02.00]two\n[00:03.00]three\n[00:04.00]four\n");
    Decoder d(DecoderOptions{"null", 1.0});
    ASSERT_TRUE(d.dec_setLyricsFile(lrc.string()));
    Start(d);
    d.dec_pause();
    for (const int32_t t : {2045, 3940, 1045, 5045}) {
        d.dec_seek(t);
        EXPECT_EQ(d.dec_getPlayMs(), t);
        LyricsRecord record;
        d.dec_getLyrics(record);
        EXPECT_EQ(record.CurrentMs, std::min(t / 1000, 4) * 1000) << "after a seek to " << t;
        const int second = t / 1000;
        EXPECT_TRUE(WaitUntil([&] { return DominantBin(d) == BinOfSecond(second); }))
            << "after a seek to " << t << " ms the spectrum peaks at bin " << DominantBin(d) << ", not "
            << BinOfSecond(second);
        EXPECT_EQ(d.dec_getState(), 2);
        EXPECT_EQ(d.dec_getPlayMs(), t);
    }
    d.dec_restart();
    EXPECT_TRUE(WaitUntil([&] { return d.dec_getPlayMs() >= 5090; }));
    EXPECT_EQ(d.dec_getState(), 1);
}

TEST_F(DecoderSeekTest, ASeekRightAfterPlayOrWhilePlayingIsHeardAtOnce)
{
    Decoder d(DecoderOptions{"null", 1.0});
    d.dec_init();
    TrackOpenRecord record;
    ASSERT_TRUE(d.dec_open(m_mp3.string(), record));
    d.dec_play();
    d.dec_seek(4045);
    ASSERT_TRUE(WaitUntil([&] { return d.dec_getPlayMs() >= 4080; }));
    EXPECT_EQ(DominantBin(d), BinOfSecond(4));
    for (const int32_t t : {3045, 1045}) {
        d.dec_seek(t);
        const int32_t at = d.dec_getPlayMs();
        EXPECT_GE(at, t);
        EXPECT_LT(at, t + 100);
        ASSERT_TRUE(WaitUntil([&] { return d.dec_getPlayMs() >= t + 30; }));
        EXPECT_EQ(DominantBin(d), BinOfSecond(t / 1000)) << "after a seek to " << t;
        EXPECT_EQ(d.dec_getState(), 1);
    }
}

// Paused, the position waits at the track's length until resumed.
TEST_F(DecoderSeekTest, PastTheEndTheTrackEndsOnceAtItsLength)
{
    Decoder d(DecoderOptions{"null", 1.0});
    Start(d);
    d.dec_seek(60000);
    ASSERT_TRUE(WaitUntil([&] { return d.dec_getState() == 0; }));
    const int32_t end = d.dec_getPlayMs();
    EXPECT_NEAR(end, Seconds * 1000, 60);
    d.dec_seek(1000);
    for (int i = 0; i < 50; ++i) {
        EXPECT_EQ(d.dec_getState(), 0);
        std::this_thread::sleep_for(2ms);
    }
    EXPECT_EQ(d.dec_getPlayMs(), end);

    d.dec_play();
    ASSERT_TRUE(WaitUntil([&] { return d.dec_getPlayMs() >= 100; }));
    d.dec_pause();
    d.dec_seek(60000);
    EXPECT_TRUE(WaitUntil([&] { return d.dec_getPlayMs() <= Seconds * 1000 + 60; }));
    EXPECT_GE(d.dec_getPlayMs(), Seconds * 1000 - 60);
    EXPECT_EQ(d.dec_getState(), 2);
    d.dec_restart();
    EXPECT_TRUE(WaitUntil([&] { return d.dec_getState() == 0; }));
}

struct SeekFile {
    const char* Name;
    const char* LameArguments;
};

class SourceSeekTest : public ::testing::TestWithParam<SeekFile> {};

// The spectrum above cannot tell a seek one frame off.
TEST_P(SourceSeekTest, TheSourceReachesTheMillisecondAskedFor)
{
    TempDir dir;
    const auto source = Mp3Source::Open(SteppedMp3(dir, GetParam().Name, GetParam().LameArguments).string());
    ASSERT_TRUE(source);
    for (const int64_t ms : {1045, 4045, 0, 2999})
        EXPECT_EQ(source->Seek(ms), ms);
}

INSTANTIATE_TEST_SUITE_P(Files, SourceSeekTest,
                         ::testing::Values(SeekFile{"cbr", "-b 128"}, SeekFile{"vbr", "-V 2"},
                                           SeekFile{"vbr_without_seek_table", "-V 2 -t"}),
                         [](const auto& info) { return std::string(info.param.Name); });

TEST(DecoderSeekEdgeTest, WithoutAPlayingTrackASeekDoesNothing)
{
    TempDir dir;
    const auto empty = dir.Path("empty.mp3");
    WriteFileBytes(empty, "");
    const auto mp3 = MakeMp3(dir, "short", Tone{440, 1.0, 44100, 2, 0.5}, "-b 128");
    Decoder d(DecoderOptions{"null", 1.0});
    d.dec_seek(1000);
    EXPECT_EQ(d.dec_getState(), 0);
    d.dec_init();
    TrackOpenRecord record;
    EXPECT_FALSE(d.dec_open(empty.string(), record));
    d.dec_play();
    d.dec_seek(1000);
    EXPECT_EQ(d.dec_getState(), 0);
    EXPECT_EQ(d.dec_getPlayMs(), 0);

    ASSERT_TRUE(d.dec_open(mp3.string(), record));
    d.dec_play();
    d.dec_seek(700);
    d.dec_stop();
    d.dec_seek(500);
    EXPECT_EQ(d.dec_getState(), 0);
    EXPECT_EQ(d.dec_getPlayMs(), 0);
    d.dec_play();
    ASSERT_TRUE(WaitUntil([&] { return d.dec_getPlayMs() > 0; }));
    EXPECT_LT(d.dec_getPlayMs(), 400);
}

} // namespace
} // namespace decoder::test
