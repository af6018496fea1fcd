// Playback through the dec_ operations on a fast clock.
#include "TestMedia.h"

#include "decoder/Decoder.h"
#include "decoder/VolumeCurve.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <thread>

namespace decoder::test {
namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;

class DecoderPlaybackTest : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        s_dir = new TempDir();
        // 1 s, 440 Hz stereo at 44.1 kHz, constant bit rate.
        s_stereo = new fs::path(MakeMp3(*s_dir, "stereo", Tone{440, 1.0, 44100, 2, 0.5}, "-b 128"));
        // 3 s: left at bin 20, right at bin 40 of the analyser.
        Tone bins{20 * 44100.0 / 512, 3.0, 44100, 2, 0.5};
        bins.RightFrequency = 40 * 44100.0 / 512;
        s_bins = new fs::path(MakeMp3(*s_dir, "bins", bins, "-b 320 -m s"));
    }
    static void TearDownTestSuite()
    {
        delete s_stereo;
        delete s_bins;
        delete s_dir;
    }

    static bool PlayToEnd(Decoder& d, const fs::path& mp3)
    {
        TrackOpenRecord record;
        if (!d.dec_open(mp3.string(), record))
            return false;
        d.dec_play();
        const bool ended = WaitUntil([&] { return d.dec_getState() == 0; });
        d.dec_stop();
        d.dec_close();
        return ended;
    }

    static inline TempDir* s_dir = nullptr;
    static inline fs::path* s_stereo = nullptr;
    static inline fs::path* s_bins = nullptr;
};

// The WAV output holds, sample for sample, what libmpg123 decodes, scaled by the volume curve.
TEST_F(DecoderPlaybackTest, WavOutputIsTheDecodedSoundScaledByTheVolumeCurve)
{
    const auto mono = MakeMp3(*s_dir, "mono", Tone{1000, 1.0, 32000, 1, 0.5}, "-V 2 -m m");
    struct Row {
        fs::path Mp3;
        int32_t Left;
        int32_t Right;
    };
    for (const Row& row : {Row{*s_stereo, 50, 50}, Row{*s_stereo, 100, 30}, Row{*s_stereo, 0, 0}, Row{mono, 100, 100}}) {
        SCOPED_TRACE(row.Mp3.filename().string() + " at " + std::to_string(row.Left) + "/" + std::to_string(row.Right));
        const auto decoded = DecodeMp3(row.Mp3);
        ASSERT_TRUE(decoded);
        const auto wav = s_dir->Path("out.wav");
        Decoder d(DecoderOptions{"wav:" + wav.string(), 25.0});
        d.dec_init();
        d.dec_setVolume(row.Left, row.Right);
        ASSERT_TRUE(PlayToEnd(d, row.Mp3));
        const auto pcm = ReadWav(wav);
        ASSERT_TRUE(pcm);
        EXPECT_EQ(pcm->Rate, decoded->Rate);
        EXPECT_EQ(pcm->Channels, decoded->Channels);
        ASSERT_EQ(pcm->Samples.size(), decoded->Samples.size());
        const float gains[2] = {VolumeCurve::Gain(row.Left), VolumeCurve::Gain(row.Right)};
        float worst = 0.0f;
        for (size_t i = 0; i < pcm->Samples.size(); ++i) {
            const float expected = std::clamp(decoded->Samples[i] * gains[i % pcm->Channels], -1.0f, 1.0f);
            worst = std::max(worst, std::abs(pcm->Samples[i] - expected));
        }
        EXPECT_LE(worst, 1.0f / 32767.0f);
    }
}

TEST_F(DecoderPlaybackTest, StateSpectrumAndLyricsFollowPlayPauseRestartStopAndTheEnd)
{
    const auto lrc = s_dir->Path("bins.lrc");
    WriteFileBytes(lrc, "[ti:Tone]\n[00:00.50]one\n[00:01.00]two\n[00:01.50]three\n[00:02.00]four\n");
    Decoder d(DecoderOptions{"null", 5.0});
    d.dec_init();
    d.dec_setKaraokeUse(1);
    d.dec_useAtMarkTag(1);
    d.dec_setLyricsNextAdjustTime(50);
    ASSERT_TRUE(d.dec_setLyricsFile(lrc.string()));
    TrackOpenRecord record;
    ASSERT_TRUE(d.dec_open(s_bins->string(), record));
    EXPECT_EQ(record.TotalSec, 3);
    EXPECT_EQ(d.dec_getState(), 0);
    EXPECT_EQ(d.dec_getPlayMs(), 0);
    std::array<int32_t, 256> left{};
    std::array<int32_t, 256> right{};
    const auto peak = [](const std::array<int32_t, 256>& v) { return *std::max_element(v.begin(), v.end()); };
    d.dec_getSpectrum(left, right);
    EXPECT_EQ(peak(left), 0);

    d.dec_play();
    EXPECT_EQ(d.dec_getState(), 1);
    ASSERT_TRUE(WaitUntil([&] { return d.dec_getPlayMs() >= 1200; }));
    d.dec_pause();
    int32_t out = -1;
    EXPECT_EQ(d.dec_getState(out), 2);
    EXPECT_EQ(out, 2);
    const int32_t frozen = d.dec_getPlayMs();
    EXPECT_LT(frozen, 3000);
    std::this_thread::sleep_for(40ms); // 200 ms of the paced clock
    EXPECT_EQ(d.dec_getPlayMs(), frozen);
    d.dec_getSpectrum(left, right);
    EXPECT_EQ(std::max_element(left.begin(), left.end()) - left.begin(), 20);
    EXPECT_EQ(std::max_element(right.begin(), right.end()) - right.begin(), 40);
    // The lines are 500 ms apart from 500 ms on; the next one shows 50 ms early.
    const int32_t line = std::min((frozen + 50) / 500, 4) - 1;
    LyricsRecord lyrics;
    d.dec_getLyrics(lyrics);
    EXPECT_EQ(lyrics.CurrentLine, line) << frozen;

    d.dec_restart();
    EXPECT_EQ(d.dec_getState(), 1);
    ASSERT_TRUE(WaitUntil([&] { return d.dec_getPlayMs() > frozen + 100; }));
    ASSERT_TRUE(WaitUntil([&] { return d.dec_getState() == 0; }));
    EXPECT_NEAR(d.dec_getPlayMs(), 3000, 60);
    d.dec_getSpectrum(left, right);
    EXPECT_EQ(peak(left), 0);

    // Play again starts from the beginning; Stop returns to 0.
    d.dec_play();
    EXPECT_EQ(d.dec_getState(), 1);
    EXPECT_LT(d.dec_getPlayMs(), 1000);
    d.dec_stop();
    EXPECT_EQ(d.dec_getState(), 0);
    EXPECT_EQ(d.dec_getPlayMs(), 0);
    d.dec_getSpectrum(left, right);
    EXPECT_EQ(peak(right), 0);
    d.dec_close();
    d.dec_play(); // nothing open: nothing happens
    EXPECT_EQ(d.dec_getState(), 0);
}

TEST_F(DecoderPlaybackTest, ADeletedFileEndsTheTrack)
{
    const auto copy = s_dir->Path("deleted.mp3");
    fs::copy_file(*s_bins, copy, fs::copy_options::overwrite_existing);
    Decoder d(DecoderOptions{"null", 1.0});
    d.dec_init();
    TrackOpenRecord record;
    ASSERT_TRUE(d.dec_open(copy.string(), record));
    d.dec_play();
    ASSERT_TRUE(WaitUntil([&] { return d.dec_getPlayMs() > 50; }));
    fs::remove(copy);
    EXPECT_TRUE(WaitUntil([&] { return d.dec_getState() == 0; }, 1500ms));
    EXPECT_LT(d.dec_getPlayMs(), 2500);
}

TEST_F(DecoderPlaybackTest, BadFilesAreRefusedOrPlayWhatTheyCanAndEnd)
{
    const auto good = ReadFileBytes(*s_stereo);
    std::string noise;
    uint32_t seed = 12345;
    for (int i = 0; i < 200000; ++i) {
        seed = seed * 1664525u + 1013904223u;
        noise += static_cast<char>(seed >> 24);
    }
    std::string corrupt = good;
    for (size_t i = 2000; i < corrupt.size(); i += 997)
        corrupt[i] = static_cast<char>(corrupt[i] ^ 0x5A);
    const std::pair<std::string, std::string> files[] = {
        {"empty.mp3", ""},
        {"text.mp3", std::string(5000, 'x') + "\nnot an mp3 at all\n"},
        {"zeros.mp3", std::string(100000, '\0')},
        {"truncated.mp3", good.substr(0, good.size() / 3)},
        {"header-only.mp3", good.substr(0, 700)},
        {"noise.mp3", noise},
        {"corrupt.mp3", corrupt},
    };
    Decoder d(DecoderOptions{"null", 50.0});
    d.dec_init();
    for (const auto& [name, bytes] : files) {
        const auto path = s_dir->Path(name);
        WriteFileBytes(path, bytes);
        TrackOpenRecord record;
        FileTagRecord tags;
        FileInfoRecord info;
        d.dec_getFileInfo(path.string(), tags, info);
        if (!d.dec_open(path.string(), record)) {
            EXPECT_EQ(record.TotalSec, 0) << name;
            continue;
        }
        d.dec_play();
        EXPECT_TRUE(WaitUntil([&] { return d.dec_getState() == 0; })) << name;
        d.dec_close();
    }
    TrackOpenRecord record;
    EXPECT_FALSE(d.dec_open((s_dir->Path("missing.mp3")).string(), record));
    EXPECT_FALSE(d.dec_open(s_dir->Path("").string(), record));
}

TEST_F(DecoderPlaybackTest, LyricsFilesWithoutTimedLinesAreRefused)
{
    Decoder d(DecoderOptions{"null", 1.0});
    WriteFileBytes(s_dir->Path("empty.lrc"), "");
    WriteFileBytes(s_dir->Path("tags-only.lrc"), "[ti:Title]\n[ar:Artist]\nplain words\n");
    WriteFileBytes(s_dir->Path("binary.lrc"), std::string("\0\x01\xff\xfe[\x80\x81]\0", 10));
    fs::create_directories(s_dir->Path("folder.lrc"));
    for (const char* name : {"empty.lrc", "tags-only.lrc", "binary.lrc", "folder.lrc", "missing.lrc"})
        EXPECT_FALSE(d.dec_setLyricsFile(s_dir->Path(name).string())) << name;
    LyricsRecord record;
    d.dec_getLyrics(record);
    EXPECT_EQ(record.LineCount, 0);
    EXPECT_EQ(record.CurrentLine, -1);
}

TEST_F(DecoderPlaybackTest, AStreamThatChangesItsFormatPlaysOnToItsEnd)
{
    const auto joined = TwoFormatsMp3(*s_dir);
    Decoder d(DecoderOptions{"null", 1.0});
    d.dec_init();
    TrackOpenRecord record;
    ASSERT_TRUE(d.dec_open(joined.string(), record));
    EXPECT_EQ(record.SampleRate, 44100);
    d.dec_play();
    int32_t last = 0;
    bool monotonic = true;
    int32_t longestStep = 0;
    ASSERT_TRUE(WaitUntil([&] {
        const int32_t ms = d.dec_getPlayMs();
        monotonic = monotonic && ms >= last;
        longestStep = std::max(longestStep, ms - last);
        last = ms;
        return d.dec_getState() == 0;
    }));
    EXPECT_TRUE(monotonic);
    // The sound queued before the change (250 ms) plays out instead of
    // being dropped: the position never jumps over it.
    EXPECT_LT(longestStep, 100) << "a jump of " << longestStep << " ms";
    // Both parts were heard: the position ends after both seconds.
    EXPECT_NEAR(d.dec_getPlayMs(), 2000, 120);
}

TEST_F(DecoderPlaybackTest, FreeEndsPlaybackAndInitMakesTheDecoderUsableAgain)
{
    Decoder d(DecoderOptions{"null", 1.0});
    TrackOpenRecord record;
    d.dec_init();
    ASSERT_TRUE(d.dec_open(s_bins->string(), record));
    d.dec_play();
    d.dec_free();
    EXPECT_EQ(d.dec_getState(), 0);
    d.dec_init();
    ASSERT_TRUE(d.dec_open(s_bins->string(), record));
    d.dec_play();
    EXPECT_EQ(d.dec_getState(), 1);
}

} // namespace
} // namespace decoder::test
