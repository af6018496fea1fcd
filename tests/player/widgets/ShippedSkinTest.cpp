#include "TestSkin.h"

#include "decoder/DecoderRecords.h"
#include "player/playback/Mp3FileList.h"
#include "player/playback/PlayState.h"
#include "player/skin/SkinLoader.h"
#include "player/skin/SkinWindowBuilder.h"
#include "player/widgets/ClsZelkoBodyAction.h"
#include "player/widgets/ClsZelkoButtonAction.h"
#include "player/widgets/ClsZelkoLyricsAction.h"
#include "player/widgets/ClsZelkoPlayListAction.h"
#include "player/widgets/PlayListLayout.h"
#include "protocol/AnalyzeRecord.h"

#include <gtest/gtest.h>

#include <QFontInfo>
#include <QFontMetrics>

#include <algorithm>
#include <cstring>

using namespace playback;
using namespace skin;
using namespace widgets;

using namespace widgettest;

namespace {

class ShippedSkinTest : public ::testing::TestWithParam<const char*> {
protected:
    void SetUp() override
    {
        const std::string skinName = GetParam();
        const std::string folder = std::string(ZELKO_PROGRAM_DIR) + "/Skins/" + skinName + "/";
        SkinLoadResult loaded = LoadSkin(folder, skinName + ".zks");
        ASSERT_TRUE(loaded.skin.has_value()) << "the shipped skin " << folder << " does not load";
        m_h = std::make_unique<Harness>(std::move(*loaded.skin), "", 1, 1);
    }

    std::unique_ptr<Harness> m_h;
};

} // namespace

// In each state the window is built and painted as the main window does; no
// pixel of a widget's region keeps the garbage painted before.
TEST_P(ShippedSkinTest, EveryWidgetRegionIsDrawnInEachState)
{
    struct Scene {
        const char* name;
        bool playing, paused, drawersOut;
    };
    const Scene scenes[] = {
        {"stopped", false, false, false},
        {"playing", true, false, true},
        {"paused, long title", true, true, true},
    };
    Mp3FileList tracks;
    for (int i = 1; i <= 12; ++i)
        tracks.Add(ClsZelkoMp3File("/m/" + std::to_string(i) + ".mp3", "Artist", "Track", 100 + 17 * i));
    PlayState state;
    protocol::AnalyzeRecord analyze;
    decoder::LyricsRecord lyricsRecord;
    for (int f = 0; f < 8; ++f)
        std::strcpy(lyricsRecord.Text[f], ("lyric line " + std::to_string(f)).c_str());
    const WidgetContext ctx = m_h->Context();
    ClsZelkoBodyAction body(ctx, analyze, state);
    ClsZelkoButtonAction buttons(ctx, state);
    ClsZelkoPlayListAction list(ctx, tracks, state);
    ClsZelkoLyricsAction lyrics(ctx, lyricsRecord);
    for (const Scene& scene : scenes) {
        SCOPED_TRACE(scene.name);
        const DrawerStates drawers =
            BuildSkinWindow(m_h->window, m_h->skin, SkinWindowSettings{0, 0, scene.drawersOut, scene.drawersOut});
        m_h->app.SetLyricsShow(drawers.lyricsShow);
        m_h->app.SetPlayListShow(drawers.playListShow);
        list.MakePlayListRect();
        lyrics.MakeLyricsRect();
        state.bPlay = scene.playing;
        state.bPause = scene.paused;
        state.bStop = !scene.playing;
        state.Volume = 65;
        state.PlayPosition = 3;
        m_h->app.SetTrackName(scene.paused ? std::string(40, 'W') + " a very long title indeed" : "Track 3");
        m_h->app.SetSeekPosition(scene.playing ? 37 : 0);
        analyze.PlayMs = scene.playing ? 754'321 : 0;
        for (std::size_t i = 0; i < 256; ++i)
            analyze.Spectrum1[i] = scene.playing ? static_cast<int32_t>(40 + (i * 13) % 130) : 0;
        m_h->window.Surface().Fill(QColor::fromRgb(Garbage));
        body.Paint();
        buttons.Paint();
        list.Paint();
        lyrics.Paint();
        for (std::size_t r = 0; r < m_h->skin.coRgns.Count(); ++r) {
            const ClsZelkoRgn& rgn = m_h->skin.coRgns.At(r);
            if (rgn.Name().starts_with("body-"))
                continue;
            const platform::Region shown = rgn.RgnOrEmpty().Intersected(m_h->window.Shape());
            const platform::Rect box = shown.BoundingBox();
            int garbage = 0;
            for (int y = box.top; y < box.bottom; ++y)
                for (int x = box.left; x < box.right; ++x)
                    garbage += shown.Contains(x, y) && m_h->Pixel(x, y) == Garbage;
            EXPECT_EQ(garbage, 0) << rgn.Name();
        }
    }
}

// The window font is the proportional Gothic, and a line of it fits the
// title box, the list lines and every length up to 99:59 the time column.
TEST_P(ShippedSkinTest, TheProportionalWindowFontFitsTheTitleBoxListLinesAndTimeColumn)
{
    const QFont& font = m_h->window.Surface().Font();
    EXPECT_EQ(QFontInfo(font).family(), QStringLiteral("IPAPGothic"));
    const QFontMetrics metrics(font);
    EXPECT_LT(metrics.horizontalAdvance(QStringLiteral("iiii")), metrics.horizontalAdvance(QStringLiteral("WWWW")));
    const ClsZelkoRgn* title = m_h->skin.coRgns.Find("titlebox-textrect");
    ASSERT_NE(title, nullptr);
    EXPECT_LE(metrics.ascent() + metrics.descent(), title->RgnOrEmpty().BoundingBox().Height());
    EXPECT_LE(metrics.ascent() + metrics.descent(), m_h->app.CharHeight());
    const QFontMetrics lengths(ClsZelkoPlayListAction::LengthFont(font));
    int widest = 0;
    for (int minutes = 0; minutes < 100; ++minutes)
        for (int seconds = 0; seconds < 60; ++seconds)
            widest = std::max(widest, lengths.horizontalAdvance(QString::asprintf("%02d:%02d", minutes, seconds)));
    EXPECT_LE(widest, PlayListLayout::TimeColumnWidth);
}

INSTANTIATE_TEST_SUITE_P(Skins, ShippedSkinTest, ::testing::Values("Carbon", "Meadow"));
