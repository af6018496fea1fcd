// The main window at scale 2 on a real X display (the X server surface): its
// doubled outline against the striped desktop, and clicks at the centre of
// every scaled region landing on that region of the skin. That the pixels
// are the scale-1 picture in blocks is checked without a display; that the
// server shows the surface, by the X server surface tests.
#include "ScreenSupport.h"

#include "player/skin/SkinWindowBuilder.h"

#include <QAction>

#include <vector>

using namespace screentest;

namespace {

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
};

} // namespace

TEST_P(ScaleScreenTest, TheOutlineLetsTheDesktopThroughAndClicksLandOnTheSameRegions)
{
    ASSERT_TRUE(Start("Scale=2\r\n")) << "the window never showed its doubled body";
    const platform::Rect box = SkinWindowBox(LoadedSkin());
    ASSERT_EQ(Player().Window().size(), QSize(box.Width() * 2, box.Height() * 2));
    // Outside the doubled outline the striped desktop shows, pixel for pixel.
    const platform::Region shape = SkinWindowShape(LoadedSkin(), DrawerStates{});
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

    // Real clicks on the play button and the play-list pull act.
    Player().AddMp3Files({Track("tone", 8.0, "Tone")});
    const platform::Point play = InnerPoint(RegionOf(LoadedSkin(), "playbuttons-play"));
    ASSERT_TRUE(ClickOnScreen(at.x + play.x * 2, at.y + play.y * 2));
    EXPECT_TRUE(playertest::WaitFor([&] { return Player().Playback().bPlay(); }, 3000)) << "the play click did nothing";
    const platform::Point pull = InnerPoint(RegionOf(LoadedSkin(), "sysbuttons-playlistpull"));
    ASSERT_TRUE(ClickOnScreen(at.x + pull.x * 2 + 1, at.y + pull.y * 2 + 1));
    EXPECT_TRUE(playertest::WaitFor([&] { return !Player().App().PlayListShow(); }, 3000)) << "the drawer stayed out";
}

INSTANTIATE_TEST_SUITE_P(ShippedSkins, ScaleScreenTest, ::testing::Values("Carbon", "Meadow"));
