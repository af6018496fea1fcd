#include "decoder/NullAudioOutput.h"

#include <algorithm>

namespace decoder {

NullAudioOutput::NullAudioOutput(std::shared_ptr<const PacingClock> clock, int32_t bufferMs)
    : m_clock(std::move(clock))
    , m_bufferMs(std::max(bufferMs, 10))
{
}

bool NullAudioOutput::Open(AudioFormat format)
{
    if (format.Rate <= 0 || format.Channels <= 0)
        return false;
    std::lock_guard lock(m_mutex);
    m_format = format;
    m_written = 0;
    m_anchorFrames = 0;
    m_anchorTime = m_clock->Now();
    m_paused = false;
    return true;
}

void NullAudioOutput::Close()
{
    std::lock_guard lock(m_mutex);
    m_written = 0;
    m_anchorFrames = 0;
    m_paused = false;
}

bool NullAudioOutput::Flush()
{
    std::lock_guard lock(m_mutex);
    m_written = 0;
    m_anchorFrames = 0;
    m_anchorTime = m_clock->Now();
    return m_format.Rate > 0;
}

int64_t NullAudioOutput::PlayedAt(std::chrono::nanoseconds now) const
{
    if (m_paused || m_format.Rate <= 0)
        return std::min(m_anchorFrames, m_written);
    const int64_t elapsed = std::max<int64_t>(0, (now - m_anchorTime).count());
    // Frames = ns * rate / 1e9, computed without overflow for any sensible duration.
    const int64_t frames = elapsed / 1'000'000'000 * m_format.Rate + elapsed % 1'000'000'000 * m_format.Rate / 1'000'000'000;
    return std::min(m_anchorFrames + frames, m_written);
}

int64_t NullAudioOutput::WritableFrames()
{
    std::lock_guard lock(m_mutex);
    const int64_t capacity = static_cast<int64_t>(m_format.Rate) * m_bufferMs / 1000;
    return std::max<int64_t>(0, capacity - (m_written - PlayedAt(m_clock->Now())));
}

bool NullAudioOutput::Write(std::span<const float> interleaved)
{
    std::lock_guard lock(m_mutex);
    if (m_format.Channels <= 0)
        return false;
    const auto now = m_clock->Now();
    if (!m_paused && PlayedAt(now) >= m_written) {
        // The queue ran dry (or this is the first write): the listener has
        // heard everything, and the new sound starts now.
        m_anchorFrames = m_written;
        m_anchorTime = now;
    }
    m_written += static_cast<int64_t>(interleaved.size()) / m_format.Channels;
    return true;
}

bool NullAudioOutput::Drained()
{
    std::lock_guard lock(m_mutex);
    return PlayedAt(m_clock->Now()) >= m_written;
}

void NullAudioOutput::SetPaused(bool paused)
{
    std::lock_guard lock(m_mutex);
    if (paused == m_paused)
        return;
    const auto now = m_clock->Now();
    if (paused) {
        m_anchorFrames = PlayedAt(now);
        m_paused = true;
    } else {
        m_paused = false;
        m_anchorTime = now;
    }
}

int64_t NullAudioOutput::PlayedFrames()
{
    std::lock_guard lock(m_mutex);
    return PlayedAt(m_clock->Now());
}

std::chrono::nanoseconds NullAudioOutput::RetryAfter()
{
    std::lock_guard lock(m_mutex);
    if (m_paused || m_format.Rate <= 0)
        return std::chrono::milliseconds(50);
    // Come back when half the queue has been heard.
    const int64_t queued = m_written - PlayedAt(m_clock->Now());
    const int64_t half = static_cast<int64_t>(m_format.Rate) * m_bufferMs / 2000;
    const int64_t waitFrames = std::max<int64_t>(0, queued - half);
    return m_clock->ToReal(std::chrono::nanoseconds(waitFrames * 1'000'000'000 / m_format.Rate));
}

} // namespace decoder
