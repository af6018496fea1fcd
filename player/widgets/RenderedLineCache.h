#pragma once
// Rendered text lines kept between redraws. Shaping text is by far the
// costliest part of drawing a list, and the play list redraws the same lines
// again and again (every scroll, every track change), so each line is drawn
// once onto a transparent background and later only composed onto the
// surface. The key must name everything that changes the pixels (texts,
// colour, font); the cache empties itself when a redraw might not find room.
//
// Lines of one size are stacked in pages (images of several lines), so a
// redraw that renders many new lines opens one painter per page rather than
// allocating an image and starting a painter for every line. Pages are kept
// when the cache empties and reused for the next lines; a slot is made
// transparent again only when a new line takes it.
//
// Lines are laid out in logical pixels and kept at a whole pixel ratio (the
// skin window's scale): pages hold ratio x ratio device pixels per logical
// pixel, so text is rendered at its scaled size rather than enlarged.
#include <QImage>
#include <QPainter>
#include <QRect>
#include <QSize>

#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

namespace widgets {

class RenderedLineCache {
public:
    // Where a line lies: its page and its rectangle in that page's logical pixels.
    struct Place {
        std::size_t page = 0;
        QRect rect;
    };

    // capacity: lines kept at most; linesPerPage: lines stacked in one page.
    explicit RenderedLineCache(std::size_t capacity = 512, int linesPerPage = 32);

    // The look-ups of one redraw. Every Place a batch hands out stays valid
    // (its pixels unchanged) until the next batch begins, so a redraw looks
    // all its lines up first and composes them once the batch has ended or
    // finished: the page painters are open only until then.
    class Batch {
    public:
        // Prepares up to `lines` look-ups of lines of `size` (logical pixels)
        // kept at pixelRatio (1 or more). A size or ratio other than the
        // cache's, or too little room left for `lines` new lines, empties the
        // cache first. A batch of more lines than the capacity raises the
        // capacity to that number.
        Batch(RenderedLineCache& cache, QSize size, std::size_t lines, int pixelRatio = 1);
        ~Batch();
        Batch(const Batch&) = delete;
        Batch& operator=(const Batch&) = delete;

        // The place of that key; on a miss, `draw` first paints the line onto
        // a transparent line with its top left corner at (0, 0), clipped to
        // the line. The painter starts in its default state for every line.
        // More look-ups than announced empty nothing: they are refused with
        // an empty Place, which draws nothing.
        Place Get(const std::string& key, const std::function<void(QPainter&)>& draw);
        // The place of that key when the cache holds it; draws nothing.
        std::optional<Place> Find(const std::string& key) const;
        // Ends the look-ups that draw, as the end of the batch does: the
        // pages may be read from now on, and later misses are refused.
        void Finish();

    private:
        RenderedLineCache& m_cache;
        std::size_t m_left;
        QPainter m_painter;
        std::size_t m_paintingPage = 0;
    };

    // The image of a page (premultiplied ARGB, with the cache's device pixel
    // ratio), to be drawn from once the batch that handed the Place out has
    // ended: with PixelRect as the source rectangle.
    const QImage& Page(std::size_t page) const { return m_pages.at(page); }
    // A place's rectangle in its page's device pixels.
    QRect PixelRect(const Place& place) const
    {
        return QRect(place.rect.topLeft() * m_pixelRatio, place.rect.size() * m_pixelRatio);
    }
    // Draws a line with its top left corner at a logical point of the painter.
    void Draw(QPainter& painter, QPoint at, const Place& place) const
    {
        painter.drawImage(QRect(at, place.rect.size()), Page(place.page), PixelRect(place));
    }
    int PixelRatio() const { return m_pixelRatio; }

    std::size_t Size() const { return m_lines.size(); }
    std::size_t Capacity() const { return m_capacity; }
    QSize LineSize() const { return m_lineSize; }
    // Forgets every line; the pages stay for reuse. Not while a batch lives.
    void Clear();

private:
    Place Slot(std::size_t index) const;

    std::size_t m_capacity;
    int m_linesPerPage;
    QSize m_lineSize;
    int m_pixelRatio = 1;
    std::vector<QImage> m_pages;
    std::unordered_map<std::string, Place> m_lines;
};

} // namespace widgets
