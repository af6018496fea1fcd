#include "player/widgets/SkinImagePainter.h"

#include "common/AsciiText.h"
#include "common/ClsKtGdi.h"
#include "player/widgets/WidgetState.h"
#include "platform/RunLog.h"
#include "player/skin/DrawingSurface.h"
#include "player/skin/Skin.h"

#include <algorithm>
#include <cctype>
#include <string>

namespace widgets {

namespace {

constexpr int32_t DebugFrameColour = 0xFF00FF; // magenta
constexpr int32_t DotPen = 2;

bool StartsWith(std::string_view text, std::string_view prefix)
{
    return common::ascii::StartsWithIgnoringCase(text, prefix);
}

// The name with every "down" removed, in any letter case.
std::string WithoutDown(std::string_view name)
{
    const std::string lower = common::ascii::Lower(name);
    std::string out;
    out.reserve(name.size());
    for (std::size_t i = 0; i < name.size();) {
        if (lower.compare(i, 4, "down") == 0) {
            i += 4;
        } else {
            out += name[i];
            ++i;
        }
    }
    return out;
}

} // namespace

const platform::Region* SkinImagePainter::FindRegion(std::string_view name) const
{
    const skin::ClsZelkoRgn* rgn = m_ctx.skin.coRgns.Find(name);
    if (rgn == nullptr || !rgn->Rgn().has_value())
        return nullptr;
    return &*rgn->Rgn();
}

const skin::ClsZelkoRect* SkinImagePainter::FindRect(std::string_view name) const
{
    return m_ctx.skin.coRects.Find(name);
}

const skin::ClsZelkoRect* SkinImagePainter::FindMask(std::string_view maskKey, MaskFallback fallback) const
{
    if (const skin::ClsZelkoRect* mask = FindRect(maskKey))
        return mask;
    if (fallback == MaskFallback::WithoutDown) {
        const std::string shorter = WithoutDown(maskKey);
        if (shorter.size() != maskKey.size())
            return FindRect(shorter);
    }
    return nullptr;
}

const QImage& SkinImagePainter::ButtonSource(std::string_view imageKey) const
{
    const skin::SkinPictures& p = m_ctx.skin.pictures;
    if (StartsWith(imageKey, "sysbuttons"))
        return p.picSysButtons;
    if (StartsWith(imageKey, "playbuttons"))
        return p.picPlayButtons;
    return p.picTitle;
}

void SkinImagePainter::RestoreBackground(const QImage& background, const platform::Rect& box) const
{
    m_ctx.surface.Copy(background, box.left, box.top, box, skin::RasterOp::SrcCopy);
}

ResolvedImage SkinImagePainter::Resolve(std::string_view maskKey, std::string_view imageKey,
                                        MaskFallback fallback) const
{
    ResolvedImage out;
    if (const skin::ClsZelkoRect* image = FindRect(imageKey))
        out.image = image->RectPtr();
    if (const skin::ClsZelkoRect* mask = FindMask(maskKey, fallback))
        out.mask = mask->RectPtr();
    return out;
}

bool SkinImagePainter::DrawSkinImage(const platform::Rect& box, std::string_view maskKey,
                                     std::string_view imageKey, const QImage& source,
                                     MaskFallback fallback) const
{
    return DrawResolvedImage(box, Resolve(maskKey, imageKey, fallback), imageKey, source);
}

bool SkinImagePainter::DrawResolvedImage(const platform::Rect& box, const ResolvedImage& resolved,
                                         std::string_view imageKey, const QImage& source) const
{
    if (box.right == 0 || box.bottom == 0) {
        m_ctx.log.Write("coKey=" + std::string(imageKey) + ",Left=" + std::to_string(box.left) +
                        ",Top=" + std::to_string(box.top) + ",Right=" + std::to_string(box.right) +
                        ",Bottom=" + std::to_string(box.bottom));
    }
    // An image the skin does not define is skipped before anything is
    // touched, so a broken skin never leaves a whitened hole behind.
    if (!resolved.image)
        return false;
    skin::DrawingSurface& surface = m_ctx.surface;
    const platform::Rect& image = *resolved.image;
    if (resolved.mask) {
        RestoreBackground(m_ctx.skin.pictures.picBody, box);
        surface.Copy(source, resolved.mask->left, resolved.mask->top, box, skin::RasterOp::MergePaint);
        surface.Copy(source, image.left, image.top, box, skin::RasterOp::SrcAnd);
    } else {
        surface.Copy(source, image.left, image.top, box, skin::RasterOp::SrcCopy);
    }
    return true;
}

void SkinImagePainter::DebugFrame(const platform::Rect& box) const
{
    if (!m_ctx.state.bDebug())
        return;
    skin::SurfacePainter painter = m_ctx.surface.BeginPaint();
    DebugFrame(painter, box);
}

void SkinImagePainter::DebugFrame(QPainter& painter, const platform::Rect& box) const
{
    if (!m_ctx.state.bDebug())
        return;
    const common::ClsKtGdi gdi;
    gdi.vbRectangle(painter, DebugFrameColour, DotPen, 1, common::ClsKtGdi::StockHollowBrush, box);
}

ScopedClip::ScopedClip(skin::DrawingSurface& surface, const platform::Region& clip)
    : m_surface(surface)
{
    m_surface.SetClip(clip);
}

ScopedClip::~ScopedClip()
{
    m_surface.ClearClip();
}

} // namespace widgets
