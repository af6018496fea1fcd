#pragma once
// Sound through a PulseAudio server (PipeWire's pulse service included),
// using the asynchronous API on a threaded main loop. Pausing corks the
// stream; the position comes from the server's timing information
// (interpolated and corrected for latency), so it is the sample heard now.
//
// Feeding: the server holds about 2 s and asks for more in requests of
// 500 ms; the writes of one request are gathered here and sent as one, so
// the server and this client's threads handle two transfers a second
// instead of one per MP3 frame. The volume is the stream's volume on the
// server: it acts at once, on the sound already queued too, and shows in
// the server's mixer.
//
// When the server goes away, Failed becomes true and every call returns at
// once; the caller replaces the output.
#include "decoder/AudioOutput.h"
#include "decoder/PlayedClock.h"

#include <atomic>
#include <chrono>
#include <memory>
#include <mutex>
#include <vector>

struct pa_threaded_mainloop;
struct pa_context;
struct pa_stream;
struct pa_operation;
struct pa_cvolume;

namespace decoder {

class PulseAudioOutput : public AudioOutput {
public:
    // Connects to the default server; nullptr when none answers in time.
    static std::unique_ptr<PulseAudioOutput> Connect(std::chrono::milliseconds timeout);
    ~PulseAudioOutput() override;
    PulseAudioOutput(const PulseAudioOutput&) = delete;
    PulseAudioOutput& operator=(const PulseAudioOutput&) = delete;

    std::string Name() const override { return "pulse"; }
    [[nodiscard]] bool Open(AudioFormat format) override;
    void Close() override;
    int64_t WritableFrames() override;
    [[nodiscard]] bool Write(std::span<const float> interleaved) override;
    // A new stream in the same format (corked when the old one was), which
    // the server starts from silence at once.
    [[nodiscard]] bool Flush() override;
    void Finish() override;
    bool Drained() override;
    void SetPaused(bool paused) override;
    bool AppliesVolume() const override { return true; }
    void SetVolume(float left, float right) override;
    int64_t PlayedFrames() override;
    bool Failed() override;
    // When the server will have room for a whole request.
    std::chrono::nanoseconds RetryAfter() override;

private:
    PulseAudioOutput() = default;
    void CloseLocked();
    int64_t PlayedFramesLocked();
    PlayedClock::Reading ReadClockLocked(PlayedClock::TimePoint now);
    // Sends the gathered sound; false when the server refused it.
    bool SendStagedLocked();
    void ApplyVolumeLocked();
    pa_cvolume VolumeLocked(uint8_t channels) const;
    static void OnContextState(pa_context* context, void* self);
    static void OnStreamState(pa_stream* stream, void* self);

    pa_threaded_mainloop* m_loop = nullptr;
    pa_context* m_context = nullptr;
    pa_stream* m_stream = nullptr;
    pa_operation* m_drain = nullptr;
    AudioFormat m_format;
    std::atomic<int64_t> m_written{0};       // frames sent to the server
    std::atomic<uint64_t> m_streamSerial{0}; // streams opened or closed so far
    // Changes whenever the clock stops or starts (a stream opened or
    // closed, a pause or resume), so that older readings are not moved on.
    std::atomic<uint64_t> m_clockEpoch{0};
    std::mutex m_clockMutex;
    PlayedClock m_clock;
    // Guarded by the main loop's lock:
    bool m_corked = false;
    std::vector<float> m_staged; // written, gathered for the next send
    size_t m_requestBytes = 0;   // the server's request size
    float m_volumeLeft = 1.0f;
    float m_volumeRight = 1.0f;
    std::atomic<bool> m_failed{false};
};

} // namespace decoder
