#pragma once
// Geometry of the play-list box: the line area inside the box and which track
// a point of it addresses. Window client pixels; rectangles are half-open.
#include "platform/Rect.h"

#include <cstdint>

namespace widgets {

namespace PlayListLayout {

// Width of the time column at the right of every line, whatever the font.
inline constexpr int32_t TimeColumnWidth = 28;

// The box cut down to whole lines of charHeight and centred vertically
// (odd leftovers leave one pixel more at the bottom). An empty box, or a
// line height of 0 or less, gives an empty rectangle.
platform::Rect MakePlayListRect(const platform::Rect& box, int32_t charHeight);

// The track number of the line at window y, for a list whose first line shows
// listTop: 0 when y lies outside the line area (the margins). The number may
// lie past the end of the list; the caller decides what to do with it.
int32_t TrackAt(const platform::Rect& listRect, int32_t charHeight, int32_t listTop, int32_t y);

// The text and time parts of the line starting at y.
platform::Rect TextRect(const platform::Rect& listRect, int32_t charHeight, int32_t y);
platform::Rect TimeRect(const platform::Rect& listRect, int32_t charHeight, int32_t y);

} // namespace PlayListLayout

} // namespace widgets
