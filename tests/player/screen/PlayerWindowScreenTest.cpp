// The main window with the shipped default skin on a real X display: its
// outline, body, buttons, time digits, seek bar, drawers, play list, lyrics
// and title box, read back from the screen and compared with what the skin's
// own pictures, rectangles and regions say must be there.
#include "ScreenSupport.h"

#include "player/skin/SkinWindowBuilder.h"

#include <QElapsedTimer>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <set>
#include <utility>
#include <vector>

using namespace screentest;

namespace {

// Clicks the left mouse button at a screen position through the X server.
bool ClickOnScreen(int x, int y)
{
    const std::string command =
        "xdotool mousemove " + std::to_string(x) + " " + std::to_string(y) + " click 1";
    return std::system(command.c_str()) == 0;
}

// The text lines drawn in a box over a background picture, top to bottom,
// each as the one of the given text colours it was drawn in. Text is drawn
// smoothed, so few pixels carry the colour itself: a line's colour is told by
// its strongest pixel, whose difference from the background points the way
// of the colour's own difference and is some 60 to 100 per cent as long.
std::vector<QRgb> TextLineColours(const QImage& shot, const platform::Rect& box, const QImage& background,
                                  const std::vector<QRgb>& colours)
{
    auto delta = [](QRgb a, QRgb b) {
        return std::array<double, 3>{double(qRed(a)) - qRed(b), double(qGreen(a)) - qGreen(b),
                                     double(qBlue(a)) - qBlue(b)};
    };
    auto length = [](const std::array<double, 3>& v) { return std::sqrt(v[0] * v[0] + v[1] * v[1] + v[2] * v[2]); };
    constexpr double InkThreshold = 40.0;
    std::vector<QRgb> lines;
    bool inLine = false;
    double peak = 0.0;
    std::array<double, 3> peakDelta{};
    QRgb peakBackground = 0;
    auto finishLine = [&] {
        double bestCos = -2.0;
        for (QRgb c : colours) {
            const auto cd = delta(c, peakBackground);
            const double cos = (peakDelta[0] * cd[0] + peakDelta[1] * cd[1] + peakDelta[2] * cd[2]) /
                               (length(peakDelta) * length(cd));
            bestCos = std::max(bestCos, cos);
        }
        std::optional<QRgb> chosen;
        double bestScale = 1e9;
        for (QRgb c : colours) {
            const auto cd = delta(c, peakBackground);
            const double cos = (peakDelta[0] * cd[0] + peakDelta[1] * cd[1] + peakDelta[2] * cd[2]) /
                               (length(peakDelta) * length(cd));
            if (cos < bestCos - 0.01) continue;
            const double scale = std::abs(std::log(length(peakDelta) / length(cd) / 0.85));
            if (scale < bestScale) {
                bestScale = scale;
                chosen = c;
            }
        }
        if (chosen) lines.push_back(*chosen);
    };
    for (int y = box.top; y < box.bottom; ++y) {
        bool ink = false;
        for (int x = box.left; x < box.right; ++x) {
            const QRgb under = background.pixel(x, y);
            const auto d = delta(shot.pixel(x, y), under);
            const double l = length(d);
            if (l <= InkThreshold) continue;
            ink = true;
            if (!inLine || l > peak) {
                if (!inLine) inLine = true;
                if (l > peak) {
                    peak = l;
                    peakDelta = d;
                    peakBackground = under;
                }
            }
        }
        if (!ink && inLine) {
            finishLine();
            inLine = false;
            peak = 0.0;
        }
    }
    if (inLine) finishLine();
    return lines;
}

std::vector<QRgb> WithoutRepeats(const std::vector<QRgb>& colours)
{
    std::vector<QRgb> result;
    for (QRgb c : colours)
        if (result.empty() || result.back() != c) result.push_back(c);
    return result;
}

// The pixels of a box that differ from a look of the box: the ink of text
// drawn over it.
struct Ink {
    std::vector<std::vector<bool>> at;  // [x][y] relative to the box
    int width = 0, height = 0;
    bool Column(int x) const
    {
        for (bool b : at[static_cast<std::size_t>(x)])
            if (b) return true;
        return false;
    }
};

Ink InkOver(const QImage& shot, const platform::Rect& box, const QImage& look)
{
    Ink ink;
    ink.width = box.Width();
    ink.height = box.Height();
    ink.at.assign(static_cast<std::size_t>(ink.width), std::vector<bool>(static_cast<std::size_t>(ink.height)));
    for (int x = 0; x < ink.width; ++x)
        for (int y = 0; y < ink.height; ++y)
            ink.at[static_cast<std::size_t>(x)][static_cast<std::size_t>(y)] =
                shot.pixel(box.left + x, box.top + y) != look.pixel(x, y);
    return ink;
}

// The marks of a text: its blobs of ink (pixels joined side by side or one
// above the other), ordered by their right edge. Blobs rather than runs of
// inked columns, because a proportional face sets the first dot of an
// ellipsis close enough to the letter before it to share its columns.
struct Mark {
    int left, right, top, bottom;
};

std::vector<Mark> MarksOf(const Ink& ink)
{
    std::vector<Mark> marks;
    std::vector<std::vector<bool>> seen(static_cast<std::size_t>(ink.width),
                                        std::vector<bool>(static_cast<std::size_t>(ink.height)));
    auto inked = [&](int x, int y) {
        return x >= 0 && y >= 0 && x < ink.width && y < ink.height &&
               ink.at[static_cast<std::size_t>(x)][static_cast<std::size_t>(y)] &&
               !seen[static_cast<std::size_t>(x)][static_cast<std::size_t>(y)];
    };
    for (int x = 0; x < ink.width; ++x) {
        for (int y = 0; y < ink.height; ++y) {
            if (!inked(x, y)) continue;
            Mark m{x, x, y, y};
            std::vector<std::pair<int, int>> pending{{x, y}};
            seen[static_cast<std::size_t>(x)][static_cast<std::size_t>(y)] = true;
            while (!pending.empty()) {
                const auto [px, py] = pending.back();
                pending.pop_back();
                m = {std::min(m.left, px), std::max(m.right, px), std::min(m.top, py), std::max(m.bottom, py)};
                for (const auto& [nx, ny] : {std::pair{px - 1, py}, {px + 1, py}, {px, py - 1}, {px, py + 1}}) {
                    if (!inked(nx, ny)) continue;
                    seen[static_cast<std::size_t>(nx)][static_cast<std::size_t>(ny)] = true;
                    pending.emplace_back(nx, ny);
                }
            }
            marks.push_back(m);
        }
    }
    std::stable_sort(marks.begin(), marks.end(), [](const Mark& a, const Mark& b) { return a.right < b.right; });
    return marks;
}

std::string DescribeLastMarks(const Ink& ink)
{
    const std::vector<Mark> marks = MarksOf(ink);
    std::string text;
    for (std::size_t i = marks.size() > 5 ? marks.size() - 5 : 0; i < marks.size(); ++i)
        text += "[x " + std::to_string(marks[i].left) + ".." + std::to_string(marks[i].right) + " y " +
                std::to_string(marks[i].top) + ".." + std::to_string(marks[i].bottom) + "] ";
    return text;
}

// Whether the text ends in an ellipsis: its last three marks are dots, each
// at most three pixels wide and high, evenly spaced on the same rows
// (mid-line or on the baseline, as the font has it), lower than half the
// text's height, and nothing else reaches past the first of them.
bool EndsInEllipsis(const Ink& ink)
{
    const std::vector<Mark> marks = MarksOf(ink);
    if (marks.size() < 4) return false;
    int textTop = ink.height, textBottom = -1;
    for (const Mark& m : marks) {
        textTop = std::min(textTop, m.top);
        textBottom = std::max(textBottom, m.bottom);
    }
    const Mark* dots = &marks[marks.size() - 3];
    for (int i = 0; i < 3; ++i) {
        const Mark& d = dots[i];
        if (d.right - d.left > 2 || d.bottom - d.top > 2) return false;
        if (d.top != dots[0].top || d.bottom != dots[0].bottom) return false;
        if ((d.bottom - d.top + 1) * 2 > textBottom - textTop + 1) return false;
    }
    if (std::abs((dots[1].left - dots[0].left) - (dots[2].left - dots[1].left)) > 1) return false;
    return marks[marks.size() - 4].right < dots[1].left;
}

std::string Describe(const std::vector<QRgb>& colours)
{
    std::string text;
    char buffer[16];
    for (QRgb c : colours) {
        std::snprintf(buffer, sizeof buffer, "%06X ", c & 0xFFFFFFu);
        text += buffer;
    }
    return text;
}

int LastInkColumn(const Ink& ink)
{
    for (int x = ink.width - 1; x >= 0; --x)
        if (ink.Column(x)) return x;
    return -1;
}

// The main window with each shipped skin.
class PlayerScreenTest : public ScreenTest, public ::testing::WithParamInterface<const char*> {
protected:
    std::string SkinName() const override { return GetParam(); }
};

} // namespace

// Stopped, just started: outside the outline the desktop, the bare body its
// picture, the stop button down, play and pause up, the time 00:00, the seek
// bar at 0 and the volume gauge at the start-up volume.
TEST_P(PlayerScreenTest, StoppedWindowShowsItsOutlineBodyAndIdleWidgets)
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

    EXPECT_TRUE(ShowsOnBody(shot, "playbuttons-play", "playbuttonssource-play", "playbuttonssource-playmask"));
    EXPECT_TRUE(ShowsOnBody(shot, "playbuttons-pause", "playbuttonssource-pause", "playbuttonssource-pausemask"));
    EXPECT_TRUE(ShowsOnBody(shot, "playbuttons-stop", "playbuttonssource-stopdown", "playbuttonssource-stopmask"));
    EXPECT_TRUE(ShowsOnBody(shot, "playbuttons-repeat", "playbuttonssource-repeatoff", "playbuttonssource-repeatoffmask"));
    EXPECT_TRUE(ShowsOnBody(shot, "playbuttons-shuffle", "playbuttonssource-shuffleoff",
                            "playbuttonssource-shuffleoffmask"));
    EXPECT_TRUE(ShowsOnBody(shot, "sysbuttons-close", "sysbuttonssource-close", "sysbuttonssource-closemask"));
    EXPECT_TRUE(ShowsOnBody(shot, "sysbuttons-playlistpull", "sysbuttonssource-playlistpull",
                            "sysbuttonssource-playlistpullmask"));
    for (const char* digit : {"time-mm", "time-m", "time-ss", "time-s"})
        EXPECT_TRUE(ShowsOnBody(shot, digit, "timesource-0", "timesource-0mask")) << digit;
    EXPECT_TRUE(ShowsOnBody(shot, "time-colon", "timesource-colon", "timesource-colonmask"));
    EXPECT_TRUE(ShowsOnBody(shot, "seekbar-container", "seekbarsource-0", "seekbarsource-0mask"));
    EXPECT_TRUE(ShowsOnBody(shot, "volume-container", "volumesource-50", "volumesource-50mask"));
    // Silence: every analyser band at its lowest image.
    for (int band = 0; band < 19; ++band) {
        const std::string region = "analyzer-" + std::to_string(band);
        EXPECT_TRUE(ShowsOnBody(shot, region, "analyzersource-0", "analyzersource-0mask")) << region;
    }
}

// A click on the play button starts the track: play down, stop up, the time
// digits count the seconds and the seek bar moves; pause holds both; stop
// brings back the stopped looks.
TEST_P(PlayerScreenTest, PlayingPausedAndStoppedLooks)
{
    ASSERT_TRUE(Start(std::string(), 1.5));
    Player().AddMp3Files({Track("tone", 8.0, "Tone")});
    const platform::Rect play = RegionOf(LoadedSkin(), "playbuttons-play").BoundingBox();
    const platform::Point at = Player().Window().Position();
    ASSERT_TRUE(ClickOnScreen(at.x + (play.left + play.right) / 2, at.y + (play.top + play.bottom) / 2));

    auto playingLooks = [this](const QImage& shot) {
        return ShowsOnBody(shot, "playbuttons-play", "playbuttonssource-playdown", "playbuttonssource-playmask") &&
               ShowsOnBody(shot, "playbuttons-stop", "playbuttonssource-stop", "playbuttonssource-stopmask") &&
               ShowsOnBody(shot, "playbuttons-pause", "playbuttonssource-pause", "playbuttonssource-pausemask");
    };
    ASSERT_TRUE(WaitForScreen(playingLooks, "playing")) << "the click on play did not show the playing looks";
    EXPECT_TRUE(Player().Playback().bPlay());

    auto secondsShown = [this](const char* digit) {
        return [this, digit](const QImage& shot) {
            return ShowsOnBody(shot, "time-mm", "timesource-0", "timesource-0mask") &&
                   ShowsOnBody(shot, "time-m", "timesource-0", "timesource-0mask") &&
                   ShowsOnBody(shot, "time-ss", "timesource-0", "timesource-0mask") &&
                   ShowsOnBody(shot, "time-s", std::string("timesource-") + digit,
                               std::string("timesource-") + digit + "mask");
        };
    };
    EXPECT_TRUE(WaitForScreen(secondsShown("1"), "time-1")) << "00:01 never showed";
    EXPECT_TRUE(WaitForScreen(secondsShown("2"), "time-2")) << "00:02 never showed";
    // At two of eight seconds the seek bar has left 0 and not reached the end.
    auto seekBarMoved = [this](const QImage& shot) {
        for (int k = 10; k <= 90; k += 10) {
            const std::string image = "seekbarsource-" + std::to_string(k);
            if (ShowsOnBody(shot, "seekbar-container", image, image + "mask")) return true;
        }
        return false;
    };
    EXPECT_TRUE(WaitForScreen(seekBarMoved, "seek")) << "the seek bar did not move";
    // The tone lights the analyser: some band leaves its image of silence.
    auto analyserLit = [this](const QImage& shot) {
        for (int band = 0; band < 19; ++band) {
            const std::string region = "analyzer-" + std::to_string(band);
            if (!ShowsOnBody(shot, region, "analyzersource-0", "analyzersource-0mask")) return true;
        }
        return false;
    };
    EXPECT_TRUE(WaitForScreen(analyserLit, "analyser")) << "the analyser stayed at rest while the tone played";

    // Paused: the pause button down, and the time stands still while the
    // play loop runs on.
    Player().cButtonAction_PauseClick();
    auto pausedLook = [this](const QImage& shot) {
        return ShowsOnBody(shot, "playbuttons-pause", "playbuttonssource-pausedown", "playbuttonssource-pausemask");
    };
    ASSERT_TRUE(WaitForScreen(pausedLook, "paused"));
    const platform::Rect time = RegionOf(LoadedSkin(), "time-mm").BoundingBox().United(
        RegionOf(LoadedSkin(), "time-s").BoundingBox());
    const QRect timeBox(time.left, time.top, time.Width(), time.Height());
    const QImage timeWhenPaused = LastShot().copy(timeBox);
    const int ticks = Player().Loop().Redraws().spectrum;
    ASSERT_TRUE(playertest::WaitFor([&] { return Player().Loop().Redraws().spectrum >= ticks + 40; }, 3000))
        << "the play loop stopped while paused";
    EXPECT_EQ(WindowShot().copy(timeBox), timeWhenPaused) << "the time moved while paused";

    Player().cButtonAction_PauseClick();
    ASSERT_TRUE(WaitForScreen([this](const QImage& shot) {
        return ShowsOnBody(shot, "playbuttons-pause", "playbuttonssource-pause", "playbuttonssource-pausemask");
    }, "resumed"));

    Player().cButtonAction_StopClick();
    EXPECT_TRUE(WaitForScreen([this](const QImage& shot) {
        return ShowsOnBody(shot, "playbuttons-play", "playbuttonssource-play", "playbuttonssource-playmask") &&
               ShowsOnBody(shot, "playbuttons-stop", "playbuttonssource-stopdown", "playbuttonssource-stopmask") &&
               ShowsOnBody(shot, "playbuttons-pause", "playbuttonssource-pause", "playbuttonssource-pausemask");
    }, "stopped"));
}

// The play-list drawer pulled out shows its picture and the list, the playing
// track in the playing colour between the others; pushed back, the desktop
// shows again where it was.
TEST_P(PlayerScreenTest, PlayListDrawerShowsTheListWithThePlayingColour)
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
    const platform::Region& main = RegionOf(skin, "body-main");
    platform::Region drawerOnly = show.Subtracted(main);
    if (const ClsZelkoRgn* hide = skin.coRgns.Find("body-playlisthide"); hide && hide->Rgn())
        drawerOnly = drawerOnly.Subtracted(*hide->Rgn());
    platform::Region bareDrawer = drawerOnly;
    for (const ClsZelkoRgn& item : skin.coRgns)
        if (!item.Name().starts_with("body-") && item.Rgn()) bareDrawer = bareDrawer.Subtracted(*item.Rgn());
    const platform::Rect list = RegionOf(skin, "playlistbox-itemrect").BoundingBox();
    const QRgb fore = FromColorRef(*skin.colours.Colour(SkinColour::PlayListFore));
    const QRgb playing = FromColorRef(*skin.colours.Colour(SkinColour::PlayListPlaying));

    auto drawerPicture = [&](const QImage& shot) {
        const platform::Rect box = bareDrawer.BoundingBox();
        for (int y = box.top; y < box.bottom; ++y)
            for (int x = box.left; x < box.right; ++x)
                if (bareDrawer.Contains(x, y) && shot.pixel(x, y) != skin.pictures.picPlayListShow.pixel(x, y))
                    return false;
        return true;
    };
    auto listLines = [&](const QImage& shot) {
        return TextLineColours(shot, list, skin.pictures.picPlayListShow, {playing, fore}) ==
               std::vector<QRgb>{fore, playing, fore};
    };
    auto pullDown = [&](const QImage& shot) {
        return ShowsOnBody(shot, "sysbuttons-playlistpull", "sysbuttonssource-playlistpulldown",
                           "sysbuttonssource-playlistpullmask");
    };
    EXPECT_TRUE(WaitForScreen([&](const QImage& shot) { return drawerPicture(shot) && listLines(shot) && pullDown(shot); },
                              "drawer-out"))
        << "drawer picture " << drawerPicture(LastShot()) << ", list lines fore / playing / fore "
        << listLines(LastShot()) << ", pull button down " << pullDown(LastShot());

    Player().cButtonAction_PlayListPullClick();
    auto drawerIn = [&](const QImage& shot) {
        const platform::Rect box = drawerOnly.BoundingBox();
        for (int y = box.top; y < box.bottom; ++y)
            for (int x = box.left; x < box.right; ++x)
                if (drawerOnly.Contains(x, y) && shot.pixel(x, y) != RootAt(x, y)) return false;
        return ShowsOnBody(shot, "sysbuttons-playlistpull", "sysbuttonssource-playlistpull",
                           "sysbuttonssource-playlistpullmask");
    };
    EXPECT_TRUE(WaitForScreen(drawerIn, "drawer-in")) << "the desktop did not come back where the drawer was";
}

// With the lyrics drawer out from the start, a timed lyrics file next to the
// track runs in the lyrics box: two lines before, the current line and two
// after, each in its colour, and the lines move on while the track plays.
TEST_P(PlayerScreenTest, LyricsRunInTheLyricsDrawer)
{
    const std::string track = Track("sung", 6.0, "Sung");
    {
        std::ofstream lyrics(Folder().Path() / "sung.txt", std::ios::binary);
        const std::array<const char*, 12> words{"一番", "二番", "三番", "四番", "五番", "六番",
                                                "七番", "八番", "九番", "十番", "十一番", "十二番"};
        for (std::size_t i = 0; i < words.size(); ++i)
            lyrics << "[00:0" << (i / 2) << "." << (i % 2 ? "50" : "00") << "]一一 " << words[i] << " 一一\r\n";
    }
    ASSERT_TRUE(Start("[LyricsWindow]\r\nShowFromChangedSkin=-1\r\n", 2.0));
    const Skin& skin = LoadedSkin();
    ASSERT_TRUE(skin.HasLyricsDrawer());
    Player().AddMp3Files({track});
    Player().cButtonAction_PlayClick();
    ASSERT_TRUE(Player().Playback().bPlay());

    const platform::Rect box = RegionOf(skin, "lyricsbox-itemrect").BoundingBox();
    auto colour = [&skin](SkinColour c) { return FromColorRef(*skin.colours.Colour(c)); };
    const std::vector<QRgb> order{colour(SkinColour::LyricsPPrev), colour(SkinColour::LyricsPrev),
                                  colour(SkinColour::LyricsCurrent), colour(SkinColour::LyricsNext),
                                  colour(SkinColour::LyricsNNext)};
    std::vector<QRgb> distinct;
    for (QRgb c : order)
        if (std::find(distinct.begin(), distinct.end(), c) == distinct.end()) distinct.push_back(c);
    auto currentLine = [&](const QImage& shot) {
        return shot.copy(box.left, box.top, box.Width(), box.Height());
    };

    QImage firstCurrent;
    ASSERT_TRUE(WaitForScreen([&](const QImage& shot) {
        if (TextLineColours(shot, box, skin.pictures.picLyricsShow, distinct) != WithoutRepeats(order)) return false;
        firstCurrent = currentLine(shot);
        return true;
    }, "lyrics")) << "the five lines never showed in their colours and order; expected "
                   << Describe(WithoutRepeats(order)) << "found " << Describe(TextLineColours(LastShot(), box, skin.pictures.picLyricsShow, distinct));
    EXPECT_TRUE(WaitForScreen([&](const QImage& shot) {
        return TextLineColours(shot, box, skin.pictures.picLyricsShow, distinct) == WithoutRepeats(order) && currentLine(shot) != firstCurrent;
    }, "lyrics-later")) << "the current line did not move on";
}

// A title longer than the title box ends in an ellipsis inside the box, and
// the body around the box stays untouched; a short title ends in its last
// letter.
TEST_P(PlayerScreenTest, LongTitleEndsInAnEllipsisInsideTheTitleBox)
{
    ASSERT_TRUE(Start());
    const Skin& skin = LoadedSkin();
    const std::string longTitle =
        "An exceedingly long title that goes on and on well past the right edge of any title box we ship";
    Player().AddMp3Files({Track("long", 1.0, longTitle), Track("short", 1.0, "Short")});
    Player().cButtonAction_PlayClick();
    Player().cButtonAction_PauseClick();

    const platform::Region& region = RegionOf(skin, "titlebox-textrect");
    const platform::Rect box = region.BoundingBox();
    const std::optional<QImage> background =
        ExpectedLook(skin, "titleboxsource-text", "titleboxsource-textmask", box, skin.pictures.picBody);
    ASSERT_TRUE(background.has_value());
    const platform::Region bare = BareBody(skin);
    auto bareBodyIntact = [&](const QImage& shot) {
        const platform::Rect b = bare.BoundingBox();
        for (int y = b.top; y < b.bottom; ++y)
            for (int x = b.left; x < b.right; ++x)
                if (bare.Contains(x, y) && shot.pixel(x, y) != skin.pictures.picBody.pixel(x, y)) return false;
        return true;
    };

    auto elided = [&](const QImage& shot) {
        const Ink ink = InkOver(shot, box, *background);
        return EndsInEllipsis(ink) && LastInkColumn(ink) >= box.Width() - 16 && bareBodyIntact(shot);
    };
    EXPECT_TRUE(WaitForScreen(elided, "long-title"))
        << "no ellipsis at the end of the box; last marks " << DescribeLastMarks(InkOver(LastShot(), box, *background))
        << "box width " << box.Width() << ", bare body intact " << bareBodyIntact(LastShot());

    Player().cButtonAction_StopClick();
    Player().cButtonAction_NTrackClick();
    Player().cButtonAction_PlayClick();
    Player().cButtonAction_PauseClick();
    auto shortTitle = [&](const QImage& shot) {
        const Ink ink = InkOver(shot, box, *background);
        const int last = LastInkColumn(ink);
        return last > 0 && last < box.Width() / 2 && !EndsInEllipsis(ink) && bareBodyIntact(shot);
    };
    EXPECT_TRUE(WaitForScreen(shortTitle, "short-title")) << "a short title should end well inside the box";
}

INSTANTIATE_TEST_SUITE_P(ShippedSkins, PlayerScreenTest, ::testing::Values("Carbon", "Meadow"));
