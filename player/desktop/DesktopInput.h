#pragma once
// The input the main window hands to the desktop extensions before its own
// handlers see it: the mouse on the seek bar and volume gauge, the seek keys,
// and the notice that its state may have changed. Client pixels; times in
// milliseconds; user-interface thread.
#include "player/skin/SkinWindowListener.h"

#include <cstdint>
#include <optional>

namespace desktop {

class DesktopInput {
public:
    virtual ~DesktopInput() = default;
    // True when the event was taken (the main window's handlers then skip it).
    virtual bool MouseDown(skin::MouseButton button, int32_t x, int32_t y) = 0;
    virtual void MouseMove(skin::MouseButtons buttons, int32_t x, int32_t y) = 0;
    virtual bool MouseUp(skin::MouseButton button, int32_t x, int32_t y) = 0;
    virtual bool Wheel(int32_t delta, int32_t x, int32_t y) = 0;
    // The seek keys: ms forward (negative: back).
    virtual void SeekKey(int32_t ms) = 0;
    // While a seek-bar drag goes on, the percent the bar shows instead of
    // the play position.
    virtual std::optional<int32_t> SeekBarPercent() const = 0;
    // A flag, the volume or the track may have changed.
    virtual void StateMayHaveChanged() = 0;
};

} // namespace desktop
