#include "player/skin/DrawingSurface.h"

#include <QFontDatabase>

namespace {

QColor FromColorRef(int32_t colorref)
{
    const auto v = static_cast<uint32_t>(colorref);
    return QColor(static_cast<int>(v & 0xFF), static_cast<int>((v >> 8) & 0xFF), static_cast<int>((v >> 16) & 0xFF));
}

} // namespace

SurfacePainter::SurfacePainter(DrawingSurface& surface)
    : QPainter(&surface.PaintTarget())
    , m_surface(surface)
{
    if (surface.m_clip) setClipRegion(surface.m_clip->ToQRegion());
    setFont(surface.m_font);
    setPen(FromColorRef(surface.m_textColor));
}

SurfacePainter::~SurfacePainter()
{
    end();
    const platform::Rect all{0, 0, m_surface.Width(), m_surface.Height()};
    const platform::Rect changed = m_surface.m_clip ? m_surface.m_clip->BoundingBox().Intersected(all) : all;
    if (changed.IsEmpty()) return;
    m_surface.Painted(changed);
    m_surface.NotifyChanged(changed);
}

DrawingSurface::DrawingSurface()
    : m_font(DefaultFont())
{
}

DrawingSurface::~DrawingSurface() = default;

QFont DrawingSurface::DefaultFont()
{
    QFont font(QStringLiteral("IPAPGothic"));
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(11);
    return font;
}

void DrawingSurface::PaintPicture(const QImage& picture, int32_t x, int32_t y)
{
    Copy(picture, 0, 0, platform::Rect::FromSize(x, y, picture.width(), picture.height()), RasterOp::SrcCopy);
}

void DrawingSurface::NotifyResized()
{
    const platform::Rect all{0, 0, Width(), Height()};
    if (all.IsEmpty()) {
        // A surface resized to nothing has changed too, though no pixel is
        // left to report.
        ++m_changeCount;
        m_recent[m_changeCount % RecentChanges] = platform::Rect{};
        return;
    }
    NotifyChanged(all);
}

void DrawingSurface::NotifyChanged(const platform::Rect& rect)
{
    if (rect.IsEmpty()) return;
    ++m_changeCount;
    m_recent[m_changeCount % RecentChanges] = rect;
    if (m_onChange) m_onChange(rect);
}

bool DrawingSurface::ChangedSince(uint64_t since, const platform::Rect& area) const
{
    if (since > m_changeCount) return true;
    if (m_changeCount - since >= RecentChanges) return since != m_changeCount;
    for (uint64_t n = since + 1; n <= m_changeCount; ++n) {
        if (!m_recent[n % RecentChanges].Intersected(area).IsEmpty()) return true;
    }
    return false;
}
