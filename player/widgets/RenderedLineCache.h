#pragma once
// Rendered text lines kept between redraws. Shaping text is by far the
// costliest part of drawing a list, and the play list redraws the same lines
// again and again (every scroll, every track change), so each line is drawn
// once into a transparent image and later only composed onto the surface.
// The key must name everything that changes the pixels (texts, colour, size,
// font); the cache empties itself when it holds `capacity` lines.
#include <QImage>
#include <QSize>

#include <cstddef>
#include <functional>
#include <string>
#include <unordered_map>

class QPainter;

class RenderedLineCache {
public:
    explicit RenderedLineCache(std::size_t capacity = 512) : m_capacity(capacity) {}

    // The image of that key; on a miss, `draw` paints it onto a transparent
    // image of `size` first.
    const QImage& Get(const std::string& key, QSize size, const std::function<void(QPainter&)>& draw);

    std::size_t Size() const { return m_lines.size(); }
    void Clear() { m_lines.clear(); }

private:
    std::size_t m_capacity;
    std::unordered_map<std::string, QImage> m_lines;
};
