#include "player/skin/DrawingSurface.h"

#include <QFontDatabase>

#include <algorithm>

namespace skin {

namespace {

// Pictures enlarged on first use (not named in KeepPictures) are kept up to
// this many before the least recently used are forgotten.
constexpr std::size_t LoosePictures = 48;

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
    // Text and shapes are laid out in skin pixels and drawn at the device
    // resolution: glyphs are rendered at the scaled size, not enlarged.
    if (surface.m_scale != 1) scale(surface.m_scale, surface.m_scale);
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

void DrawingSurface::SetScale(int scale)
{
    scale = std::clamp(scale, 1, MaxScale);
    if (scale == m_scale) return;
    const int width = Width();
    const int height = Height();
    m_scale = scale;
    m_enlarged.clear();
    if (m_clip) SetClip(*m_clip);
    Resize(width, height);
}

void DrawingSurface::SetClip(const platform::Region& clip)
{
    m_clip = clip;
    if (m_scale != 1) m_deviceClip = clip.Scaled(m_scale);
}

void DrawingSurface::ClearClip()
{
    m_clip.reset();
    m_deviceClip.reset();
}

void DrawingSurface::KeepPictures(std::initializer_list<const QImage*> pictures)
{
    std::vector<const QImage*> device;
    device.reserve(pictures.size());
    for (auto& [key, picture] : m_enlarged)
        picture.kept = false;
    for (const QImage* picture : pictures) {
        if (picture == nullptr || picture->isNull()) continue;
        const QImage& made = DevicePicture(*picture);
        if (m_scale != 1) m_enlarged.at(picture->cacheKey()).kept = true;
        device.push_back(&made);
    }
    ForgetLoosePictures();
    KeepDevicePictures(device);
}

const QImage& DrawingSurface::DevicePicture(const QImage& source)
{
    if (m_scale == 1 || source.isNull() || source.constBits() == Image().constBits()) return source;
    const qint64 key = source.cacheKey();
    auto found = m_enlarged.find(key);
    if (found == m_enlarged.end()) {
        found = m_enlarged.emplace(key, EnlargedPicture{EnlargePicture(source, m_scale), 0, false}).first;
        found->second.lastUse = ++m_pictureUses;
        const QImage* made = &found->second.image;
        ForgetLoosePictures();
        // The new picture is the most recently used: it is never the one forgotten.
        return *made;
    }
    found->second.lastUse = ++m_pictureUses;
    return found->second.image;
}

void DrawingSurface::ForgetLoosePictures()
{
    std::size_t loose = 0;
    for (const auto& [key, picture] : m_enlarged)
        loose += picture.kept ? 0 : 1;
    while (loose > LoosePictures) {
        auto oldest = m_enlarged.end();
        for (auto it = m_enlarged.begin(); it != m_enlarged.end(); ++it) {
            if (!it->second.kept && (oldest == m_enlarged.end() || it->second.lastUse < oldest->second.lastUse))
                oldest = it;
        }
        m_enlarged.erase(oldest);
        --loose;
    }
}

platform::Rect DrawingSurface::CopyOnImage(QImage& target, const QImage& source, int32_t srcX, int32_t srcY,
                                           const platform::Rect& dest, RasterOp op)
{
    if (m_scale == 1) return CopyRaster(target, source, srcX, srcY, dest, op, m_clip);
    const platform::Rect changed = CopyRaster(target, DevicePicture(source), srcX * m_scale, srcY * m_scale,
                                              dest.Scaled(m_scale), op, m_deviceClip);
    // Every device rectangle here lies on whole skin pixels.
    return platform::Rect{changed.left / m_scale, changed.top / m_scale, changed.right / m_scale,
                          changed.bottom / m_scale};
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

} // namespace skin
