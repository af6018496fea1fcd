#pragma once
// The drawing surface kept on the X server. The window's persistent content
// is a pixmap there; the skin's pictures are sent once, on first use, as
// pixmaps; a block copy is one CopyArea request whose GC function is exactly
// the raster operation (SRCCOPY = GXcopy, SRCAND = GXand, MERGEPAINT =
// GXorInverted), clipped by the surface's clip region. Putting changes on
// the screen is a CopyArea from the content pixmap to the window, so a tick
// that changes a few analyser bands sends a few hundred bytes and no pixels.
//
// A client-side copy of the content is kept in step (the same copies done on
// the CPU, which costs little for the small blocks of a tick): painters draw
// text and shapes over it, and the rectangle a painter may have changed is
// then uploaded to the content pixmap. It also answers Image().
//
// The surface uses the X connection of the Qt application (Qt's own; xcb
// serialises requests from Qt's threads and ours) and must be destroyed
// before the application. It never waits for the server except in Create and
// once per window in Present.
#include "player/skin/DrawingSurface.h"
#include "player/skin/XcbHandle.h"

#include <QRegion>

#include <xcb/xcb.h>

#include <cstdint>
#include <memory>
#include <optional>
#include <unordered_map>
#include <unordered_set>
#include <vector>

namespace skin {

class XServerSurface final : public DrawingSurface {
public:
    // A surface on the first screen of the connection, when the server keeps
    // 24-bit TrueColor pixels as 32-bit words with the byte order of
    // Format_RGB32 (red in bits 16-23); nothing otherwise, and the caller
    // then uses an ImageSurface.
    [[nodiscard]] static std::unique_ptr<XServerSurface> Create(xcb_connection_t* connection);
    // The same on the Qt application's X connection; nothing when Qt does
    // not run on X11.
    [[nodiscard]] static std::unique_ptr<XServerSurface> ForApplication();
    ~XServerSurface() override;

    void Resize(int width, int height) override;
    const QImage& Image() const override { return m_image; }
    void Copy(const QImage& source, int32_t srcX, int32_t srcY, const platform::Rect& dest, RasterOp op) override;
    void Fill(QColor colour) override;

    // Copies the area (device pixels) of the content to the same place in the
    // window (which must be on the same screen) and sends the requests.
    void Present(xcb_window_t window, const QRegion& area);
    // Until the first Present, blocks are copied on the client only and the
    // pixels they leave are sent then, as one image: the first whole-window
    // paint at start-up sends about a window of pixels instead of every
    // picture of the skin before the window can show. Pictures go to the
    // server from then on, on first use.
    void HoldPixelsUntilPresented();
    // The pixmap holding the content, with any held pixels sent (for reading
    // it back in tests).
    xcb_pixmap_t ContentPixmap();
    xcb_connection_t* Connection() const { return m_connection; }

protected:
    QImage& PaintTarget() override { return m_image; }
    void Painted(const platform::Rect& rect) override;
    void KeepDevicePictures(const std::vector<const QImage*>& pictures) override;

private:
    struct Picture {
        XcbPixmap pixmap;
        uint64_t lastUse = 0;
    };

    XServerSurface(xcb_connection_t* connection, xcb_window_t root);
    // The pixmap holding this picture, sent to the server on first use.
    Picture& PictureFor(const QImage& source);
    void ForgetOldPictures();
    // Sends a rectangle of an RGB32 image to (x, y) of the drawable, in
    // requests the server accepts, with a plain GXcopy context.
    void Upload(xcb_drawable_t drawable, const QImage& image, const platform::Rect& from, int x, int y);
    void Hold(const platform::Rect& rect);
    void SendHeld();
    void SetOperation(RasterOp op);
    // The clip of block copies on the server: this region, or none.
    void SetServerClip(const platform::Region* clip);
    // The copy in device pixels, from a device picture.
    void CopyOnServer(const QImage& source, int32_t srcX, int32_t srcY, const platform::Rect& dest, RasterOp op);

    xcb_connection_t* m_connection;
    xcb_window_t m_root;
    QImage m_image;
    XcbPixmap m_content;
    // Block copies: function and clip follow each copy, foreground is black
    // (what pixels outside a source read as).
    XcbGc m_copyGc;
    // Uploads and fills: GXcopy, no clip.
    XcbGc m_plainGc;
    std::optional<RasterOp> m_gcOperation;
    // The clip the copy context has; none at first.
    std::optional<platform::Region> m_gcClip;
    std::unordered_map<qint64, Picture> m_pictures;
    // The skin's pictures: kept on the server once sent.
    std::unordered_set<qint64> m_keptKeys;
    uint64_t m_uses = 0;
    bool m_holding = false;
    // What the held blocks changed (logical pixels).
    std::optional<platform::Rect> m_held;
    // The depth of each window presented to, asked once.
    std::unordered_map<xcb_window_t, uint8_t> m_windowDepths;
};

} // namespace skin
