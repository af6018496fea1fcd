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
    m_rightIsLeft = true;
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
    const size_t rightChannel = channels > 1 ? 1 : 0;
    if (channels > 1)
        m_rightIsLeft = false;
    int64_t hop;
    {
        std::lock_guard lock(m_mutex);
        hop = m_hop;
    }
    constexpr auto Size = static_cast<size_t>(SpectrumAnalyzer::Size);
    const float* in = interleaved.data();
    size_t frames = interleaved.size() / step;
    // In runs that end at the next hop or at the end of the history, so
    // that the copy is a plain loop and the hop is checked once a run.
    while (frames > 0) {
        const size_t run = std::min({frames, static_cast<size_t>(hop - m_sinceHop), Size - m_historyAt});
        float* left = m_historyLeft.data() + m_historyAt;
        float* right = m_historyRight.data() + m_historyAt;
        for (size_t i = 0; i < run; ++i) {
            left[i] = left[i + Size] = in[i * step];
            right[i] = right[i + Size] = in[i * step + rightChannel];
        }
        in += run * step;
        frames -= run;
        m_historyAt = (m_historyAt + run) % Size;
        m_unpublished += static_cast<int64_t>(run);
        m_sinceHop += static_cast<int64_t>(run);
        if (m_sinceHop == hop)
            TakeSpectrum();
    }
    std::lock_guard lock(m_mutex);
    m_next += std::exchange(m_unpublished, 0);
}

void SpectrumRing::TakeSpectrum()
{
    Entry entry;
    const auto analyse = [&](const History& history, Values& values) {
        const std::span<const float, SpectrumAnalyzer::Size> window(history.data() + m_historyAt,
                                                                    SpectrumAnalyzer::Size);
        m_analyzer.Compute(window, m_values);
        std::transform(m_values.begin(), m_values.end(), values.begin(), [](int32_t v) { return static_cast<uint8_t>(v); });
    };
    analyse(m_historyLeft, entry.Left);
    if (m_rightIsLeft)
        entry.Right = entry.Left;
    else
        analyse(m_historyRight, entry.Right);
    m_sinceHop = 0;
    std::lock_guard lock(m_mutex);
    m_next += std::exchange(m_unpublished, 0);
    entry.End = m_next;
    m_entries[static_cast<size_t>((entry.End - m_first) / m_hop % Capacity)] = entry;
}

[[gnu::hot]] bool SpectrumRing::Read(int64_t heard, std::span<int32_t, SpectrumAnalyzer::Bins> left,
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
