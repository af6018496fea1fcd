#include "TestSkin.h"

#include "player/playback/Mp3FileList.h"
#include "player/playback/PlayState.h"
#include "player/widgets/ClsZelkoPlayListAction.h"

#include <gtest/gtest.h>

#include <vector>

using namespace playback;
using namespace skin;
using namespace widgets;

using namespace widgettest;

namespace {

// The box is 45 high: three lines of 14 with a margin of 1 above.

class PlayListActionTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        SkinBuilder& b = m_builder;
        b.Region("body-main", 0, 0, 200, 120);
        b.Region("playlistbox-itemrect", 0, 20, 150, 45);
        b.Region("sysbuttons-playlistu", 160, 20, 10, 10);
        b.Region("sysbuttons-playlistd", 160, 40, 10, 10);
        b.Masked("sysbuttonssource-playlistu", Distinct(1));
        b.Masked("sysbuttonssource-playlistudown", Distinct(2));
        b.Image("sysbuttonssource-playlistd", Distinct(3));
        b.Image("sysbuttonssource-playlistddown", Distinct(4));
        m_h = std::make_unique<Harness>(b.Result(), "", 200, 120);
        m_h->skin.colours.SetColour(SkinColour::PlayListFore, ColorRef(255, 0, 0));
        m_h->skin.colours.SetColour(SkinColour::PlayListPlaying, ColorRef(0, 255, 0));
        m_list = std::make_unique<ClsZelkoPlayListAction>(m_h->Context(), m_tracks, m_state);
        using A = ClsZelkoPlayListAction;
        QObject::connect(m_list.get(), &A::ListUpClick, [this] { m_events.push_back("ListUp"); });
        QObject::connect(m_list.get(), &A::ListDownClick, [this] { m_events.push_back("ListDown"); });
        QObject::connect(m_list.get(), &A::ItemClick, [this] { m_events.push_back("Item"); });
        QObject::connect(m_list.get(), &A::ItemRightClick, [this] { m_events.push_back("ItemRight"); });
        QObject::connect(m_list.get(), &A::ItemDblClick,
                         [this](int32_t n) { m_events.push_back("Dbl" + std::to_string(n)); });
        for (int i = 1; i <= 6; ++i)
            m_tracks.Add(ClsZelkoMp3File("/m/" + std::to_string(i) + ".mp3", "Artist", "Title", 83));
        m_list->MakePlayListRect();
    }

    void Press(MouseButton b, int x, int y) { m_list->MouseDown(b, KeyShift::None, x, y); }
    void Release(MouseButton b, int x, int y) { m_list->MouseUp(b, KeyShift::None, x, y); }
    QRgb Colour(const std::string& key) const { return m_builder.ColourOf(key); }

    Mp3FileList m_tracks;
    SkinBuilder m_builder{200, 120};
    std::unique_ptr<Harness> m_h;
    PlayState m_state;
    std::unique_ptr<ClsZelkoPlayListAction> m_list;
    std::vector<std::string> m_events;
};

} // namespace

TEST_F(PlayListActionTest, ScrollButtonPressedAndReleasedLooks)
{
    m_list->Paint();
    EXPECT_EQ(m_h->Pixel(162, 25), Colour("sysbuttonssource-playlistu"));
    EXPECT_EQ(m_h->Pixel(169, 25), BodyColour);                           // masked: background shows
    EXPECT_EQ(m_h->Pixel(169, 45), Colour("sysbuttonssource-playlistd")); // plain
    // Pressed, then released elsewhere: the released image, no event.
    Press(MouseButton::Left, 165, 45);
    EXPECT_EQ(m_h->Pixel(165, 45), Colour("sysbuttonssource-playlistddown"));
    Release(MouseButton::Left, 100, 100);
    EXPECT_EQ(m_h->Pixel(165, 45), Colour("sysbuttonssource-playlistd"));
    // Up with the drawer out: the masked pressed image over the drawer picture.
    m_h->app.SetPlayListShow(true);
    Press(MouseButton::Left, 165, 25);
    EXPECT_EQ(m_h->Pixel(162, 25), Colour("sysbuttonssource-playlistudown"));
    EXPECT_EQ(m_h->Pixel(169, 25), PlayListShowColour);
    Release(MouseButton::Left, 166, 26);
    // The right button does not scroll.
    Press(MouseButton::Right, 165, 45);
    Release(MouseButton::Right, 165, 45);
    Press(MouseButton::Left, 165, 45);
    Release(MouseButton::Left, 165, 45);
    EXPECT_EQ(m_events, (std::vector<std::string>{"ListUp", "ListDown"}));
}

TEST_F(PlayListActionTest, ClicksAndDoubleClicksOnLines)
{
    Press(MouseButton::Right, 10, 30);
    Release(MouseButton::Right, 40, 50); // same region, another line
    Press(MouseButton::Left, 10, 30);
    Release(MouseButton::Left, 10, 30);
    Press(MouseButton::Left, 10, 30);
    Release(MouseButton::Left, 10, 100); // outside the box
    Press(MouseButton::Left, 100, 100);  // bare body
    Release(MouseButton::Left, 10, 30);
    EXPECT_EQ(m_events, (std::vector<std::string>{"ItemRight", "Item"}));
    // A double click gives the number of the line's track; 0 in the margins.
    m_events.clear();
    m_list->SetListTop(5);
    for (int y : {20, 21, 34, 35, 62, 64})
        m_list->DblClick(10, y);
    m_list->DblClick(100, 100); // outside the box: nothing
    EXPECT_EQ(m_events, (std::vector<std::string>{"Dbl0", "Dbl5", "Dbl5", "Dbl6", "Dbl7", "Dbl0"}));
}
