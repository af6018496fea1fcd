#pragma once
// The persistent picture a skinned window shows: everything the skin engine
// and the widget controllers draw lands here and stays until drawn over.
// It offers the block copies of the Windows picture model with their raster
// operations, an optional clip region, and QPainter access for text and
// shapes (ClsKtGdi).
//
// This is the interface; two implementations keep the pixels:
//   - ImageSurface: a QImage only (offscreen tests, platforms other than X11);
//   - XServerSurface: a pixmap on the X server, written with X requests, and
//     a client-side copy for painters and read-back.
// Widgets and the skin engine draw through this interface alone.
//
// Every coordinate given to a surface is in skin pixels. A surface has a
// whole-number scale (1, 2 or 3): each skin pixel is a block of scale x scale
// device pixels, and Image() holds the device pixels (Format_RGB32, the size
// of the window's client area in device pixels). Pictures are enlarged by
// whole pixels, never smoothed; the skin's pictures once, when they are named
// in KeepPictures, other pictures on first use. Painters draw text and shapes
// through a scaling transform, so text is drawn at the scaled font size. At
// scale 1 nothing is enlarged and nothing is added to any path.
//
// Copies take source pictures in Format_RGB32 (other formats are converted).
// All calls are made on the GUI thread.
#include "platform/Rect.h"
#include "platform/Region.h"
#include "player/skin/RasterCopy.h"

#include <QColor>
#include <QFont>
#include <QImage>
#include <QPainter>

#include <array>
#include <cstdint>
#include <functional>
#include <initializer_list>
#include <optional>
#include <unordered_map>
#include <vector>

namespace skin {

class DrawingSurface;

// A painter on the surface, set up with the surface's clip region, font and
// text colour (as pen). While it exists, do not call the surface's block
// copies. Obtain it with DrawingSurface::BeginPaint.
class SurfacePainter : public QPainter {
public:
    explicit SurfacePainter(DrawingSurface& surface);
    ~SurfacePainter();
    SurfacePainter(const SurfacePainter&) = delete;
    SurfacePainter& operator=(const SurfacePainter&) = delete;

private:
    DrawingSurface& m_surface;
};

class DrawingSurface {
public:
    DrawingSurface();
    virtual ~DrawingSurface();

    // A new size in skin pixels; the content is cleared to black.
    virtual void Resize(int width, int height) = 0;
    // The size in skin pixels.
    int Width() const { return Image().width() / m_scale; }
    int Height() const { return Image().height() / m_scale; }
    // The surface's device pixels as the client knows them.
    virtual const QImage& Image() const = 0;

    // Device pixels per skin pixel, 1 to MaxScale. A new scale keeps the size
    // in skin pixels, clears the content to black and forgets the enlarged
    // pictures: name the skin's pictures again with KeepPictures.
    static constexpr int MaxScale = 3;
    void SetScale(int scale);
    int Scale() const { return m_scale; }

    // The clip region for every later copy and painter; nothing clips when unset.
    void SetClip(const platform::Region& clip);
    void ClearClip();
    const std::optional<platform::Region>& Clip() const { return m_clip; }

    // Copies a block of dest's size from source at (srcX, srcY) to dest with
    // the raster operation. Pixels outside the source read as black
    // (0x000000); pixels outside the surface or the clip are not touched.
    virtual void Copy(const QImage& source, int32_t srcX, int32_t srcY, const platform::Rect& dest,
                      RasterOp op) = 0;
    // Copies a whole picture to (x, y) with SRCCOPY, clipped.
    void PaintPicture(const QImage& picture, int32_t x, int32_t y);
    // Fills the whole surface (ignoring the clip).
    virtual void Fill(QColor colour) = 0;

    // The pictures that later copies will take their blocks from (a skin's
    // pictures, named when the skin is loaded or the scale changes). Above
    // scale 1 their enlarged copies are made now. A surface that keeps its
    // pixels elsewhere may send them there once now; pictures named before
    // and not now may be forgotten. Null images are ignored.
    void KeepPictures(std::initializer_list<const QImage*> pictures);

    // Text colour (Windows colour value 0x00BBGGRR) and font of later painters.
    void SetTextColor(int32_t colorref) { m_textColor = colorref; }
    int32_t TextColor() const { return m_textColor; }
    void SetFont(const QFont& font) { m_font = font; }
    const QFont& Font() const { return m_font; }
    // The window font: "MS UI Gothic" 9 pt maps to IPA P Gothic, like it a
    // proportional face. It is set at 11 pixels rather than 12 because IPA
    // P Gothic's digits are wider than MS UI Gothic's: at 11 pixels every
    // "mm:ss" fits the 28-pixel time column of the play list, as the skins'
    // layouts expect.
    static QFont DefaultFont();

    // A painter for text and shapes; the surface reports the whole clip box
    // (or surface) as changed when it ends.
    SurfacePainter BeginPaint() { return SurfacePainter(*this); }

    // Called with each changed rectangle (in surface pixels); the window uses
    // it to schedule a repaint.
    void SetChangeListener(std::function<void(const platform::Rect&)> listener) { m_onChange = std::move(listener); }

    // Counts the changes made to the image so far (every copy, fill, resize
    // or painter that touched a pixel). A painter that remembers the count
    // after its own drawing knows, while the count stays the same, that
    // nobody has drawn over its pixels since.
    uint64_t ChangeCount() const { return m_changeCount; }
    // Whether a change made after the count `since` may have touched `area`.
    // The surface remembers the rectangles of its last few changes; when
    // older ones are asked about, the answer is yes.
    bool ChangedSince(uint64_t since, const platform::Rect& area) const;

protected:
    // Only a whole implementation is copied (an image surface is a value).
    DrawingSurface(const DrawingSurface&) = default;
    DrawingSurface& operator=(const DrawingSurface&) = default;

    // The image painters draw on.
    virtual QImage& PaintTarget() = 0;
    // Called when a painter has ended, with the rectangle (skin pixels) it
    // may have changed.
    virtual void Painted(const platform::Rect& rect) { (void)rect; }
    // The device pictures of the kept pictures (the pictures themselves at
    // scale 1), for a surface that sends them elsewhere.
    virtual void KeepDevicePictures(const std::vector<const QImage*>& pictures) { (void)pictures; }

    // The picture a block is taken from in device pixels: the source itself
    // at scale 1 or when it is the surface's own image, else its enlarged copy.
    const QImage& DevicePicture(const QImage& source);
    // The clip in device pixels.
    const std::optional<platform::Region>& DeviceClip() const { return m_scale == 1 ? m_clip : m_deviceClip; }
    // The block copy on the client-side image in device pixels, as
    // DrawingSurface::Copy describes it (skin-pixel arguments). Returns the
    // rectangle that may have changed, in skin pixels.
    platform::Rect CopyOnImage(QImage& target, const QImage& source, int32_t srcX, int32_t srcY,
                               const platform::Rect& dest, RasterOp op);
    void NotifyChanged(const platform::Rect& rect);
    // A resize counts as a change even when nothing is left to report.
    void NotifyResized();

private:
    friend class SurfacePainter;

    struct EnlargedPicture {
        QImage image;
        uint64_t lastUse = 0;
        bool kept = false;
    };
    void ForgetLoosePictures();

    int m_scale = 1;
    std::optional<platform::Region> m_clip;
    std::optional<platform::Region> m_deviceClip;
    // The enlarged copies by the source picture's cache key (above scale 1).
    std::unordered_map<qint64, EnlargedPicture> m_enlarged;
    uint64_t m_pictureUses = 0;
    int32_t m_textColor = 0;
    QFont m_font;
    uint64_t m_changeCount = 0;
    // The rectangle of change number n is at n % RecentChanges.
    static constexpr std::size_t RecentChanges = 32;
    std::array<platform::Rect, RecentChanges> m_recent{};
    std::function<void(const platform::Rect&)> m_onChange;
};

} // namespace skin
