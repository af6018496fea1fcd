#include "player/widgets/BodyRules.h"
#include "player/widgets/PeakMeter.h"

#include <gtest/gtest.h>

#include <string>

TEST(BodyRules, SpectrumValuesMapToLevels)
{
    for (int v = 0; v <= 49; ++v)
        EXPECT_EQ(BodyRules::SpectrumLevel(v, 0), 0) << v;
    for (int v = 50; v <= 54; ++v)
        EXPECT_EQ(BodyRules::SpectrumLevel(0, v), 1) << v;
    for (int v = 160; v <= 164; ++v)
        EXPECT_EQ(BodyRules::SpectrumLevel(v, v - 100), 23) << v;
    // The louder channel decides.
    EXPECT_EQ(BodyRules::SpectrumLevel(55, 100), 11);
    EXPECT_EQ(BodyRules::SpectrumLevel(100, 55), 11);
    // Beyond the highest image, and absurd values, stay on the highest one.
    EXPECT_EQ(BodyRules::SpectrumLevel(165, 0), 23);
    EXPECT_EQ(BodyRules::SpectrumLevel(INT32_MAX, INT32_MIN), 23);
    EXPECT_EQ(BodyRules::SpectrumLevel(INT32_MIN, INT32_MIN), 0);
    EXPECT_EQ(BodyRules::SpectrumLevel(-7, -100), 0);
}

TEST(BodyRules, DisplayTimeTakesMinutesAndSecondsAndClampsLongTimes)
{
    auto text = [](std::string_view formatted) {
        const auto a = BodyRules::DisplayTime(formatted);
        return std::string(a.begin(), a.end());
    };
    EXPECT_EQ(text("01:23:45"), "01:23");
    EXPECT_EQ(text("00:00:00"), "00:00");
    EXPECT_EQ(text("59:59:99"), "59:59");
    EXPECT_EQ(text("100:00:00"), "99:00");
    EXPECT_EQ(text("1234:07:12"), "99:07");
    EXPECT_EQ(text("garbage"), "00:00");
}

TEST(BodyRules, TitleAndCaptionTexts)
{
    EXPECT_EQ(BodyRules::TitleText("", ""), "");
    EXPECT_EQ(BodyRules::TitleText("", "Artist"), "Unknown Track - Artist");
    EXPECT_EQ(BodyRules::TitleText("Song", ""), "Song - Unknown Artist");
    EXPECT_EQ(BodyRules::TitleText("Song", "Artist"), "Song - Artist");
    EXPECT_EQ(BodyRules::CaptionText(""), " <Zelko-Deck>");
    EXPECT_EQ(BodyRules::CaptionText("Song - Artist"), "Song - Artist <Zelko-Deck>");
}

TEST(PeakMeter, PeakRisesWithBarAndFallsOneLevelPerRefresh)
{
    PeakMeter meter;
    EXPECT_EQ(meter.Level(3), 0);
    // Rising: no marker, the held level follows.
    EXPECT_FALSE(meter.Update(3, 10).has_value());
    EXPECT_EQ(meter.Level(3), 10);
    // Bar drops to 0: markers at 10, 9, 8, ... while the bar stays below.
    for (int expected = 10; expected >= 1; --expected) {
        const auto marker = meter.Update(3, 0);
        ASSERT_TRUE(marker.has_value());
        EXPECT_EQ(*marker, expected);
    }
    // Held level reached the bar: no marker any more.
    EXPECT_EQ(meter.Level(3), 0);
    EXPECT_FALSE(meter.Update(3, 0).has_value());
    // Other indexes are independent.
    EXPECT_EQ(meter.Level(0), 0);
}

TEST(PeakMeter, BarCatchingUpStopsTheMarkerAndClearAllResets)
{
    PeakMeter meter;
    (void)meter.Update(6, 12);
    EXPECT_EQ(meter.Update(6, 5), 12);
    EXPECT_FALSE(meter.Update(6, 11).has_value()); // bar at the held level
    EXPECT_EQ(meter.Level(6), 11);
    meter.ClearAll();
    EXPECT_EQ(meter.Level(6), 0);
    EXPECT_FALSE(meter.Update(6, 0).has_value());
}
