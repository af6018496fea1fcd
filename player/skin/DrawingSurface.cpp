#include "player/skin/DrawingSurface.h"

#include <QFontDatabase>

#include <algorithm>

namespace {

QColor FromColorRef(int32_t colorref)
{
    const auto v = static_cast<uint32_t>(colorref);
    return QColor(static_cast<int>(v & 0xFF), static_cast<int>((v >> 8) & 0xFF), static_cast<int>((v >> 16) & 0xFF));
}

// Applies the raster operation to one run of pixels. Only the colour bytes
// are combined; the unused top byte of RGB32 stays 0xFF.
void CombineRun(QRgb* dst, const QRgb* src, int count, RasterOp op)
{
    switch (op) {
    case RasterOp::SrcCopy:
        std::copy(src, src + count, dst);
        return;
    case RasterOp::SrcAnd:
        for (int i = 0; i < count; ++i) dst[i] = ((dst[i] & src[i]) & 0x00FFFFFFu) | 0xFF000000u;
        return;
    case RasterOp::MergePaint:
        for (int i = 0; i < count; ++i) dst[i] = ((~src[i] | dst[i]) & 0x00FFFFFFu) | 0xFF000000u;
        return;
    }
}

} // namespace

SurfacePainter::SurfacePainter(DrawingSurface& surface)
    : QPainter(&surface.m_image)
    , m_surface(surface)
{
    m_surface.m_painting = true;
    if (surface.m_clip) setClipRegion(surface.m_clip->ToQRegion());
    setFont(surface.m_font);
    setPen(FromColorRef(surface.m_textColor));
}

SurfacePainter::~SurfacePainter()
{
    end();
    m_surface.m_painting = false;
    const platform::Rect all{0, 0, m_surface.Width(), m_surface.Height()};
    m_surface.NotifyChanged(m_surface.m_clip ? m_surface.m_clip->BoundingBox().Intersected(all) : all);
}

DrawingSurface::DrawingSurface()
    : m_font(DefaultFont())
{
}

DrawingSurface::DrawingSurface(int width, int height)
    : DrawingSurface()
{
    Resize(width, height);
}

QFont DrawingSurface::DefaultFont()
{
    QFont font(QStringLiteral("IPAPGothic"));
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(11);
    return font;
}

void DrawingSurface::Resize(int width, int height)
{
    m_image = QImage(std::max(0, width), std::max(0, height), QImage::Format_RGB32);
    m_image.fill(Qt::black);
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

void DrawingSurface::Fill(QColor colour)
{
    m_image.fill(colour);
    NotifyChanged(platform::Rect{0, 0, Width(), Height()});
}

void DrawingSurface::SetTextColor(int32_t colorref)
{
    m_textColor = colorref;
}

void DrawingSurface::Copy(const QImage& sourceImage, int32_t srcX, int32_t srcY, const platform::Rect& dest,
                          RasterOp op)
{
    if (dest.IsEmpty() || m_image.isNull()) return;
    // A shared copy: a source that is this surface's own image then keeps
    // its content while the surface is written.
    const QImage source = sourceImage.format() == QImage::Format_RGB32 || sourceImage.isNull()
                              ? sourceImage
                              : sourceImage.convertToFormat(QImage::Format_RGB32);
    const platform::Rect target = dest.Intersected(platform::Rect{0, 0, Width(), Height()});
    if (target.IsEmpty()) return;
    const int dx = srcX - dest.left;
    const int dy = srcY - dest.top;
    const platform::Rect sourceBounds{0, 0, source.width(), source.height()};
    std::vector<QRgb> row;
    auto copyPiece = [&](const platform::Rect& piece) {
        const int count = piece.Width();
        for (int y = piece.top; y < piece.bottom; ++y) {
            auto* dst = reinterpret_cast<QRgb*>(m_image.scanLine(y)) + piece.left;
            const int sy = y + dy;
            const platform::Rect run = sy >= 0 && sy < source.height()
                                           ? platform::Rect{piece.left + dx, sy, piece.right + dx, sy + 1}.Intersected(
                                                 sourceBounds)
                                           : platform::Rect{};
            const auto* src = run.IsEmpty() ? nullptr : reinterpret_cast<const QRgb*>(source.constScanLine(sy));
            if (src != nullptr && run.Width() == count) {
                // The whole run lies inside the source: combine straight from it.
                CombineRun(dst, src + run.left, count, op);
                continue;
            }
            // The part of the run that lies inside the source; the rest reads black.
            row.assign(static_cast<std::size_t>(count), 0xFF000000u);
            if (src != nullptr)
                std::copy(src + run.left, src + run.right, row.begin() + (run.left - (piece.left + dx)));
            CombineRun(dst, row.data(), count, op);
        }
    };
    if (m_clip) {
        // The clip's own rectangles, without building a region for each copy.
        for (const QRect& r : m_clip->ToQRegion()) {
            const platform::Rect piece =
                platform::Rect{r.left(), r.top(), r.right() + 1, r.bottom() + 1}.Intersected(target);
            if (!piece.IsEmpty()) copyPiece(piece);
        }
    } else {
        copyPiece(target);
    }
    NotifyChanged(m_clip ? m_clip->BoundingBox().Intersected(target) : target);
}

void DrawingSurface::PaintPicture(const QImage& picture, int32_t x, int32_t y)
{
    Copy(picture, 0, 0, platform::Rect::FromSize(x, y, picture.width(), picture.height()), RasterOp::SrcCopy);
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
