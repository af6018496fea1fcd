#include "decoder/SampleRing.h"

#include <algorithm>

namespace decoder {

SampleRing::SampleRing()
    : m_left(Capacity)
    , m_right(Capacity)
{
}

void SampleRing::Reset(int64_t first)
{
    std::lock_guard lock(m_mutex);
    m_first = first;
    m_next = first;
}

int64_t SampleRing::Next() const
{
    std::lock_guard lock(m_mutex);
    return m_next;
}

void SampleRing::Append(std::span<const float> interleaved, int channels)
{
    if (channels <= 0)
        return;
    const size_t frames = interleaved.size() / static_cast<size_t>(channels);
    const size_t right = channels > 1 ? 1 : 0;
    std::lock_guard lock(m_mutex);
    for (size_t f = 0; f < frames; ++f) {
        const size_t slot = static_cast<size_t>(m_next & (Capacity - 1));
        m_left[slot] = interleaved[f * static_cast<size_t>(channels)];
        m_right[slot] = interleaved[f * static_cast<size_t>(channels) + right];
        ++m_next;
    }
    m_first = std::max(m_first, m_next - Capacity);
}

void SampleRing::Copy(int64_t end, std::span<float> left, std::span<float> right) const
{
    const auto n = static_cast<int64_t>(std::min(left.size(), right.size()));
    std::lock_guard lock(m_mutex);
    for (int64_t i = 0; i < n; ++i) {
        const int64_t frame = end - n + i;
        if (frame < m_first || frame >= m_next) {
            left[static_cast<size_t>(i)] = 0.0f;
            right[static_cast<size_t>(i)] = 0.0f;
            continue;
        }
        const size_t slot = static_cast<size_t>(frame & (Capacity - 1));
        left[static_cast<size_t>(i)] = m_left[slot];
        right[static_cast<size_t>(i)] = m_right[slot];
    }
}

} // namespace decoder
