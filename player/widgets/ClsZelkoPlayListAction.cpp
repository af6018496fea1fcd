#include "player/widgets/ClsZelkoPlayListAction.h"

#include "common/ClsKtGdi.h"
#include "player/playback/Mp3FileList.h"
#include "player/playback/PlayState.h"
#include "player/widgets/WidgetState.h"
#include "player/skin/DrawingSurface.h"
#include "player/skin/Skin.h"
#include "player/widgets/PlayListLayout.h"

#include <QColor>

#include <algorithm>
#include <limits>
#include <vector>

namespace widgets {

namespace {

constexpr std::string_view ItemRegion = "playlistbox-itemrect";
constexpr std::string_view UpRegion = "sysbuttons-playlistu";
constexpr std::string_view DownRegion = "sysbuttons-playlistd";

QColor FromColorRef(int32_t c)
{
    return QColor(c & 0xFF, (c >> 8) & 0xFF, (c >> 16) & 0xFF);
}

// The length column: minutes and seconds of the time text (the part before
// its last colon), so that tracks of 100 minutes and more read correctly.
std::string LengthText(int32_t totalSec)
{
    const int64_t ms = std::clamp<int64_t>(int64_t{totalSec} * 1000, 0, std::numeric_limits<int32_t>::max());
    std::string text = WidgetState::FormatTimeMs(static_cast<int32_t>(ms));
    const auto colon = text.rfind(':');
    if (colon != std::string::npos && colon > 0)
        text.resize(colon);
    return text;
}

} // namespace

ClsZelkoPlayListAction::ClsZelkoPlayListAction(const WidgetContext& context, const playback::Mp3FileList& tracks,
                                               const playback::PlayState& playState, QObject* parent)
    : QObject(parent)
    , m_ctx(context)
    , m_painter(context)
    , m_tracks(tracks)
    , m_playState(playState)
{
    // Names, titles and lyrics are shown as written: an "&" in them is no access key.
    m_textGdi.ResolveDrawTextFlags("left,singleline,vcenter,end_ellipsis,noprefix");
    m_timeGdi.ResolveDrawTextFlags("right,singleline,vcenter");
}

QFont ClsZelkoPlayListAction::LengthFont(const QFont& listFont)
{
    if (listFont.family() != QLatin1String("IPAPGothic"))
        return listFont;
    QFont font = listFont;
    font.setFamily(QStringLiteral("IPAGothic"));
    return font;
}

void ClsZelkoPlayListAction::MakePlayListRect()
{
    const platform::Region* region = m_painter.FindRegion(ItemRegion);
    m_rcPlayList = region == nullptr ? platform::Rect{}
                                     : PlayListLayout::MakePlayListRect(region->BoundingBox(), WidgetState::CharHeight);
}

const QImage& ClsZelkoPlayListAction::Background() const
{
    const skin::SkinPictures& p = m_ctx.skin.pictures;
    return m_ctx.state.PlayListShow() ? p.picPlayListShow : p.picBody;
}

void ClsZelkoPlayListAction::RefreshPlayList()
{
    const platform::Region* region = m_painter.FindRegion(ItemRegion);
    if (region == nullptr)
        return;
    {
        ScopedClip clip(m_ctx.surface, *region);
        m_painter.RestoreBackground(Background(), region->BoundingBox());
    }
    if (m_tracks.Empty() || m_rcPlayList.IsEmpty())
        return;

    const int32_t charHeight = WidgetState::CharHeight;
    const int32_t playing = m_playState.PlayPosition;
    const QColor fore = FromColorRef(m_ctx.skin.colours.ColourOrZero(skin::SkinColour::PlayListFore));
    const QColor playingColour = FromColorRef(m_ctx.skin.colours.ColourOrZero(skin::SkinColour::PlayListPlaying));
    const int32_t width = m_rcPlayList.Width();
    const QFont& font = m_ctx.surface.Font();
    const QFont lengthFont = LengthFont(font);
    const std::string fontKey = font.key().toStdString();
    const platform::Rect lineRect{0, 0, width, charHeight};
    const platform::Rect textRect = PlayListLayout::TextRect(lineRect, charHeight, 0);
    const platform::Rect timeRect = PlayListLayout::TimeRect(lineRect, charHeight, 0);
    const platform::Rect timeColumn{0, 0, timeRect.Width(), charHeight};

    // The tracks on the visible lines, and the text of each.
    struct Line {
        int32_t y;
        std::string text;
        std::string length;
        const QColor* colour;
        const std::string* colourKey;
        std::string key;
        RenderedLineCache::Place place;
    };
    const std::string foreKey = std::to_string(fore.rgb()) + "/" + fontKey;
    const std::string playingKey = std::to_string(playingColour.rgb()) + "/" + fontKey;
    std::vector<Line> lines;
    lines.reserve(static_cast<std::size_t>(m_rcPlayList.Height() / std::max(1, charHeight)));
    int32_t i = m_listTop;
    for (int32_t y = m_rcPlayList.top; y < m_rcPlayList.bottom; y += charHeight, ++i) {
        if (!m_tracks.Contains(i))
            continue;
        const auto& track = m_tracks.Item(i);
        const bool isPlaying = i == playing;
        lines.push_back(Line{y, std::to_string(i) + "." + track.TrackName() + " - " + track.ArtistName(), LengthText(track.TotalSec()), isPlaying ? &playingColour : &fore, isPlaying ? &playingKey : &foreKey, {}, {}});
    }
    if (lines.empty())
        return;

    // Lines drawn before are only composed. Lengths repeat from track to
    // track and list to list, so the time column of a new line is rendered
    // once per length and colour and copied into the line: a copy onto the
    // line's transparent pixels gives the very pixels drawing the text there
    // would. The line batch may empty its cache, so it is opened first.
    const int ratio = m_ctx.surface.Scale();
    RenderedLineCache::Batch lineBatch(m_lines, QSize(width, charHeight), lines.size(), ratio);
    std::vector<std::size_t> fresh;
    for (std::size_t n = 0; n < lines.size(); ++n) {
        Line& line = lines[n];
        line.key.reserve(line.text.size() + line.length.size() + line.colourKey->size() + 2);
        ((line.key += line.text) += '\0') += line.length;
        (line.key += '\0') += *line.colourKey;
        if (const auto place = lineBatch.Find(line.key))
            line.place = *place;
        else
            fresh.push_back(n);
    }
    if (!fresh.empty()) {
        std::vector<RenderedLineCache::Place> times(lines.size());
        {
            RenderedLineCache::Batch batch(m_times, QSize(timeColumn.Width(), charHeight), fresh.size(), ratio);
            for (const std::size_t n : fresh) {
                const Line& line = lines[n];
                times[n] = batch.Get(line.length + '\0' + *line.colourKey, [&](QPainter& p) {
                    p.setFont(lengthFont);
                    p.setPen(*line.colour);
                    m_timeGdi.vbDrawText(p, line.length, timeColumn);
                });
            }
        }
        for (const std::size_t n : fresh) {
            Line& line = lines[n];
            line.place = lineBatch.Get(line.key, [&](QPainter& p) {
                p.setFont(font);
                p.setPen(*line.colour);
                m_textGdi.vbDrawText(p, line.text, textRect);
                if (!times[n].rect.isEmpty())
                    m_times.Draw(p, QPoint(timeRect.left, timeRect.top), times[n]);
            });
        }
    }
    lineBatch.Finish();

    ScopedClip clip(m_ctx.surface, platform::Region(m_rcPlayList));
    skin::SurfacePainter painter = m_ctx.surface.BeginPaint();
    for (const Line& line : lines) {
        if (!line.place.rect.isEmpty())
            m_lines.Draw(painter, QPoint(m_rcPlayList.left, line.y), line.place);
        m_painter.DebugFrame(painter,
                             platform::Rect{m_rcPlayList.left, line.y, m_rcPlayList.right, line.y + charHeight});
    }
}

void ClsZelkoPlayListAction::DrawScrollButton(ScrollButton which, Look look)
{
    const std::string_view regionName = which == ScrollButton::Up ? UpRegion : DownRegion;
    const platform::Region* region = m_painter.FindRegion(regionName);
    if (region == nullptr)
        return;
    std::string image = which == ScrollButton::Up ? "sysbuttonssource-playlistu" : "sysbuttonssource-playlistd";
    if (look == Look::Pressed)
        image += "down";
    const std::string mask = image + "mask";
    const platform::Rect box = region->BoundingBox();
    ScopedClip clip(m_ctx.surface, *region);
    const skin::ClsZelkoRect* maskRect = m_painter.FindRect(mask);
    const skin::ClsZelkoRect* imageRect = m_painter.FindRect(image);
    const QImage& source = m_ctx.skin.pictures.picSysButtons;
    if (imageRect != nullptr) {
        if (maskRect != nullptr) {
            m_painter.RestoreBackground(Background(), box);
            m_ctx.surface.Copy(source, maskRect->Left(), maskRect->Top(), box, skin::RasterOp::MergePaint);
            m_ctx.surface.Copy(source, imageRect->Left(), imageRect->Top(), box, skin::RasterOp::SrcAnd);
        } else {
            m_ctx.surface.Copy(source, imageRect->Left(), imageRect->Top(), box, skin::RasterOp::SrcCopy);
        }
    }
    m_painter.DebugFrame(box);
}

void ClsZelkoPlayListAction::RefreshListUp() { DrawScrollButton(ScrollButton::Up, Look::Released); }
void ClsZelkoPlayListAction::RefreshListDown() { DrawScrollButton(ScrollButton::Down, Look::Released); }

void ClsZelkoPlayListAction::MouseDown(skin::MouseButton, skin::KeyShift, int32_t x, int32_t y)
{
    m_pressedRgnName.clear();
    for (const skin::ClsZelkoRgn& rgn : m_ctx.skin.coRgns) {
        if (rgn.Name().starts_with("body"))
            continue;
        if (rgn.Rgn().has_value() && rgn.Rgn()->Contains(x, y)) {
            m_pressedRgnName = rgn.Name();
            break;
        }
    }
    if (m_pressedRgnName == UpRegion)
        DrawScrollButton(ScrollButton::Up, Look::Pressed);
    else if (m_pressedRgnName == DownRegion)
        DrawScrollButton(ScrollButton::Down, Look::Pressed);
}

void ClsZelkoPlayListAction::MouseUp(skin::MouseButton button, skin::KeyShift, int32_t x, int32_t y)
{
    if (m_pressedRgnName.empty())
        return;
    const std::string pressed = std::move(m_pressedRgnName);
    m_pressedRgnName.clear();
    const platform::Region* region = m_painter.FindRegion(pressed);
    const bool inside = region != nullptr && region->Contains(x, y);
    const bool left = button == skin::MouseButton::Left;
    if (pressed == UpRegion || pressed == DownRegion) {
        const ScrollButton which = pressed == UpRegion ? ScrollButton::Up : ScrollButton::Down;
        if (inside && left) {
            // The main window scrolls and redraws the released image.
            if (which == ScrollButton::Up)
                emit ListUpClick();
            else
                emit ListDownClick();
        } else {
            DrawScrollButton(which, Look::Released);
        }
    } else if (pressed == ItemRegion && inside) {
        if (left)
            emit ItemClick();
        else if (button == skin::MouseButton::Right)
            emit ItemRightClick();
    }
}

void ClsZelkoPlayListAction::DblClick(int32_t x, int32_t y)
{
    const platform::Region* region = m_painter.FindRegion(ItemRegion);
    if (region == nullptr || !region->Contains(x, y))
        return;
    emit ItemDblClick(PlayListLayout::TrackAt(m_rcPlayList, WidgetState::CharHeight, m_listTop, y));
}

void ClsZelkoPlayListAction::Paint()
{
    RefreshPlayList();
    RefreshListUp();
    RefreshListDown();
}

} // namespace widgets
