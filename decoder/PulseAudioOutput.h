#pragma once
// Sound through a PulseAudio server (PipeWire's pulse service included),
// using the asynchronous API on a threaded main loop. Pausing corks the
// stream; the position comes from the server's timing information
// (interpolated and corrected for latency), so it is the sample heard now.
//
// When the server goes away, Failed becomes true and every call returns at
// once; the caller replaces the output.
#include "decoder/AudioOutput.h"

#include <atomic>
#include <chrono>
#include <memory>

struct pa_threaded_mainloop;
struct pa_context;
struct pa_stream;
struct pa_operation;

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
    int64_t PlayedFrames() override;
    bool Failed() override;
    // When a third of what is queued has been played.
    std::chrono::nanoseconds RetryAfter() override;

private:
    PulseAudioOutput() = default;
    void CloseLocked();
    int64_t PlayedFramesLocked();
    static void OnContextState(pa_context* context, void* self);
    static void OnStreamState(pa_stream* stream, void* self);

    pa_threaded_mainloop* m_loop = nullptr;
    pa_context* m_context = nullptr;
    pa_stream* m_stream = nullptr;
    pa_operation* m_drain = nullptr;
    AudioFormat m_format;
    std::atomic<int64_t> m_written {0};
    bool m_corked = false; // guarded by the main loop's lock
    std::atomic<bool> m_failed {false};
};

} // namespace decoder
