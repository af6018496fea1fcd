#pragma once
// The play situation the transport commands keep: stopped (bStop, neither
// bPlay nor bPause) or started (bPlay, bPause telling whether paused), the two
// modes and the volume. The 20-byte record sent to assists is built from this
// by the main window.
#include <cstdint>

struct PlayState {
    bool bPlay = false;
    bool bPause = false;
    bool bStop = false;
    bool bRepeat = false;
    bool bShuffle = false;
    std::int32_t Volume = 50;        // 0..100, both channels
    std::int32_t DecoderState = 0;   // 0 stopped, 1 playing, 2 paused (as last read)

    bool IsStopped() const { return bStop && !bPlay && !bPause; }
};

// Volume arithmetic of the volume buttons: the step is 5, or 1 with Ctrl
// (fine). The result never leaves 0..100.
enum class VolumeStep { Normal, Fine };

namespace VolumeRules {

inline std::int32_t StepSize(VolumeStep step) { return step == VolumeStep::Fine ? 1 : 5; }

// Plus: above 100 - step gives 100, else volume + step.
inline std::int32_t Plus(std::int32_t volume, VolumeStep step) {
    const std::int32_t s = StepSize(step);
    return volume > 100 - s ? 100 : volume + s;
}

// Minus: below step gives 0, else volume - step.
inline std::int32_t Minus(std::int32_t volume, VolumeStep step) {
    const std::int32_t s = StepSize(step);
    return volume < s ? 0 : volume - s;
}

// A volume from outside (an assist, a settings file) clamped to 0..100.
inline std::int32_t Clamp(std::int64_t volume) {
    return volume < 0 ? 0 : volume > 100 ? 100 : static_cast<std::int32_t>(volume);
}

} // namespace VolumeRules
