#pragma once
// What the playback thread knows of the track it plays: the private state of
// PlaybackEngine's thread, shared by the two files that make up the engine.
// Only the playback thread touches a Session.
#include "decoder/Mp3Source.h"
#include "decoder/PlaybackEngine.h"

#include <chrono>
#include <cstdint>
#include <memory>
#include <vector>

namespace decoder {

struct PlaybackEngine::Session {
    enum class Phase { Idle,
                       Decoding,
                       ChangingFormat, // the sound before a change of format plays out
                       Draining,
                       Done };
    uint64_t Generation = 0;
    Phase Step = Phase::Idle;
    std::shared_ptr<Mp3Source> Track;
    AudioFormat Format;
    bool Paused = false;
    int64_t SegmentMs = 0;
    int64_t SegmentFrame = 0;
    int64_t SegmentWritten = 0; // frames written to the output since the segment began
    uint64_t SeekSerial = 0;    // the last seek request acted on
    bool FromSeek = false;      // the segment began with a seek
    std::vector<float> Pending; // decoded, volume applied, not yet written
    size_t PendingOffset = 0;   // samples of Pending already written
    // What stopped the decoding: Ok while it goes on; End or NewFormat are
    // acted on once the sound decoded before them has been written.
    Mp3Source::Status Held = Mp3Source::Status::Ok;
    std::chrono::steady_clock::time_point NextPresenceCheck{};
    int64_t LastPlayed = -1;
    std::chrono::steady_clock::time_point LastProgress{};
};

// Milliseconds of a number of frames at a rate; 0 at no rate.
inline int64_t PlaybackFramesToMs(int64_t frames, int32_t rate)
{
    return rate > 0 ? frames * 1000 / rate : 0;
}

} // namespace decoder
