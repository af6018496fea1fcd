#include "decoder/PlayedClock.h"

#include <algorithm>
#include <ctime>

namespace decoder {

[[gnu::hot]] PlayedClock::TimePoint PlayedClock::Now()
{
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return TimePoint(std::chrono::seconds(now.tv_sec) + std::chrono::nanoseconds(now.tv_nsec));
}

[[gnu::hot]] std::optional<int64_t> PlayedClock::Estimate(TimePoint now, uint64_t epoch)
{
    if (!m_reading || m_reading->Epoch != epoch || m_reading->Stream != m_stream)
        return std::nullopt;
    // Another thread may have taken the reading after this one read the time.
    const auto age = std::max<std::chrono::nanoseconds>(now - m_reading->At, std::chrono::nanoseconds(0));
    if (age >= (m_reading->Moving ? std::chrono::nanoseconds(MovingFor) : std::chrono::nanoseconds(StillFor)))
        return std::nullopt;
    int64_t frames = m_reading->Frames;
    if (m_reading->Moving)
        frames = std::min(m_reading->Queued, frames + age.count() * m_reading->Rate / 1'000'000'000);
    m_reported = std::max(m_reported, frames);
    return m_reported;
}

int64_t PlayedClock::Take(const Reading& reading)
{
    // A reading of a stream already replaced (taken by another thread
    // before the change) answers its own question but is not kept.
    if (reading.Stream < m_stream)
        return reading.Frames;
    if (reading.Stream != m_stream) {
        m_stream = reading.Stream;
        m_reported = 0;
    }
    m_reading = reading;
    m_reported = std::max(m_reported, reading.Frames);
    return m_reported;
}

} // namespace decoder
