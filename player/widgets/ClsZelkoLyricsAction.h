#pragma once
// The lyrics box: the current lyric line in the middle, up to two lines
// before it above and two after it below, each place in its own colour. The
// texts are read from the decoder's lyrics record, which the play loop
// refills; the box only draws. It draws nothing at all while LyricsProc is
// off. Coordinates are window client pixels.
#include "common/ClsKtGdi.h"
#include "player/widgets/LyricsLayout.h"
#include "player/widgets/SkinImagePainter.h"
#include "player/widgets/WidgetContext.h"

#include <QObject>

#include <string>

namespace decoder {
struct LyricsRecord;
}

namespace widgets {

class ClsZelkoLyricsAction : public QObject {
    Q_OBJECT
public:
    // lyrics: the record the play loop fills from the decoder; ClearLyricsText
    // writes to it.
    ClsZelkoLyricsAction(const WidgetContext& context, decoder::LyricsRecord& lyrics, QObject* parent = nullptr);

    // The five line rectangles from lyricsbox-itemrect; call after every skin load.
    void MakeLyricsRect();
    const LyricsLayout::LineRects& LineRects() const { return m_rects; }

    // Empties the five texts the box shows (record fields 7, 6, 5, 1 and 0).
    void ClearLyricsText();

    // Redraws the box: background, then each line in use in its colour.
    void RefreshLyricsRect();
    void Paint() { RefreshLyricsRect(); }

    // The record field shown at each place, and that field's text (up to its
    // first NUL, converted from the ANSI character set).
    static int FieldOf(LyricsLayout::Line line);
    std::string LineText(LyricsLayout::Line line) const;

private:
    int32_t ColourOf(LyricsLayout::Line line) const;

    WidgetContext m_ctx;
    SkinImagePainter m_painter;
    // Kept between refreshes: it remembers the face of the font it drew in.
    common::ClsKtGdi m_lineGdi;
    decoder::LyricsRecord& m_lyrics;
    LyricsLayout::LineRects m_rects{};
};

} // namespace widgets
