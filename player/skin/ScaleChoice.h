#pragma once
// Which whole-number scale the skin window takes: device pixels per skin
// pixel, 1 to 3.
#include <cstdint>

namespace skin {

namespace ScaleChoice {

// The setting's value for "choose from the screen" ([Window] Scale=0).
inline constexpr int32_t Automatic = 0;
inline constexpr int32_t Largest = 3;

// The scale for a setting (Automatic, or 1 to Largest) on a screen of this
// device pixel ratio (Qt's high-DPI ratio, QT_SCALE_FACTOR included).
// Automatic takes the ratio rounded to the nearest whole number, halves up,
// kept within 1 to Largest: 1.25 gives 1, 1.5 and 2 give 2, 2.5 and more 3.
// Any other setting counts as Automatic.
int32_t Choose(int32_t setting, double deviceRatio);

// The scale the double-size menu item switches to: 2 from 1, 1 from any
// larger scale.
int32_t Toggled(int32_t current);

} // namespace ScaleChoice

} // namespace skin
