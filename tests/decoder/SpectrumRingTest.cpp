#include "decoder/SpectrumRing.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <initializer_list>
#include <numbers>
#include <vector>

namespace decoder::test {
namespace {

using Values = std::array<int32_t, SpectrumAnalyzer::Bins>;

// Interleaved stereo: a sine on bin 20 on the left, bin 70 on the right,
// each frame numbered from 0 at the track's start.
std::vector<float> Stereo(int64_t from, int64_t frames)
{
    std::vector<float> out;
    for (int64_t f = from; f < from + frames; ++f) {
        const double t = static_cast<double>(f) / SpectrumAnalyzer::Size;
        out.push_back(static_cast<float>(0.5 * std::sin(2 * std::numbers::pi * 20 * t)));
        out.push_back(static_cast<float>(0.25 * std::sin(2 * std::numbers::pi * 70 * t)));
    }
    return out;
}

// What the analyser gives for the window of one channel ending at end.
Values Direct(int64_t end, int channel)
{
    std::array<float, SpectrumAnalyzer::Size> window{};
    const std::vector<float> sound = Stereo(end - SpectrumAnalyzer::Size, SpectrumAnalyzer::Size);
    for (int64_t i = 0; i < SpectrumAnalyzer::Size; ++i)
        window[static_cast<size_t>(i)] = end - SpectrumAnalyzer::Size + i < 0 ? 0.0f : sound[static_cast<size_t>(2 * i + channel)];
    SpectrumAnalyzer analyzer;
    Values values{};
    analyzer.Compute(window, values);
    return values;
}

TEST(SpectrumRingTest, EachHopHoldsTheAnalysersSpectrumOfItsWindowWhateverTheBlockSizes)
{
    SpectrumRing ring;
    ring.Reset(0, 44100); // hops of 441 frames
    int64_t at = 0;
    for (const int64_t block : {1152, 1, 440, 441, 2000, 1152, 7}) {
        const auto sound = Stereo(at, block);
        ring.Append(sound, 2);
        at += block;
    }
    EXPECT_EQ(ring.Next(), at);
    Values left{}, right{};
    for (const int64_t heard : std::initializer_list<int64_t>{441, 881, 882, 2646, 4851, at}) {
        const int64_t end = heard / 441 * 441;
        ASSERT_TRUE(ring.Read(heard, left, right)) << heard;
        EXPECT_EQ(left, Direct(end, 0)) << "left, heard " << heard;
        EXPECT_EQ(right, Direct(end, 1)) << "right, heard " << heard;
    }
    EXPECT_GT(left[20], 140);
    EXPECT_GT(right[70], 120);
    // The window ending at the first frame is silence; one not decoded yet is not held.
    EXPECT_TRUE(ring.Read(440, left, right));
    EXPECT_EQ(left, Values{});
    EXPECT_FALSE(ring.Read(at / 441 * 441 + 441, left, right));
    EXPECT_EQ(right, Values{});
}

TEST(SpectrumRingTest, ResetStartsAFreshTrackAndOldSpectraAreForgotten)
{
    SpectrumRing ring;
    ring.Reset(0, 44100);
    ring.Append(Stereo(0, 441 * (SpectrumRing::Capacity + 10)), 2);
    Values left{}, right{};
    EXPECT_FALSE(ring.Read(441 * 5, left, right)); // overwritten
    EXPECT_TRUE(ring.Read(441 * 20, left, right));

    // A new place numbered on, at 22.05 kHz (hops of 220 frames): nothing
    // from before it leaks into its first windows.
    const int64_t first = ring.Next() + 512;
    ring.Reset(first, 22050);
    EXPECT_EQ(ring.FirstWholeWindowEnd(first), first + 660);
    std::vector<float> mono(700, 0.5f);
    ring.Append(mono, 1);
    EXPECT_FALSE(ring.Read(441 * 20, left, right));
    ASSERT_TRUE(ring.Read(first + 219, left, right));
    EXPECT_EQ(left, Values{});
    ASSERT_TRUE(ring.Read(first + 660, left, right));
    EXPECT_GT(left[0], 100); // a constant: all at the lowest bin
    EXPECT_EQ(left, right);  // mono shows on both sides
}

TEST(SpectrumRingTest, StereoAfterMonoWithoutAResetShowsEachSideOfItsOwn)
{
    SpectrumRing ring;
    ring.Reset(0, 44100);
    std::vector<float> mono(700, 0.5f);
    ring.Append(mono, 1);
    ring.Append(Stereo(700, 1200), 2);
    Values left{}, right{};
    ASSERT_TRUE(ring.Read(1764, left, right)); // the window 1252..1764, all stereo
    EXPECT_EQ(left, Direct(1764, 0));
    EXPECT_EQ(right, Direct(1764, 1));
}

} // namespace
} // namespace decoder::test
