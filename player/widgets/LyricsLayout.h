#pragma once
// Geometry of the lyrics box: five, three or one line rectangles centred
// vertically in the box. Window client pixels; an unused line is an all-zero
// rectangle.
#include "platform/Rect.h"

#include <array>
#include <cstdint>

namespace widgets {

namespace LyricsLayout {

// The five places, top to bottom.
enum class Line { PPrev,
                  Prev,
                  Current,
                  Next,
                  NNext };
inline constexpr int LineCount = 5;

using LineRects = std::array<platform::Rect, LineCount>;

// A box at least five lines high gets five lines, one at least three lines
// high gets three (previous, current, next), any other box one (current).
// An empty box or a line height of 0 or less gives no lines.
LineRects MakeLyricsRect(const platform::Rect& box, int32_t charHeight);

constexpr const platform::Rect& RectOf(const LineRects& rects, Line line)
{
    return rects[static_cast<std::size_t>(line)];
}

// A rectangle is in use when its right or bottom is not 0.
constexpr bool InUse(const platform::Rect& r) { return r.right != 0 || r.bottom != 0; }

} // namespace LyricsLayout

} // namespace widgets
