#include "player/skin/SkinFile.h"
#include "player/skin/SkinWindow.h"
#include "player/skin/SkinWindowBuilder.h"
#include "SkinTestSupport.h"

#include <gtest/gtest.h>

using namespace skin;

using platform::Rect;
using platform::Region;

namespace {

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
    skin.pictures.picBody = Plain(160, 80, qRgb(200, 10, 10));
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
