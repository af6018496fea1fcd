// The main window at scale 2 on a real X display (the X server surface):
// its outline against the striped desktop, every pixel outside the text
// boxes the scale-1 pixel made a 2 x 2 block, and clicks at the centre of
// every scaled region landing on that region of the skin.
#include "ScreenSupport.h"
#include "player/ScaleSupport.h"

#include "player/skin/SkinWindowBuilder.h"

#include <QAction>

#include <vector>

using namespace screentest;
using scaletest::BlockMismatches;
using scaletest::SplitBlocks;
using scaletest::TextBoxes;

namespace {

bool ClickOnScreen(int x, int y)
{
    const std::string command = "xdotool mousemove " + std::to_string(x) + " " + std::to_string(y) + " click 1";
    return std::system(command.c_str()) == 0;
}

// Where the window said the mouse went down and up, in skin pixels.
class RecordingListener : public SkinWindowListener {
public:
    void OnMouseDown(MouseButton, KeyShift, int32_t x, int32_t y) override { downs.push_back({x, y}); }
    void OnMouseUp(MouseButton, KeyShift, int32_t x, int32_t y) override { ups.push_back({x, y}); }
    // Two quick clicks on neighbouring regions make a double click, which
    // takes the place of the second press.
    void OnDoubleClick(int32_t x, int32_t y) override { downs.push_back({x, y}); }
    std::vector<platform::Point> downs;
    std::vector<platform::Point> ups;
};

// A point of the region: the centre of its bounding box when the region
// holds it, else the centre of its first rectangle.
platform::Point InnerPoint(const platform::Region& region)
{
    const platform::Rect box = region.BoundingBox();
    const platform::Point centre{(box.left + box.right) / 2, (box.top + box.bottom) / 2};
    if (region.Contains(centre.x, centre.y))
        return centre;
    const platform::Rect first = region.Rects().front();
    return {(first.left + first.right) / 2, (first.top + first.bottom) / 2};
}

class ScaleScreenTest : public ScreenTest, public ::testing::WithParamInterface<const char*> {
protected:
    std::string SkinName() const override { return GetParam(); }

    // Waits until the screen shows what the surface holds inside the outline.
    bool ScreenShowsSurface(const std::string& name)
    {
        return WaitForScreen([&](const QImage& shot) {
            SkinWindow& window = Player().Window();
            const QImage& surface = window.Surface().Image();
            if (shot.size() != surface.size())
                return false;
            const platform::Region shape = window.Shape().Scaled(window.Scale());
            for (int y = 0; y < shot.height(); ++y)
                for (int x = 0; x < shot.width(); ++x)
                    if (shape.Contains(x, y) && shot.pixel(x, y) != surface.pixel(x, y))
                        return false;
            return true;
        },
                             name);
    }
};

} // namespace

// Outside the doubled outline the striped desktop shows, pixel for pixel.
TEST_P(ScaleScreenTest, TheOutlineAtScaleTwoLetsTheDesktopThrough)
{
    ASSERT_TRUE(Start("Scale=2\r\n")) << "the window never showed its doubled body";
    const Skin& skin = LoadedSkin();
    const platform::Rect box = SkinWindowBox(skin);
    ASSERT_EQ(Player().Window().size(), QSize(box.Width() * 2, box.Height() * 2));
    const platform::Region shape = SkinWindowShape(skin, DrawerStates{});
    const QImage shot = LastShot();
    int outside = 0;
    for (int y = 0; y < shot.height(); ++y)
        for (int x = 0; x < shot.width(); ++x) {
            if (shape.Contains(x / 2, y / 2))
                continue;
            ASSERT_EQ(shot.pixel(x, y), RootAt(x, y)) << "desktop at " << x << "," << y;
            ++outside;
        }
    EXPECT_GT(outside, 4000) << "the outline is not a plain rectangle";
}

// The window at scale 1, then switched to scale 2 through the menu item:
// the screen shows the same picture with every pixel a 2 x 2 block, except
// the text, which is drawn afresh at twice the size.
TEST_P(ScaleScreenTest, TheScreenAtScaleTwoIsTheScaleOnePictureInBlocks)
{
    ASSERT_TRUE(Start("Scale=1\r\n"));
    Player().AddMp3Files({Track("one", 2.0, "First Song"), Track("two", 2.0, "Second Song"),
                          Track("three", 2.0, "Third Song")});
    Player().cButtonAction_PlayListPullClick();
    Player().cButtonAction_LyricsPullClick();
    Player().cPlayListAction_ItemDblClick(2);
    Player().cButtonAction_StopClick();
    ASSERT_TRUE(ScreenShowsSurface("scale-1"));
    const QImage one = LastShot();
    const platform::Region shape = Player().Window().Shape();

    Player().Menus().DoubleSizeItem().trigger();
    ASSERT_EQ(Player().Window().Scale(), 2);
    ASSERT_TRUE(ScreenShowsSurface("scale-2"));
    const QImage two = LastShot();
    ASSERT_EQ(two.size(), one.size() * 2);
    std::string first;
    EXPECT_EQ(BlockMismatches(one, two, 2, TextBoxes(LoadedSkin()), &first, &shape), 0) << "first at " << first;
    const ClsZelkoRgn* list = LoadedSkin().coRgns.Find("playlistbox-itemrect");
    ASSERT_TRUE(list && list->Rgn());
    EXPECT_GT(SplitBlocks(two, 2, list->Rgn()->BoundingBox()), 50) << "the list's text is enlarged, not drawn";
}

// A click at the centre of every region of the skin, doubled, reaches the
// window's listener as a point of that region in skin pixels; then real
// clicks on the play button and the play-list pull act.
TEST_P(ScaleScreenTest, ClicksAtScaleTwoLandOnTheSameRegions)
{
    ASSERT_TRUE(Start("Scale=2\r\n"));
    // Both drawers out, so that the regions in them can be clicked too.
    Player().cButtonAction_PlayListPullClick();
    Player().cButtonAction_LyricsPullClick();
    SkinWindow& window = Player().Window();
    RecordingListener recorder;
    window.SetListener(&recorder);
    const platform::Point at = window.Position();
    int checked = 0;
    for (const ClsZelkoRgn& item : LoadedSkin().coRgns) {
        if (item.Name().starts_with("body-") || !item.Rgn() || item.Rgn()->IsEmpty())
            continue;
        // Only regions on the window's outline can be clicked.
        const platform::Point p = InnerPoint(*item.Rgn());
        if (!window.Shape().Contains(p.x, p.y))
            continue;
        recorder.downs.clear();
        recorder.ups.clear();
        ASSERT_TRUE(ClickOnScreen(at.x + p.x * 2 + 1, at.y + p.y * 2 + 1));
        ASSERT_TRUE(playertest::WaitFor([&] { return !recorder.ups.empty(); }, 3000)) << item.Name();
        ASSERT_EQ(recorder.downs.size(), 1u) << item.Name();
        EXPECT_EQ(recorder.downs[0], p) << item.Name();
        EXPECT_TRUE(item.Rgn()->Contains(recorder.ups[0].x, recorder.ups[0].y)) << item.Name();
        ++checked;
    }
    window.SetListener(&Player());
    EXPECT_GE(checked, 35) << "too few regions were clicked";

    Player().AddMp3Files({Track("tone", 8.0, "Tone")});
    const platform::Point play = InnerPoint(RegionOf(LoadedSkin(), "playbuttons-play"));
    ASSERT_TRUE(ClickOnScreen(at.x + play.x * 2, at.y + play.y * 2));
    EXPECT_TRUE(playertest::WaitFor([&] { return Player().Playback().bPlay(); }, 3000)) << "the play click did nothing";
    const platform::Point pull = InnerPoint(RegionOf(LoadedSkin(), "sysbuttons-playlistpull"));
    ASSERT_TRUE(ClickOnScreen(at.x + pull.x * 2 + 1, at.y + pull.y * 2 + 1));
    EXPECT_TRUE(playertest::WaitFor([&] { return !Player().App().PlayListShow(); }, 3000)) << "the drawer stayed out";
    EXPECT_TRUE(ScreenShowsSurface("played-and-pulled"));
}

INSTANTIATE_TEST_SUITE_P(ShippedSkins, ScaleScreenTest, ::testing::Values("Carbon", "Meadow"));
