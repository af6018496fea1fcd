#include "TestSkin.h"

#include "player/playback/PlayState.h"
#include "player/widgets/ClsZelkoButtonAction.h"

#include <gtest/gtest.h>

#include <QTemporaryDir>

#include <fstream>
#include <sstream>
#include <vector>

using namespace widgettest;
using Pic = SkinBuilder::Pic;

namespace {

// Button k sits at (12k, 0), 10 x 10, in painting order.
int ButtonX(SkinButton b)
{
    int k = 0;
    for (SkinButton each : AllSkinButtons) {
        if (each == b)
            return 12 * k;
        ++k;
    }
    return -1;
}

void FillButtonSkin(SkinBuilder& b, bool withPulls, bool carvedOpen)
{
    b.Region("body-main", 0, 0, 200, 100);
    for (SkinButton button : AllSkinButtons) {
        if (!withPulls && ButtonTable::IsOptional(button))
            continue;
        const auto name = std::string(ButtonTable::RegionName(button));
        if (carvedOpen && button == SkinButton::Open) {
            // The open button's outline lacks its top left 3 x 3 corner.
            const platform::Region full(platform::Rect::FromSize(ButtonX(button), 0, 10, 10));
            b.RegionOf(name, full.Subtracted(platform::Region(platform::Rect::FromSize(ButtonX(button), 0, 3, 3))));
        } else {
            b.Region(name, ButtonX(button), 0, 10, 10);
        }
    }
    b.Region("playlistbox-itemrect", 0, 50, 100, 40);
    int n = 0;
    auto solid = [&](Pic pic, const std::string& key) { b.Image(pic, key, Distinct(n++)); };
    // Close, minimize and open: solid images, no masks.
    for (const char* k : {"close", "minimize", "open"}) {
        solid(Pic::SysButtons, std::string("sysbuttonssource-") + k);
        solid(Pic::SysButtons, std::string("sysbuttonssource-") + k + "down");
    }
    // Drawer pulls: masked; the down image has no mask of its own.
    for (const char* k : {"lyricspull", "playlistpull"}) {
        const std::string key = std::string("sysbuttonssource-") + k;
        b.Masked(Pic::SysButtons, key, Distinct(n++));
        b.Masked(Pic::SysButtons, key + "down", Distinct(n++), 16, 16, key + "mask");
    }
    // Play, pause, stop: masked; the down image uses the normal mask.
    for (const char* k : {"play", "pause", "stop"}) {
        const std::string key = std::string("playbuttonssource-") + k;
        b.Masked(Pic::PlayButtons, key, Distinct(n++));
        b.Masked(Pic::PlayButtons, key + "down", Distinct(n++), 16, 16, key + "mask");
    }
    for (const char* k : {"ptrack", "ntrack", "repeaton", "repeatoff", "shuffleon", "shuffleoff"}) {
        solid(Pic::PlayButtons, std::string("playbuttonssource-") + k);
        solid(Pic::PlayButtons, std::string("playbuttonssource-") + k + "down");
    }
    for (const char* k : {"plus", "minus"}) {
        solid(Pic::Title, std::string("volumesource-") + k);
        solid(Pic::Title, std::string("volumesource-") + k + "down");
    }
}

class ButtonActionTest : public ::testing::Test {
protected:
    void Make(std::string_view commandLine = "", bool withPulls = true, bool carvedOpen = false)
    {
        ASSERT_TRUE(m_dir.isValid());
        EnsureApplication();
        m_builder = std::make_unique<SkinBuilder>(200, 100);
        FillButtonSkin(*m_builder, withPulls, carvedOpen);
        m_h = std::make_unique<Harness>(m_builder->Result(), commandLine, m_dir.path().toStdString() + "/", 200, 100);
        m_buttons = std::make_unique<ClsZelkoButtonAction>(m_h->Context(), m_state);
        CountEvents();
    }

    void CountEvents()
    {
        using A = ClsZelkoButtonAction;
        const std::vector<std::pair<void (A::*)(), std::string>> events{
            {&A::CloseClick, "Close"},       {&A::MinimizeClick, "Minimize"},
            {&A::LyricsPullClick, "LyricsPull"}, {&A::PlayListPullClick, "PlayListPull"},
            {&A::OpenClick, "Open"},         {&A::PlayClick, "Play"},
            {&A::PauseClick, "Pause"},       {&A::StopClick, "Stop"},
            {&A::PTrackClick, "PTrack"},     {&A::NTrackClick, "NTrack"},
            {&A::RepeatClick, "Repeat"},     {&A::ShuffleClick, "Shuffle"},
            {&A::VolumePlusClick, "VolumePlus"}, {&A::VolumeMinusClick, "VolumeMinus"},
        };
        for (const auto& [signal, name] : events)
            QObject::connect(m_buttons.get(), signal, [this, n = name] { m_events.push_back(n); });
    }

    void Click(SkinButton b, MouseButton mouse = MouseButton::Left, int releaseX = -1)
    {
        const int x = ButtonX(b) + 5;
        m_buttons->MouseDown(mouse, KeyShift::None, x, 5);
        m_buttons->MouseUp(mouse, KeyShift::None, releaseX < 0 ? x : releaseX, 5);
    }

    // The opaque and the transparent column of a button's box.
    QRgb Opaque(SkinButton b) const { return m_h->Pixel(ButtonX(b) + 2, 5); }
    QRgb Clear(SkinButton b) const { return m_h->Pixel(ButtonX(b) + 9, 5); }
    QRgb Colour(const std::string& key) const { return m_builder->ColourOf(key); }

    void SetPlaying()
    {
        m_state.bPlay = true;
        m_state.bStop = false;
        m_state.bPause = false;
    }

    QTemporaryDir m_dir;
    PlayState m_state{.bPlay = false, .bPause = false, .bStop = true};
    std::unique_ptr<SkinBuilder> m_builder;
    std::unique_ptr<Harness> m_h;
    std::unique_ptr<ClsZelkoButtonAction> m_buttons;
    std::vector<std::string> m_events;
};

} // namespace

TEST_F(ButtonActionTest, PaintShowsIdleLooksMaskedOrSolid)
{
    Make();
    m_buttons->Paint();
    // Masked: the opaque half shows the image, the transparent half the body
    // picture (the garbage under it was restored first).
    EXPECT_EQ(Opaque(SkinButton::Play), Colour("playbuttonssource-play"));
    EXPECT_EQ(Clear(SkinButton::Play), BodyColour);
    EXPECT_EQ(Opaque(SkinButton::Stop), Colour("playbuttonssource-stopdown")); // stopped
    EXPECT_EQ(Clear(SkinButton::Stop), BodyColour);
    EXPECT_EQ(Opaque(SkinButton::LyricsPull), Colour("sysbuttonssource-lyricspull"));
    // Solid: the whole box is the image.
    EXPECT_EQ(Opaque(SkinButton::Close), Colour("sysbuttonssource-close"));
    EXPECT_EQ(Clear(SkinButton::Close), Colour("sysbuttonssource-close"));
    EXPECT_EQ(Opaque(SkinButton::Repeat), Colour("playbuttonssource-repeatoff"));
    EXPECT_EQ(Opaque(SkinButton::VolumeMinus), Colour("volumesource-minus"));
    // Nothing outside the buttons was touched.
    EXPECT_EQ(m_h->Pixel(190, 5), Garbage);
    EXPECT_EQ(m_h->Pixel(5, 12), Garbage);

    SetPlaying();
    m_state.bRepeat = true;
    m_h->app.SetLyricsShow(true);
    m_buttons->Paint();
    EXPECT_EQ(Opaque(SkinButton::Play), Colour("playbuttonssource-playdown"));
    EXPECT_EQ(Clear(SkinButton::Play), BodyColour);
    EXPECT_EQ(Opaque(SkinButton::Stop), Colour("playbuttonssource-stop"));
    EXPECT_EQ(Opaque(SkinButton::Repeat), Colour("playbuttonssource-repeaton"));
    // The down image without a mask of its own borrows the one without "down".
    EXPECT_EQ(Opaque(SkinButton::LyricsPull), Colour("sysbuttonssource-lyricspulldown"));
    EXPECT_EQ(Clear(SkinButton::LyricsPull), BodyColour);
}

TEST_F(ButtonActionTest, PainterClipsToTheOutlineButPressedLookFillsTheBox)
{
    Make("", true, true);
    const int x = ButtonX(SkinButton::Open);
    m_buttons->RefreshOpen();
    EXPECT_EQ(m_h->Pixel(x + 1, 1), Garbage);
    EXPECT_EQ(m_h->Pixel(x + 5, 5), Colour("sysbuttonssource-open"));
    m_buttons->MouseDown(MouseButton::Left, KeyShift::None, x + 5, 5);
    EXPECT_EQ(m_buttons->PressedRgnName(), "sysbuttons-open");
    EXPECT_EQ(m_h->Pixel(x + 1, 1), Colour("sysbuttonssource-opendown"));
    EXPECT_EQ(m_h->Pixel(x + 5, 5), Colour("sysbuttonssource-opendown"));
}

TEST_F(ButtonActionTest, ReleaseOnTheButtonRaisesItsEvent)
{
    Make();
    // Stopped: every button but pause and stop raises its event.
    for (SkinButton b : AllSkinButtons)
        Click(b);
    EXPECT_EQ(m_events, (std::vector<std::string>{"Close", "Minimize", "LyricsPull", "PlayListPull", "Open", "Play",
                                                  "PTrack", "NTrack", "Repeat", "Shuffle", "VolumePlus",
                                                  "VolumeMinus"}));
    EXPECT_TRUE(m_buttons->PressedRgnName().empty());
    m_events.clear();
    SetPlaying();
    Click(SkinButton::Play);
    Click(SkinButton::Pause);
    Click(SkinButton::Stop);
    EXPECT_EQ(m_events, (std::vector<std::string>{"Pause", "Stop"}));
    m_events.clear();
    m_state.bPause = true; // paused: pause resumes, no pressed look
    Click(SkinButton::Pause);
    EXPECT_EQ(m_events, std::vector<std::string>{"Pause"});
}

TEST_F(ButtonActionTest, PressingPlayWhilePlayingShowsPressedLookButRaisesNothing)
{
    Make();
    SetPlaying();
    m_buttons->Paint();
    m_buttons->MouseDown(MouseButton::Left, KeyShift::None, ButtonX(SkinButton::Play) + 5, 5);
    EXPECT_EQ(Opaque(SkinButton::Play), Colour("playbuttonssource-playdown"));
    m_buttons->MouseUp(MouseButton::Left, KeyShift::None, ButtonX(SkinButton::Play) + 5, 5);
    EXPECT_TRUE(m_events.empty());
}

TEST_F(ButtonActionTest, PressingPauseWhileStoppedShowsNothingAndRaisesNothing)
{
    Make();
    m_buttons->Paint();
    m_buttons->MouseDown(MouseButton::Left, KeyShift::None, ButtonX(SkinButton::Pause) + 5, 5);
    EXPECT_EQ(m_buttons->PressedRgnName(), "playbuttons-pause");
    EXPECT_EQ(Opaque(SkinButton::Pause), Colour("playbuttonssource-pause"));
    m_buttons->MouseUp(MouseButton::Left, KeyShift::None, ButtonX(SkinButton::Pause) + 5, 5);
    EXPECT_TRUE(m_events.empty());
}

TEST_F(ButtonActionTest, PressedPullShowsTheLookAfterTheClickAndMovingOffRestoresIt)
{
    Make();
    m_h->app.SetLyricsShow(true); // drawer out
    m_buttons->Paint();
    const int x = ButtonX(SkinButton::LyricsPull);
    m_buttons->MouseDown(MouseButton::Left, KeyShift::None, x + 5, 5);
    EXPECT_EQ(Opaque(SkinButton::LyricsPull), Colour("sysbuttonssource-lyricspull"));
    // Released off the button (on the bare body): no event, current look again.
    m_buttons->MouseUp(MouseButton::Left, KeyShift::None, 150, 50);
    EXPECT_TRUE(m_events.empty());
    EXPECT_TRUE(m_buttons->PressedRgnName().empty());
    EXPECT_EQ(Opaque(SkinButton::LyricsPull), Colour("sysbuttonssource-lyricspulldown"));
    EXPECT_EQ(Clear(SkinButton::LyricsPull), BodyColour);

    m_h->app.SetLyricsShow(false); // drawer in
    m_buttons->MouseDown(MouseButton::Left, KeyShift::None, x + 5, 5);
    EXPECT_EQ(Opaque(SkinButton::LyricsPull), Colour("sysbuttonssource-lyricspulldown"));
    // Released on another button: still no event.
    m_buttons->MouseUp(MouseButton::Left, KeyShift::None, ButtonX(SkinButton::Play) + 5, 5);
    EXPECT_TRUE(m_events.empty());
    EXPECT_EQ(Opaque(SkinButton::LyricsPull), Colour("sysbuttonssource-lyricspull"));
}

TEST_F(ButtonActionTest, OtherMouseButtonsAndPressesOutsideButtonsDoNothing)
{
    Make();
    m_buttons->Paint();
    Click(SkinButton::Open, MouseButton::Right);
    EXPECT_TRUE(m_events.empty());
    EXPECT_EQ(Opaque(SkinButton::Open), Colour("sysbuttonssource-open"));
    // A press on another widget's region only records its name.
    m_buttons->MouseDown(MouseButton::Left, KeyShift::None, 10, 60);
    EXPECT_EQ(m_buttons->PressedRgnName(), "playlistbox-itemrect");
    m_buttons->MouseUp(MouseButton::Left, KeyShift::None, 10, 60);
    // A press on the bare body records nothing.
    m_buttons->MouseDown(MouseButton::Left, KeyShift::None, 150, 50);
    EXPECT_TRUE(m_buttons->PressedRgnName().empty());
    m_buttons->MouseUp(MouseButton::Left, KeyShift::None, 150, 50);
    EXPECT_TRUE(m_events.empty());
}

TEST_F(ButtonActionTest, SkinWithoutPullsPaintsTheRest)
{
    Make("", false);
    m_buttons->Paint();
    EXPECT_EQ(Opaque(SkinButton::LyricsPull), Garbage);
    EXPECT_EQ(Opaque(SkinButton::PlayListPull), Garbage);
    EXPECT_EQ(Opaque(SkinButton::Open), Colour("sysbuttonssource-open"));
}

TEST_F(ButtonActionTest, DebugDrawsDottedMagentaFrames)
{
    Make("/debug");
    m_buttons->RefreshOpen();
    const int x = ButtonX(SkinButton::Open);
    int magenta = 0;
    for (int i = 0; i < 10; ++i)
        magenta += (m_h->Pixel(x + i, 0) == qRgb(255, 0, 255)) + (m_h->Pixel(x, i) == qRgb(255, 0, 255));
    EXPECT_GT(magenta, 3);
    EXPECT_LT(magenta, 20); // dotted, not solid
    EXPECT_EQ(m_h->Pixel(x + 5, 5), Colour("sysbuttonssource-open")); // no fill
}

TEST_F(ButtonActionTest, EmptyBoxWritesTheDiagnosticLine)
{
    ASSERT_TRUE(m_dir.isValid());
    EnsureApplication();
    m_builder = std::make_unique<SkinBuilder>(200, 100);
    m_builder->RegionOf("sysbuttons-open", platform::Region());
    m_builder->Image(Pic::SysButtons, "sysbuttonssource-open", Distinct(1));
    m_h = std::make_unique<Harness>(m_builder->Result(), "/log", m_dir.path().toStdString() + "/", 200, 100);
    m_buttons = std::make_unique<ClsZelkoButtonAction>(m_h->Context(), m_state);
    m_buttons->RefreshOpen();
    m_buttons->RefreshOpen();
    std::ifstream log(m_h->app.RunLogPath());
    std::stringstream text;
    text << log.rdbuf();
    EXPECT_EQ(text.str(), "coKey=sysbuttonssource-open,Left=0,Top=0,Right=0,Bottom=0\r\n"
                          "coKey=sysbuttonssource-open,Left=0,Top=0,Right=0,Bottom=0\r\n");
    EXPECT_EQ(m_h->Pixel(0, 0), Garbage);
}
