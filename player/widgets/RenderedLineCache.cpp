#include "player/widgets/RenderedLineCache.h"

#include <algorithm>

namespace widgets {

RenderedLineCache::RenderedLineCache(std::size_t capacity, int linesPerPage)
    : m_capacity(std::max<std::size_t>(1, capacity))
    , m_linesPerPage(std::max(1, linesPerPage))
{
}

void RenderedLineCache::Clear()
{
    // The slots keep their old pixels until a new line takes them: each is
    // cleared just before it is drawn on, while it is warm in the cache.
    m_lines.clear();
}

RenderedLineCache::Place RenderedLineCache::Slot(std::size_t index) const
{
    const auto perPage = static_cast<std::size_t>(m_linesPerPage);
    const int row = static_cast<int>(index % perPage);
    return Place{index / perPage, QRect(QPoint(0, row * m_lineSize.height()), m_lineSize)};
}

RenderedLineCache::Batch::Batch(RenderedLineCache& cache, QSize size, std::size_t lines, int pixelRatio)
    : m_cache(cache)
    , m_left(lines)
{
    pixelRatio = std::max(1, pixelRatio);
    if (size != cache.m_lineSize || pixelRatio != cache.m_pixelRatio) {
        cache.m_lines.clear();
        cache.m_pages.clear();
        cache.m_lineSize = size;
        cache.m_pixelRatio = pixelRatio;
    }
    cache.m_capacity = std::max(cache.m_capacity, lines);
    if (cache.m_lines.size() + lines > cache.m_capacity)
        cache.Clear();
}

RenderedLineCache::Batch::~Batch()
{
    Finish();
}

void RenderedLineCache::Batch::Finish()
{
    if (m_painter.isActive())
        m_painter.end();
    m_left = 0;
}

std::optional<RenderedLineCache::Place> RenderedLineCache::Batch::Find(const std::string& key) const
{
    if (auto it = m_cache.m_lines.find(key); it != m_cache.m_lines.end())
        return it->second;
    return std::nullopt;
}

RenderedLineCache::Place RenderedLineCache::Batch::Get(const std::string& key,
                                                       const std::function<void(QPainter&)>& draw)
{
    if (auto it = m_cache.m_lines.find(key); it != m_cache.m_lines.end())
        return it->second;
    if (m_left == 0 || m_cache.m_lineSize.isEmpty())
        return Place{};
    --m_left;
    // Lines fill the slots in order, so the next free slot is the count of
    // lines held; an emptied cache starts again at the first slot.
    const Place place = m_cache.Slot(m_cache.m_lines.size());
    if (place.page >= m_cache.m_pages.size()) {
        if (m_painter.isActive())
            m_painter.end();
        const int ratio = m_cache.m_pixelRatio;
        QImage page(m_cache.m_lineSize.width() * ratio, m_cache.m_lineSize.height() * m_cache.m_linesPerPage * ratio,
                    QImage::Format_ARGB32_Premultiplied);
        page.setDevicePixelRatio(ratio);
        m_cache.m_pages.push_back(std::move(page));
    }
    if (!m_painter.isActive() || m_paintingPage != place.page) {
        if (m_painter.isActive())
            m_painter.end();
        m_painter.begin(&m_cache.m_pages[place.page]);
        m_paintingPage = place.page;
    }
    m_painter.save();
    m_painter.setCompositionMode(QPainter::CompositionMode_Source);
    m_painter.fillRect(place.rect, Qt::transparent);
    m_painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
    m_painter.translate(place.rect.topLeft());
    m_painter.setClipRect(QRect(QPoint(0, 0), place.rect.size()));
    draw(m_painter);
    m_painter.restore();
    m_cache.m_lines.emplace(key, place);
    return place;
}

} // namespace widgets
