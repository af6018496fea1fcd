#include "decoder/PulseAudioOutput.h"

#include <pulse/pulseaudio.h>

#include <algorithm>
#include <thread>

namespace decoder {

namespace {

// Sound queued ahead of the listener, and the size of the server's requests
// for more. Large values let the server (and the sound card behind it) wake
// rarely; pause, stop and volume still act at once, since they cork,
// disconnect or change the stream on the server rather than wait for the
// queue to play out, and the position is the server's latency-corrected
// clock, so what is shown follows what is heard.
//
// The server splits the target between the device and the stream's queue:
// the device gets (target - 2 requests) / 2, here 500 ms, so it too wakes
// rarely; a request as large as half the target would leave it nothing and
// make the server wake all the time. Each request wakes this client's
// threads too: two a second cost far less than the seven of a 150-ms one.
constexpr pa_usec_t TargetLatencyUs = 2'000'000;
constexpr pa_usec_t RequestUs = 500'000;

class LoopLock {
public:
    explicit LoopLock(pa_threaded_mainloop* loop)
        : m_loop(loop)
    {
        pa_threaded_mainloop_lock(m_loop);
    }
    ~LoopLock() { pa_threaded_mainloop_unlock(m_loop); }
    LoopLock(const LoopLock&) = delete;
    LoopLock& operator=(const LoopLock&) = delete;

private:
    pa_threaded_mainloop* m_loop;
};

void Drop(pa_operation* op)
{
    if (op)
        pa_operation_unref(op);
}

} // namespace

void PulseAudioOutput::OnContextState(pa_context* context, void* self)
{
    auto* out = static_cast<PulseAudioOutput*>(self);
    const auto state = pa_context_get_state(context);
    if (state == PA_CONTEXT_FAILED || state == PA_CONTEXT_TERMINATED)
        out->m_failed = true;
    pa_threaded_mainloop_signal(out->m_loop, 0);
}

void PulseAudioOutput::OnStreamState(pa_stream* stream, void* self)
{
    auto* out = static_cast<PulseAudioOutput*>(self);
    if (pa_stream_get_state(stream) == PA_STREAM_FAILED)
        out->m_failed = true;
    pa_threaded_mainloop_signal(out->m_loop, 0);
}

std::unique_ptr<PulseAudioOutput> PulseAudioOutput::Connect(std::chrono::milliseconds timeout)
{
    std::unique_ptr<PulseAudioOutput> out(new PulseAudioOutput());
    out->m_loop = pa_threaded_mainloop_new();
    if (!out->m_loop)
        return nullptr;
    out->m_context = pa_context_new(pa_threaded_mainloop_get_api(out->m_loop), "Zelko");
    if (!out->m_context)
        return nullptr;
    pa_context_set_state_callback(out->m_context, &OnContextState, out.get());
    if (pa_context_connect(out->m_context, nullptr, PA_CONTEXT_NOAUTOSPAWN, nullptr) < 0)
        return nullptr;
    if (pa_threaded_mainloop_start(out->m_loop) < 0)
        return nullptr;
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    while (true) {
        pa_context_state_t state;
        {
            LoopLock lock(out->m_loop);
            state = pa_context_get_state(out->m_context);
        }
        if (state == PA_CONTEXT_READY)
            return out;
        if (!PA_CONTEXT_IS_GOOD(state) || std::chrono::steady_clock::now() > deadline)
            return nullptr;
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
}

PulseAudioOutput::~PulseAudioOutput()
{
    if (m_loop)
        pa_threaded_mainloop_stop(m_loop);
    if (m_drain)
        pa_operation_unref(m_drain);
    if (m_stream) {
        pa_stream_set_state_callback(m_stream, nullptr, nullptr);
        pa_stream_disconnect(m_stream);
        pa_stream_unref(m_stream);
    }
    if (m_context) {
        pa_context_set_state_callback(m_context, nullptr, nullptr);
        pa_context_disconnect(m_context);
        pa_context_unref(m_context);
    }
    if (m_loop)
        pa_threaded_mainloop_free(m_loop);
}

bool PulseAudioOutput::Failed()
{
    return m_failed;
}

bool PulseAudioOutput::Open(AudioFormat format)
{
    if (m_failed || format.Rate <= 0 || format.Channels <= 0 || format.Channels > static_cast<int32_t>(PA_CHANNELS_MAX))
        return false;
    pa_sample_spec spec{};
    spec.format = PA_SAMPLE_FLOAT32NE;
    spec.rate = static_cast<uint32_t>(format.Rate);
    spec.channels = static_cast<uint8_t>(format.Channels);
    pa_channel_map map;
    pa_channel_map_init_extend(&map, spec.channels, PA_CHANNEL_MAP_DEFAULT);
    {
        LoopLock lock(m_loop);
        CloseLocked();
        m_format = format;
        m_written = 0;
        ++m_streamSerial;
        ++m_clockEpoch;
        m_corked = false;
        m_stream = pa_stream_new(m_context, "Zelko", &spec, &map);
        if (!m_stream)
            return false;
        pa_stream_set_state_callback(m_stream, &OnStreamState, this);
        pa_buffer_attr attr;
        attr.maxlength = static_cast<uint32_t>(-1);
        attr.tlength = static_cast<uint32_t>(pa_usec_to_bytes(TargetLatencyUs, &spec));
        attr.prebuf = static_cast<uint32_t>(-1);
        attr.minreq = static_cast<uint32_t>(pa_usec_to_bytes(RequestUs, &spec));
        attr.fragsize = static_cast<uint32_t>(-1);
        const auto flags = static_cast<pa_stream_flags_t>(
            PA_STREAM_INTERPOLATE_TIMING | PA_STREAM_AUTO_TIMING_UPDATE | PA_STREAM_ADJUST_LATENCY);
        const pa_cvolume volume = VolumeLocked(spec.channels);
        if (pa_stream_connect_playback(m_stream, nullptr, &attr, flags, &volume, nullptr) < 0) {
            CloseLocked();
            return false;
        }
    }
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(2);
    while (true) {
        pa_stream_state_t state;
        {
            LoopLock lock(m_loop);
            state = pa_stream_get_state(m_stream);
        }
        if (state == PA_STREAM_READY) {
            LoopLock lock(m_loop);
            const pa_buffer_attr* granted = pa_stream_get_buffer_attr(m_stream);
            m_requestBytes = granted ? granted->minreq : 0;
            // A volume set while the stream was being made.
            ApplyVolumeLocked();
            return true;
        }
        if (!PA_STREAM_IS_GOOD(state) || m_failed || std::chrono::steady_clock::now() > deadline) {
            m_failed = true;
            return false;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
}

void PulseAudioOutput::CloseLocked()
{
    if (m_drain) {
        pa_operation_cancel(m_drain);
        pa_operation_unref(m_drain);
        m_drain = nullptr;
    }
    if (m_stream) {
        pa_stream_set_state_callback(m_stream, nullptr, nullptr);
        pa_stream_disconnect(m_stream);
        pa_stream_unref(m_stream);
        m_stream = nullptr;
    }
    m_written = 0;
    ++m_streamSerial;
    ++m_clockEpoch;
    m_staged.clear();
}

void PulseAudioOutput::Close()
{
    LoopLock lock(m_loop);
    CloseLocked();
}

int64_t PulseAudioOutput::WritableFrames()
{
    LoopLock lock(m_loop);
    if (!m_stream || m_failed || pa_stream_get_state(m_stream) != PA_STREAM_READY)
        return 0;
    const size_t bytes = pa_stream_writable_size(m_stream);
    if (bytes == static_cast<size_t>(-1))
        return 0;
    const size_t staged = m_staged.size() * sizeof(float);
    // Less room than a request is not worth a send: wait for the next one,
    // unless the queue ran dry and needs whatever there is.
    if (staged == 0 && bytes < m_requestBytes && m_written > 0 && PlayedFramesLocked() < m_written)
        return 0;
    if (bytes <= staged)
        return 0;
    return static_cast<int64_t>((bytes - staged) / (sizeof(float) * static_cast<size_t>(m_format.Channels)));
}

bool PulseAudioOutput::Write(std::span<const float> interleaved)
{
    LoopLock lock(m_loop);
    if (!m_stream || m_failed)
        return false;
    // Sound beyond one request goes in slices of a request, so that the
    // gathering buffer never holds more (the first fill is the whole 2 s).
    const size_t slice = m_requestBytes / sizeof(float);
    while (slice > 0 && m_staged.size() + interleaved.size() > slice) {
        const size_t take = slice - std::min(slice, m_staged.size());
        m_staged.insert(m_staged.end(), interleaved.begin(), interleaved.begin() + static_cast<std::ptrdiff_t>(take));
        interleaved = interleaved.subspan(take);
        if (!SendStagedLocked())
            return false;
    }
    m_staged.insert(m_staged.end(), interleaved.begin(), interleaved.end());
    // The writer fills what the server asked for a frame at a time; once it
    // is all there, it goes in one transfer.
    const size_t bytes = pa_stream_writable_size(m_stream);
    if (bytes != static_cast<size_t>(-1) && m_staged.size() * sizeof(float) < bytes)
        return true;
    return SendStagedLocked();
}

bool PulseAudioOutput::SendStagedLocked()
{
    if (m_staged.empty())
        return true;
    // After an underrun the server waits for a full prebuffer before it
    // plays again, which it may never get: start it at once.
    const bool ranDry = m_written > 0 && PlayedFramesLocked() >= m_written;
    if (pa_stream_write(m_stream, m_staged.data(), m_staged.size() * sizeof(float), nullptr, 0, PA_SEEK_RELATIVE) < 0) {
        m_failed = true;
        return false;
    }
    m_written += static_cast<int64_t>(m_staged.size()) / m_format.Channels;
    m_staged.clear();
    if (ranDry)
        Drop(pa_stream_trigger(m_stream, nullptr, nullptr));
    return true;
}

void PulseAudioOutput::Finish()
{
    LoopLock lock(m_loop);
    if (!m_stream || m_failed || m_drain)
        return;
    if (!SendStagedLocked())
        return;
    // A short track may never have reached the prebuffer mark: start it now.
    Drop(pa_stream_trigger(m_stream, nullptr, nullptr));
    m_drain = pa_stream_drain(m_stream, nullptr, nullptr);
}

bool PulseAudioOutput::Drained()
{
    LoopLock lock(m_loop);
    if (!m_stream || m_failed || !m_drain)
        return true;
    return pa_operation_get_state(m_drain) != PA_OPERATION_RUNNING;
}

void PulseAudioOutput::SetPaused(bool paused)
{
    LoopLock lock(m_loop);
    if (!m_stream || m_failed || paused == m_corked)
        return;
    // Uncorking makes the server wait for a full prebuffer again; what is
    // queued is all there will be for a while, so start at once.
    m_corked = paused;
    ++m_clockEpoch;
    Drop(pa_stream_cork(m_stream, paused ? 1 : 0, nullptr, nullptr));
    if (!paused)
        Drop(pa_stream_trigger(m_stream, nullptr, nullptr));
}

void PulseAudioOutput::SetVolume(float left, float right)
{
    LoopLock lock(m_loop);
    m_volumeLeft = left;
    m_volumeRight = right;
    ApplyVolumeLocked();
}

pa_cvolume PulseAudioOutput::VolumeLocked(uint8_t channels) const
{
    // Mono takes the mean; further channels alternate left and right.
    pa_cvolume volume;
    pa_cvolume_set(&volume, channels, PA_VOLUME_NORM);
    for (uint8_t c = 0; c < channels; ++c)
        volume.values[c] = pa_sw_volume_from_linear(
            channels == 1 ? (m_volumeLeft + m_volumeRight) / 2.0f : (c % 2 == 0 ? m_volumeLeft : m_volumeRight));
    return volume;
}

void PulseAudioOutput::ApplyVolumeLocked()
{
    if (!m_stream || m_failed || pa_stream_get_state(m_stream) != PA_STREAM_READY)
        return;
    const pa_cvolume volume = VolumeLocked(pa_stream_get_sample_spec(m_stream)->channels);
    Drop(pa_context_set_sink_input_volume(m_context, pa_stream_get_index(m_stream), &volume, nullptr, nullptr));
}

std::chrono::nanoseconds PulseAudioOutput::RetryAfter()
{
    constexpr std::chrono::nanoseconds Soon = std::chrono::milliseconds(10);
    LoopLock lock(m_loop);
    if (!m_stream || m_failed || m_corked || m_format.Rate <= 0)
        return Soon;
    // The server asks for more once a request's worth has played out of the
    // queue; coming back then, not before, keeps the transfers large. The
    // queue left at that moment covers a late wake-up many times over.
    const int64_t queued = m_written - PlayedFramesLocked();
    const auto* attr = pa_stream_get_buffer_attr(m_stream);
    const int64_t frameBytes = static_cast<int64_t>(sizeof(float)) * m_format.Channels;
    const int64_t keep = attr ? static_cast<int64_t>(attr->tlength - std::min(attr->tlength, attr->minreq)) / frameBytes : 0;
    const auto wait = std::chrono::nanoseconds(std::max<int64_t>(0, queued - keep) * 1'000'000'000 / m_format.Rate);
    return std::max(wait, Soon);
}

[[gnu::hot]] int64_t PulseAudioOutput::PlayedFrames()
{
    const auto now = PlayedClock::Now();
    {
        std::lock_guard lock(m_clockMutex);
        if (const auto frames = m_clock.Estimate(now, m_clockEpoch))
            return *frames;
    }
    PlayedClock::Reading reading;
    {
        LoopLock lock(m_loop);
        // Taken once the lock is held: the wait for it is not sound played.
        reading = ReadClockLocked(PlayedClock::Now());
    }
    std::lock_guard lock(m_clockMutex);
    return m_clock.Take(reading);
}

PlayedClock::Reading PulseAudioOutput::ReadClockLocked(PlayedClock::TimePoint now)
{
    PlayedClock::Reading reading;
    reading.At = now;
    reading.Frames = PlayedFramesLocked();
    reading.Queued = m_written;
    reading.Rate = m_format.Rate;
    reading.Stream = m_streamSerial;
    reading.Epoch = m_clockEpoch;
    // The server's last timing report says whether the sound card is being
    // fed; until it does (a stream still filling its buffer), the position
    // is not moved on between readings.
    const pa_timing_info* timing = m_stream && !m_failed ? pa_stream_get_timing_info(m_stream) : nullptr;
    reading.Moving = timing && timing->playing && !m_corked && reading.Frames < reading.Queued;
    return reading;
}

int64_t PulseAudioOutput::PlayedFramesLocked()
{
    if (!m_stream || m_format.Rate <= 0)
        return 0;
    pa_usec_t usec = 0;
    if (pa_stream_get_time(m_stream, &usec) < 0)
        return 0;
    const auto frames = static_cast<int64_t>(usec / 1'000'000 * static_cast<uint64_t>(m_format.Rate) + usec % 1'000'000 * static_cast<uint64_t>(m_format.Rate) / 1'000'000);
    return std::min<int64_t>(frames, m_written);
}

bool PulseAudioOutput::Flush()
{
    bool corked;
    {
        LoopLock lock(m_loop);
        corked = m_corked;
    }
    if (!Open(m_format))
        return false;
    SetPaused(corked);
    return true;
}

} // namespace decoder
