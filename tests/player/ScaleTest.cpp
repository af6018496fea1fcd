// The main window above scale 1 with each shipped skin, offscreen (image
// surface), switched by the double-size item while a track plays: it takes
// each size and keeps its place, and shows right after the switch what it
// showed before with each pixel made a block of the scale. Text is drawn
// afresh at each scale and left out; how copies and text land at a scale is
// checked by ScaledSurfaceTest.
#include "PlayerTestSupport.h"
#include "support/PlayerWidgetLookup.h"

#include "player/skin/SkinWindow.h"
#include "player/skin/SkinWindowBuilder.h"

#include <QAction>

#include <algorithm>

using namespace skin;

namespace playertest {
namespace {

// The skin's text boxes (title box, play list, lyrics).
std::vector<platform::Rect> TextBoxes(const Skin& skin)
{
    std::vector<platform::Rect> boxes;
    for (const char* name : {"titlebox-textrect", "playlistbox-itemrect", "lyricsbox-itemrect"})
        if (const ClsZelkoRgn* item = skin.coRgns.Find(name); item && item->Rgn())
            boxes.push_back(item->Rgn()->BoundingBox());
    return boxes;
}

// The pixels of `one` (skin pixels) whose block of scale x scale pixels in
// `scaled` is not all that pixel, outside the boxes; the first is described.
int BlockMismatches(const QImage& one, const QImage& scaled, int scale, const std::vector<platform::Rect>& leftOut,
                    std::string& first)
{
    int wrong = 0;
    for (int y = 0; y < one.height(); ++y) {
        for (int x = 0; x < one.width(); ++x) {
            if (std::any_of(leftOut.begin(), leftOut.end(), [&](const platform::Rect& box) { return box.Includes(x, y); }))
                continue;
            bool same = true;
            for (int dy = 0; dy < scale && same; ++dy)
                for (int dx = 0; dx < scale && same; ++dx)
                    same = (scaled.pixel(x * scale + dx, y * scale + dy) & 0xFFFFFFu) == (one.pixel(x, y) & 0xFFFFFFu);
            if (!same && wrong++ == 0)
                first = "skin pixel " + std::to_string(x) + "," + std::to_string(y);
        }
    }
    return wrong;
}

class ScaleTest : public PlayerTest, public ::testing::WithParamInterface<const char*> {};

TEST_P(ScaleTest, SwitchedWhilePlayingTheWindowIsTheScaleOnePictureInBlocks)
{
    const std::string skin = GetParam();
    m_folder.WriteIni("[Skin]\nPath=" + m_folder.Folder() + "Skins/" + skin + "/\nFile=" + skin +
                      ".zks\n[PlayListWindow]\nShowFromChangedSkin=-1\n[LyricsWindow]\nShowFromChangedSkin=-1\n"
                      "[Window]\nLeft=40\nTop=30\nScale=3\n");
    Load(2.0);
    ASSERT_TRUE(m_loadResult);
    SkinWindow& window = Player().Window();
    ASSERT_EQ(window.Scale(), 3);
    const platform::Rect box = SkinWindowBox(Player().CurrentSkin());
    // A whole paint moves the analyser's bars and peaks one step on, so a
    // switch is compared without it.
    std::vector<platform::Rect> textAndAnalyser = TextBoxes(Player().CurrentSkin());
    for (const ClsZelkoRgn& item : Player().CurrentSkin().coRgns)
        if (item.Name().starts_with("analyzer-") && item.Rgn())
            textAndAnalyser.push_back(item.Rgn()->BoundingBox());
    Player().AddMp3Files(Tracks(3, 12.0));
    Player().cButtonAction_PlayClick();
    ASSERT_TRUE(Player().Playback().bPlay());
    // From 3 the item goes to 1, then to 2.
    for (const int scale : {1, 2}) {
        SCOPED_TRACE("scale " + std::to_string(scale));
        const int ticks = Player().Loop().Redraws().spectrum;
        ASSERT_TRUE(WaitFor([&] { return Player().Loop().Redraws().spectrum >= ticks + 5; })) << "the play loop stopped";
        // No tick runs between the two pictures.
        const QImage before = window.Surface().Image().copy();
        const int was = window.Scale();
        testsupport::MenuItem("mnuPopup1", "mnuP1DoubleSize").trigger();
        ASSERT_EQ(window.Scale(), scale);
        EXPECT_EQ(testsupport::MenuItem("mnuPopup1", "mnuP1DoubleSize").isChecked(), scale != 1);
        EXPECT_EQ(window.size(), QSize(box.Width(), box.Height()) * scale);
        EXPECT_EQ(window.Position(), (platform::Point{40, 30})) << "the window moved";
        const QImage after = window.Surface().Image().copy();
        std::string first;
        EXPECT_EQ(scale < was ? BlockMismatches(after, before, was, textAndAnalyser, first)
                              : BlockMismatches(before, after, scale, textAndAnalyser, first),
                  0)
            << "the switched window differs at " << first;
    }
    EXPECT_TRUE(Player().Playback().bPlay());
    Player().Form_Unload();
    const std::string ini = m_folder.ReadFile(m_folder.Ini());
    EXPECT_NE(ini.find("Scale=2"), std::string::npos) << ini;
    EXPECT_NE(ini.find("Left=40"), std::string::npos) << "the position is kept in screen pixels";
}

INSTANTIATE_TEST_SUITE_P(ShippedSkins, ScaleTest, ::testing::Values("Carbon", "Meadow"));

} // namespace
} // namespace playertest
