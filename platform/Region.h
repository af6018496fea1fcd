#pragma once
// A region: a set of pixels made of rectangles, in window or picture pixels.
// It is a value type (copies are independent, cheap to copy) with the algebra
// that window shapes and hot areas need: union, difference, intersection,
// offset, bounding box and point test. It can be built from rectangles, from a
// polygon filled with the winding rule, and from the Windows RGNDATA memory
// layout (the block the Windows region API writes and reads).
#include "platform/Rect.h"

#include <QRegion>

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace platform {

enum class PolygonFill { Alternate,
                         Winding };

// Whether FromPolygon fills these vertices: all within MaxCoordinate and
// spanning at most MaxPolygonExtent in each direction.
[[nodiscard]] bool IsFillablePolygon(std::span<const Point> vertices);

class Region {
public:
    Region() = default; // empty
    explicit Region(const Rect& rect);
    explicit Region(const QRegion& region);

    static Region FromRects(std::span<const Rect> rects);
    // A closed polygon (the last vertex joins the first). Fewer than three
    // vertices give an empty region, and so does a polygon with a vertex
    // beyond MaxCoordinate (the polygon fill fails there) or spanning more
    // than MaxPolygonExtent in either direction (it would take seconds).
    static Region FromPolygon(std::span<const Point> vertices, PolygonFill fill = PolygonFill::Winding);
    // The RGNDATA block given as 32-bit integers: a header of eight values
    // (header size 32, type 1, rectangle count, buffer size, bounding box
    // left, top, right, bottom) followed by count rectangles of four values
    // (left, top, right, bottom). Returns nothing when the header is not that
    // of a rectangle list, the count does not fit the numbers given, or a
    // rectangle has a coordinate beyond MaxCoordinate. Rectangles that are
    // empty are left out.
    [[nodiscard]] static std::optional<Region> FromRgnData(std::span<const int32_t> numbers);
    // The RGNDATA block of this region (header and rectangles), as above.
    std::vector<int32_t> ToRgnData() const;

    bool IsEmpty() const { return m_region.isEmpty(); }
    bool Contains(int32_t x, int32_t y) const;
    bool Intersects(const Region& other) const { return m_region.intersects(other.m_region); }
    // The bounding box; all zero for an empty region.
    Rect BoundingBox() const;
    // The region's rectangles, banded top to bottom, left to right.
    std::vector<Rect> Rects() const;
    // True when the region is its bounding box (one rectangle, or none).
    bool IsRect() const { return m_region.rectCount() <= 1; }

    Region United(const Region& other) const { return Region(m_region.united(other.m_region)); }
    Region Subtracted(const Region& other) const { return Region(m_region.subtracted(other.m_region)); }
    Region Intersected(const Region& other) const { return Region(m_region.intersected(other.m_region)); }
    Region Translated(int32_t dx, int32_t dy) const { return Region(m_region.translated(dx, dy)); }
    // Every pixel becomes a factor x factor block (factor >= 1).
    Region Scaled(int32_t factor) const;

    Region& Unite(const Region& other);
    Region& Subtract(const Region& other);
    Region& Offset(int32_t dx, int32_t dy);

    const QRegion& ToQRegion() const { return m_region; }

    friend bool operator==(const Region& a, const Region& b) { return a.m_region == b.m_region; }

private:
    QRegion m_region;
};

} // namespace platform
