#include "TestSkin.h"

#include "player/playback/PlayState.h"
#include "player/widgets/ClsZelkoButtonAction.h"

#include <gtest/gtest.h>

#include <vector>

using namespace playback;
using namespace skin;
using namespace widgets;

using namespace widgettest;

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

enum class Pulls { With,
                   Without };
enum class OpenOutline { Square,
                         Carved };

void FillButtonSkin(SkinBuilder& b, Pulls pulls, OpenOutline outline)
{
    b.Region("body-main", 0, 0, 200, 100);
    for (SkinButton button : AllSkinButtons) {
        if (pulls == Pulls::Without && ButtonTable::IsOptional(button))
            continue;
        const auto name = std::string(ButtonTable::RegionName(button));
        const platform::Region full(platform::Rect::FromSize(ButtonX(button), 0, 10, 10));
        // The carved open button's outline lacks its top left 3 x 3 corner.
        if (outline == OpenOutline::Carved && button == SkinButton::Open)
            b.RegionOf(name, full.Subtracted(platform::Region(platform::Rect::FromSize(ButtonX(button), 0, 3, 3))));
        else
            b.RegionOf(name, full);
    }
    int n = 0;
    auto solid = [&](const std::string& key) {
        b.Image(key, Distinct(n++));
        b.Image(key + "down", Distinct(n++));
    };
    // Masked buttons; their down images have no mask of their own.
    auto masked = [&](const std::string& key) {
        b.Masked(key, Distinct(n++));
        b.Masked(key + "down", Distinct(n++), key + "mask");
    };
    for (const char* k : {"close", "minimize", "open"})
        solid(std::string("sysbuttonssource-") + k);
    for (const char* k : {"lyricspull", "playlistpull"})
        masked(std::string("sysbuttonssource-") + k);
    for (const char* k : {"play", "pause", "stop"})
        masked(std::string("playbuttonssource-") + k);
    for (const char* k : {"ptrack", "ntrack", "repeaton", "repeatoff", "shuffleon", "shuffleoff"})
        solid(std::string("playbuttonssource-") + k);
    for (const char* k : {"plus", "minus"})
        solid(std::string("volumesource-") + k);
}

class ButtonActionTest : public ::testing::Test {
protected:
    void Make(Pulls pulls = Pulls::With, OpenOutline outline = OpenOutline::Square)
    {
        m_builder = std::make_unique<SkinBuilder>(200, 100);
        FillButtonSkin(*m_builder, pulls, outline);
        m_h = std::make_unique<Harness>(m_builder->Result(), "", 200, 100);
        m_buttons = std::make_unique<ClsZelkoButtonAction>(m_h->Context(), m_state);
        using A = ClsZelkoButtonAction;
        const std::vector<std::pair<void (A::*)(), std::string>> events{
            {&A::CloseClick, "Close"},
            {&A::MinimizeClick, "Minimize"},
            {&A::LyricsPullClick, "LyricsPull"},
            {&A::PlayListPullClick, "PlayListPull"},
            {&A::OpenClick, "Open"},
            {&A::PlayClick, "Play"},
            {&A::PauseClick, "Pause"},
            {&A::StopClick, "Stop"},
            {&A::PTrackClick, "PTrack"},
            {&A::NTrackClick, "NTrack"},
            {&A::RepeatClick, "Repeat"},
            {&A::ShuffleClick, "Shuffle"},
            {&A::VolumePlusClick, "VolumePlus"},
            {&A::VolumeMinusClick, "VolumeMinus"},
        };
        for (const auto& [signal, name] : events)
            QObject::connect(m_buttons.get(), signal, [this, n = name] { m_events.push_back(n); });
    }

    void Press(SkinButton b, MouseButton mouse = MouseButton::Left)
    {
        m_buttons->MouseDown(mouse, KeyShift::None, ButtonX(b) + 5, 5);
    }
    void Release(int x, int y, MouseButton mouse = MouseButton::Left) { m_buttons->MouseUp(mouse, KeyShift::None, x, y); }
    void Click(SkinButton b, MouseButton mouse = MouseButton::Left)
    {
        Press(b, mouse);
        Release(ButtonX(b) + 5, 5, mouse);
    }

    // The opaque and the transparent column of a button's box.
    QRgb Opaque(SkinButton b) const { return m_h->Pixel(ButtonX(b) + 2, 5); }
    QRgb Clear(SkinButton b) const { return m_h->Pixel(ButtonX(b) + 9, 5); }
    QRgb Colour(const std::string& key) const { return m_builder->ColourOf(key); }

    void SetPlaying(bool paused = false)
    {
        m_state.bPlay = true;
        m_state.bStop = false;
        m_state.bPause = paused;
    }

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
    // Masked: the transparent half shows the body picture, not the garbage under it.
    EXPECT_EQ(Opaque(SkinButton::Play), Colour("playbuttonssource-play"));
    EXPECT_EQ(Clear(SkinButton::Play), BodyColour);
    EXPECT_EQ(Opaque(SkinButton::Stop), Colour("playbuttonssource-stopdown")); // stopped
    EXPECT_EQ(Clear(SkinButton::Close), Colour("sysbuttonssource-close"));     // solid
    EXPECT_EQ(m_h->Pixel(190, 5), Garbage);
    EXPECT_EQ(m_h->Pixel(5, 12), Garbage);

    SetPlaying();
    m_h->app.SetLyricsShow(true);
    m_h->app.SetPlayListShow(true);
    m_buttons->Paint();
    EXPECT_EQ(Opaque(SkinButton::Play), Colour("playbuttonssource-playdown"));
    // The down image without a mask of its own borrows the one without "down".
    EXPECT_EQ(Opaque(SkinButton::LyricsPull), Colour("sysbuttonssource-lyricspulldown"));
    EXPECT_EQ(Clear(SkinButton::LyricsPull), BodyColour);
    EXPECT_EQ(Opaque(SkinButton::PlayListPull), Colour("sysbuttonssource-playlistpulldown"));
}

TEST_F(ButtonActionTest, PainterClipsToTheOutlineButPressedLookFillsTheBox)
{
    Make(Pulls::With, OpenOutline::Carved);
    const int x = ButtonX(SkinButton::Open);
    m_buttons->RefreshOpen();
    EXPECT_EQ(m_h->Pixel(x + 1, 1), Garbage);
    EXPECT_EQ(m_h->Pixel(x + 5, 5), Colour("sysbuttonssource-open"));
    Press(SkinButton::Open);
    EXPECT_EQ(m_h->Pixel(x + 1, 1), Colour("sysbuttonssource-opendown"));
    EXPECT_EQ(m_h->Pixel(x + 5, 5), Colour("sysbuttonssource-opendown"));
}

TEST_F(ButtonActionTest, ReleaseOnTheButtonRaisesItsEvent)
{
    Make();
    // Stopped: every button but pause and stop raises its event.
    for (SkinButton b : AllSkinButtons)
        Click(b);
    EXPECT_EQ(m_events, (std::vector<std::string>{"Close", "Minimize", "LyricsPull", "PlayListPull", "Open", "Play", "PTrack", "NTrack", "Repeat", "Shuffle", "VolumePlus", "VolumeMinus"}));
}

// A transport button that has nothing to do in the play state shows no pressed look or raises nothing.
TEST_F(ButtonActionTest, PressedLooksAndEventsFollowThePlayState)
{
    enum class State { Stopped,
                       Playing,
                       Paused };
    struct Row {
        State state;
        SkinButton button;
        const char* look;  // the pressed image, or nullptr: the idle look stays
        const char* event; // or nullptr: nothing is raised
    };
    const Row rows[] = {
        {State::Stopped, SkinButton::Play, "playbuttonssource-playdown", "Play"},
        {State::Stopped, SkinButton::Pause, nullptr, nullptr},
        {State::Stopped, SkinButton::Stop, nullptr, nullptr},
        {State::Stopped, SkinButton::Repeat, "playbuttonssource-repeatoffdown", "Repeat"},
        {State::Playing, SkinButton::Play, "playbuttonssource-playdown", nullptr},
        {State::Playing, SkinButton::Pause, "playbuttonssource-pausedown", "Pause"},
        {State::Playing, SkinButton::Stop, "playbuttonssource-stopdown", "Stop"},
        {State::Playing, SkinButton::Shuffle, "playbuttonssource-shuffleondown", "Shuffle"},
        {State::Paused, SkinButton::Pause, nullptr, "Pause"},
    };
    Make();
    for (const Row& row : rows) {
        SCOPED_TRACE(static_cast<int>(row.state) * 100 + static_cast<int>(row.button));
        m_state = PlayState{.bPlay = false, .bPause = false, .bStop = true};
        if (row.state != State::Stopped)
            SetPlaying(row.state == State::Paused);
        m_state.bShuffle = true;
        m_events.clear();
        m_buttons->Paint();
        const QRgb idle = Opaque(row.button);
        Press(row.button);
        EXPECT_EQ(Opaque(row.button), row.look ? Colour(row.look) : idle);
        Release(ButtonX(row.button) + 5, 5);
        EXPECT_EQ(m_events, row.event ? std::vector<std::string>{row.event} : std::vector<std::string>{});
    }
}

TEST_F(ButtonActionTest, ReleasedOffTheButtonNothingIsRaisedAndTheCurrentLookReturns)
{
    Make();
    m_h->app.SetLyricsShow(true); // drawer out
    m_buttons->Paint();
    Press(SkinButton::LyricsPull);
    EXPECT_EQ(Opaque(SkinButton::LyricsPull), Colour("sysbuttonssource-lyricspull"));
    Release(150, 50); // on the bare body
    EXPECT_EQ(Opaque(SkinButton::LyricsPull), Colour("sysbuttonssource-lyricspulldown"));
    EXPECT_EQ(Clear(SkinButton::LyricsPull), BodyColour);
    // Other mouse buttons do nothing.
    Click(SkinButton::Open, MouseButton::Right);
    EXPECT_EQ(Opaque(SkinButton::Open), Colour("sysbuttonssource-open"));
    EXPECT_TRUE(m_events.empty());
}

TEST_F(ButtonActionTest, SkinWithoutPullsPaintsTheRest)
{
    Make(Pulls::Without);
    m_buttons->Paint();
    EXPECT_EQ(Opaque(SkinButton::LyricsPull), Garbage);
    EXPECT_EQ(Opaque(SkinButton::PlayListPull), Garbage);
    EXPECT_EQ(Opaque(SkinButton::Open), Colour("sysbuttonssource-open"));
}
