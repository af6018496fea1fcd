#include "player/playback/ShuffleOrder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <numeric>
#include <set>

using namespace playback;

namespace {

std::vector<std::int32_t> Iota(std::int32_t n)
{
    std::vector<std::int32_t> v(static_cast<std::size_t>(n));
    std::iota(v.begin(), v.end(), 1);
    return v;
}

TEST(ShuffleOrderTest, PlainOrderIsOneToN)
{
    std::mt19937 rng(1);
    ShuffleOrder order;
    order.Rebuild(5, false, rng);
    EXPECT_EQ(order.Elements(), Iota(5));
    order.Rebuild(0, false, rng);
    EXPECT_TRUE(order.Empty());
    EXPECT_EQ(order.First(), ShuffleOrder::kNoTrack);
}

TEST(ShuffleOrderTest, ShuffledOrderIsAPermutationAndVaries)
{
    std::mt19937 rng(42);
    ShuffleOrder order;
    std::set<std::vector<std::int32_t>> seen;
    for (int round = 0; round < 20; ++round) {
        order.Rebuild(8, true, rng);
        std::vector<std::int32_t> sorted = order.Elements();
        std::sort(sorted.begin(), sorted.end());
        ASSERT_EQ(sorted, Iota(8));
        seen.insert(order.Elements());
    }
    EXPECT_GT(seen.size(), 15u);
}

TEST(ShuffleOrderTest, ShuffleIsRoughlyUniformOverFirstPlace)
{
    std::mt19937 rng(7);
    ShuffleOrder order;
    std::array<int, 4> firstCount{};
    for (int round = 0; round < 4000; ++round) {
        order.Rebuild(4, true, rng);
        ++firstCount[static_cast<std::size_t>(order.First() - 1)];
    }
    for (int c : firstCount) {
        EXPECT_GT(c, 850);
        EXPECT_LT(c, 1150);
    }
}

class NextPrevTest : public ::testing::Test {
protected:
    ShuffleOrder Plain(std::int32_t n)
    {
        std::mt19937 rng(1);
        ShuffleOrder o;
        o.Rebuild(n, false, rng);
        return o;
    }
};

// Each row: the list length, the current track, repeat, and the next and
// previous tracks of the plain order.
TEST_F(NextPrevTest, PlainOrderAtItsMiddleAndEndsAndWithoutATrack)
{
    constexpr std::int32_t End = ShuffleOrder::kPastEnd, None = ShuffleOrder::kNoTrack;
    const std::vector<std::array<std::int32_t, 5>> rows{
        {3, 2, false, 3, 1},
        {3, 3, false, End, 2},
        {3, 3, true, 1, 2},
        {3, 1, false, 2, End},
        {3, 1, true, 2, 3},
        {1, 1, true, 1, 1},
        {3, 0, true, None, None},
        {3, 9, true, None, None},
    };
    for (const auto& [n, current, repeat, next, previous] : rows) {
        SCOPED_TRACE(testing::Message() << n << " tracks, at " << current << (repeat ? ", repeat" : ""));
        const ShuffleOrder o = Plain(n);
        EXPECT_EQ(o.GetNextPlayPosition(current, n, repeat != 0), next);
        EXPECT_EQ(o.GetPrevPlayPosition(current, n, repeat != 0), previous);
    }
    ShuffleOrder o = Plain(3);
    EXPECT_EQ(o.GetPrevPlayPosition(2, 0, true), ShuffleOrder::kNoTrack); // list empty
    o.Erase();
    EXPECT_EQ(o.GetNextPlayPosition(1, 0, false), ShuffleOrder::kNoTrack); // cleared
}

TEST_F(NextPrevTest, FollowsTheShuffledOrder)
{
    std::mt19937 rng(11);
    ShuffleOrder o;
    o.Rebuild(6, true, rng);
    for (std::int32_t k = 0; k + 1 < o.Size(); ++k) {
        EXPECT_EQ(o.GetNextPlayPosition(o.At(k), 6, false), o.At(k + 1));
        EXPECT_EQ(o.GetPrevPlayPosition(o.At(k + 1), 6, false), o.At(k));
    }
    EXPECT_EQ(o.GetNextPlayPosition(o.Last(), 6, true), o.First());
}

} // namespace
