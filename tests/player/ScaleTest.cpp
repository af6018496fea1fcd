// The double-size item switches the main window's scale while a track plays:
// the window takes each size, keeps its place, and right after the switch
// shows what it showed before with each pixel made a block of the scale.
#include "PlayerTestSupport.h"
#include "support/PlayerWidgetLookup.h"

#include "player/skin/SkinWindow.h"
#include "player/skin/SkinWindowBuilder.h"

#include <QAction>

#include <algorithm>

using namespace skin;

namespace playertest {
namespace {

// The pixels of `one` whose block in `scaled` is not all that pixel, outside
// the boxes left out; the first is described.
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
    // Text is drawn afresh at each scale, and a whole paint steps the analyser on.
    std::vector<platform::Rect> leftOut;
    for (const ClsZelkoRgn& item : Player().CurrentSkin().coRgns)
        if ((item.Name().starts_with("analyzer-") || item.Name().ends_with("-itemrect") || item.Name() == "titlebox-textrect") && item.Rgn())
            leftOut.push_back(item.Rgn()->BoundingBox());
    Player().AddMp3Files(Tracks(3, 12.0));
    Player().cButtonAction_PlayClick();
    // From 3 the item goes to 1, then to 2.
    for (const int scale : {1, 2}) {
        SCOPED_TRACE("scale " + std::to_string(scale));
        const int ticks = Player().Loop().Redraws().spectrum;
        ASSERT_TRUE(WaitFor([&] { return Player().Loop().Redraws().spectrum >= ticks + 5; })) << "the play loop stopped";
        const QImage before = window.Surface().Image().copy();
        const int was = window.Scale();
        testsupport::MenuItem("mnuPopup1", "mnuP1DoubleSize").trigger();
        ASSERT_EQ(window.Scale(), scale);
        EXPECT_EQ(testsupport::MenuItem("mnuPopup1", "mnuP1DoubleSize").isChecked(), scale != 1);
        EXPECT_EQ(window.size(), QSize(box.Width(), box.Height()) * scale);
        EXPECT_EQ(window.Position(), (platform::Point{40, 30})) << "the window moved";
        const QImage after = window.Surface().Image().copy();
        std::string first;
        EXPECT_EQ(scale < was ? BlockMismatches(after, before, was, leftOut, first)
                              : BlockMismatches(before, after, scale, leftOut, first),
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
