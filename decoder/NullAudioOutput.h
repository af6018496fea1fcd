#pragma once
// Silence paced by a clock: PlayedFrames advances in real time (or the
// clock's speed) while sound is queued, exactly as a sound card would consume
// it, so positions, spectrum and the end of a track behave as with a device.
// Used when there is no sound server and as the pacing of the WAV output.
#include "decoder/AudioOutput.h"
#include "decoder/PacingClock.h"

#include <memory>
#include <mutex>

namespace decoder {

class NullAudioOutput : public AudioOutput {
public:
    // bufferMs: how much sound may be queued ahead of the listener.
    explicit NullAudioOutput(std::shared_ptr<const PacingClock> clock, int32_t bufferMs = 250);

    std::string Name() const override { return "null"; }
    [[nodiscard]] bool Open(AudioFormat format) override;
    void Close() override;
    int64_t WritableFrames() override;
    [[nodiscard]] bool Write(std::span<const float> interleaved) override;
    [[nodiscard]] bool Flush() override;
    void Finish() override {}
    bool Drained() override;
    void SetPaused(bool paused) override;
    int64_t PlayedFrames() override;
    bool Failed() override { return false; }
    std::chrono::nanoseconds RetryAfter() override;

private:
    int64_t PlayedAt(std::chrono::nanoseconds now) const;

    std::shared_ptr<const PacingClock> m_clock;
    int32_t m_bufferMs;
    mutable std::mutex m_mutex;
    AudioFormat m_format;
    int64_t m_written = 0;
    // The position is m_anchorFrames plus the clock time since m_anchorTime;
    // the anchor moves at every pause, resume and underrun.
    int64_t m_anchorFrames = 0;
    std::chrono::nanoseconds m_anchorTime{};
    bool m_paused = false;
};

} // namespace decoder
