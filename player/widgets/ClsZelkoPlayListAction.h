#pragma once
// The play-list box: one line per track (number, title, artist, and the length
// in a time column of 28 pixels at the right), the current track in the
// playing colour, and the two scroll buttons. It turns presses on its area
// into events: scroll up and down (left button on a scroll button), click and
// right click on a line, double click on a line with the track number.
// Coordinates are window client pixels; lines are CharHeight pixels high.
#include "common/ClsKtGdi.h"
#include "platform/Rect.h"
#include "player/widgets/RenderedLineCache.h"
#include "player/widgets/SkinImagePainter.h"
#include "player/widgets/WidgetContext.h"
#include "player/skin/SkinWindowListener.h"

#include <QFont>
#include <QObject>

#include <cstdint>
#include <string>

namespace playback {
class Mp3FileList;
struct PlayState;
} // namespace playback

namespace widgets {

class ClsZelkoPlayListAction : public QObject {
    Q_OBJECT
public:
    // tracks: the play list (coMp3Files), read only.
    ClsZelkoPlayListAction(const WidgetContext& context, const playback::Mp3FileList& tracks, const playback::PlayState& playState,
                           QObject* parent = nullptr);

    // Track number shown on the first line; starts at 1. Not range-checked:
    // numbers past the list show empty lines.
    int32_t ListTop() const { return m_listTop; }
    void SetListTop(int32_t value) { m_listTop = value; }

    // The line area: the box of playlistbox-itemrect cut down to whole lines
    // and centred. Call after every skin load; empty before the first.
    void MakePlayListRect();
    const platform::Rect& rcPlayList() const { return m_rcPlayList; }

    // Clears the box to its background and draws the visible lines.
    void RefreshPlayList();
    // The font of the lengths in the time column for a list drawn in
    // listFont. The window font, IPA P Gothic, has digits too wide for every
    // "mm:ss" to fit the 28-pixel column; its fixed-pitch sibling IPA Gothic
    // has half-em digits that fit and line up from line to line. Any other
    // font is kept.
    static QFont LengthFont(const QFont& listFont);
    // The released images of the scroll buttons.
    void RefreshListUp();
    void RefreshListDown();

    // The window's events, in client pixels.
    void MouseDown(skin::MouseButton button, skin::KeyShift shift, int32_t x, int32_t y);
    void MouseUp(skin::MouseButton button, skin::KeyShift shift, int32_t x, int32_t y);
    void DblClick(int32_t x, int32_t y);
    // The list, then the scroll-up and scroll-down buttons.
    void Paint();

    const std::string& PressedRgnName() const { return m_pressedRgnName; }

signals:
    void ListUpClick();
    void ListDownClick();
    void ItemClick();
    // The track number of the double-clicked line: 0 in the margins, and
    // possibly past the end of the list.
    void ItemDblClick(int32_t TrackPosition);
    void ItemRightClick();

private:
    enum class ScrollButton { Up,
                              Down };
    enum class Look { Released,
                      Pressed };
    void DrawScrollButton(ScrollButton which, Look look);
    // The background under the box: the open drawer's picture or the body.
    const QImage& Background() const;

    WidgetContext m_ctx;
    SkinImagePainter m_painter;
    const playback::Mp3FileList& m_tracks;
    const playback::PlayState& m_playState; // PlayPosition is the track shown in the playing colour
    int32_t m_listTop = 1;
    platform::Rect m_rcPlayList;
    std::string m_pressedRgnName;
    // Whole lines, and the time column of each length and colour.
    RenderedLineCache m_lines;
    RenderedLineCache m_times;
    // Kept between redraws: each remembers the face of the font it drew in.
    common::ClsKtGdi m_textGdi;
    common::ClsKtGdi m_timeGdi;
};

} // namespace widgets
