// The main window with each shipped skin on a real X display, driven as a
// user does: its outline, the transport buttons, time digits, seek bar and
// analyser while a track plays, the drawers and the lyrics, read back from
// the screen and compared with what the skin's own pictures, rectangles and
// regions say must be there.
#include "ScreenSupport.h"

#include "player/skin/SkinWindowBuilder.h"
#include "player/widgets/PlayListLayout.h"

#include <fstream>
#include <utility>

using namespace screentest;

namespace {

// The pixels of the box that differ from the picture under it.
int InkOver(const QImage& shot, const platform::Rect& box, const QImage& picture)
{
    int ink = 0;
    for (int y = box.top; y < box.bottom; ++y)
        for (int x = box.left; x < box.right; ++x)
            ink += shot.pixel(x, y) != picture.pixel(x, y);
    return ink;
}

// The main window with each shipped skin.
class PlayerScreenTest : public ScreenTest, public ::testing::WithParamInterface<const char*> {
protected:
    std::string SkinName() const override { return GetParam(); }
};

} // namespace

// Stopped, just started: outside the outline the desktop, the bare body its
// picture (the widgets' looks are checked without a display, and that the
// server shows them by the X server surface tests).
TEST_P(PlayerScreenTest, StoppedWindowShowsItsOutlineAndBody)
{
    ASSERT_TRUE(Start()) << "the window never showed its body";
    const Skin& skin = LoadedSkin();
    ASSERT_EQ(skin.skinFile, std::string(GetParam()) + ".zks");
    const platform::Region shape = SkinWindowShape(skin, DrawerStates{});
    const QImage shot = LastShot();
    int outside = 0;
    for (int y = 0; y < shot.height(); ++y) {
        for (int x = 0; x < shot.width(); ++x) {
            if (shape.Contains(x, y)) continue;
            ASSERT_EQ(shot.pixel(x, y), RootAt(x, y)) << "desktop at " << x << "," << y;
            ++outside;
        }
    }
    EXPECT_GT(outside, 1000) << "the outline is not a plain rectangle";
}

// A click on the play button starts the track: play down, stop up, the time
// digits count the seconds, the seek bar moves and the tone lights the
// analyser; pause holds the time; stop brings back the stopped looks.
TEST_P(PlayerScreenTest, PlayingPausedAndStoppedLooks)
{
    ASSERT_TRUE(Start(std::string(), 1.5));
    Player().AddMp3Files({Track("tone", 8.0, "Tone")});
    const platform::Rect play = RegionOf(LoadedSkin(), "playbuttons-play").BoundingBox();
    const platform::Point at = Player().Window().Position();
    ASSERT_TRUE(ClickOnScreen(at.x + (play.left + play.right) / 2, at.y + (play.top + play.bottom) / 2));

    // The looks of play, pause and stop (each with the mask of its plain image).
    auto transport = [this](const std::string& play, const std::string& pause, const std::string& stop) {
        return [=, this](const QImage& shot) {
            return ShowsOnBody(shot, "playbuttons-play", "playbuttonssource-" + play, "playbuttonssource-playmask") &&
                ShowsOnBody(shot, "playbuttons-pause", "playbuttonssource-" + pause, "playbuttonssource-pausemask") &&
                ShowsOnBody(shot, "playbuttons-stop", "playbuttonssource-" + stop, "playbuttonssource-stopmask");
        };
    };
    ASSERT_TRUE(WaitForScreen(transport("playdown", "pause", "stop"))) << "the click on play did not show";
    EXPECT_TRUE(Player().Playback().bPlay());
    for (const std::string second : {"1", "2"}) {
        auto shown = [&](const QImage& shot) {
            for (const char* digit : {"time-mm", "time-m", "time-ss"})
                if (!ShowsOnBody(shot, digit, "timesource-0", "timesource-0mask"))
                    return false;
            return ShowsOnBody(shot, "time-s", "timesource-" + second, "timesource-" + second + "mask");
        };
        EXPECT_TRUE(WaitForScreen(shown)) << "00:0" << second << " never showed";
    }
    // At two of eight seconds the seek bar has left 0 and not reached the end;
    // some analyser band has left its image of silence.
    auto moved = [this](const QImage& shot) {
        bool seek = false;
        for (int k = 10; k <= 90; k += 10) {
            const std::string image = "seekbarsource-" + std::to_string(k);
            seek = seek || ShowsOnBody(shot, "seekbar-container", image, image + "mask");
        }
        bool analyser = false;
        for (int band = 0; band < 19; ++band)
            analyser = analyser || !ShowsOnBody(shot, "analyzer-" + std::to_string(band), "analyzersource-0", "analyzersource-0mask");
        return seek && analyser;
    };
    EXPECT_TRUE(WaitForScreen(moved)) << "the seek bar or the analyser stayed at rest";

    // Paused: the pause button down, and the time stands still while the
    // play loop runs on.
    Player().cButtonAction_PauseClick();
    ASSERT_TRUE(WaitForScreen(transport("playdown", "pausedown", "stop"))) << "paused";
    const platform::Rect time = RegionOf(LoadedSkin(), "time-mm").BoundingBox().United(
        RegionOf(LoadedSkin(), "time-s").BoundingBox());
    const QRect timeBox(time.left, time.top, time.Width(), time.Height());
    const QImage timeWhenPaused = LastShot().copy(timeBox);
    const int ticks = Player().Loop().Redraws().spectrum;
    ASSERT_TRUE(playertest::WaitFor([&] { return Player().Loop().Redraws().spectrum >= ticks + 40; }, 3000))
        << "the play loop stopped while paused";
    EXPECT_EQ(WindowShot().copy(timeBox), timeWhenPaused) << "the time moved while paused";
    Player().cButtonAction_PauseClick();
    ASSERT_TRUE(WaitForScreen(transport("playdown", "pause", "stop"))) << "resumed";
    Player().cButtonAction_StopClick();
    EXPECT_TRUE(WaitForScreen(transport("play", "pause", "stopdown"))) << "stopped";
}

// The play-list drawer pulled out shows its picture and a line of text for
// each track, the skin's text colours reach the list and the lyrics; pushed
// back, the desktop shows again where the drawer was.
TEST_P(PlayerScreenTest, PlayListDrawerShowsItsPictureAndTheList)
{
    ASSERT_TRUE(Start());
    const Skin& skin = LoadedSkin();
    ASSERT_TRUE(skin.HasPlayListDrawer());
    Player().AddMp3Files({Track("one", 6.0, "First Song"), Track("two", 6.0, "Second Song"),
                          Track("three", 6.0, "Third Song")});
    Player().cButtonAction_PlayListPullClick();
    Player().cPlayListAction_ItemDblClick(2);
    ASSERT_TRUE(Player().Playback().bPlay());
    const platform::Region& show = RegionOf(skin, "body-playlistshow");
    platform::Region drawerOnly = show.Subtracted(RegionOf(skin, "body-main"));
    if (const ClsZelkoRgn* hide = skin.coRgns.Find("body-playlisthide"); hide && hide->Rgn())
        drawerOnly = drawerOnly.Subtracted(*hide->Rgn());
    platform::Region bareDrawer = drawerOnly;
    for (const ClsZelkoRgn& item : skin.coRgns)
        if (!item.Name().starts_with("body-") && item.Rgn()) bareDrawer = bareDrawer.Subtracted(*item.Rgn());
    const platform::Rect list = RegionOf(skin, "playlistbox-itemrect").BoundingBox();
    const int lineHeight = Player().App().CharHeight();
    const int firstLine = PlayListLayout::MakePlayListRect(list, lineHeight).top;
    auto drawerOut = [&](const QImage& shot) {
        const platform::Rect box = bareDrawer.BoundingBox();
        for (int y = box.top; y < box.bottom; ++y)
            for (int x = box.left; x < box.right; ++x)
                if (bareDrawer.Contains(x, y) && shot.pixel(x, y) != skin.pictures.picPlayListShow.pixel(x, y))
                    return false;
        for (int line = 0; line < 3; ++line) {
            const int top = firstLine + line * lineHeight;
            if (InkOver(shot, platform::Rect{list.left, top, list.right, top + lineHeight}, skin.pictures.picPlayListShow) < 10)
                return false;
        }
        return ShowsOnBody(shot, "sysbuttons-playlistpull", "sysbuttonssource-playlistpulldown",
                           "sysbuttonssource-playlistpullmask");
    };
    EXPECT_TRUE(WaitForScreen(drawerOut)) << "no drawer picture, list lines or pressed pull button";

    Player().cButtonAction_PlayListPullClick();
    auto drawerIn = [&](const QImage& shot) {
        const platform::Rect box = drawerOnly.BoundingBox();
        for (int y = box.top; y < box.bottom; ++y)
            for (int x = box.left; x < box.right; ++x)
                if (drawerOnly.Contains(x, y) && shot.pixel(x, y) != RootAt(x, y)) return false;
        return ShowsOnBody(shot, "sysbuttons-playlistpull", "sysbuttonssource-playlistpull",
                           "sysbuttonssource-playlistpullmask");
    };
    EXPECT_TRUE(WaitForScreen(drawerIn)) << "the desktop did not come back where the drawer was";
}

// With the lyrics drawer out from the start, a timed lyrics file next to the
// track runs in the lyrics box: its lines show, and move on while the track
// plays.
TEST_P(PlayerScreenTest, LyricsRunInTheLyricsDrawer)
{
    const std::string track = Track("sung", 6.0, "Sung");
    {
        std::ofstream lyrics(Folder().Path() / "sung.txt", std::ios::binary);
        for (int i = 0; i < 12; ++i)
            lyrics << "[00:0" << (i / 2) << "." << (i % 2 ? "50" : "00") << "]一一 " << i + 1 << "番 一一\r\n";
    }
    ASSERT_TRUE(Start("[LyricsWindow]\r\nShowFromChangedSkin=-1\r\n", 2.0));
    const Skin& skin = LoadedSkin();
    ASSERT_TRUE(skin.HasLyricsDrawer());
    Player().AddMp3Files({track});
    Player().cButtonAction_PlayClick();
    ASSERT_TRUE(Player().Playback().bPlay());

    const platform::Rect box = RegionOf(skin, "lyricsbox-itemrect").BoundingBox();
    const QRect area(box.left, box.top, box.Width(), box.Height());
    QImage first;
    auto showing = [&](const QImage& shot) {
        first = shot.copy(area);
        return InkOver(shot, box, skin.pictures.picLyricsShow) > 100;
    };
    ASSERT_TRUE(WaitForScreen(showing)) << "no lyrics showed";
    auto movedOn = [&](const QImage& shot) {
        return InkOver(shot, box, skin.pictures.picLyricsShow) > 100 && shot.copy(area) != first;
    };
    EXPECT_TRUE(WaitForScreen(movedOn)) << "the lines did not move on";
}

INSTANTIATE_TEST_SUITE_P(ShippedSkins, PlayerScreenTest, ::testing::Values("Carbon", "Meadow"));
