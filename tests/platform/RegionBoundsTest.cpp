// Regions from numbers read out of files stay within the window system's
// coordinates, so that no arithmetic overflows (found by fuzzing the skin loader).
#include "platform/Region.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <vector>

using platform::MaxCoordinate;
using platform::Point;
using platform::Rect;
using platform::Region;

namespace {

constexpr int32_t kMin = std::numeric_limits<int32_t>::min();
constexpr int32_t kMax = std::numeric_limits<int32_t>::max();

std::vector<int32_t> Block(const std::vector<Rect>& rects)
{
    std::vector<int32_t> numbers{32, 1, static_cast<int32_t>(rects.size()), static_cast<int32_t>(rects.size() * 16),
                                 0, 0, 0, 0};
    for (const Rect& r : rects)
        numbers.insert(numbers.end(), {r.left, r.top, r.right, r.bottom});
    return numbers;
}

} // namespace

TEST(RegionBoundsTest, RgnDataWithACoordinateBeyondTheLimitIsRefused)
{
    EXPECT_FALSE(Region::FromRgnData(Block({{kMin + 8, 0, 165, 1}})).has_value());
    EXPECT_FALSE(Region::FromRgnData(Block({{-2000000000, 0, -1999999990, 1}, {2000000000, 1, 2000000010, 2}}))
                     .has_value());
    EXPECT_FALSE(Region::FromRgnData(Block({{0, 0, 4, 4}, {0, 0, MaxCoordinate + 1, 1}})).has_value());

    const std::optional<Region> edge = Region::FromRgnData(Block({{-MaxCoordinate, -MaxCoordinate, MaxCoordinate,
                                                                   MaxCoordinate}}));
    ASSERT_TRUE(edge.has_value());
    EXPECT_EQ(edge->BoundingBox(), (Rect{-MaxCoordinate, -MaxCoordinate, MaxCoordinate, MaxCoordinate}));
}

TEST(RegionBoundsTest, PolygonsBeyondTheLimitsGiveAnEmptyRegion)
{
    EXPECT_TRUE(Region::FromPolygon(std::vector<Point>{{kMin, kMin}, {kMax, 0}, {0, kMax}}).IsEmpty());
    EXPECT_TRUE(Region::FromPolygon(std::vector<Point>{{0, 0}, {MaxCoordinate + 1, 0}, {0, 10}}).IsEmpty());
    // A polygon spanning more than MaxPolygonExtent would take seconds to fill.
    EXPECT_TRUE(Region::FromPolygon(std::vector<Point>{{-8000, -8000}, {8000, -7999}, {0, 8000}}).IsEmpty());
    EXPECT_TRUE(Region::FromPolygon(std::vector<Point>{{0, 0}, {10, 0}, {0, platform::MaxPolygonExtent + 1}}).IsEmpty());

    const Region largest = Region::FromPolygon(std::vector<Point>{{0, 0}, {platform::MaxPolygonExtent, 0}, {0, platform::MaxPolygonExtent}});
    EXPECT_TRUE(largest.Contains(1, 1));
    EXPECT_TRUE(largest.Contains(1, platform::MaxPolygonExtent - 2));
    EXPECT_FALSE(largest.Contains(platform::MaxPolygonExtent - 1, platform::MaxPolygonExtent - 1));
}
