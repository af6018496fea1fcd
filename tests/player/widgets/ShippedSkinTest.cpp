// Every controller drawing with the skins we ship, in the states a user sees:
// stopped, playing, paused, drawers in and out, a long title, lyrics running.
// Each button and digit must show exactly the pixels its image and mask give
// over the body picture.
#include "TestSkin.h"

#include "common/PlainTextFace.h"
#include "decoder/DecoderRecords.h"
#include "player/playback/Mp3FileList.h"
#include "player/playback/PlayState.h"
#include "player/skin/SkinLoader.h"
#include "player/skin/SkinWindowBuilder.h"
#include "player/widgets/BodyRules.h"
#include "player/widgets/ClsZelkoBodyAction.h"
#include "player/widgets/ClsZelkoButtonAction.h"
#include "player/widgets/ClsZelkoLyricsAction.h"
#include "player/widgets/ClsZelkoPlayListAction.h"
#include "player/widgets/PlayListLayout.h"
#include "protocol/AnalyzeRecord.h"

#include <gtest/gtest.h>

#include <QFontInfo>
#include <QFontMetrics>
#include <QTemporaryDir>

#include <algorithm>
#include <cstring>
#include <vector>

using namespace widgettest;

namespace {

struct Scene {
    const char* name;
    bool playing;
    bool paused;
    bool drawersOut;
    bool longTitle;
};

class ShippedSkinTest : public ::testing::TestWithParam<const char*> {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_dir.isValid());
        EnsureApplication();
        const std::string skinName = GetParam();
        const std::string folder = std::string(ZELKO_PROGRAM_DIR) + "/Skins/" + skinName + "/";
        SkinLoadResult loaded = LoadSkin(folder, skinName + ".zks");
        ASSERT_TRUE(loaded.skin.has_value()) << "the shipped skin " << folder << " does not load";
        m_h = std::make_unique<Harness>(std::move(*loaded.skin), "", m_dir.path().toStdString() + "/", 1, 1);
        for (int i = 1; i <= 12; ++i)
            m_tracks.Add(ClsZelkoMp3File("/m/" + std::to_string(i) + ".mp3", "Artist " + std::to_string(i),
                                         "Track " + std::to_string(i), 100 + 17 * i));
        const WidgetContext ctx = m_h->Context();
        m_body = std::make_unique<ClsZelkoBodyAction>(ctx, m_analyze, m_state);
        m_buttons = std::make_unique<ClsZelkoButtonAction>(ctx, m_state);
        m_list = std::make_unique<ClsZelkoPlayListAction>(ctx, m_tracks, m_state);
        m_lyricsBox = std::make_unique<ClsZelkoLyricsAction>(ctx, m_lyrics);
    }

    // What the main window does: apply the skin, derive the text areas, paint.
    void Show(const Scene& s)
    {
        ClsZelko& app = m_h->app;
        const DrawerStates drawers =
            BuildSkinWindow(*m_h->window, m_h->skin, SkinWindowSettings{0, 0, s.drawersOut, s.drawersOut});
        app.SetLyricsShow(drawers.lyricsShow);
        app.SetPlayListShow(drawers.playListShow);
        m_list->MakePlayListRect();
        m_lyricsBox->MakeLyricsRect();
        m_state.bPlay = s.playing;
        m_state.bPause = s.paused;
        m_state.bStop = !s.playing;
        m_state.Volume = 65;
        app.SetTrackName(s.longTitle ? std::string(40, 'W') + " a very long title indeed" : "Track 3");
        app.SetArtistName("Artist 3");
        m_state.PlayPosition = 3;
        app.SetSeekPosition(s.playing ? 37 : 0);
        m_analyze.PlayMs = s.playing ? 754'321 : 0;
        for (std::size_t i = 0; i < 256; ++i)
            m_analyze.Spectrum1[i] = s.playing ? static_cast<int32_t>(40 + (i * 13) % 130) : 0;
        if (s.playing)
            for (int f = 0; f < 8; ++f)
                std::strcpy(m_lyrics.Text[f], ("lyric line " + std::to_string(f)).c_str());
        else
            m_lyricsBox->ClearLyricsText();
        m_body->Paint();
        m_buttons->Paint();
        m_list->Paint();
        m_lyricsBox->Paint();
    }

    // The pixels the skin scheme gives for image (and mask) in the region:
    // without a mask the image; with one (~mask | body) & image. A down
    // image without a mask of its own takes the one without "down".
    void ExpectImage(const std::string& regionName, const std::string& imageKey, std::string maskKey,
                     const QImage& source)
    {
        const ClsZelkoRgn* rgn = m_h->skin.coRgns.Find(regionName);
        ASSERT_NE(rgn, nullptr) << regionName;
        const ClsZelkoRect* image = m_h->skin.coRects.Find(imageKey);
        ASSERT_NE(image, nullptr) << imageKey;
        const ClsZelkoRect* mask = m_h->skin.coRects.Find(maskKey);
        for (auto at = maskKey.find("down"); mask == nullptr && at != std::string::npos; at = maskKey.find("down")) {
            maskKey.erase(at, 4);
            mask = m_h->skin.coRects.Find(maskKey);
        }
        const platform::Region& region = rgn->RgnOrEmpty();
        const platform::Rect box = region.BoundingBox();
        const QImage& body = m_h->skin.pictures.picBody;
        int checked = 0;
        for (int y = box.top; y < box.bottom; ++y)
            for (int x = box.left; x < box.right; ++x) {
                if (!region.Contains(x, y))
                    continue;
                const int dx = x - box.left;
                const int dy = y - box.top;
                QRgb expected = source.pixel(image->Left() + dx, image->Top() + dy);
                if (mask != nullptr)
                    expected = (~source.pixel(mask->Left() + dx, mask->Top() + dy) | body.pixel(x, y)) & expected;
                ASSERT_EQ(m_h->Pixel(x, y) & 0xFFFFFF, expected & 0xFFFFFF)
                    << regionName << " " << imageKey << " at " << x << "," << y;
                ++checked;
            }
        EXPECT_GT(checked, 0) << regionName;
    }

    void ExpectButtons()
    {
        const ButtonStates states = m_buttons->CurrentStates();
        for (SkinButton b : AllSkinButtons) {
            const auto regionName = std::string(ButtonTable::RegionName(b));
            if (!m_h->skin.coRgns.Contains(regionName))
                continue;
            const ButtonLook look = ButtonTable::IdleLook(b, states);
            const QImage& source = look.Image.starts_with("sysbuttons")    ? m_h->skin.pictures.picSysButtons
                                   : look.Image.starts_with("playbuttons") ? m_h->skin.pictures.picPlayButtons
                                                                           : m_h->skin.pictures.picTitle;
            ExpectImage(regionName, look.Image, look.Mask, source);
        }
    }

    void ExpectTime()
    {
        const auto shown = BodyRules::DisplayTime(m_h->app.FormatTimeMs(m_analyze.PlayMs));
        const char* regions[] = {"time-mm", "time-m", "time-colon", "time-ss", "time-s"};
        for (int i = 0; i < 5; ++i) {
            const std::string key = i == 2 ? "timesource-colon" : std::string("timesource-") + shown[static_cast<std::size_t>(i)];
            ExpectImage(regions[i], key, key + "mask", m_h->skin.pictures.picTitle);
        }
        const std::string volume = "volumesource-" + std::to_string(BodyRules::GaugeSuffix(m_state.Volume));
        ExpectImage("volume-container", volume, volume + "mask", m_h->skin.pictures.picTitle);
        const std::string seek = "seekbarsource-" + std::to_string(BodyRules::GaugeSuffix(m_h->app.SeekPosition()));
        ExpectImage("seekbar-container", seek, seek + "mask", m_h->skin.pictures.picTitle);
    }

    // Pixels of a rectangle that differ from the picture under it.
    int Ink(const platform::Rect& r, const QImage& background) const
    {
        int n = 0;
        for (int y = r.top; y < r.bottom; ++y)
            for (int x = r.left; x < r.right; ++x)
                n += (m_h->Pixel(x, y) & 0xFFFFFF) != (background.pixel(x, y) & 0xFFFFFF);
        return n;
    }

    QTemporaryDir m_dir;
    std::unique_ptr<Harness> m_h;
    PlayState m_state;
    protocol::AnalyzeRecord m_analyze;
    decoder::LyricsRecord m_lyrics;
    Mp3FileList m_tracks;
    std::unique_ptr<ClsZelkoBodyAction> m_body;
    std::unique_ptr<ClsZelkoButtonAction> m_buttons;
    std::unique_ptr<ClsZelkoPlayListAction> m_list;
    std::unique_ptr<ClsZelkoLyricsAction> m_lyricsBox;
};

} // namespace

// Each scene: the buttons, digits and gauges show their images exactly; the
// list lines, the lyrics in use and a long title show text.
TEST_P(ShippedSkinTest, EveryWidgetShowsItsImagesInEachScene)
{
    const Scene scenes[] = {
        {"stopped", false, false, false, false},
        {"playing", true, false, true, false},
        {"paused-long-title", true, true, true, true},
    };
    for (const Scene& scene : scenes) {
        SCOPED_TRACE(scene.name);
        Show(scene);
        ExpectButtons();
        ExpectTime();
        EXPECT_EQ(m_h->app.PlayListShow(), scene.drawersOut);
        EXPECT_EQ(m_h->app.LyricsShow(), scene.drawersOut);
        if (scene.drawersOut) {
            const platform::Rect list = m_list->rcPlayList();
            ASSERT_GE(list.Height() / 14, 3);
            for (int line = 0; line < list.Height() / 14; ++line)
                EXPECT_GT(Ink(platform::Rect{list.left, list.top + 14 * line, list.right, list.top + 14 * (line + 1)},
                              m_h->skin.pictures.picPlayListShow),
                          10)
                    << line;
        }
        if (scene.playing && !scene.paused) {
            for (const platform::Rect& r : m_lyricsBox->LineRects())
                if (LyricsLayout::InUse(r)) {
                    EXPECT_GT(Ink(r, m_h->skin.pictures.picLyricsShow), 10);
                }
        }
        if (scene.longTitle) {
            const ClsZelkoRgn* title = m_h->skin.coRgns.Find("titlebox-textrect");
            ASSERT_NE(title, nullptr);
            EXPECT_GT(Ink(title->RgnOrEmpty().BoundingBox(), m_h->skin.pictures.picBody), 50);
        }
    }
}

TEST_P(ShippedSkinTest, EveryPixelOfTheOutlineShowsItsPictureWhereDrawersMeetTheBody)
{
    const Skin& skin = m_h->skin;
    const SkinPictures& pictures = skin.pictures;
    const platform::Region none;
    auto region = [&](const char* name) -> const platform::Region& {
        const ClsZelkoRgn* rgn = skin.coRgns.Find(name);
        return rgn && rgn->Rgn() ? *rgn->Rgn() : none;
    };
    for (const bool out : {true, false}) {
        const DrawerStates states = BuildSkinWindow(*m_h->window, skin, SkinWindowSettings{0, 0, out, out});
        const platform::Region shape = SkinWindowShape(skin, states);
        const QImage& shown = m_h->window->Surface().Image();
        int wrong = 0;
        for (int y = 0; y < shown.height(); ++y)
            for (int x = 0; x < shown.width(); ++x) {
                if (!shape.Contains(x, y))
                    continue;
                const QImage* expected = region("body-main").Contains(x, y) ? &pictures.picBody
                                         : region(out ? "body-playlistshow" : "body-playlisthide").Contains(x, y)
                                             ? (out ? &pictures.picPlayListShow : &pictures.picPlayListHide)
                                         : out ? &pictures.picLyricsShow
                                               : &pictures.picLyricsHide;
                wrong += !expected->valid(x, y) || shown.pixel(x, y) != expected->pixel(x, y);
            }
        EXPECT_EQ(wrong, 0) << (out ? "drawers out" : "drawers in");
    }
}

TEST_P(ShippedSkinTest, TheProportionalWindowFontFitsTheTitleBoxListLinesAndTimeColumn)
{
    const QFont& font = m_h->window->Surface().Font();
    EXPECT_EQ(QFontInfo(font).family(), QStringLiteral("IPAPGothic"));
    const QFontMetrics metrics(font);
    EXPECT_LT(metrics.horizontalAdvance(QStringLiteral("iiii")), metrics.horizontalAdvance(QStringLiteral("WWWW")))
        << "Latin text is proportional";
    // Plain lines keep their short way through the text drawer.
    EXPECT_TRUE(PlainTextFace(font).Usable());
    const ClsZelkoRgn* title = m_h->skin.coRgns.Find("titlebox-textrect");
    ASSERT_NE(title, nullptr);
    const int lineHeight = metrics.ascent() + metrics.descent();
    EXPECT_LE(lineHeight, title->RgnOrEmpty().BoundingBox().Height());
    EXPECT_LE(lineHeight, m_h->app.CharHeight());
    // Every length up to 99:59 fits the time column.
    const QFontMetrics lengths(ClsZelkoPlayListAction::LengthFont(font));
    EXPECT_LE(lengths.ascent() + lengths.descent(), m_h->app.CharHeight());
    int widest = 0;
    for (int minutes = 0; minutes < 100; ++minutes)
        for (int seconds = 0; seconds < 60; ++seconds)
            widest = std::max(widest, lengths.horizontalAdvance(QString::asprintf("%02d:%02d", minutes, seconds)));
    EXPECT_LE(widest, PlayListLayout::TimeColumnWidth);
    // A title box shows at least a short title whole.
    EXPECT_LE(metrics.horizontalAdvance(QStringLiteral("Track 3 - Artist 3")), title->RgnOrEmpty().BoundingBox().Width());
}

INSTANTIATE_TEST_SUITE_P(Skins, ShippedSkinTest, ::testing::Values("Carbon", "Meadow"));
