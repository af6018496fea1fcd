#include "decoder/PacingClock.h"

namespace decoder {

PacingClock::PacingClock(double speed)
    : m_origin(std::chrono::steady_clock::now())
    , m_speed(speed > 0.0 ? speed : 1.0)
{
}

std::chrono::nanoseconds PacingClock::Now() const
{
    const auto real = std::chrono::steady_clock::now() - m_origin;
    return std::chrono::nanoseconds(static_cast<int64_t>(
        static_cast<double>(std::chrono::duration_cast<std::chrono::nanoseconds>(real).count()) * m_speed));
}

std::chrono::nanoseconds PacingClock::ToReal(std::chrono::nanoseconds paced) const
{
    return std::chrono::nanoseconds(static_cast<int64_t>(static_cast<double>(paced.count()) / m_speed));
}

} // namespace decoder
