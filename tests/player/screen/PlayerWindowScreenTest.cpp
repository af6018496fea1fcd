// The main window on a real X display at scale 1 and 2: outside its outline
// the desktop shows, also where the drawers were before they were pushed
// back, and a click through the X server on the play button plays.
#include "ScreenSupport.h"

#include "player/skin/SkinWindowBuilder.h"

#include <string>
#include <tuple>

using namespace skin;

using namespace screentest;

namespace {

class PlayerScreenTest : public ScreenTest, public ::testing::WithParamInterface<std::tuple<std::string, int>> {};

} // namespace

TEST_P(PlayerScreenTest, TheDesktopShowsOutsideTheOutlineAndAClickOnPlayPlays)
{
    const auto [skinName, scale] = GetParam();
    ASSERT_TRUE(Start(skinName, "Scale=" + std::to_string(scale) + "\r\n[PlayListWindow]\r\nShowFromChangedSkin=-1\r\n[LyricsWindow]\r\nShowFromChangedSkin=-1\r\n"));
    const Skin& skin = Player().CurrentSkin();
    const platform::Rect box = SkinWindowBox(skin);
    ASSERT_EQ(Player().Window().size(), QSize(box.Width(), box.Height()) * scale);
    Player().cButtonAction_PlayListPullClick();
    Player().cButtonAction_LyricsPullClick();
    const platform::Region shape = SkinWindowShape(skin, DrawerStates{});
    int outside = 0;
    auto desktopOutside = [&](const QImage& shot) {
        outside = 0;
        for (int y = 0; y < shot.height(); ++y)
            for (int x = 0; x < shot.width(); ++x) {
                if (shape.Contains(x / scale, y / scale))
                    continue;
                if (shot.pixel(x, y) != RootAt(x, y))
                    return false;
                ++outside;
            }
        return true;
    };
    EXPECT_TRUE(WaitForScreen(desktopOutside)) << "the desktop does not show outside the outline";
    EXPECT_GT(outside, 1000) << "the outline is a plain rectangle";

    Player().AddMp3Files({Track("tone", 8.0, "Tone")});
    const platform::Rect play = skin.coRgns.Find("playbuttons-play")->Rgn()->BoundingBox();
    const platform::Point at = Player().Window().Position();
    const std::string click = "xdotool mousemove " + std::to_string(at.x + (play.left + play.right) / 2 * scale) + " " +
        std::to_string(at.y + (play.top + play.bottom) / 2 * scale) + " click 1";
    ASSERT_EQ(std::system(click.c_str()), 0);
    EXPECT_TRUE(playertest::WaitFor([&] { return Player().Playback().bPlay(); }, 3000)) << "the click on play did nothing";
}

INSTANTIATE_TEST_SUITE_P(ShippedSkins, PlayerScreenTest,
                         ::testing::Combine(::testing::Values("Carbon", "Meadow"), ::testing::Values(1, 2)));
