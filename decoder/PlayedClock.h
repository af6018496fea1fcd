#pragma once
// The heard position between two readings of a sound server's clock.
//
// Asking the server's client library for its clock takes the library's lock
// and a system call (20-30 us from the play loop, whose caches are cold), and
// the play loop asks a hundred times a second. A reading is therefore used
// for a while: while the stream plays, it is moved on by the time since it
// was taken, never past the sound queued when it was taken. A sound card's
// clock and the system's agree to within a fraction of a millisecond over
// that while, and between the server's timing reports the library moves its
// own clock on by the system's in the same way. A reading of a stream that
// does not move is only shared by the questions asked in the same moment.
// What is reported for one stream never goes back.
//
// Not thread-safe: the owner guards it. Frames are counted from the start
// of the stream.
#include <chrono>
#include <cstdint>
#include <optional>

namespace decoder {

class PlayedClock {
public:
    using TimePoint = std::chrono::steady_clock::time_point;

    // How long a reading of a moving stream is used, and of a still one.
    static constexpr auto MovingFor = std::chrono::milliseconds(500);
    static constexpr auto StillFor = std::chrono::microseconds(500);

    struct Reading {
        TimePoint At;
        int64_t Frames = 0;  // heard when it was taken
        int64_t Queued = 0;  // written to the stream by then
        int32_t Rate = 0;    // frames per second
        bool Moving = false; // the stream played on (not corked, not run dry)
        uint64_t Stream = 0; // which stream, counting up: a new one starts from 0 again
        uint64_t Epoch = 0;  // readings of an older epoch are not reused
    };

    // The steady clock's time. It reads the same clock as
    // std::chrono::steady_clock::now() (CLOCK_MONOTONIC) straight from the C
    // library, which the event loop has just used: the C++ library's own
    // stub is four more pages the play loop touches nowhere else, about
    // 1.5 us a tick with the caches cold between ticks.
    static TimePoint Now();
    // The position at now from the last reading, or nothing when a new
    // reading is needed (none yet, too old, or of another epoch).
    [[nodiscard]] std::optional<int64_t> Estimate(TimePoint now, uint64_t epoch);
    // Keeps a new reading and returns the position to report from it.
    int64_t Take(const Reading& reading);

private:
    std::optional<Reading> m_reading;
    uint64_t m_stream = 0;
    int64_t m_reported = 0; // the last position reported for m_stream
};

} // namespace decoder
