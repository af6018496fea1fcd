#include "player/widgets/ClsZelkoBodyAction.h"

#include "common/ClsKtGdi.h"
#include "player/playback/PlayState.h"
#include "player/widgets/WidgetState.h"
#include "player/skin/DrawingSurface.h"
#include "player/skin/Skin.h"
#include "player/skin/SkinWindow.h"
#include "player/widgets/BodyRules.h"
#include "protocol/AnalyzeRecord.h"

#include <algorithm>

namespace widgets {

namespace {

// Image keys built once: "analyzersource-<n>" and "timesource-<c>", each
// with its mask, so that a refresh does no string building.
struct KeyPair {
    std::string image;
    std::string mask;
};

KeyPair MakeKeys(std::string image)
{
    std::string mask = image + "mask";
    return {std::move(image), std::move(mask)};
}

const std::array<KeyPair, BodyRules::MaxLevel + 1>& AnalyzerKeys()
{
    static const auto keys = [] {
        std::array<KeyPair, BodyRules::MaxLevel + 1> k;
        for (int i = 0; i <= BodyRules::MaxLevel; ++i)
            k[static_cast<std::size_t>(i)] = MakeKeys("analyzersource-" + std::to_string(i));
        return k;
    }();
    return keys;
}

const std::array<std::string, BodyRules::BandCount>& AnalyzerRegions()
{
    static const auto names = [] {
        std::array<std::string, BodyRules::BandCount> n;
        for (int b = 0; b < BodyRules::BandCount; ++b)
            n[static_cast<std::size_t>(b)] = "analyzer-" + std::to_string(b);
        return n;
    }();
    return names;
}

constexpr bool IsBareBodyName(std::string_view name, bool drawersCount)
{
    if (name == "body-main")
        return true;
    if (drawersCount)
        return false;
    return name == "body-lyricsshow" || name == "body-lyricshide" || name == "body-playlistshow" ||
        name == "body-playlisthide";
}

} // namespace

ClsZelkoBodyAction::ClsZelkoBodyAction(const WidgetContext& context, const protocol::AnalyzeRecord& analyze,
                                       const playback::PlayState& playState, QObject* parent)
    : QObject(parent)
    , m_ctx(context)
    , m_painter(context)
    , m_analyze(analyze)
    , m_playState(playState)
{
    // Names, titles and lyrics are shown as written: an "&" in them is no access key.
    m_titleGdi.ResolveDrawTextFlags("left,singleline,vcenter,end_ellipsis,noprefix");
}

bool ClsZelkoBodyAction::DrawMaskedTitleImage(const platform::Rect& box, std::string_view imageKey)
{
    std::string mask(imageKey);
    mask += "mask";
    return m_painter.DrawSkinImage(box, mask, imageKey, m_ctx.skin.pictures.picTitle, MaskFallback::Solid);
}

bool ClsZelkoBodyAction::DrawWidgetImage(std::string_view regionName, std::string_view imageKey)
{
    const platform::Region* region = m_painter.FindRegion(regionName);
    if (region == nullptr)
        return false;
    const platform::Rect box = region->BoundingBox();
    ScopedClip clip(m_ctx.surface, *region);
    DrawMaskedTitleImage(box, imageKey);
    m_painter.DebugFrame(box);
    return true;
}

void ClsZelkoBodyAction::RefreshTitleBox()
{
    const std::string text = BodyRules::TitleText(m_ctx.state.TrackName(), m_ctx.state.ArtistName());
    if (const platform::Region* region = m_painter.FindRegion("titlebox-textrect")) {
        const platform::Rect box = region->BoundingBox();
        ScopedClip clip(m_ctx.surface, *region);
        DrawMaskedTitleImage(box, "titleboxsource-text");
        m_ctx.surface.SetTextColor(m_ctx.skin.colours.ColourOrZero(skin::SkinColour::TitleFore));
        skin::SurfacePainter painter = m_ctx.surface.BeginPaint();
        if (!text.empty())
            m_titleGdi.vbDrawText(painter, text, box);
        m_painter.DebugFrame(painter, box);
    }
    m_ctx.window.SetCaption(BodyRules::CaptionText(text));
}

void ClsZelkoBodyAction::RefreshTimeCharacter(const char* regionName, int position)
{
    const auto shown = BodyRules::DisplayTime(WidgetState::FormatTimeMs(m_analyze.PlayMs));
    const char c = shown[static_cast<std::size_t>(position)];
    if (c < '0' || c > '9')
        return;
    DrawWidgetImage(regionName, std::string("timesource-") + c);
}

void ClsZelkoBodyAction::RefreshTimeMM() { RefreshTimeCharacter("time-mm", 0); }
void ClsZelkoBodyAction::RefreshTimeM() { RefreshTimeCharacter("time-m", 1); }
void ClsZelkoBodyAction::RefreshTimeColon() { DrawWidgetImage("time-colon", "timesource-colon"); }
void ClsZelkoBodyAction::RefreshTimeSS() { RefreshTimeCharacter("time-ss", 3); }
void ClsZelkoBodyAction::RefreshTimeS() { RefreshTimeCharacter("time-s", 4); }

void ClsZelkoBodyAction::RefreshGauge(const char* regionName, const std::string& sourcePrefix, int32_t value)
{
    DrawWidgetImage(regionName, sourcePrefix + std::to_string(BodyRules::GaugeSuffix(value)));
}

void ClsZelkoBodyAction::RefreshSeekBar()
{
    RefreshGauge("seekbar-container", "seekbarsource-", m_ctx.state.SeekPosition());
}

void ClsZelkoBodyAction::RefreshVolumeValue()
{
    RefreshGauge("volume-container", "volumesource-", m_playState.Volume);
}

ClsZelkoBodyAction::SkinMark ClsZelkoBodyAction::CurrentSkinMark() const
{
    const skin::Skin& skin = m_ctx.skin;
    return SkinMark{skin.pictures.picTitle.cacheKey(), skin.pictures.picBody.cacheKey(), skin.coRgns.Count(),
                    skin.coRects.Count()};
}

const ClsZelkoBodyAction::AnalyserLookups& ClsZelkoBodyAction::Lookups()
{
    const SkinMark mark = CurrentSkinMark();
    if (m_lookups.skinMark == mark)
        return m_lookups;
    AnalyserLookups fresh;
    fresh.skinMark = mark;
    for (int b = 0; b < BodyRules::BandCount; ++b) {
        if (const platform::Region* region = m_painter.FindRegion(AnalyzerRegions()[static_cast<std::size_t>(b)]))
            fresh.bands[static_cast<std::size_t>(b)] = AnalyserBand{*region, region->BoundingBox()};
    }
    for (int level = 0; level <= BodyRules::MaxLevel; ++level) {
        const KeyPair& keys = AnalyzerKeys()[static_cast<std::size_t>(level)];
        fresh.levels[static_cast<std::size_t>(level)] = m_painter.Resolve(keys.mask, keys.image, MaskFallback::Solid);
    }
    if (const skin::ClsZelkoRect* peak = m_painter.FindRect("peeksource-value"))
        fresh.peak = peak->RectPtr();
    m_lookups = std::move(fresh);
    ForgetDrawnBands();
    return m_lookups;
}

void ClsZelkoBodyAction::ForgetDrawnBands()
{
    m_drawn.fill(std::nullopt);
}

void ClsZelkoBodyAction::RefreshSpectrumData()
{
    if (!m_ctx.state.AnalyzeProc())
        return;
    const AnalyserLookups& lookups = Lookups();
    const QImage& picTitle = m_ctx.skin.pictures.picTitle;
    for (int b = 0; b < BodyRules::BandCount; ++b) {
        const auto at = static_cast<std::size_t>(b);
        const std::optional<AnalyserBand>& band = lookups.bands[at];
        if (!band)
            continue;
        const int i = BodyRules::BandStride * b;
        const int level = BodyRules::SpectrumLevel(m_analyze.Spectrum1[static_cast<std::size_t>(i)],
                                                   m_analyze.Spectrum2[static_cast<std::size_t>(i)]);
        const auto marker = m_peakLevel.Update(i, level);
        DrawnBand now{level, std::nullopt};
        if (marker && lookups.peak) {
            // The peak table has entries 0..23 only.
            const int32_t entry = std::clamp<int32_t>(*marker, 0, static_cast<int32_t>(skin::PeekPositionCount) - 1);
            now.markerY = m_ctx.skin.colours.PeekPositionOrZero(static_cast<std::size_t>(entry));
        }
        const platform::Rect& box = band->box;
        // A box ending at 0 writes its diagnostic line on every draw, so it is never skipped.
        const bool logs = box.right == 0 || box.bottom == 0;
        if (m_drawn[at] == now && !logs && !m_ctx.surface.ChangedSince(m_drawnAtChange, box))
            continue;
        ScopedClip clip(m_ctx.surface, band->region);
        const KeyPair& keys = AnalyzerKeys()[static_cast<std::size_t>(level)];
        m_painter.DrawResolvedImage(box, lookups.levels[static_cast<std::size_t>(level)], keys.image, picTitle);
        if (now.markerY) {
            const platform::Rect& peak = *lookups.peak;
            // The rectangle's third and fourth numbers are the marker's width and height.
            const platform::Rect dest = platform::Rect::FromSize(box.left, *now.markerY, peak.right, peak.bottom);
            m_ctx.surface.Copy(picTitle, peak.left, peak.top, dest, skin::RasterOp::SrcCopy);
        }
        m_drawn[at] = now;
    }
    m_drawnAtChange = m_ctx.surface.ChangeCount();
}

bool ClsZelkoBodyAction::HitsWidget(int32_t x, int32_t y, bool drawersCount) const
{
    for (const skin::ClsZelkoRgn& rgn : m_ctx.skin.coRgns) {
        if (IsBareBodyName(rgn.Name(), drawersCount))
            continue;
        if (rgn.Rgn().has_value() && rgn.Rgn()->Contains(x, y))
            return true;
    }
    return false;
}

void ClsZelkoBodyAction::MouseDown(skin::MouseButton button, skin::KeyShift, int32_t x, int32_t y)
{
    if (button != skin::MouseButton::Left)
        return;
    if (!HitsWidget(x, y, false)) {
        m_dragX = x;
        m_dragY = y;
        m_dragging = true;
    }
}

void ClsZelkoBodyAction::MouseMove(skin::MouseButtons buttons, skin::KeyShift, int32_t x, int32_t y)
{
    if ((buttons & static_cast<skin::MouseButtons>(skin::MouseButton::Left)) == 0 || !m_dragging)
        return;
    m_ctx.window.MoveBy(x - m_dragX, y - m_dragY);
}

void ClsZelkoBodyAction::MouseUp(skin::MouseButton button, skin::KeyShift, int32_t x, int32_t y)
{
    const bool wasDragging = m_dragging;
    m_dragging = false;
    if (button == skin::MouseButton::Left && wasDragging)
        emit BodyMoveFinished();
    else if (button == skin::MouseButton::Right && !HitsWidget(x, y, true))
        emit BodyRightClick();
}

void ClsZelkoBodyAction::Paint()
{
    // Paint follows a new skin: look everything up again and draw every band.
    m_lookups.skinMark.reset();
    ForgetDrawnBands();
    RefreshTitleBox();
    RefreshTimeMM();
    RefreshTimeM();
    RefreshTimeColon();
    RefreshTimeSS();
    RefreshTimeS();
    RefreshVolumeValue();
    RefreshSeekBar();
    RefreshSpectrumData();
}

} // namespace widgets
