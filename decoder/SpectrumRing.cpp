#include "decoder/SpectrumRing.h"

#include <algorithm>
#include <utility>

namespace decoder {

SpectrumRing::SpectrumRing()
    : m_entries(Capacity)
{
}

void SpectrumRing::Reset(int64_t first, int32_t rate)
{
    m_historyLeft.fill(0.0f);
    m_historyRight.fill(0.0f);
    m_historyAt = 0;
    m_sinceHop = 0;
    m_unpublished = 0;
    std::lock_guard lock(m_mutex);
    m_first = first;
    m_next = first;
    m_hop = std::max<int64_t>(1, rate / HopsPerSecond);
}

int64_t SpectrumRing::Next() const
{
    std::lock_guard lock(m_mutex);
    return m_next;
}

int64_t SpectrumRing::FirstWholeWindowEnd(int64_t first) const
{
    std::lock_guard lock(m_mutex);
    return first + (SpectrumAnalyzer::Size + m_hop - 1) / m_hop * m_hop;
}

void SpectrumRing::Append(std::span<const float> interleaved, int channels)
{
    if (channels <= 0)
        return;
    const auto step = static_cast<size_t>(channels);
    const size_t right = channels > 1 ? 1 : 0;
    int64_t hop;
    {
        std::lock_guard lock(m_mutex);
        hop = m_hop;
    }
    for (size_t at = 0; at + step <= interleaved.size(); at += step) {
        m_historyLeft[m_historyAt] = interleaved[at];
        m_historyRight[m_historyAt] = interleaved[at + right];
        m_historyAt = (m_historyAt + 1) % SpectrumAnalyzer::Size;
        ++m_unpublished;
        if (++m_sinceHop == hop)
            TakeSpectrum();
    }
    std::lock_guard lock(m_mutex);
    m_next += std::exchange(m_unpublished, 0);
}

void SpectrumRing::TakeSpectrum()
{
    Entry entry;
    const auto analyse = [&](const std::array<float, SpectrumAnalyzer::Size>& history, Values& values) {
        const auto oldest = history.begin() + static_cast<std::ptrdiff_t>(m_historyAt);
        std::copy(history.begin(), oldest, std::copy(oldest, history.end(), m_window.begin()));
        m_analyzer.Compute(m_window, m_values);
        std::transform(m_values.begin(), m_values.end(), values.begin(), [](int32_t v) { return static_cast<uint8_t>(v); });
    };
    analyse(m_historyLeft, entry.Left);
    analyse(m_historyRight, entry.Right);
    m_sinceHop = 0;
    std::lock_guard lock(m_mutex);
    m_next += std::exchange(m_unpublished, 0);
    entry.End = m_next;
    m_entries[static_cast<size_t>((entry.End - m_first) / m_hop % Capacity)] = entry;
}

bool SpectrumRing::Read(int64_t heard, std::span<int32_t, SpectrumAnalyzer::Bins> left,
                        std::span<int32_t, SpectrumAnalyzer::Bins> right) const
{
    bool silence;
    {
        std::lock_guard lock(m_mutex);
        if (heard >= m_first + m_hop) {
            const int64_t end = m_first + (heard - m_first) / m_hop * m_hop;
            const Entry& entry = m_entries[static_cast<size_t>((end - m_first) / m_hop % Capacity)];
            if (entry.End == end) {
                std::copy(entry.Left.begin(), entry.Left.end(), left.begin());
                std::copy(entry.Right.begin(), entry.Right.end(), right.begin());
                return true;
            }
        }
        silence = heard >= m_first && heard < m_first + m_hop;
    }
    std::fill(left.begin(), left.end(), 0);
    std::fill(right.begin(), right.end(), 0);
    return silence;
}

} // namespace decoder
