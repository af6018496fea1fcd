#pragma once
// The mouse on the seek bar ("seekbar-container") and the volume gauge
// ("volume-container"): an extension of the skin's gauges, which only show.
//
// - A press or drag in the seek bar of a playing or paused track: while the
//   button is held the gauge follows the pointer (SeekBarPercent), and the
//   release seeks once to that fraction of the track (SeekToFraction).
// - The wheel over the seek bar steps 5 s per notch (SeekStep).
// - A press or drag in the volume gauge sets the volume at once, in steps of
//   1 (SetVolume, only when the value changes).
//
// The regions are looked up in the current skin at each press, so a new skin
// needs nothing. Client pixels; user-interface thread.
#include "player/skin/SkinWindowListener.h"
#include "player/widgets/GaugeGesture.h"

#include <cstdint>
#include <optional>

namespace skin {
struct Skin;
}

namespace widgets {

class GaugeControls {
public:
    // What the gestures ask of the player.
    class Host {
    public:
        virtual ~Host() = default;
        // Seeks to this fraction (0..1) of the current track.
        virtual void SeekToFraction(double fraction) = 0;
        // Seeks by this many ms from the position heard now.
        virtual void SeekStep(int32_t ms) = 0;
        // Sets the volume (0..100), as any volume change does.
        virtual void SetVolume(int32_t volume) = 0;
        // The volume now, so that an unchanged value is not set again.
        virtual int32_t CurrentVolume() const = 0;
        // Whether a track plays or is paused, so that the seek bar can be dragged.
        virtual bool CanSeek() const = 0;
    };

    static constexpr int32_t WheelStepMs = 5000;
    // One notch of a mouse wheel, in the window system's delta units.
    static constexpr int32_t WheelNotch = 120;

    GaugeControls(const skin::Skin& skin, Host& host);

    // True when the press began a gesture (and nothing else should take it).
    bool MouseDown(skin::MouseButton button, int32_t x, int32_t y);
    void MouseMove(skin::MouseButtons buttons, int32_t x, int32_t y);
    // True when the release ended a gesture.
    bool MouseUp(skin::MouseButton button, int32_t x, int32_t y);
    // True when the wheel was over the seek bar and stepped the position.
    bool Wheel(int32_t delta, int32_t x, int32_t y);

    // While a seek-bar drag goes on, the percent under the pointer: the
    // play loop shows it instead of the play position.
    std::optional<int32_t> SeekBarPercent() const { return m_seekPercent; }

private:
    const skin::Skin& m_skin;
    Host& m_host;
    GaugeGesture m_seek;
    GaugeGesture m_volume;
    std::optional<int32_t> m_seekPercent;
    int32_t m_wheelRest = 0; // wheel delta short of a notch, kept for the next event
};

} // namespace widgets
