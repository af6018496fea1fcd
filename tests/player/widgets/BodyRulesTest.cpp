#include "player/widgets/BodyRules.h"
#include "player/widgets/PeakMeter.h"

#include <gtest/gtest.h>

#include <string>

using namespace widgets;

TEST(BodyRules, SpectrumValuesMapToLevelsByTheLouderChannel)
{
    struct Row {
        int32_t left, right;
        int level;
    };
    const Row rows[] = {
        {49, 0, 0},
        {0, 50, 1},
        {54, 0, 1},
        {55, 100, 11},
        {100, 55, 11},
        {160, 60, 23},
        {164, 0, 23},
        // Beyond the highest image, and absurd values, stay on the highest or the lowest one.
        {165, 0, 23},
        {INT32_MAX, INT32_MIN, 23},
        {INT32_MIN, INT32_MIN, 0},
        {-7, -100, 0},
    };
    for (const Row& r : rows)
        EXPECT_EQ(BodyRules::SpectrumLevel(r.left, r.right), r.level) << r.left << "," << r.right;
}

TEST(BodyRules, GaugesRoundToTensAndTimesShowMinutesAndSeconds)
{
    const std::pair<int, int> gauges[] = {{0, 0}, {4, 0}, {5, 10}, {14, 10}, {15, 20}, {94, 90}, {95, 100}, {100, 100}};
    for (const auto& [percent, suffix] : gauges)
        EXPECT_EQ(BodyRules::GaugeSuffix(percent), suffix) << percent;
    const std::pair<const char*, const char*> times[] = {
        {"01:23:45", "01:23"}, {"59:59:99", "59:59"}, {"100:00:00", "99:00"}, {"1234:07:12", "99:07"}, {"garbage", "00:00"}};
    for (const auto& [formatted, shown] : times) {
        const auto a = BodyRules::DisplayTime(formatted);
        EXPECT_EQ(std::string(a.begin(), a.end()), shown) << formatted;
    }
}

TEST(BodyRules, TitleAndCaptionTexts)
{
    EXPECT_EQ(BodyRules::TitleText("", ""), "");
    EXPECT_EQ(BodyRules::TitleText("", "Artist"), "Unknown Track - Artist");
    EXPECT_EQ(BodyRules::TitleText("Song", ""), "Song - Unknown Artist");
    EXPECT_EQ(BodyRules::CaptionText(""), " <Zelko-Deck>");
    EXPECT_EQ(BodyRules::CaptionText("Song - Artist"), "Song - Artist <Zelko-Deck>");
}

TEST(PeakMeter, PeakRisesWithBarFallsOneLevelPerRefreshAndClears)
{
    PeakMeter meter;
    EXPECT_FALSE(meter.Update(3, 10).has_value()); // rising: no marker
    EXPECT_EQ(meter.Level(3), 10);
    for (int expected = 10; expected >= 1; --expected)
        EXPECT_EQ(meter.Update(3, 0), expected);
    EXPECT_FALSE(meter.Update(3, 0).has_value()); // the held level reached the bar
    EXPECT_EQ(meter.Level(0), 0) << "other indexes are independent";
    (void)meter.Update(6, 12);
    EXPECT_EQ(meter.Update(6, 5), 12);
    EXPECT_FALSE(meter.Update(6, 11).has_value()); // the bar caught up below the peak
    EXPECT_EQ(meter.Level(6), 11);
    meter.ClearAll();
    EXPECT_EQ(meter.Level(6), 0);
}
