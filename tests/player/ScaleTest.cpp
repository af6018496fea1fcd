// The main window above scale 1 with each shipped skin, offscreen (image
// surface): chosen by the setting and the double-size menu item, every pixel
// outside the text boxes the scale-1 pixel made a block, text drawn at the
// scaled size, the window resized from its corner, and switched while a
// track plays.
#include "PlayerTestSupport.h"
#include "ScaleSupport.h"

#include "player/skin/SkinWindow.h"
#include "player/skin/SkinWindowBuilder.h"

#include <QAction>

namespace playertest {
namespace {

using scaletest::BlockMismatches;
using scaletest::SplitBlocks;
using scaletest::TextBoxes;

class ScaleTest : public PlayerTest, public ::testing::WithParamInterface<const char*> {
protected:
    // Both drawers out, at (40, 30), with the given [Window] Scale line.
    void WriteSettings(const std::string& scaleLine)
    {
        const std::string skin = GetParam();
        m_folder.WriteIni("[Skin]\nPath=" + m_folder.Folder() + "Skins/" + skin + "/\nFile=" + skin +
                          ".zks\n[PlayListWindow]\nShowFromChangedSkin=-1\n[LyricsWindow]\nShowFromChangedSkin=-1\n"
                          "[Window]\nLeft=40\nTop=30\n" +
                          scaleLine);
    }
    const Skin& CurrentSkin() { return Player().CurrentSkin(); }
    QImage Picture() { return Player().Window().Surface().Image().copy(); }
    void ToggleDoubleSize() { Player().Menus().DoubleSizeItem().trigger(); }
};

TEST_P(ScaleTest, AtScaleTwoEveryPixelOutsideTheTextIsABlockOfTheScaleOnePixel)
{
    WriteSettings("Scale=1\n");
    Load();
    ASSERT_TRUE(m_loadResult);
    ASSERT_EQ(Player().Window().Scale(), 1);
    Player().AddMp3Files(Tracks(3, 1.0));
    Player().cPlayListAction_ItemDblClick(2);
    ASSERT_TRUE(Player().Playback().bPlay());
    Player().cButtonAction_StopClick();
    ASSERT_TRUE(WaitFor([&] { return !Player().Playback().bPlay(); }));
    QCoreApplication::processEvents();

    const QImage one = Picture();
    const QSize size = Player().Window().size();
    const platform::Rect box = SkinWindowBox(CurrentSkin());
    ASSERT_EQ(one.size(), QSize(box.Width(), box.Height()));

    ToggleDoubleSize();
    EXPECT_TRUE(Player().Menus().DoubleSizeItem().isChecked());
    EXPECT_EQ(Player().Window().Scale(), 2);
    EXPECT_EQ(Player().Window().size(), size * 2);
    EXPECT_EQ(Player().Window().Position(), (platform::Point{40, 30})) << "the window moved";
    const QImage two = Picture();
    ASSERT_EQ(two.size(), one.size() * 2);
    std::string first;
    EXPECT_EQ(BlockMismatches(one, two, 2, TextBoxes(CurrentSkin()), &first), 0) << "first at " << first;
    // The list's lines are drawn at the doubled font size, not enlarged.
    const ClsZelkoRgn* list = CurrentSkin().coRgns.Find("playlistbox-itemrect");
    ASSERT_TRUE(list && list->Rgn());
    EXPECT_GT(SplitBlocks(two, 2, list->Rgn()->BoundingBox()), 50);
    // The outline is the skin's, doubled.
    EXPECT_EQ(Player().Window().Shape(), SkinWindowShape(CurrentSkin(), DrawerStates{true, true}));

    // Back at scale 1 the window is what it was, to the pixel.
    ToggleDoubleSize();
    EXPECT_FALSE(Player().Menus().DoubleSizeItem().isChecked());
    EXPECT_EQ(Player().Window().size(), size);
    EXPECT_EQ(Picture(), one);

    ToggleDoubleSize();
    Player().Form_Unload();
    const std::string ini = m_folder.ReadFile(m_folder.Ini());
    EXPECT_NE(ini.find("Scale=2"), std::string::npos) << ini;
    EXPECT_NE(ini.find("Left=40"), std::string::npos) << "the position is kept in screen pixels";
}

// An older file without the key starts at 1 (the offscreen screen has a
// device pixel ratio of 1) and gains no key: the automatic choice is the
// default.
TEST_P(ScaleTest, TheScaleSettingIsTakenAtStartUp)
{
    WriteSettings("");
    Load();
    ASSERT_TRUE(m_loadResult);
    EXPECT_EQ(Player().Window().Scale(), 1);
    EXPECT_FALSE(Player().Menus().DoubleSizeItem().isChecked());
    Player().Form_Unload();
    EXPECT_EQ(m_folder.ReadFile(m_folder.Ini()).find("Scale="), std::string::npos);

    WriteSettings("Scale=3\n");
    m_player.reset();
    Load();
    ASSERT_TRUE(m_loadResult);
    const platform::Rect box = SkinWindowBox(CurrentSkin());
    EXPECT_EQ(Player().Window().Scale(), 3);
    EXPECT_TRUE(Player().Menus().DoubleSizeItem().isChecked());
    EXPECT_EQ(Player().Window().size(), QSize(box.Width() * 3, box.Height() * 3));
    // From 3 the item goes to 1.
    ToggleDoubleSize();
    EXPECT_EQ(Player().Window().Scale(), 1);
}

// While a track plays, the scale switches back and forth between ticks: the
// player plays on, the window takes each size, shows right after the switch
// what it showed before (in blocks, text apart), and the ticks after a
// switch draw at the new scale (every block outside the text all one colour,
// the bare body the body picture).
TEST_P(ScaleTest, SwitchingTheScaleWhilePlaying)
{
    WriteSettings("Scale=1\n");
    Load(2.0);
    ASSERT_TRUE(m_loadResult);
    Player().AddMp3Files({Tones::Instance().Get(12.0, "Long tone")});
    Player().cButtonAction_PlayClick();
    ASSERT_TRUE(Player().Playback().bPlay());
    const platform::Rect box = SkinWindowBox(CurrentSkin());
    const QImage body = CurrentSkin().pictures.picBody.convertToFormat(QImage::Format_RGB32);
    for (int round = 0; round < 4; ++round) {
        const int ticks = Player().Loop().Redraws().spectrum;
        ASSERT_TRUE(WaitFor([&] { return Player().Loop().Redraws().spectrum >= ticks + 5; }))
            << "the play loop stopped in round " << round;
        // No tick runs between the two pictures: the window just switched
        // shows what it showed before, at the other scale.
        const QImage before = Picture();
        ToggleDoubleSize();
        const int scale = round % 2 == 0 ? 2 : 1;
        ASSERT_EQ(Player().Window().Scale(), scale);
        EXPECT_EQ(Player().Window().size(), QSize(box.Width() * scale, box.Height() * scale));
        const QImage switched = Picture();
        // A whole paint moves the analyser's bars and peaks one step on, at
        // any scale, so the analyser is left out here.
        std::vector<platform::Rect> skip = TextBoxes(CurrentSkin());
        for (const ClsZelkoRgn& item : CurrentSkin().coRgns)
            if (item.Name().starts_with("analyzer-") && item.Rgn()) skip.push_back(item.Rgn()->BoundingBox());
        std::string where;
        EXPECT_EQ(scale == 2 ? BlockMismatches(before, switched, 2, skip, &where)
                             : BlockMismatches(switched, before, 2, skip, &where),
                  0)
            << "round " << round << ": the switched window differs at " << where;
        const int after = Player().Loop().Redraws().spectrum;
        ASSERT_TRUE(WaitFor([&] { return Player().Loop().Redraws().spectrum >= after + 5; }))
            << "no tick after the switch in round " << round;
        const QImage picture = Picture();
        ASSERT_EQ(picture.size(), QSize(box.Width() * scale, box.Height() * scale));
        // The skin-pixel picture the device pixels stand for (the top left
        // pixel of each block) must be drawn in whole blocks...
        QImage topLeft(box.Width(), box.Height(), QImage::Format_RGB32);
        for (int y = 0; y < box.Height(); ++y)
            for (int x = 0; x < box.Width(); ++x)
                topLeft.setPixel(x, y, picture.pixel(x * scale, y * scale));
        std::string first;
        EXPECT_EQ(BlockMismatches(topLeft, picture, scale, TextBoxes(CurrentSkin()), &first), 0)
            << "round " << round << ", first at " << first;
        // ...and the bare body is the body picture.
        platform::Region bare = *CurrentSkin().coRgns.Find("body-main")->Rgn();
        for (const ClsZelkoRgn& item : CurrentSkin().coRgns)
            if (!item.Name().starts_with("body-") && item.Rgn())
                bare = bare.Subtracted(*item.Rgn());
        EXPECT_EQ(BlockMismatches(body, picture, scale, {}, &first, &bare), 0) << "round " << round << ", " << first;
    }
    EXPECT_TRUE(Player().Playback().bPlay());
}

INSTANTIATE_TEST_SUITE_P(ShippedSkins, ScaleTest, ::testing::Values("Carbon", "Meadow"));

} // namespace
} // namespace playertest
