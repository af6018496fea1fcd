// The caller's side of the playback engine: the requests handed to the
// playback thread, and the position, state and spectrum read from what it
// publishes. The thread's side is in PlaybackThread.cpp.
#include "decoder/PlaybackEngine.h"

#include "decoder/AudioOutputFactory.h"
#include "decoder/PlaybackSession.h"

#include <algorithm>
#include <limits>
#include <utility>

namespace decoder {

PlaybackEngine::PlaybackEngine(std::string audioSetting, std::shared_ptr<const PacingClock> clock)
    : PlaybackEngine(
          [setting = std::move(audioSetting), clock] { return AudioOutputFactory::Create(setting, clock); }, clock)
{
}

PlaybackEngine::PlaybackEngine(OutputMaker makeOutput, std::shared_ptr<const PacingClock> clock)
    : m_makeOutput(std::move(makeOutput))
    , m_clock(std::move(clock))
{
    m_thread = std::thread([this] { Run(); });
}

PlaybackEngine::~PlaybackEngine()
{
    {
        std::lock_guard lock(m_mutex);
        m_quit = true;
    }
    m_wake.notify_all();
    m_thread.join();
}

void PlaybackEngine::Play(std::shared_ptr<Mp3Source> track)
{
    if (!track)
        return;
    m_generation = ++m_lastGeneration;
    m_paused = false;
    m_pausedMs = 0;
    {
        std::lock_guard lock(m_mutex);
        m_requestGeneration = m_generation;
        m_requestTrack = std::move(track);
        m_requestPaused = false;
        m_requestPlaySeekSerial = m_requestSeekSerial;
    }
    m_wake.notify_all();
}

void PlaybackEngine::Stop()
{
    m_generation = 0;
    m_paused = false;
    {
        std::lock_guard lock(m_mutex);
        m_requestGeneration = 0;
        m_requestTrack.reset();
        m_requestPaused = false;
    }
    m_wake.notify_all();
}

void PlaybackEngine::Pause()
{
    if (CurrentState() != State::Playing)
        return;
    m_pausedMs = PlayMs();
    m_paused = true;
    m_seekWhilePaused = false;
    {
        std::lock_guard lock(m_mutex);
        m_requestPaused = true;
    }
    {
        std::lock_guard lock(m_positionMutex);
        if (m_output && m_positionGeneration == m_generation)
            m_output->SetPaused(true);
    }
    m_wake.notify_all();
}

void PlaybackEngine::Resume()
{
    if (CurrentState() != State::Paused)
        return;
    m_paused = false;
    m_seekWhilePaused = false;
    {
        std::lock_guard lock(m_mutex);
        m_requestPaused = false;
    }
    {
        std::lock_guard lock(m_positionMutex);
        if (m_output && m_positionGeneration == m_generation)
            m_output->SetPaused(false);
    }
    m_wake.notify_all();
}

void PlaybackEngine::Seek(int64_t ms)
{
    if (CurrentState() == State::Stopped)
        return;
    const auto target = static_cast<int32_t>(std::clamp<int64_t>(ms, 0, std::numeric_limits<int32_t>::max()));
    ++m_seekSerial;
    m_seekTargetMs = target;
    m_seekWhilePaused = m_paused;
    {
        std::lock_guard lock(m_mutex);
        m_requestSeekSerial = m_seekSerial;
        m_requestSeekMs = target;
    }
    m_wake.notify_all();
}

[[gnu::hot]] PlaybackEngine::State PlaybackEngine::CurrentState() const
{
    if (m_generation == 0)
        return State::Stopped;
    {
        std::lock_guard lock(m_positionMutex);
        if (m_endedGeneration == m_generation)
            return State::Stopped;
    }
    return m_paused ? State::Paused : State::Playing;
}

[[gnu::hot]] int32_t PlaybackEngine::PlayMs() const
{
    if (m_generation == 0)
        return 0;
    if (m_paused && !m_seekWhilePaused)
        return m_pausedMs;
    std::lock_guard lock(m_positionMutex);
    if (m_positionGeneration != m_generation)
        return 0;
    if (m_positionSeekSerial != m_seekSerial)
        return m_seekTargetMs;
    if (m_endedGeneration == m_generation)
        return static_cast<int32_t>(m_endMs);
    if (m_paused)
        return static_cast<int32_t>(m_segmentMs); // sought while paused: the new place, clamped by the thread
    if (!m_output)
        return static_cast<int32_t>(m_segmentMs);
    return static_cast<int32_t>(m_segmentMs + PlaybackFramesToMs(m_output->PlayedFrames(), m_segmentRate));
}

[[gnu::hot]] void PlaybackEngine::Spectrum(std::span<int32_t, SpectrumAnalyzer::Bins> left,
                                           std::span<int32_t, SpectrumAnalyzer::Bins> right)
{
    int64_t heard = -1;
    if (m_generation != 0) {
        // One lock for the state and the position: a track that has ended
        // is stopped, as CurrentState says, and shows silence.
        std::lock_guard lock(m_positionMutex);
        if (m_endedGeneration != m_generation && m_output && m_positionGeneration == m_generation) {
            heard = m_segmentFrame + m_output->PlayedFrames();
            // Just after a seek, the sound before the new place is not
            // the track's: show the first moments of the new place.
            if (m_segmentFromSeek)
                heard = std::max(heard, m_ring.FirstWholeWindowEnd(m_segmentFrame));
        }
    }
    if (heard < 0) {
        std::fill(left.begin(), left.end(), 0);
        std::fill(right.begin(), right.end(), 0);
        return;
    }
    (void)m_ring.Read(heard, left, right);
}

void PlaybackEngine::SetGains(float left, float right)
{
    m_gainLeft = left;
    m_gainRight = right;
    std::lock_guard lock(m_positionMutex);
    if (m_output)
        m_output->SetVolume(left, right);
}

std::string PlaybackEngine::OutputName() const
{
    std::lock_guard lock(m_mutex);
    return m_outputName;
}

} // namespace decoder
