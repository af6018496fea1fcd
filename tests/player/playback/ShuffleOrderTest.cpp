#include "player/playback/ShuffleOrder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>

using namespace playback;

namespace {

// Each rebuild is a permutation of 1..N, and every track comes first about
// as often as any other.
TEST(ShuffleOrderTest, ShuffledOrderIsAPermutationAndRoughlyUniformOverFirstPlace)
{
    std::mt19937 rng(7);
    ShuffleOrder order;
    std::array<int, 4> firstCount{};
    for (int round = 0; round < 4000; ++round) {
        order.Rebuild(4, true, rng);
        std::vector<std::int32_t> sorted = order.Elements();
        std::sort(sorted.begin(), sorted.end());
        ASSERT_EQ(sorted, (std::vector<std::int32_t>{1, 2, 3, 4}));
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
    EXPECT_EQ(o.First(), ShuffleOrder::kNoTrack);
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
