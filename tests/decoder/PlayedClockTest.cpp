#include "decoder/PlayedClock.h"

#include <gtest/gtest.h>

namespace decoder::test {
namespace {

using namespace std::chrono_literals;

PlayedClock::Reading MovingAt(PlayedClock::TimePoint at, int64_t frames, int64_t queued)
{
    return PlayedClock::Reading{at, frames, queued, 48000, true, 1, 1};
}

TEST(PlayedClockTest, AMovingReadingIsMovedOnForHalfASecondNeverPastWhatWasQueued)
{
    PlayedClock clock;
    const PlayedClock::TimePoint t0{10s};
    EXPECT_FALSE(clock.Estimate(t0, 1));
    EXPECT_EQ(clock.Take(MovingAt(t0, 1000, 100'000)), 1000);
    EXPECT_EQ(clock.Estimate(t0 + 50ms, 1), 1000 + 2400);
    EXPECT_EQ(clock.Estimate(t0 + 499ms, 1), 1000 + 23'952);
    EXPECT_FALSE(clock.Estimate(t0 + 500ms, 1));
    // Another epoch (a pause, a new stream) needs a new reading.
    EXPECT_FALSE(clock.Estimate(t0 + 1ms, 2));

    EXPECT_EQ(clock.Take(MovingAt(t0, 90'000, 100'000)), 90'000);
    EXPECT_EQ(clock.Estimate(t0 + 300ms, 1), 100'000); // the queue ran dry
}

// Now reads the steady clock itself: readings taken with it compare with
// times the rest of the program takes from std::chrono.
TEST(PlayedClockTest, NowIsTheSteadyClock)
{
    const auto before = std::chrono::steady_clock::now();
    const PlayedClock::TimePoint now = PlayedClock::Now();
    const auto after = std::chrono::steady_clock::now();
    EXPECT_LE(before, now);
    EXPECT_LE(now, after);
}

TEST(PlayedClockTest, AStillReadingIsOnlySharedInTheMomentAndReportsNeverGoBackWithinAStream)
{
    PlayedClock clock;
    const PlayedClock::TimePoint t0{10s};
    PlayedClock::Reading still{t0, 500, 10'000, 48000, false, 1, 1};
    EXPECT_EQ(clock.Take(still), 500);
    EXPECT_EQ(clock.Estimate(t0 + 400us, 1), 500);
    EXPECT_FALSE(clock.Estimate(t0 + 600us, 1));

    // The server's clock a little behind the moved-on reading: the position
    // waits for it rather than going back.
    EXPECT_EQ(clock.Take(MovingAt(t0, 1000, 10'000)), 1000);
    EXPECT_EQ(clock.Estimate(t0 + 50ms, 1), 3400);
    EXPECT_EQ(clock.Take(MovingAt(t0 + 50ms, 3300, 10'000)), 3400);
    EXPECT_EQ(clock.Estimate(t0 + 51ms, 1), 3400);
    EXPECT_EQ(clock.Estimate(t0 + 55ms, 1), 3300 + 240);
    // A reading taken by another thread after this one read the time.
    EXPECT_EQ(clock.Estimate(t0 + 40ms, 1), 3540);

    // A new stream counts from 0 again; a late reading of the old one is
    // answered but not kept.
    PlayedClock::Reading fresh{t0 + 60ms, 0, 0, 48000, false, 2, 2};
    EXPECT_EQ(clock.Take(fresh), 0);
    EXPECT_EQ(clock.Take(MovingAt(t0 + 60ms, 9000, 10'000)), 9000);
    EXPECT_EQ(clock.Estimate(t0 + 60ms + 100us, 2), 0);
}

} // namespace
} // namespace decoder::test
