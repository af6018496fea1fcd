#pragma once
// The play situation the transport commands keep: stopped (bStop, neither
// bPlay nor bPause) or started (bPlay, bPause telling whether paused), the two
// modes, the volume, the decoder's state as last read and the current track.
// Transport owns the one instance; the 20-byte record sent to assists is built
// from it by ToRecord.
#include "protocol/PlayStateRecord.h"

#include <cstdint>

namespace playback {

// The decoder's state as dec_getState reports it; the values are those of the
// wire record.
enum class DecoderState : std::int32_t { Stopped = 0,
                                         Playing = 1,
                                         Paused = 2 };

struct PlayState {
    bool bPlay = false;
    bool bPause = false;
    bool bStop = false;
    bool bRepeat = false;
    bool bShuffle = false;
    std::int32_t Volume = 50;                                         // 0..100, both channels
    playback::DecoderState Decoder = playback::DecoderState::Stopped; // as last read
    std::int32_t PlayPosition = 0;                                    // 1-based number of the current track; 0 for none

    bool IsStopped() const { return bStop && !bPlay && !bPause; }
};

// The record the assists receive.
inline protocol::PlayStateRecord ToRecord(const PlayState& state)
{
    protocol::PlayStateRecord r;
    r.bPlay = protocol::ToVbBool(state.bPlay);
    r.bPause = protocol::ToVbBool(state.bPause);
    r.bStop = protocol::ToVbBool(state.bStop);
    r.bRepeat = protocol::ToVbBool(state.bRepeat);
    r.bShuffle = protocol::ToVbBool(state.bShuffle);
    r.Volume = state.Volume;
    r.DecoderState = static_cast<std::int32_t>(state.Decoder);
    return r;
}

// Volume arithmetic of the volume buttons: the step is 5, or 1 with Ctrl
// (fine). The result never leaves 0..100.
enum class VolumeStep { Normal,
                        Fine };

namespace VolumeRules {

inline std::int32_t StepSize(VolumeStep step) { return step == VolumeStep::Fine ? 1 : 5; }

// Plus: above 100 - step gives 100, else volume + step.
inline std::int32_t Plus(std::int32_t volume, VolumeStep step)
{
    const std::int32_t s = StepSize(step);
    return volume > 100 - s ? 100 : volume + s;
}

// Minus: below step gives 0, else volume - step.
inline std::int32_t Minus(std::int32_t volume, VolumeStep step)
{
    const std::int32_t s = StepSize(step);
    return volume < s ? 0 : volume - s;
}

// A volume from outside (an assist, a settings file) clamped to 0..100.
inline std::int32_t Clamp(std::int64_t volume)
{
    return volume < 0 ? 0 : volume > 100 ? 100
                                         : static_cast<std::int32_t>(volume);
}

} // namespace VolumeRules

} // namespace playback
