// The skin window's conversions between skin, device and Qt's logical pixels,
// and the choice of its scale.
#include "player/skin/ScaleChoice.h"
#include "player/skin/WindowPixels.h"

#include <gtest/gtest.h>

#include <tuple>

using namespace skin;

using platform::Rect;
using platform::Region;

// A setting of one to three wins over the screen; automatic (and any value
// the setting cannot hold) rounds the device ratio within one to three.
TEST(ScaleChoiceTest, ASettingOfOneToThreeWinsElseTheDeviceRatioRoundsWithinOneToThree)
{
    constexpr int32_t Auto = ScaleChoice::Automatic;
    const std::tuple<int32_t, double, int32_t> cases[] = {
        {1, 2.0, 1}, {2, 1.0, 2}, {3, 1.0, 3}, {Auto, 1.0, 1}, {Auto, 1.49, 1}, {Auto, 1.5, 2}, {Auto, 2.25, 2}, {Auto, 2.5, 3}, {Auto, 4.0, 3}, {Auto, 0.5, 1}, {7, 2.0, 2}, {-1, 1.0, 1}, {0, 0.0, 1}};
    for (const auto& [setting, ratio, scale] : cases)
        EXPECT_EQ(ScaleChoice::Choose(setting, ratio), scale) << setting << " at " << ratio;
}

TEST(WindowPixelsTest, WithoutQtScalingLogicalPixelsAreDevicePixels)
{
    const WindowPixels one(1, 1.0);
    EXPECT_EQ(one.LogicalSize(570, 314), QSize(570, 314));
    EXPECT_EQ(one.LogicalRect(Rect{3, 4, 10, 12}), QRect(3, 4, 7, 8));
    EXPECT_EQ(one.SkinPoint(QPointF(17, 9)), (platform::Point{17, 9}));
    const WindowPixels two(2, 1.0);
    EXPECT_EQ(two.LogicalSize(570, 314), QSize(1140, 628));
    EXPECT_EQ(two.LogicalRect(Rect{3, 4, 10, 12}), QRect(6, 8, 14, 16));
    EXPECT_EQ(two.DeviceRect(QRect(6, 8, 14, 16)), QRect(6, 8, 14, 16));
    EXPECT_EQ(two.LogicalDistance(-7), -14);
    // Both device pixels of a skin pixel hit it; the one beyond does not.
    EXPECT_EQ(two.SkinPoint(QPointF(20, 31)), (platform::Point{10, 15}));
    EXPECT_EQ(two.SkinPoint(QPointF(21, 30)), (platform::Point{10, 15}));
    EXPECT_EQ(two.SkinPoint(QPointF(22, 32)), (platform::Point{11, 16}));
    EXPECT_EQ(two.SkinPoint(QPointF(-1, -2)), (platform::Point{-1, -1}));
}

TEST(WindowPixelsTest, RegionsScaleExactlyWhenTheScaleIsAMultipleOfTheRatio)
{
    const Region shape = Region(Rect{0, 0, 10, 5}).United(Region(Rect{2, 5, 4, 9}));
    EXPECT_EQ(Region(WindowPixels(2, 1.0).LogicalRegion(shape)), shape.Scaled(2));
    EXPECT_EQ(Region(WindowPixels(3, 1.0).LogicalRegion(shape)), shape.Scaled(3));
    // Qt doubles logical pixels itself: at scale 2 the window is the skin's
    // size in logical pixels.
    EXPECT_EQ(Region(WindowPixels(2, 2.0).LogicalRegion(shape)), shape);
    EXPECT_EQ(WindowPixels(2, 2.0).LogicalSize(570, 314), QSize(570, 314));
    EXPECT_EQ(WindowPixels(2, 2.0).SkinPoint(QPointF(10.5, 3.0)), (platform::Point{10, 3}));
    EXPECT_EQ(WindowPixels(2, 2.0).DeviceRect(QRect(1, 1, 3, 2)), QRect(2, 2, 6, 4));
}

TEST(WindowPixelsTest, OtherRatiosCoverTheSkinPixelsWithWholeLogicalPixels)
{
    const WindowPixels pixels(2, 1.5);
    // 3 skin pixels are 6 device pixels, 4 logical pixels.
    EXPECT_EQ(pixels.LogicalRect(Rect{3, 3, 6, 6}), QRect(4, 4, 4, 4));
    // Skin pixel (1, 0) is device pixels 2..3, logical 1.33..2.67: logical 1..2.
    EXPECT_EQ(pixels.LogicalRect(Rect{1, 0, 2, 1}), QRect(1, 0, 2, 2));
    EXPECT_EQ(pixels.LogicalSize(5, 3), QSize(7, 4));
    EXPECT_EQ(pixels.DeviceRect(QRect(1, 0, 2, 2)), QRect(1, 0, 4, 3));
    const Region shape(Rect{1, 0, 2, 1});
    EXPECT_EQ(pixels.LogicalRegion(shape), QRegion(1, 0, 2, 2));
}
