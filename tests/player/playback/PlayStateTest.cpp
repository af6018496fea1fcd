#include "player/playback/PlayState.h"

#include <gtest/gtest.h>

using namespace playback;

namespace {

TEST(VolumeRulesTest, StepsAndOutsideValuesClampAtTheEnds)
{
    EXPECT_EQ(VolumeRules::Plus(95, VolumeStep::Normal), 100);
    EXPECT_EQ(VolumeRules::Plus(97, VolumeStep::Normal), 100);
    EXPECT_EQ(VolumeRules::Plus(94, VolumeStep::Normal), 99);
    EXPECT_EQ(VolumeRules::Plus(50, VolumeStep::Fine), 51);
    EXPECT_EQ(VolumeRules::Plus(100, VolumeStep::Fine), 100);
    EXPECT_EQ(VolumeRules::Minus(3, VolumeStep::Normal), 0);
    EXPECT_EQ(VolumeRules::Minus(6, VolumeStep::Normal), 1);
    EXPECT_EQ(VolumeRules::Minus(0, VolumeStep::Fine), 0);
    EXPECT_EQ(VolumeRules::Minus(50, VolumeStep::Fine), 49);
    EXPECT_EQ(VolumeRules::Clamp(150), 100);
    EXPECT_EQ(VolumeRules::Clamp(-5), 0);
    EXPECT_EQ(VolumeRules::Clamp(42), 42);
}

} // namespace
