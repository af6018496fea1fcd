#include "platform/Region.h"

#include <QPolygon>

#include <algorithm>

namespace platform {

namespace {

constexpr int32_t kRgnDataHeaderSize = 32;
constexpr int32_t kRgnDataRectangles = 1;
constexpr std::size_t kHeaderNumbers = 8;

QRect ToQRect(const Rect& r)
{
    return QRect(r.left, r.top, r.Width(), r.Height());
}

} // namespace

bool IsFillablePolygon(std::span<const Point> vertices)
{
    if (vertices.empty()) return true;
    int32_t left = vertices.front().x, right = left, top = vertices.front().y, bottom = top;
    for (const Point& p : vertices) {
        if (!IsCoordinate(p.x) || !IsCoordinate(p.y)) return false;
        left = std::min(left, p.x);
        right = std::max(right, p.x);
        top = std::min(top, p.y);
        bottom = std::max(bottom, p.y);
    }
    return right - left <= MaxPolygonExtent && bottom - top <= MaxPolygonExtent;
}

Region::Region(const Rect& rect)
{
    if (!rect.IsEmpty()) m_region = QRegion(ToQRect(rect));
}

Region::Region(const QRegion& region)
    : m_region(region)
{
}

Region Region::Scaled(int32_t factor) const
{
    if (factor == 1 || m_region.isEmpty()) return *this;
    // Scaling keeps the rectangles banded and apart, so they form the new
    // region as they are.
    std::vector<QRect> rects;
    rects.reserve(static_cast<std::size_t>(m_region.rectCount()));
    for (const QRect& r : m_region)
        rects.emplace_back(r.x() * factor, r.y() * factor, r.width() * factor, r.height() * factor);
    QRegion scaled;
    scaled.setRects(rects.data(), static_cast<int>(rects.size()));
    return Region(scaled);
}

Region Region::FromRects(std::span<const Rect> rects)
{
    // Uniting one rectangle at a time costs quadratic time on long lists
    // (region files hold one rectangle per scan line band); uniting in pairs
    // keeps it near n log n.
    std::vector<QRegion> parts;
    parts.reserve(rects.size());
    for (const Rect& r : rects) {
        if (!r.IsEmpty()) parts.emplace_back(ToQRect(r));
    }
    if (parts.empty()) return Region();
    while (parts.size() > 1) {
        std::vector<QRegion> next;
        next.reserve(parts.size() / 2 + 1);
        for (std::size_t i = 0; i + 1 < parts.size(); i += 2)
            next.push_back(parts[i].united(parts[i + 1]));
        if (parts.size() % 2 == 1) next.push_back(parts.back());
        parts.swap(next);
    }
    return Region(parts.front());
}

Region Region::FromPolygon(std::span<const Point> vertices, PolygonFill fill)
{
    if (vertices.size() < 3) return Region();
    if (!IsFillablePolygon(vertices)) return Region();
    QPolygon polygon;
    polygon.reserve(static_cast<qsizetype>(vertices.size()));
    for (const Point& p : vertices)
        polygon << QPoint(p.x, p.y);
    return Region(QRegion(polygon, fill == PolygonFill::Winding ? Qt::WindingFill : Qt::OddEvenFill));
}

std::optional<Region> Region::FromRgnData(std::span<const int32_t> numbers)
{
    if (numbers.size() < kHeaderNumbers) return std::nullopt;
    if (numbers[0] != kRgnDataHeaderSize || numbers[1] != kRgnDataRectangles) return std::nullopt;
    const int64_t count = numbers[2];
    if (count < 0) return std::nullopt;
    const std::size_t available = (numbers.size() - kHeaderNumbers) / 4;
    if (static_cast<uint64_t>(count) > available) return std::nullopt;
    std::vector<Rect> rects;
    rects.reserve(static_cast<std::size_t>(count));
    for (int64_t i = 0; i < count; ++i) {
        const std::size_t at = kHeaderNumbers + static_cast<std::size_t>(i) * 4;
        const Rect r{numbers[at], numbers[at + 1], numbers[at + 2], numbers[at + 3]};
        if (!IsCoordinate(r.left) || !IsCoordinate(r.top) || !IsCoordinate(r.right) || !IsCoordinate(r.bottom)) {
            return std::nullopt;
        }
        rects.push_back(r);
    }
    return FromRects(rects);
}

std::vector<int32_t> Region::ToRgnData() const
{
    const std::vector<Rect> rects = Rects();
    const Rect box = BoundingBox();
    std::vector<int32_t> out{kRgnDataHeaderSize, kRgnDataRectangles,
                             static_cast<int32_t>(rects.size()),
                             static_cast<int32_t>(rects.size() * 16),
                             box.left, box.top, box.right, box.bottom};
    for (const Rect& r : rects) {
        out.insert(out.end(), {r.left, r.top, r.right, r.bottom});
    }
    return out;
}

bool Region::Contains(int32_t x, int32_t y) const
{
    return m_region.contains(QPoint(x, y));
}

Rect Region::BoundingBox() const
{
    if (m_region.isEmpty()) return Rect{};
    const QRect b = m_region.boundingRect();
    return Rect{b.left(), b.top(), b.left() + b.width(), b.top() + b.height()};
}

std::vector<Rect> Region::Rects() const
{
    std::vector<Rect> out;
    for (const QRect& r : m_region) {
        out.push_back(Rect{r.left(), r.top(), r.left() + r.width(), r.top() + r.height()});
    }
    return out;
}

Region& Region::Unite(const Region& other)
{
    m_region = m_region.united(other.m_region);
    return *this;
}

Region& Region::Subtract(const Region& other)
{
    m_region = m_region.subtracted(other.m_region);
    return *this;
}

Region& Region::Offset(int32_t dx, int32_t dy)
{
    m_region.translate(dx, dy);
    return *this;
}

} // namespace platform
