#pragma once
// Integer geometry in pixels. A Rect is half-open: it covers the pixels with
// left <= x < right and top <= y < bottom, the way window rectangles and
// region rectangles are stored. A Rect whose right <= left or bottom <= top
// is empty.
#include <algorithm>
#include <cstdint>

namespace platform {

// The largest magnitude of a coordinate the window system takes (X11 window
// shapes and geometry are signed 16-bit). Coordinates read from files are
// bounded by it before they reach the region code, whose rectangle and
// polygon arithmetic is only safe within that range.
inline constexpr int32_t MaxCoordinate = 32767;

constexpr bool IsCoordinate(int64_t n) { return n >= -MaxCoordinate && n <= MaxCoordinate; }

// The most pixels a polygon may span in either direction. Qt's polygon fill
// takes time that grows much faster than the number of scan lines beyond a
// few thousand (seconds at 16,000), so a larger polygon in a file would stall
// whoever reads it.
inline constexpr int32_t MaxPolygonExtent = 4096;

struct Point {
    int32_t x = 0;
    int32_t y = 0;
    friend bool operator==(const Point&, const Point&) = default;
};

struct Rect {
    int32_t left = 0;
    int32_t top = 0;
    int32_t right = 0;
    int32_t bottom = 0;

    // From left, top, width, height (the skin's region form).
    static constexpr Rect FromSize(int32_t left, int32_t top, int32_t width, int32_t height)
    {
        return Rect{left, top, left + width, top + height};
    }

    constexpr int32_t Width() const { return right - left; }
    constexpr int32_t Height() const { return bottom - top; }
    constexpr bool IsEmpty() const { return right <= left || bottom <= top; }
    constexpr bool Includes(int32_t x, int32_t y) const
    {
        return x >= left && x < right && y >= top && y < bottom;
    }
    constexpr Rect Translated(int32_t dx, int32_t dy) const
    {
        return Rect{left + dx, top + dy, right + dx, bottom + dy};
    }
    // Every coordinate multiplied by a whole factor (skin pixels to device
    // pixels at a whole-number scale).
    constexpr Rect Scaled(int32_t factor) const
    {
        return Rect{left * factor, top * factor, right * factor, bottom * factor};
    }
    // The common part; an empty Rect (all zero) when there is none.
    constexpr Rect Intersected(const Rect& o) const
    {
        Rect r{std::max(left, o.left), std::max(top, o.top), std::min(right, o.right),
               std::min(bottom, o.bottom)};
        return r.IsEmpty() ? Rect{} : r;
    }
    // The smallest Rect holding both; an empty operand is left out.
    constexpr Rect United(const Rect& o) const
    {
        if (IsEmpty()) return o.IsEmpty() ? Rect{} : o;
        if (o.IsEmpty()) return *this;
        return Rect{std::min(left, o.left), std::min(top, o.top), std::max(right, o.right),
                    std::max(bottom, o.bottom)};
    }
    friend bool operator==(const Rect&, const Rect&) = default;
};

} // namespace platform
