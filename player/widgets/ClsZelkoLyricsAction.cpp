#include "player/widgets/ClsZelkoLyricsAction.h"

#include "common/ClsKtGdi.h"
#include "decoder/DecoderRecords.h"
#include "platform/CodePage.h"
#include "player/widgets/WidgetState.h"
#include "player/skin/DrawingSurface.h"
#include "player/skin/Skin.h"

#include <QColor>

#include <cstring>

namespace widgets {

namespace {

constexpr std::string_view BoxRegion = "lyricsbox-itemrect";
constexpr LyricsLayout::Line AllLines[] = {LyricsLayout::Line::PPrev, LyricsLayout::Line::Prev,
                                           LyricsLayout::Line::Current, LyricsLayout::Line::Next,
                                           LyricsLayout::Line::NNext};

} // namespace

ClsZelkoLyricsAction::ClsZelkoLyricsAction(const WidgetContext& context, decoder::LyricsRecord& lyrics,
                                           QObject* parent)
    : QObject(parent)
    , m_ctx(context)
    , m_painter(context)
    , m_lyrics(lyrics)
{
    // Names, titles and lyrics are shown as written: an "&" in them is no access key.
    m_lineGdi.ResolveDrawTextFlags("left,singleline,vcenter,end_ellipsis,noprefix");
}

int ClsZelkoLyricsAction::FieldOf(LyricsLayout::Line line)
{
    switch (line) {
    case LyricsLayout::Line::PPrev: return 7;
    case LyricsLayout::Line::Prev: return 6;
    case LyricsLayout::Line::Current: return 5;
    case LyricsLayout::Line::Next: return 1;
    case LyricsLayout::Line::NNext: return 0;
    }
    return 5;
}

int32_t ClsZelkoLyricsAction::ColourOf(LyricsLayout::Line line) const
{
    const skin::SkinTextColours& colours = m_ctx.skin.colours;
    switch (line) {
    case LyricsLayout::Line::PPrev: return colours.ColourOrZero(skin::SkinColour::LyricsPPrev);
    case LyricsLayout::Line::Prev: return colours.ColourOrZero(skin::SkinColour::LyricsPrev);
    case LyricsLayout::Line::Current: return colours.ColourOrZero(skin::SkinColour::LyricsCurrent);
    case LyricsLayout::Line::Next: return colours.ColourOrZero(skin::SkinColour::LyricsNext);
    case LyricsLayout::Line::NNext: return colours.ColourOrZero(skin::SkinColour::LyricsNNext);
    }
    return colours.ColourOrZero(skin::SkinColour::LyricsCurrent);
}

std::string ClsZelkoLyricsAction::LineText(LyricsLayout::Line line) const
{
    const char* field = m_lyrics.Text[FieldOf(line)];
    // A field without NUL is taken whole.
    const std::size_t length = strnlen(field, sizeof(m_lyrics.Text[0]));
    return platform::CodePage::FromAnsi(std::string_view(field, length));
}

void ClsZelkoLyricsAction::MakeLyricsRect()
{
    const platform::Region* region = m_painter.FindRegion(BoxRegion);
    m_rects = LyricsLayout::MakeLyricsRect(region == nullptr ? platform::Rect{} : region->BoundingBox(),
                                           WidgetState::CharHeight);
}

void ClsZelkoLyricsAction::ClearLyricsText()
{
    for (LyricsLayout::Line line : AllLines)
        m_lyrics.Text[FieldOf(line)][0] = '\0';
}

void ClsZelkoLyricsAction::RefreshLyricsRect()
{
    if (!m_ctx.state.LyricsProc())
        return;
    const platform::Region* region = m_painter.FindRegion(BoxRegion);
    if (region == nullptr)
        return;
    const platform::Rect box = region->BoundingBox();
    ScopedClip clip(m_ctx.surface, *region);
    const skin::SkinPictures& pictures = m_ctx.skin.pictures;
    m_painter.RestoreBackground(m_ctx.state.LyricsShow() ? pictures.picLyricsShow : pictures.picBody, box);

    skin::SurfacePainter painter = m_ctx.surface.BeginPaint();
    for (LyricsLayout::Line line : AllLines) {
        const platform::Rect& rect = LyricsLayout::RectOf(m_rects, line);
        if (!LyricsLayout::InUse(rect))
            continue;
        const std::string text = LineText(line);
        if (text.empty())
            continue;
        const int32_t c = ColourOf(line);
        painter.setPen(QColor(c & 0xFF, (c >> 8) & 0xFF, (c >> 16) & 0xFF));
        m_lineGdi.vbDrawText(painter, text, rect);
    }
    m_painter.DebugFrame(painter, box);
}

} // namespace widgets
