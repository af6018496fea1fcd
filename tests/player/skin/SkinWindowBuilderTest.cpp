#include "player/skin/SkinFile.h"
#include "player/skin/SkinWindow.h"
#include "player/skin/SkinWindowBuilder.h"
#include "SkinTestSupport.h"

#include <QKeyEvent>
#include <QMouseEvent>

#include <gtest/gtest.h>

using namespace skin;

using platform::Rect;
using platform::Region;

namespace {

const QRgb kBody = qRgb(200, 10, 10);
const QRgb kLyricsShow = qRgb(10, 200, 10);

QImage Plain(int w, int h, QRgb c)
{
    QImage image(w, h, QImage::Format_RGB32);
    image.fill(c);
    return image;
}

// A skin whose main body is 100x50 from (10,10), a lyrics drawer to its
// right and a play-list drawer below, each with a small hide tab.
Skin TestSkin(bool withDrawers = true, bool withHidePictures = true)
{
    std::string text = "[body]\nmain=addrect value(10,10,90,40)\n";
    if (withDrawers) {
        text += "lyricsshow=addrect value(100,10,60,40)\nlyricshide=addrect value(100,20,5,10)\n"
                "playlistshow=addrect value(10,50,90,30)\nplaylisthide=addrect value(40,50,20,4)\n";
    }
    text += "[sysbuttons]\nclose=addrect value(80,12,8,8)\n";
    ParsedSkinFile parsed = ParseSkinText(text, "t.zks", SkinRegionContext{});
    Skin skin;
    skin.coRgns = std::move(parsed.coRgns);
    skin.coRects = std::move(parsed.coRects);
    skin.pictures.picBody = Plain(160, 80, kBody);
    if (withDrawers) {
        skin.pictures.picLyricsShow = Plain(160, 80, kLyricsShow);
        skin.pictures.picPlayListShow = Plain(100, 80, qRgb(10, 10, 200));
        if (withHidePictures) {
            skin.pictures.picLyricsHide = Plain(160, 80, qRgb(10, 100, 10));
            skin.pictures.picPlayListHide = Plain(100, 80, qRgb(10, 10, 100));
        }
    }
    return skin;
}

Region Main()
{
    return Region(Rect{10, 10, 100, 50});
}

} // namespace

TEST(SkinWindowBuilderTest, WindowSizeIsMeasuredFromTheSkinOrigin)
{
    EXPECT_EQ(SkinWindowBox(TestSkin(false)), (Rect{0, 0, 100, 50}));
    EXPECT_EQ(SkinWindowBox(TestSkin(true)), (Rect{0, 0, 160, 80}));
    SkinWindow window;
    const DrawerStates states = BuildSkinWindow(window, TestSkin(false), SkinWindowSettings{30, 40, true, true});
    EXPECT_EQ(states, (DrawerStates{false, false})) << "a skin without drawers shows none, whatever the settings";
    EXPECT_EQ(window.size(), QSize(100, 50));
    EXPECT_EQ(window.Position(), (platform::Point{30, 40}));
    EXPECT_EQ(window.Shape(), Main());
    EXPECT_EQ(window.mask(), Main().ToQRegion());
}

TEST(SkinWindowBuilderTest, PulledDrawersShowTheirPicturesAlsoWithoutHidePartsOrShowRegions)
{
    const Skin full = TestSkin();
    SkinWindow drawers;
    DrawerStates out = BuildSkinWindow(drawers, full, SkinWindowSettings{0, 0, true, false});
    EXPECT_EQ(drawers.Surface().Image().pixel(150, 40), kLyricsShow);
    out = PullDrawer(drawers, full, out, Drawer::Lyrics);
    EXPECT_EQ(drawers.Surface().Image().pixel(102, 25), qRgb(10, 100, 10)) << "the hide picture in the tab";
    EXPECT_FALSE(drawers.Shape().Contains(150, 40));

    Skin noHide = TestSkin(true, false);
    SkinWindow window;
    DrawerStates states = BuildSkinWindow(window, noHide, SkinWindowSettings{0, 0, true, false});
    states = PullDrawer(window, noHide, states, Drawer::Lyrics);
    EXPECT_FALSE(states.lyricsShow);
    EXPECT_EQ(window.Surface().Image().pixel(102, 25), kLyricsShow) << "no hide picture: the area keeps what it had";

    const Skin none = TestSkin(false);
    SkinWindow plain;
    DrawerStates s = BuildSkinWindow(plain, none, SkinWindowSettings{});
    EXPECT_EQ(PullDrawer(plain, none, s, Drawer::Lyrics), s);
    EXPECT_EQ(plain.Shape(), Main());
}

TEST(SkinWindowBuilderTest, TheWindowForwardsEventsToItsListener)
{
    struct Recorder : SkinWindowListener {
        std::vector<std::string> calls;
        void Add(std::string what, std::initializer_list<int> values)
        {
            for (int v : values)
                what += " " + std::to_string(v);
            calls.push_back(what);
        }
        void OnMouseDown(MouseButton b, KeyShift s, int32_t x, int32_t y) override { Add("down", {static_cast<int>(b), static_cast<int>(s), x, y}); }
        void OnMouseUp(MouseButton b, KeyShift, int32_t x, int32_t y) override { Add("up", {static_cast<int>(b), x, y}); }
        void OnKeyUp(int32_t key, KeyShift s) override { Add("key", {key, static_cast<int>(s)}); }
        void OnDoubleClick(int32_t x, int32_t y) override { Add("double", {x, y}); }
        bool OnCloseRequested() override
        {
            Add("close", {});
            return false;
        }
    } recorder;
    SkinWindow window;
    window.SetListener(&recorder);
    BuildSkinWindow(window, TestSkin(false), SkinWindowSettings{});
    QMouseEvent press(QEvent::MouseButtonPress, QPointF(20, 30), QPointF(20, 30), Qt::RightButton, Qt::RightButton,
                      Qt::ShiftModifier);
    QCoreApplication::sendEvent(&window, &press);
    QMouseEvent release(QEvent::MouseButtonRelease, QPointF(21, 31), QPointF(21, 31), Qt::RightButton, Qt::NoButton,
                        Qt::NoModifier);
    QCoreApplication::sendEvent(&window, &release);
    QMouseEvent dbl(QEvent::MouseButtonDblClick, QPointF(5, 6), QPointF(5, 6), Qt::LeftButton, Qt::LeftButton,
                    Qt::NoModifier);
    QCoreApplication::sendEvent(&window, &dbl);
    QKeyEvent key(QEvent::KeyRelease, Qt::Key_P, Qt::ControlModifier);
    QCoreApplication::sendEvent(&window, &key);
    EXPECT_FALSE(window.close()) << "the listener keeps the window open";
    // The second press of a double click is reported as the double click alone.
    EXPECT_EQ(recorder.calls, (std::vector<std::string>{"down 2 1 20 30", "up 2 21 31", "double 5 6", "key 80 2", "close"}));
    window.SetListener(nullptr);
}
