#include "decoder/SpectrumAnalyzer.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>
#include <numbers>

namespace decoder {
namespace {

std::array<int32_t, 256> SpectrumOf(double bin, double amplitude)
{
    std::array<float, 512> samples{};
    for (int i = 0; i < 512; ++i)
        samples[i] = static_cast<float>(amplitude * std::sin(2.0 * std::numbers::pi * bin * i / 512.0));
    std::array<int32_t, 256> values{};
    SpectrumAnalyzer analyzer;
    analyzer.Compute(samples, values);
    return values;
}

TEST(SpectrumAnalyzerTest, FullScaleSineGives160AtItsBinAnd40LessPer20Decibels)
{
    const auto full = SpectrumOf(32, 1.0);
    EXPECT_EQ(std::max_element(full.begin(), full.end()) - full.begin(), 32);
    EXPECT_NEAR(full[32], 160, 1);
    EXPECT_NEAR(SpectrumOf(32, 0.1)[32], 120, 1);
    EXPECT_NEAR(SpectrumOf(32, 0.01)[32], 80, 1);
    EXPECT_NEAR(SpectrumOf(100, 0.001)[100], 40, 1);
    // Between two bins the window loses at most 1.5 dB.
    const auto between = SpectrumOf(50.5, 1.0);
    EXPECT_GE(std::max(between[50], between[51]), 156);
}

TEST(SpectrumAnalyzerTest, ValuesStayBetween0And200)
{
    const auto silence = SpectrumOf(10, 0.0);
    EXPECT_TRUE(std::all_of(silence.begin(), silence.end(), [](int32_t v) { return v == 0; }));
    // Far beyond full scale the values clamp.
    const auto loud = SpectrumOf(0.25, 8.0);
    EXPECT_EQ(loud[0], 200);
    EXPECT_TRUE(std::all_of(loud.begin(), loud.end(), [](int32_t v) { return v >= 0 && v <= 200; }));
    // A damaged block can decode to infinities or NaNs; they still give
    // values on the scale, NaN as silence.
    for (const float odd : {std::numeric_limits<float>::infinity(), std::numeric_limits<float>::quiet_NaN(),
                            std::numeric_limits<float>::max()}) {
        std::array<float, 512> samples{};
        samples[100] = odd;
        std::array<int32_t, 256> values{};
        SpectrumAnalyzer analyzer;
        analyzer.Compute(samples, values);
        EXPECT_TRUE(std::all_of(values.begin(), values.end(), [](int32_t v) { return v >= 0 && v <= 200; })) << odd;
        if (std::isnan(odd)) {
            EXPECT_TRUE(std::all_of(values.begin(), values.end(), [](int32_t v) { return v == 0; }));
        }
    }
}

} // namespace
} // namespace decoder
