#include "player/skin/XServerSurface.h"

#include <QGuiApplication>
#include <QtGui/qguiapplication_platform.h>

#include <algorithm>
#include <cstdlib>
#include <vector>

namespace skin {

namespace {

constexpr uint8_t Depth = 24;
// Pictures used now and then (not a skin's own, such as rendered lines) are
// kept up to this many before the least recently used are freed.
constexpr std::size_t LoosePictures = 48;

uint32_t FunctionOf(RasterOp op)
{
    switch (op) {
    case RasterOp::SrcCopy: return XCB_GX_COPY;
    case RasterOp::SrcAnd: return XCB_GX_AND;
    case RasterOp::MergePaint: return XCB_GX_OR_INVERTED;
    }
    return XCB_GX_COPY;
}

xcb_rectangle_t ToX(const platform::Rect& r)
{
    return xcb_rectangle_t{static_cast<int16_t>(r.left), static_cast<int16_t>(r.top),
                           static_cast<uint16_t>(r.Width()), static_cast<uint16_t>(r.Height())};
}

bool FormatMatches(const xcb_setup_t* setup, const xcb_screen_t* screen)
{
    if (setup->image_byte_order != XCB_IMAGE_ORDER_LSB_FIRST) return false;
    bool formatFound = false;
    for (auto it = xcb_setup_pixmap_formats_iterator(setup); it.rem; xcb_format_next(&it)) {
        if (it.data->depth == Depth) formatFound = it.data->bits_per_pixel == 32 && it.data->scanline_pad == 32;
    }
    if (!formatFound || screen->root_depth != Depth) return false;
    for (auto d = xcb_screen_allowed_depths_iterator(screen); d.rem; xcb_depth_next(&d)) {
        if (d.data->depth != Depth) continue;
        for (auto v = xcb_depth_visuals_iterator(d.data); v.rem; xcb_visualtype_next(&v)) {
            if (v.data->visual_id != screen->root_visual) continue;
            return v.data->_class == XCB_VISUAL_CLASS_TRUE_COLOR && v.data->red_mask == 0xFF0000u &&
                v.data->green_mask == 0xFF00u && v.data->blue_mask == 0xFFu;
        }
    }
    return false;
}

} // namespace

std::unique_ptr<XServerSurface> XServerSurface::Create(xcb_connection_t* connection)
{
    if (connection == nullptr || xcb_connection_has_error(connection)) return nullptr;
    const xcb_setup_t* setup = xcb_get_setup(connection);
    const auto screens = xcb_setup_roots_iterator(setup);
    if (screens.rem == 0 || !FormatMatches(setup, screens.data)) return nullptr;
    return std::unique_ptr<XServerSurface>(new XServerSurface(connection, screens.data->root));
}

std::unique_ptr<XServerSurface> XServerSurface::ForApplication()
{
    auto* app = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    return app ? Create(app->connection()) : nullptr;
}

XServerSurface::XServerSurface(xcb_connection_t* connection, xcb_window_t root)
    : m_connection(connection)
    , m_root(root)
{
    // No graphics exposures: a copy would otherwise send an event back
    // through the application's event loop every time.
    const uint32_t mask = XCB_GC_FUNCTION | XCB_GC_FOREGROUND | XCB_GC_GRAPHICS_EXPOSURES;
    const uint32_t values[] = {XCB_GX_COPY, 0, 0};
    // A context is made on a pixmap of the depth it will draw on.
    const xcb_pixmap_t probe = xcb_generate_id(m_connection);
    xcb_create_pixmap(m_connection, Depth, probe, m_root, 1, 1);
    XcbPixmap probeOwner(m_connection, probe);
    m_copyGc = XcbGc(m_connection, xcb_generate_id(m_connection));
    xcb_create_gc(m_connection, m_copyGc.Id(), probe, mask, values);
    m_plainGc = XcbGc(m_connection, xcb_generate_id(m_connection));
    xcb_create_gc(m_connection, m_plainGc.Id(), probe, mask, values);
    m_gcOperation = RasterOp::SrcCopy;
}

XServerSurface::~XServerSurface()
{
    m_pictures.clear();
    m_content.Reset();
    m_copyGc.Reset();
    m_plainGc.Reset();
    xcb_flush(m_connection);
}

void XServerSurface::Resize(int width, int height)
{
    m_image = QImage(std::max(0, width) * Scale(), std::max(0, height) * Scale(), QImage::Format_RGB32);
    m_image.fill(Qt::black);
    m_content.Reset();
    if (!m_image.isNull()) {
        m_content = XcbPixmap(m_connection, xcb_generate_id(m_connection));
        xcb_create_pixmap(m_connection, Depth, m_content.Id(), m_root, static_cast<uint16_t>(m_image.width()),
                          static_cast<uint16_t>(m_image.height()));
        Fill(Qt::black);
        return;
    }
    NotifyResized();
}

void XServerSurface::Fill(QColor colour)
{
    m_image.fill(colour);
    if (m_content) {
        const uint32_t pixel = colour.rgb() & 0xFFFFFFu;
        xcb_change_gc(m_connection, m_plainGc.Id(), XCB_GC_FOREGROUND, &pixel);
        const xcb_rectangle_t all = ToX(platform::Rect{0, 0, m_image.width(), m_image.height()});
        xcb_poly_fill_rectangle(m_connection, m_content.Id(), m_plainGc.Id(), 1, &all);
    }
    NotifyChanged(platform::Rect{0, 0, Width(), Height()});
}

void XServerSurface::Copy(const QImage& source, int32_t srcX, int32_t srcY, const platform::Rect& dest, RasterOp op)
{
    if (m_holding) {
        const platform::Rect changed = CopyOnImage(m_image, source, srcX, srcY, dest, op);
        Hold(changed);
        NotifyChanged(changed);
        return;
    }
    const int scale = Scale();
    CopyOnServer(DevicePicture(source), srcX * scale, srcY * scale, dest.Scaled(scale), op);
    NotifyChanged(CopyOnImage(m_image, source, srcX, srcY, dest, op));
}

void XServerSurface::HoldPixelsUntilPresented()
{
    m_holding = true;
}

void XServerSurface::Hold(const platform::Rect& rect)
{
    if (rect.IsEmpty()) return;
    m_held = m_held ? m_held->United(rect) : rect;
}

void XServerSurface::SendHeld()
{
    m_holding = false;
    if (!m_held) return;
    const platform::Rect device = m_held->Scaled(Scale());
    m_held.reset();
    if (m_content) Upload(m_content.Id(), m_image, device, device.left, device.top);
}

xcb_pixmap_t XServerSurface::ContentPixmap()
{
    SendHeld();
    return m_content.Id();
}

void XServerSurface::CopyOnServer(const QImage& source, int32_t srcX, int32_t srcY, const platform::Rect& dest,
                                  RasterOp op)
{
    if (!m_content) return;
    platform::Rect area = dest.Intersected(platform::Rect{0, 0, m_image.width(), m_image.height()});
    const std::optional<platform::Region>& clip = DeviceClip();
    // A clip of one rectangle only narrows the block, which then needs no
    // clip on the server: the analyser's bands, drawn every tick, are such.
    const platform::Region* serverClip = nullptr;
    if (clip) {
        if (!clip->IsRect() && !clip->BoundingBox().Intersected(area).IsEmpty())
            serverClip = &*clip;
        else
            area = area.Intersected(clip->BoundingBox());
    }
    if (area.IsEmpty()) return;
    const int dx = srcX - dest.left;
    const int dy = srcY - dest.top;
    // The part of the block that has source pixels under it.
    platform::Rect inside;
    xcb_drawable_t from = XCB_NONE;
    if (!source.isNull()) {
        inside = platform::Rect{-dx, -dy, source.width() - dx, source.height() - dy}.Intersected(area);
        if (!inside.IsEmpty()) {
            // The surface's own pixels are the content pixmap; X copies
            // overlapping blocks as if the source were read first.
            from = source.constBits() == m_image.constBits() ? m_content.Id() : PictureFor(source).pixmap.Id();
        }
    }
    SetOperation(op);
    SetServerClip(serverClip);
    if (from != XCB_NONE) {
        xcb_copy_area(m_connection, from, m_content.Id(), m_copyGc.Id(), static_cast<int16_t>(inside.left + dx),
                      static_cast<int16_t>(inside.top + dy), static_cast<int16_t>(inside.left),
                      static_cast<int16_t>(inside.top), static_cast<uint16_t>(inside.Width()),
                      static_cast<uint16_t>(inside.Height()));
    }
    if (inside == area) return;
    // Outside the source the block reads black: a fill with the black
    // foreground through the same function.
    const platform::Region outside = inside.IsEmpty() ? platform::Region(area)
                                                      : platform::Region(area).Subtracted(platform::Region(inside));
    if (outside.IsEmpty()) return;
    std::vector<xcb_rectangle_t> rects;
    for (const QRect& r : outside.ToQRegion())
        rects.push_back(ToX(platform::Rect{r.left(), r.top(), r.right() + 1, r.bottom() + 1}));
    xcb_poly_fill_rectangle(m_connection, m_content.Id(), m_copyGc.Id(), static_cast<uint32_t>(rects.size()),
                            rects.data());
}

void XServerSurface::SetOperation(RasterOp op)
{
    if (m_gcOperation == op) return;
    const uint32_t function = FunctionOf(op);
    xcb_change_gc(m_connection, m_copyGc.Id(), XCB_GC_FUNCTION, &function);
    m_gcOperation = op;
}

void XServerSurface::SetServerClip(const platform::Region* clip)
{
    if (clip ? m_gcClip == *clip : !m_gcClip) return;
    if (clip) {
        std::vector<xcb_rectangle_t> rects;
        for (const QRect& r : clip->ToQRegion())
            rects.push_back(ToX(platform::Rect{r.left(), r.top(), r.right() + 1, r.bottom() + 1}));
        xcb_set_clip_rectangles(m_connection, XCB_CLIP_ORDERING_UNSORTED, m_copyGc.Id(), 0, 0,
                                static_cast<uint32_t>(rects.size()), rects.data());
        m_gcClip = *clip;
    } else {
        const uint32_t none = XCB_NONE;
        xcb_change_gc(m_connection, m_copyGc.Id(), XCB_GC_CLIP_MASK, &none);
        m_gcClip.reset();
    }
}

XServerSurface::Picture& XServerSurface::PictureFor(const QImage& source)
{
    const qint64 key = source.cacheKey();
    auto found = m_pictures.find(key);
    if (found == m_pictures.end()) {
        const QImage pixels =
            source.format() == QImage::Format_RGB32 ? source : source.convertToFormat(QImage::Format_RGB32);
        Picture picture;
        picture.pixmap = XcbPixmap(m_connection, xcb_generate_id(m_connection));
        xcb_create_pixmap(m_connection, Depth, picture.pixmap.Id(), m_root, static_cast<uint16_t>(pixels.width()),
                          static_cast<uint16_t>(pixels.height()));
        Upload(picture.pixmap.Id(), pixels, platform::Rect{0, 0, pixels.width(), pixels.height()}, 0, 0);
        picture.lastUse = ++m_uses;
        m_pictures.emplace(key, std::move(picture));
        ForgetOldPictures();
        return m_pictures.at(key);
    }
    found->second.lastUse = ++m_uses;
    return found->second;
}

void XServerSurface::ForgetOldPictures()
{
    std::size_t loose = 0;
    for (const auto& [key, picture] : m_pictures)
        loose += m_keptKeys.contains(key) ? 0 : 1;
    while (loose > LoosePictures) {
        auto oldest = m_pictures.end();
        for (auto it = m_pictures.begin(); it != m_pictures.end(); ++it) {
            if (!m_keptKeys.contains(it->first) && (oldest == m_pictures.end() || it->second.lastUse < oldest->second.lastUse))
                oldest = it;
        }
        m_pictures.erase(oldest);
        --loose;
    }
}

void XServerSurface::KeepDevicePictures(const std::vector<const QImage*>& pictures)
{
    // Marked now, sent on first use.
    m_keptKeys.clear();
    for (const QImage* image : pictures) {
        if (image != nullptr && !image->isNull()) m_keptKeys.insert(image->cacheKey());
    }
    ForgetOldPictures();
}

void XServerSurface::Painted(const platform::Rect& rect)
{
    if (m_holding) {
        Hold(rect);
        return;
    }
    const platform::Rect device = rect.Scaled(Scale());
    if (m_content) Upload(m_content.Id(), m_image, device, device.left, device.top);
}

void XServerSurface::Upload(xcb_drawable_t drawable, const QImage& image, const platform::Rect& from, int x, int y)
{
    const platform::Rect r = from.Intersected(platform::Rect{0, 0, image.width(), image.height()});
    if (r.IsEmpty()) return;
    const std::size_t rowBytes = static_cast<std::size_t>(r.Width()) * 4;
    // The request header is 24 bytes; the maximum length is in 4-byte units.
    const std::size_t maxBytes = static_cast<std::size_t>(xcb_get_maximum_request_length(m_connection)) * 4 - 64;
    const int rowsPerRequest = static_cast<int>(std::max<std::size_t>(1, maxBytes / rowBytes));
    // Whole rows are sent from the image itself: a picture or the start-up
    // window goes out without a copy the size of it (xcb writes large
    // requests straight from the caller's memory), which would otherwise stay
    // in the heap after start-up.
    const bool wholeRows = r.left == 0 && static_cast<std::size_t>(image.bytesPerLine()) == rowBytes;
    std::vector<uint8_t> buffer;
    for (int top = r.top; top < r.bottom; top += rowsPerRequest) {
        const int rows = std::min(rowsPerRequest, r.bottom - top);
        const std::size_t bytes = rowBytes * static_cast<std::size_t>(rows);
        const uint8_t* data = image.constScanLine(top);
        if (!wholeRows) {
            buffer.resize(bytes);
            for (int row = 0; row < rows; ++row) {
                const uchar* line = image.constScanLine(top + row) + static_cast<std::size_t>(r.left) * 4;
                std::copy(line, line + rowBytes, buffer.begin() + static_cast<std::ptrdiff_t>(rowBytes * row));
            }
            data = buffer.data();
        }
        xcb_put_image(m_connection, XCB_IMAGE_FORMAT_Z_PIXMAP, drawable, m_plainGc.Id(),
                      static_cast<uint16_t>(r.Width()), static_cast<uint16_t>(rows), static_cast<int16_t>(x),
                      static_cast<int16_t>(y + (top - r.top)), 0, Depth, static_cast<uint32_t>(bytes), data);
    }
}

void XServerSurface::Present(xcb_window_t window, const QRegion& area)
{
    if (!m_content || window == XCB_NONE) return;
    SendHeld();
    auto depth = m_windowDepths.find(window);
    if (depth == m_windowDepths.end()) {
        // Asked once per window: a window of another depth (a translucent
        // one) cannot take a copy from the content pixmap and shows nothing.
        uint8_t d = 0;
        if (auto* reply = xcb_get_geometry_reply(m_connection, xcb_get_geometry(m_connection, window), nullptr)) {
            d = reply->depth;
            std::free(reply);
        }
        depth = m_windowDepths.emplace(window, d).first;
    }
    const platform::Rect all{0, 0, m_image.width(), m_image.height()};
    for (const QRect& q : area) {
        const platform::Rect r = platform::Rect{q.left(), q.top(), q.right() + 1, q.bottom() + 1}.Intersected(all);
        if (r.IsEmpty()) continue;
        if (depth->second != Depth) continue;
        xcb_copy_area(m_connection, m_content.Id(), window, m_plainGc.Id(), static_cast<int16_t>(r.left),
                      static_cast<int16_t>(r.top), static_cast<int16_t>(r.left), static_cast<int16_t>(r.top),
                      static_cast<uint16_t>(r.Width()), static_cast<uint16_t>(r.Height()));
    }
    xcb_flush(m_connection);
}

} // namespace skin
