#pragma once
// The way every skinned widget draws its images: a widget image is a
// rectangle of a skin picture, named in coRects, drawn into a destination box
// of window pixels. Only the source rectangle's left and top are used; the
// block always has the destination box's size, without scaling.
//
// With a mask rectangle (black where the image is opaque, white where the
// background shows), the box is first restored from a background picture,
// the mask is laid on with MERGEPAINT (which whitens the opaque part) and the
// image with SRCAND (so the image must be white where it is transparent).
// Without a mask the image is copied as a solid block. Clipping is the
// caller's: it sets the surface's clip region before drawing.
#include "platform/Rect.h"
#include "platform/Region.h"
#include "player/widgets/WidgetContext.h"

#include <optional>
#include <string_view>

class QImage;
class QPainter;
namespace skin {
class ClsZelkoRect;
}

namespace widgets {

// What happens when the named mask is not in the skin.
enum class MaskFallback {
    // Look again with every "down" removed from the name (buttons): a pressed
    // image without its own mask uses the released image's mask.
    WithoutDown,
    // Copy the image solid at once.
    Solid,
};

// The source rectangles an image key and its mask key name in the skin,
// looked up once so that a painter drawing the same images again and again
// does no look-up by name. Only valid for the skin it was made from.
struct ResolvedImage {
    std::optional<platform::Rect> image;
    std::optional<platform::Rect> mask;
};

class SkinImagePainter {
public:
    explicit SkinImagePainter(const WidgetContext& context)
        : m_ctx(context)
    {}

    // Draws the image imageKey of `source` into box, masked by maskKey when
    // the skin has it (restoring the box from picBody first). A box whose
    // right or bottom is 0 writes the diagnostic line
    // "coKey=<imageKey>,Left=..,Top=..,Right=..,Bottom=.." to the run log and
    // draws nothing visible. An image missing from the skin draws nothing.
    // Returns whether the image was found.
    bool DrawSkinImage(const platform::Rect& box, std::string_view maskKey, std::string_view imageKey,
                       const QImage& source, MaskFallback fallback) const;

    // The rectangles DrawSkinImage would look up for these keys.
    ResolvedImage Resolve(std::string_view maskKey, std::string_view imageKey, MaskFallback fallback) const;
    // DrawSkinImage with the look-ups already made; imageKey is only named
    // in the diagnostic line of a box whose right or bottom is 0.
    bool DrawResolvedImage(const platform::Rect& box, const ResolvedImage& resolved, std::string_view imageKey,
                           const QImage& source) const;

    // The picture a button image comes from: picSysButtons for keys beginning
    // with "sysbuttons", picPlayButtons for "playbuttons", else picTitle.
    const QImage& ButtonSource(std::string_view imageKey) const;

    // A plain copy of box from a background picture to the same place.
    void RestoreBackground(const QImage& background, const platform::Rect& box) const;

    // The region of that name when the skin has it (and it has been given an
    // area at all); nullptr otherwise.
    const platform::Region* FindRegion(std::string_view name) const;
    const skin::ClsZelkoRect* FindRect(std::string_view name) const;

    // With "/debug": the dotted magenta frame around a hot area (no fill).
    void DebugFrame(const platform::Rect& box) const;
    void DebugFrame(QPainter& painter, const platform::Rect& box) const;

private:
    const skin::ClsZelkoRect* FindMask(std::string_view maskKey, MaskFallback fallback) const;

    WidgetContext m_ctx;
};

// Sets the surface's clip region for a scope and removes it at the end, on
// every path out of a painter.
class ScopedClip {
public:
    ScopedClip(skin::DrawingSurface& surface, const platform::Region& clip);
    ~ScopedClip();
    ScopedClip(const ScopedClip&) = delete;
    ScopedClip& operator=(const ScopedClip&) = delete;

private:
    skin::DrawingSurface& m_surface;
};

} // namespace widgets
