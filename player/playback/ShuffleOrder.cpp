#include "player/playback/ShuffleOrder.h"

#include <algorithm>
#include <numeric>

namespace playback {

void ShuffleOrder::Rebuild(std::int32_t count, bool shuffle, std::mt19937& rng)
{
    m_Order.clear();
    if (count <= 0) return;
    m_Order.resize(static_cast<std::size_t>(count));
    std::iota(m_Order.begin(), m_Order.end(), 1);
    if (!shuffle) return;
    // Fisher-Yates: every permutation equally likely, linear time.
    for (std::size_t i = m_Order.size() - 1; i > 0; --i) {
        std::uniform_int_distribution<std::size_t> pick(0, i);
        std::swap(m_Order[i], m_Order[pick(rng)]);
    }
}

bool ShuffleOrder::Contains(std::int32_t trackNumber) const
{
    return std::find(m_Order.begin(), m_Order.end(), trackNumber) != m_Order.end();
}

std::int32_t ShuffleOrder::GetNextPlayPosition(std::int32_t playPosition, std::int32_t listCount,
                                               bool repeat) const
{
    if (listCount <= 0 || playPosition == 0) return kNoTrack;
    const auto it = std::find(m_Order.begin(), m_Order.end(), playPosition);
    if (it == m_Order.end()) return kNoTrack;
    if (std::next(it) != m_Order.end()) return *std::next(it);
    return repeat ? m_Order.front() : kPastEnd;
}

std::int32_t ShuffleOrder::GetPrevPlayPosition(std::int32_t playPosition, std::int32_t listCount,
                                               bool repeat) const
{
    if (listCount <= 0 || playPosition == 0) return kNoTrack;
    const auto it = std::find(m_Order.rbegin(), m_Order.rend(), playPosition);
    if (it == m_Order.rend()) return kNoTrack;
    if (std::next(it) != m_Order.rend()) return *std::next(it);
    return repeat ? m_Order.back() : kPastEnd;
}

} // namespace playback
