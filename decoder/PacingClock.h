#pragma once
// The clock that paces the outputs without a sound device (null and WAV).
//
// It runs from its construction on the monotonic clock, multiplied by a speed
// factor: 1 is real time; tests use a faster clock so that long tracks play in
// a fraction of the time. Thread-safe (immutable after construction).
#include <chrono>

namespace decoder {

class PacingClock {
public:
    explicit PacingClock(double speed = 1.0);

    // Paced time elapsed since construction.
    std::chrono::nanoseconds Now() const;
    // The real time that a span of paced time takes.
    std::chrono::nanoseconds ToReal(std::chrono::nanoseconds paced) const;
    double Speed() const { return m_speed; }

private:
    std::chrono::steady_clock::time_point m_origin;
    double m_speed;
};

} // namespace decoder
