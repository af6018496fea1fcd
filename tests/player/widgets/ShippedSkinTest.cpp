// Every controller drawing with the skins we ship, in the states a user sees:
// stopped, playing, paused, drawers in and out, a long title, lyrics running.
// Each button and digit must show exactly the pixels its image and mask give
// over the body picture. With ZELKO_WIDGET_SHOTS set to a folder, the window
// of each state is also saved there as a PNG for a look by eye.
#include "TestSkin.h"

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
#include "protocol/AnalyzeRecord.h"

#include <gtest/gtest.h>

#include <QTemporaryDir>

#include <cstring>

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
        ClsZelko& app = m_h->app;
        const SkinTextColours& c = m_h->skin.colours;
        auto colour = [&](SkinColour which) { return c.Colour(which).value_or(0); };
        app.SetRGBPlayListFore(colour(SkinColour::PlayListFore));
        app.SetRGBPlayListPlaying(colour(SkinColour::PlayListPlaying));
        app.SetRGBLyricsPPrev(colour(SkinColour::LyricsPPrev));
        app.SetRGBLyricsPrev(colour(SkinColour::LyricsPrev));
        app.SetRGBLyricsCurrent(colour(SkinColour::LyricsCurrent));
        app.SetRGBLyricsNext(colour(SkinColour::LyricsNext));
        app.SetRGBLyricsNNext(colour(SkinColour::LyricsNNext));
        app.SetRGBTitleFore(colour(SkinColour::TitleFore));
        for (std::size_t i = 0; i < PeekPositionCount; ++i)
            if (c.peekPositions[i])
                app.SetPeekPosition(std::to_string(i), "value(" + std::to_string(*c.peekPositions[i]) + ")");
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
        if (const QByteArray shots = qgetenv("ZELKO_WIDGET_SHOTS"); !shots.isEmpty())
            m_h->window->Surface().Image().save(QString::fromUtf8(shots) + "/" + GetParam() + "-" + s.name + ".png");
    }

    // The pixels the skin scheme gives for image (and mask) in the region:
    // without a mask the image; with one (~mask | body) & image.
    void ExpectImage(const std::string& regionName, const std::string& imageKey, std::string maskKey,
                     const QImage& source, bool retryWithoutDown)
    {
        const ClsZelkoRgn* rgn = m_h->skin.coRgns.Find(regionName);
        ASSERT_NE(rgn, nullptr) << regionName;
        const ClsZelkoRect* image = m_h->skin.coRects.Find(imageKey);
        ASSERT_NE(image, nullptr) << imageKey;
        const ClsZelkoRect* mask = m_h->skin.coRects.Find(maskKey);
        if (mask == nullptr && retryWithoutDown) {
            for (auto at = maskKey.find("down"); at != std::string::npos; at = maskKey.find("down"))
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
            ExpectImage(regionName, look.Image, look.Mask, source, true);
        }
    }

    void ExpectTime()
    {
        const auto shown = BodyRules::DisplayTime(m_h->app.FormatTimeMs(m_analyze.PlayMs));
        const char* regions[] = {"time-mm", "time-m", "time-colon", "time-ss", "time-s"};
        for (int i = 0; i < 5; ++i) {
            const std::string key = i == 2 ? "timesource-colon" : std::string("timesource-") + shown[static_cast<std::size_t>(i)];
            ExpectImage(regions[i], key, key + "mask", m_h->skin.pictures.picTitle, false);
        }
        const std::string volume = "volumesource-" + std::to_string(BodyRules::GaugeSuffix(m_state.Volume));
        ExpectImage("volume-container", volume, volume + "mask", m_h->skin.pictures.picTitle, false);
        const std::string seek = "seekbarsource-" + std::to_string(BodyRules::GaugeSuffix(m_h->app.SeekPosition()));
        ExpectImage("seekbar-container", seek, seek + "mask", m_h->skin.pictures.picTitle, false);
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

TEST_P(ShippedSkinTest, StoppedWithDrawersIn)
{
    Show({"stopped", false, false, false, false});
    ExpectButtons();
    ExpectTime();
    EXPECT_FALSE(m_h->app.PlayListShow());
}

TEST_P(ShippedSkinTest, PlayingWithDrawersOutAndLyrics)
{
    Show({"playing", true, false, true, false});
    ExpectButtons();
    ExpectTime();
    ASSERT_TRUE(m_h->app.PlayListShow());
    ASSERT_TRUE(m_h->app.LyricsShow());
    const platform::Rect list = m_list->rcPlayList();
    ASSERT_FALSE(list.IsEmpty());
    const int lines = list.Height() / 14;
    EXPECT_GE(lines, 3);
    // Every line shows a track, in the drawer's picture.
    for (int line = 0; line < lines; ++line)
        EXPECT_GT(Ink(platform::Rect{list.left, list.top + 14 * line, list.right, list.top + 14 * (line + 1)},
                      m_h->skin.pictures.picPlayListShow),
                  10)
            << line;
    // Each lyric line in use shows text.
    for (const platform::Rect& r : m_lyricsBox->LineRects())
        if (LyricsLayout::InUse(r)) {
            EXPECT_GT(Ink(r, m_h->skin.pictures.picLyricsShow), 10);
        }
}

TEST_P(ShippedSkinTest, PausedWithALongTitle)
{
    Show({"paused-long-title", true, true, true, true});
    ExpectButtons();
    const ClsZelkoRgn* title = m_h->skin.coRgns.Find("titlebox-textrect");
    ASSERT_NE(title, nullptr);
    EXPECT_GT(Ink(title->RgnOrEmpty().BoundingBox(), m_h->skin.pictures.picBody), 50);
    EXPECT_TRUE(m_h->window->windowTitle().endsWith(" <Zelko-Deck>"));
}

INSTANTIATE_TEST_SUITE_P(Skins, ShippedSkinTest, ::testing::Values("Carbon", "Meadow"));
