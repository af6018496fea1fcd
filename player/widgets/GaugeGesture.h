#pragma once
// A press and drag along one horizontal gauge of the skin (the seek bar, the
// volume gauge), as values: the pointer's place as a fraction of the gauge,
// 0 at its left edge and 1 at its right edge, clamped to 0..1 when the
// pointer leaves the gauge while the button is held.
//
// Pure logic on client pixels; used on the user-interface thread.
#include "platform/Rect.h"
#include "platform/Region.h"

#include <cstdint>
#include <optional>

namespace widgets {

class GaugeGesture {
public:
    // Starts when the point lies in the region; the fraction under the pointer.
    [[nodiscard]] std::optional<double> Press(const platform::Region& region, int32_t x, int32_t y);
    // While pressed: the fraction under the pointer; nothing otherwise.
    [[nodiscard]] std::optional<double> Move(int32_t x) const;
    // Ends the gesture; the final fraction, nothing when none was pressed.
    [[nodiscard]] std::optional<double> Release(int32_t x);
    // Forgets a gesture in progress (a new skin, a lost button).
    void Cancel() { m_box.reset(); }
    bool Active() const { return m_box.has_value(); }

    // A fraction as a whole percent (0..100), rounded to the nearest.
    static int32_t Percent(double fraction);

private:
    double FractionAt(int32_t x) const;

    std::optional<platform::Rect> m_box;
};

} // namespace widgets
