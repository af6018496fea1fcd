#pragma once
// Where decoded sound goes: a sound server, a paced silence, or a WAV file.
//
// The playback thread owns an output and is the only one to call Open, Close,
// WritableFrames, Write, Flush, Finish, Drained, Failed and RetryAfter.
// SetPaused, SetVolume and PlayedFrames may also be called from the
// user-interface thread, at the same time, and must return within
// microseconds.
//
// Samples are interleaved 32-bit floats in -1..1, frames of Format().Channels
// samples. Frame counts are counted from the last Open.
#include <chrono>
#include <cstdint>
#include <span>
#include <string>

namespace decoder {

struct AudioFormat {
    int32_t Rate = 0;     // frames per second
    int32_t Channels = 0; // samples per frame
    bool operator==(const AudioFormat&) const = default;
};

class AudioOutput {
public:
    virtual ~AudioOutput() = default;

    // "pulse", "null" or "wav".
    virtual std::string Name() const = 0;

    // Starts a new stream in this format, discarding any earlier one; it
    // starts unpaused. False when the device refuses it.
    [[nodiscard]] virtual bool Open(AudioFormat format) = 0;
    // Ends the stream at once, discarding what is queued.
    virtual void Close() = 0;

    // How many frames Write accepts now without growing the queue beyond
    // the output's latency target.
    virtual int64_t WritableFrames() = 0;
    // Queues sound (at most WritableFrames). False when the device failed.
    [[nodiscard]] virtual bool Write(std::span<const float> interleaved) = 0;
    // Drops everything queued and not yet heard, at once, keeping the format
    // and the pause state; frame counts start again from 0 as after Open.
    // False when the device failed.
    [[nodiscard]] virtual bool Flush() = 0;
    // No more sound follows: play out what is queued.
    virtual void Finish() = 0;
    // True once everything queued after Finish has been heard.
    virtual bool Drained() = 0;

    // Pauses or resumes; the position freezes at once while paused.
    virtual void SetPaused(bool paused) = 0;
    // True when the output applies the volume itself (SetVolume acts at
    // once, on sound already queued too); otherwise the caller scales the
    // samples it writes.
    virtual bool AppliesVolume() const { return false; }
    // Linear gains of the left and right channels (mono: their mean), kept
    // for streams opened later. Ignored unless AppliesVolume.
    virtual void SetVolume(float /*left*/, float /*right*/) {}
    // The number of frames the listener has heard so far (latency taken
    // into account), never more than were written.
    virtual int64_t PlayedFrames() = 0;

    // True when the device has gone away; the output is then useless.
    virtual bool Failed() = 0;
    // How long, in real time, it is worth waiting before WritableFrames grows.
    virtual std::chrono::nanoseconds RetryAfter() = 0;
};

} // namespace decoder
