#include "platform/Region.h"

#include <gtest/gtest.h>

#include <vector>

using platform::Point;
using platform::PolygonFill;
using platform::Rect;
using platform::Region;

namespace {

std::size_t PixelCount(const Region& r)
{
    std::size_t count = 0;
    for (int y = -2; y < 24; ++y) {
        for (int x = -2; x < 24; ++x)
            count += r.Contains(x, y) ? 1 : 0;
    }
    return count;
}

} // namespace

TEST(RegionTest, RectsAreHalfOpenEmptyOnesAddNothingAndOverlapsCountOnce)
{
    const Region r(Rect{2, 3, 5, 7});
    EXPECT_TRUE(r.Contains(2, 3));
    EXPECT_TRUE(r.Contains(4, 6));
    EXPECT_FALSE(r.Contains(5, 3));
    EXPECT_FALSE(r.Contains(2, 7));
    EXPECT_EQ(PixelCount(r), 12u);
    EXPECT_EQ(r.BoundingBox(), (Rect{2, 3, 5, 7}));
    EXPECT_TRUE(Region(Rect{5, 5, 5, 9}).IsEmpty());
    EXPECT_TRUE(Region(Rect{5, 5, 3, 9}).IsEmpty());
    EXPECT_EQ(Region().BoundingBox(), Rect{});

    const Region united = Region::FromRects(std::vector<Rect>{{0, 0, 4, 4}, {2, 2, 6, 6}, {8, 8, 8, 12}, {0, 10, 1, 11}});
    EXPECT_EQ(PixelCount(united), 16u + 16u - 4u + 1u);
    EXPECT_FALSE(united.Contains(8, 8));
}

TEST(RegionTest, AlgebraMatchesSetOperationsPointByPoint)
{
    const Region a(Rect{0, 0, 10, 10});
    const Region b(Rect{5, 5, 15, 15});
    const Region u = a.United(b);
    const Region d = a.Subtracted(b);
    const Region i = a.Intersected(b);
    for (int y = -2; y < 24; ++y) {
        for (int x = -2; x < 24; ++x) {
            const bool inA = x >= 0 && x < 10 && y >= 0 && y < 10;
            const bool inB = x >= 5 && x < 15 && y >= 5 && y < 15;
            ASSERT_EQ(u.Contains(x, y), inA || inB) << x << "," << y;
            ASSERT_EQ(d.Contains(x, y), inA && !inB) << x << "," << y;
            ASSERT_EQ(i.Contains(x, y), inA && inB) << x << "," << y;
        }
    }
    EXPECT_TRUE(a.Intersects(b));
    EXPECT_FALSE(d.Intersects(b));
    EXPECT_EQ(u.BoundingBox(), (Rect{0, 0, 15, 15}));
    EXPECT_EQ(d.BoundingBox(), (Rect{0, 0, 10, 10}));
}

TEST(RegionTest, WindingFillKeepsTheOverlapOfASelfCrossingPolygonAlternateDropsIt)
{
    // A five-pointed star drawn in one stroke: its centre is wound twice.
    const std::vector<Point> star{{10, 0}, {16, 20}, {0, 7}, {20, 7}, {4, 20}};
    const Region winding = Region::FromPolygon(star, PolygonFill::Winding);
    const Region alternate = Region::FromPolygon(star, PolygonFill::Alternate);
    EXPECT_TRUE(winding.Contains(10, 10));
    EXPECT_FALSE(alternate.Contains(10, 10));
    EXPECT_TRUE(winding.Contains(10, 3));
    EXPECT_TRUE(alternate.Contains(10, 3));
    EXPECT_FALSE(winding.Contains(1, 19));
    EXPECT_TRUE(Region::FromPolygon(std::vector<Point>{{0, 0}, {5, 5}}).IsEmpty());
}

TEST(RegionTest, RgnDataIsWrittenAndReadInTheWindowsLayoutAndInconsistentBlocksAreRefused)
{
    // Header: size 32, type 1, count, bytes, bounds; then left, top, right, bottom per rectangle.
    const std::vector<int32_t> good{32, 1, 2, 32, 0, 0, 10, 10, 0, 0, 10, 5, 0, 5, 4, 10};
    const std::optional<Region> r = Region::FromRgnData(good);
    ASSERT_TRUE(r.has_value());
    EXPECT_EQ(*r, Region(Rect{0, 0, 10, 5}).United(Region(Rect{0, 5, 4, 10})));

    auto with = [&](std::size_t index, int32_t value) {
        std::vector<int32_t> v = good;
        v[index] = value;
        return v;
    };
    EXPECT_FALSE(Region::FromRgnData(with(0, 24)).has_value()) << "header size";
    EXPECT_FALSE(Region::FromRgnData(with(1, 2)).has_value()) << "type";
    EXPECT_FALSE(Region::FromRgnData(with(2, 3)).has_value()) << "more rectangles than given";
    EXPECT_FALSE(Region::FromRgnData(with(2, -1)).has_value()) << "negative count";
    EXPECT_FALSE(Region::FromRgnData(std::vector<int32_t>(good.begin(), good.begin() + 7)).has_value());
    const std::optional<Region> none = Region::FromRgnData(with(2, 0));
    ASSERT_TRUE(none.has_value());
    EXPECT_TRUE(none->IsEmpty());
}

TEST(RegionTest, ScalingMakesEveryPixelABlockOfTheFactor)
{
    // An L of two bands and a lone pixel apart from it.
    const Region shape = Region(Rect{1, 1, 4, 2}).United(Region(Rect{1, 2, 2, 4})).United(Region(Rect{6, 3, 7, 4}));
    for (const int factor : {1, 2, 3}) {
        const Region scaled = shape.Scaled(factor);
        for (int y = -2; y < 8 * factor; ++y) {
            for (int x = -2; x < 8 * factor; ++x) {
                const bool expected = shape.Contains(x >= 0 ? x / factor : -1, y >= 0 ? y / factor : -1);
                ASSERT_EQ(scaled.Contains(x, y), expected) << "factor " << factor << " at " << x << "," << y;
            }
        }
        EXPECT_EQ(scaled.BoundingBox(), shape.BoundingBox().Scaled(factor));
    }
    EXPECT_TRUE(Region().Scaled(2).IsEmpty());
}
