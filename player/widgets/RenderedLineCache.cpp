#include "player/widgets/RenderedLineCache.h"

#include <QPainter>

const QImage& RenderedLineCache::Get(const std::string& key, QSize size, const std::function<void(QPainter&)>& draw)
{
    if (auto it = m_lines.find(key); it != m_lines.end())
        return it->second;
    if (m_lines.size() >= m_capacity)
        m_lines.clear();
    QImage image(size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    {
        QPainter painter(&image);
        draw(painter);
    }
    return m_lines.emplace(key, std::move(image)).first->second;
}
