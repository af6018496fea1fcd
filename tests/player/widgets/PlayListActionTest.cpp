#include "TestSkin.h"

#include "player/playback/Mp3FileList.h"
#include "player/playback/PlayState.h"
#include "player/widgets/ClsZelkoPlayListAction.h"

#include <gtest/gtest.h>

#include <QTemporaryDir>

#include <vector>

using namespace widgettest;
using Pic = SkinBuilder::Pic;

namespace {

// The box is 45 high: three lines of 14 with a margin of 1 above.
constexpr int LineTop0 = 21;
constexpr int ListRight = 150;

class PlayListActionTest : public ::testing::Test {
protected:
    void Make(std::string_view commandLine = "")
    {
        ASSERT_TRUE(m_dir.isValid());
        EnsureApplication();
        m_builder = std::make_unique<SkinBuilder>(200, 120);
        SkinBuilder& b = *m_builder;
        b.Region("body-main", 0, 0, 200, 120);
        b.Region("playlistbox-itemrect", 0, 20, ListRight, 45);
        b.Region("sysbuttons-playlistu", 160, 20, 10, 10);
        b.Region("sysbuttons-playlistd", 160, 40, 10, 10);
        b.Masked(Pic::SysButtons, "sysbuttonssource-playlistu", Distinct(1));
        b.Masked(Pic::SysButtons, "sysbuttonssource-playlistudown", Distinct(2));
        b.Image(Pic::SysButtons, "sysbuttonssource-playlistd", Distinct(3));
        b.Image(Pic::SysButtons, "sysbuttonssource-playlistddown", Distinct(4));
        m_h = std::make_unique<Harness>(b.Result(), commandLine, m_dir.path().toStdString() + "/", 200, 120);
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
    }

    void AddTracks(int n)
    {
        for (int i = 1; i <= n; ++i)
            m_tracks.Add(ClsZelkoMp3File("/m/" + std::to_string(i) + ".mp3", "Artist", "Title", 83));
    }

    // What the pixels of line `line` (0-based) hold, apart from the background.
    struct Ink {
        int fore = 0;    // reddish: the ordinary colour
        int playing = 0; // greenish: the playing colour
        int other = 0;
        int Any() const { return fore + playing + other; }
    };
    Ink InkOfLine(int line, QRgb background, int x0 = 0, int x1 = ListRight) const
    {
        Ink ink;
        for (int y = LineTop0 + 14 * line; y < LineTop0 + 14 * (line + 1); ++y)
            for (int x = x0; x < x1; ++x) {
                const QRgb p = m_h->Pixel(x, y);
                if (p == background)
                    continue;
                if (qRed(p) > 128 && qGreen(p) < 64)
                    ++ink.fore;
                else if (qGreen(p) > 128 && qRed(p) < 64)
                    ++ink.playing;
                else
                    ++ink.other;
            }
        return ink;
    }

    void Press(MouseButton b, int x, int y) { m_list->MouseDown(b, KeyShift::None, x, y); }
    void Release(MouseButton b, int x, int y) { m_list->MouseUp(b, KeyShift::None, x, y); }
    QRgb Colour(const std::string& key) const { return m_builder->ColourOf(key); }

    QTemporaryDir m_dir;
    Mp3FileList m_tracks;
    std::unique_ptr<SkinBuilder> m_builder;
    std::unique_ptr<Harness> m_h;
    PlayState m_state;
    std::unique_ptr<ClsZelkoPlayListAction> m_list;
    std::vector<std::string> m_events;
};

} // namespace

TEST_F(PlayListActionTest, LinesFromListTopWithThePlayingColourOnTheCurrentTrack)
{
    Make();
    AddTracks(6);
    EXPECT_EQ(m_list->ListTop(), 1);
    m_list->MakePlayListRect();
    m_list->SetListTop(5);
    m_state.PlayPosition = 6;
    m_h->app.SetPlayListShow(true);
    m_list->RefreshPlayList();
    EXPECT_GT(InkOfLine(0, PlayListShowColour).fore, 10);
    EXPECT_EQ(InkOfLine(0, PlayListShowColour).playing, 0);
    EXPECT_GT(InkOfLine(1, PlayListShowColour).playing, 10);
    EXPECT_EQ(InkOfLine(1, PlayListShowColour).fore, 0);
    EXPECT_EQ(InkOfLine(2, PlayListShowColour).Any(), 0); // past the end: empty line
    // The margins show the drawer's background.
    EXPECT_EQ(m_h->Pixel(5, 20), PlayListShowColour);
    EXPECT_EQ(m_h->Pixel(5, 64), PlayListShowColour);
    // Next track: the colour moves with the current track.
    m_state.PlayPosition = 5;
    m_list->RefreshPlayList();
    EXPECT_GT(InkOfLine(0, PlayListShowColour).playing, 10);
    EXPECT_GT(InkOfLine(1, PlayListShowColour).fore, 10);
    EXPECT_EQ(InkOfLine(1, PlayListShowColour).playing, 0);
    // With the drawer in and the list emptied only the body's background is left.
    m_h->app.SetPlayListShow(false);
    m_tracks.Clear();
    m_list->RefreshPlayList();
    for (int line = 0; line < 3; ++line)
        EXPECT_EQ(InkOfLine(line, BodyColour).Any(), 0) << line;
    EXPECT_EQ(m_h->Pixel(ListRight + 1, 30), Garbage);
}

TEST_F(PlayListActionTest, LongTitleNeverSpillsIntoTheTimeColumn)
{
    Make();
    m_tracks.Add(ClsZelkoMp3File("/m/a.mp3", "Artist", std::string(200, 'W'), 83));
    m_tracks.Add(ClsZelkoMp3File("/m/b.mp3", "A", "T", 83));
    m_list->MakePlayListRect();
    m_list->RefreshPlayList();
    // The time column of both lines is the same picture: "01:23".
    for (int y = 0; y < 14; ++y)
        for (int x = ListRight - 28; x < ListRight; ++x)
            ASSERT_EQ(m_h->Pixel(x, LineTop0 + y), m_h->Pixel(x, LineTop0 + 14 + y)) << x << "," << y;
    EXPECT_GT(InkOfLine(0, BodyColour, ListRight - 28, ListRight).fore, 5);
    // The long title fills its column up to the time column.
    EXPECT_GT(InkOfLine(0, BodyColour, ListRight - 40, ListRight - 28).fore, 0);
    EXPECT_GT(InkOfLine(0, BodyColour, 0, ListRight - 28).fore, InkOfLine(1, BodyColour, 0, ListRight - 28).fore);
}

TEST_F(PlayListActionTest, ScrollButtonPressedAndReleasedLooks)
{
    Make();
    m_list->Paint();
    EXPECT_EQ(m_h->Pixel(162, 25), Colour("sysbuttonssource-playlistu"));
    EXPECT_EQ(m_h->Pixel(169, 25), BodyColour); // masked: background shows
    EXPECT_EQ(m_h->Pixel(169, 45), Colour("sysbuttonssource-playlistd")); // plain
    // Pressed, then released elsewhere: the released image, no event.
    Press(MouseButton::Left, 165, 45);
    EXPECT_EQ(m_list->PressedRgnName(), "sysbuttons-playlistd");
    EXPECT_EQ(m_h->Pixel(165, 45), Colour("sysbuttonssource-playlistddown"));
    Release(MouseButton::Left, 100, 100);
    EXPECT_EQ(m_h->Pixel(165, 45), Colour("sysbuttonssource-playlistd"));
    EXPECT_TRUE(m_list->PressedRgnName().empty());
    // Up with the drawer out: the masked pressed image over the drawer picture.
    m_h->app.SetPlayListShow(true);
    Press(MouseButton::Left, 165, 25);
    EXPECT_EQ(m_h->Pixel(162, 25), Colour("sysbuttonssource-playlistudown"));
    EXPECT_EQ(m_h->Pixel(169, 25), PlayListShowColour);
    Release(MouseButton::Left, 166, 26);
    // The right button shows the pressed look but does not scroll.
    Press(MouseButton::Right, 165, 45);
    EXPECT_EQ(m_h->Pixel(165, 45), Colour("sysbuttonssource-playlistddown"));
    Release(MouseButton::Right, 165, 45);
    EXPECT_EQ(m_h->Pixel(165, 45), Colour("sysbuttonssource-playlistd"));
    Press(MouseButton::Left, 165, 45);
    Release(MouseButton::Left, 165, 45);
    EXPECT_EQ(m_events, (std::vector<std::string>{"ListUp", "ListDown"}));
}

TEST_F(PlayListActionTest, ClicksAndDoubleClicksOnLines)
{
    Make();
    AddTracks(3);
    m_list->MakePlayListRect();
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

TEST_F(PlayListActionTest, DebugFramesEveryLine)
{
    Make("/debug");
    AddTracks(1);
    m_list->MakePlayListRect();
    m_list->RefreshPlayList();
    int magenta = 0;
    for (int x = 0; x < ListRight; ++x)
        magenta += m_h->Pixel(x, LineTop0) == qRgb(255, 0, 255);
    EXPECT_GT(magenta, 10);
}
