#include "TestSkin.h"

#include "player/playback/PlayState.h"
#include "player/widgets/ClsZelkoBodyAction.h"
#include "protocol/AnalyzeRecord.h"

#include <gtest/gtest.h>

#include <QTemporaryDir>

using namespace widgettest;
using Pic = SkinBuilder::Pic;

namespace {

constexpr QRgb TitleBackground = 0xFF305070;
constexpr QRgb PeakColour = 0xFFFFFF00;
constexpr int AnalyzerTop = 60;
constexpr int AnalyzerHeight = 48;

int PeakY(int level) { return AnalyzerTop + AnalyzerHeight - 2 - 2 * level; }

struct Options {
    bool colon = true;
    bool seek100 = true;
};

void FillBodySkin(SkinBuilder& b, const Options& o)
{
    b.Region("body-main", 0, 0, 200, 160);
    b.Region("titlebox-textrect", 0, 20, 120, 14);
    b.Region("time-mm", 0, 40, 8, 10);
    b.Region("time-m", 10, 40, 8, 10);
    if (o.colon)
        b.Region("time-colon", 20, 40, 4, 10);
    b.Region("time-ss", 26, 40, 8, 10);
    b.Region("time-s", 36, 40, 8, 10);
    b.Region("seekbar-container", 50, 40, 40, 6);
    b.Region("volume-container", 100, 40, 40, 6);
    for (int band = 0; band < 19; ++band)
        b.Region("analyzer-" + std::to_string(band), band * 4, AnalyzerTop, 3, AnalyzerHeight);
    b.Region("playbuttons-play", 150, 0, 10, 10);
    b.Region("body-lyricsshow", 150, 100, 50, 50);

    b.Image(Pic::Title, "titleboxsource-text", TitleBackground, 120, 14);
    for (int d = 0; d <= 9; ++d)
        b.Image(Pic::Title, "timesource-" + std::to_string(d), Distinct(d), 8, 10);
    b.Image(Pic::Title, "timesource-colon", Distinct(10), 4, 10);
    for (int v = 0; v <= 100; v += 10) {
        if (v < 100 || o.seek100)
            b.Image(Pic::Title, "seekbarsource-" + std::to_string(v), Distinct(100 + v), 40, 6);
        b.Image(Pic::Title, "volumesource-" + std::to_string(v), Distinct(200 + v), 40, 6);
    }
    for (int level = 0; level <= 23; ++level)
        b.Image(Pic::Title, "analyzersource-" + std::to_string(level), Distinct(300 + level), 3, AnalyzerHeight);
    // The peak marker: the rectangle's third and fourth numbers are its size.
    const auto [px, py] = b.Block(Pic::Title, 3, 1, PeakColour);
    b.AddRect("peeksource-value", px, py, 3, 1);
}

class BodyActionTest : public ::testing::Test {
protected:
    void Make(Options o = {})
    {
        ASSERT_TRUE(m_dir.isValid());
        EnsureApplication();
        m_builder = std::make_unique<SkinBuilder>(200, 160);
        FillBodySkin(*m_builder, o);
        m_h = std::make_unique<Harness>(m_builder->Result(), "", m_dir.path().toStdString() + "/", 200, 160);
        for (int level = 0; level <= 23; ++level)
            m_h->skin.colours.peekPositions[static_cast<std::size_t>(level)] = PeakY(level);
        m_body = std::make_unique<ClsZelkoBodyAction>(m_h->Context(), m_analyze, m_state);
        QObject::connect(m_body.get(), &ClsZelkoBodyAction::BodyMoveFinished, [this] { ++m_moveFinished; });
        QObject::connect(m_body.get(), &ClsZelkoBodyAction::BodyRightClick, [this] { ++m_rightClicks; });
    }

    QRgb Colour(const std::string& key) const { return m_builder->ColourOf(key); }
    QRgb Band(int band, int y = AnalyzerTop + 1) const { return m_h->Pixel(band * 4 + 1, y); }
    void SetBand(int band, int32_t value) { m_analyze.Spectrum1[static_cast<std::size_t>(3 * band)] = value; }

    int TitleTextPixels() const
    {
        int n = 0;
        for (int y = 20; y < 34; ++y)
            for (int x = 0; x < 120; ++x)
                n += m_h->Pixel(x, y) != TitleBackground;
        return n;
    }

    QTemporaryDir m_dir;
    protocol::AnalyzeRecord m_analyze;
    PlayState m_state;
    std::unique_ptr<SkinBuilder> m_builder;
    std::unique_ptr<Harness> m_h;
    std::unique_ptr<ClsZelkoBodyAction> m_body;
    int m_moveFinished = 0;
    int m_rightClicks = 0;
};

} // namespace

TEST_F(BodyActionTest, TimeDigitsShowMinutesAndSeconds)
{
    Make();
    m_analyze.PlayMs = 83456; // 01:23
    m_body->Paint();
    EXPECT_EQ(m_h->Pixel(2, 45), Colour("timesource-0"));
    EXPECT_EQ(m_h->Pixel(12, 45), Colour("timesource-1"));
    EXPECT_EQ(m_h->Pixel(21, 45), Colour("timesource-colon"));
    EXPECT_EQ(m_h->Pixel(28, 45), Colour("timesource-2"));
    EXPECT_EQ(m_h->Pixel(38, 45), Colour("timesource-3"));
    // Only the digit asked for is drawn.
    m_analyze.PlayMs = 84000; // 01:24
    m_body->RefreshTimeS();
    EXPECT_EQ(m_h->Pixel(38, 45), Colour("timesource-4"));
    EXPECT_EQ(m_h->Pixel(28, 45), Colour("timesource-2"));
    // 100 minutes and more show 99.
    m_analyze.PlayMs = 6'007'000;
    m_body->Paint();
    EXPECT_EQ(m_h->Pixel(2, 45), Colour("timesource-9"));
    EXPECT_EQ(m_h->Pixel(12, 45), Colour("timesource-9"));
    EXPECT_EQ(m_h->Pixel(28, 45), Colour("timesource-0"));
    EXPECT_EQ(m_h->Pixel(38, 45), Colour("timesource-7"));
}

TEST_F(BodyActionTest, GaugesSelectTheImageRoundedToTens)
{
    Make();
    const std::pair<int, int> cases[] = {{0, 0}, {4, 0}, {5, 10}, {14, 10}, {15, 20}, {94, 90}, {95, 100}, {100, 100}};
    for (const auto& [value, image] : cases) {
        m_h->app.SetSeekPosition(value);
        m_state.Volume = value;
        m_body->RefreshSeekBar();
        m_body->RefreshVolumeValue();
        EXPECT_EQ(m_h->Pixel(60, 42), Colour("seekbarsource-" + std::to_string(image))) << value;
        EXPECT_EQ(m_h->Pixel(110, 42), Colour("volumesource-" + std::to_string(image))) << value;
    }
}

TEST_F(BodyActionTest, MissingRegionOrImageSkipsTheWidget)
{
    Make(Options{.colon = false, .seek100 = false});
    m_h->app.SetSeekPosition(100);
    m_body->Paint();
    EXPECT_EQ(m_h->Pixel(21, 45), Garbage);
    EXPECT_EQ(m_h->Pixel(60, 42), Garbage);
    EXPECT_EQ(m_h->Pixel(2, 45), Colour("timesource-0")); // the rest is drawn
}

TEST_F(BodyActionTest, AnalyserLevelsAreClampedToTheHighestImage)
{
    Make();
    SetBand(0, 0);
    SetBand(1, 52);
    m_analyze.Spectrum2[6] = 160; // band 2, other channel
    SetBand(3, 100000);
    SetBand(4, 49);
    m_body->RefreshSpectrumData();
    EXPECT_EQ(Band(0), Colour("analyzersource-0"));
    EXPECT_EQ(Band(1), Colour("analyzersource-1"));
    EXPECT_EQ(Band(2), Colour("analyzersource-23"));
    EXPECT_EQ(Band(3), Colour("analyzersource-23"));
    EXPECT_EQ(Band(4), Colour("analyzersource-0"));
    // Spectrum indexes between the bands are not read.
    m_analyze.Spectrum1[1] = 160;
    m_body->RefreshSpectrumData();
    EXPECT_EQ(Band(0), Colour("analyzersource-0"));
}

TEST_F(BodyActionTest, PeakMarkerFallsOneLevelPerRefresh)
{
    Make();
    SetBand(5, 95); // level 10
    m_body->RefreshSpectrumData();
    EXPECT_EQ(m_body->PeakLevel().Level(15), 10);
    // No marker while the bar reaches the peak.
    for (int y = AnalyzerTop; y < AnalyzerTop + AnalyzerHeight; ++y)
        ASSERT_NE(Band(5, y), PeakColour) << y;
    SetBand(5, 0);
    for (int level = 10; level >= 1; --level) {
        m_body->RefreshSpectrumData();
        EXPECT_EQ(Band(5, PeakY(level)), PeakColour) << level;
        EXPECT_EQ(Band(5, PeakY(level) + 1), Colour("analyzersource-0")) << level;
        if (level < 10) {
            EXPECT_EQ(Band(5, PeakY(level + 1)), Colour("analyzersource-0")) << level;
        }
        // The marker is clipped to its band.
        EXPECT_NE(m_h->Pixel(5 * 4 + 3, PeakY(level)), PeakColour);
    }
    m_body->RefreshSpectrumData();
    for (int y = AnalyzerTop; y < AnalyzerTop + AnalyzerHeight; ++y)
        ASSERT_NE(Band(5, y), PeakColour) << y;
    // A bar rising again lifts the peak at once.
    SetBand(5, 70); // level 5
    m_body->RefreshSpectrumData();
    EXPECT_EQ(m_body->PeakLevel().Level(15), 5);
}

TEST_F(BodyActionTest, AnalyserOffKeepsWhatWasDrawn)
{
    Make();
    SetBand(0, 160);
    m_body->RefreshSpectrumData();
    m_h->app.SetAnalyzeProc(false);
    SetBand(0, 0);
    m_body->RefreshSpectrumData();
    EXPECT_EQ(Band(0), Colour("analyzersource-23"));
    EXPECT_EQ(m_body->PeakLevel().Level(0), 23);
}

TEST_F(BodyActionTest, TitleBoxTextAndCaption)
{
    Make();
    m_h->skin.colours.SetColour(SkinColour::TitleFore, ColorRef(255, 255, 255));
    m_body->RefreshTitleBox();
    EXPECT_EQ(m_h->window->windowTitle().toStdString(), " <Zelko-Deck>");
    EXPECT_EQ(TitleTextPixels(), 0);
    EXPECT_EQ(m_h->Pixel(60, 27), TitleBackground);

    m_h->app.SetArtistName("Artist");
    m_body->RefreshTitleBox();
    EXPECT_EQ(m_h->window->windowTitle().toStdString(), "Unknown Track - Artist <Zelko-Deck>");
    EXPECT_GT(TitleTextPixels(), 20);
    // Text is in the title colour: the brightest pixels are near white.
    int bright = 0;
    for (int y = 20; y < 34; ++y)
        for (int x = 0; x < 120; ++x)
            bright += qRed(m_h->Pixel(x, y)) > 200 && qGreen(m_h->Pixel(x, y)) > 200 && qBlue(m_h->Pixel(x, y)) > 200;
    EXPECT_GT(bright, 5);
    // Redrawing with no names clears the old text.
    m_h->app.SetArtistName("");
    m_body->RefreshTitleBox();
    EXPECT_EQ(TitleTextPixels(), 0);
}

TEST_F(BodyActionTest, AmpersandsInTitlesAreDrawnAsWritten)
{
    Make();
    m_h->skin.colours.SetColour(SkinColour::TitleFore, ColorRef(255, 255, 255));
    m_h->app.SetArtistName("A");
    const QRect box(0, 20, 120, 14);
    for (const std::string& name : AmpersandNames()) {
        m_h->app.SetTrackName(name);
        m_body->RefreshTitleBox();
        const QImage expected = LiteralLine(SkinBuilder::Solid(120, 14, TitleBackground), QRect(0, 0, 120, 14),
                                            m_h->window->Surface().Font(), ColorRef(255, 255, 255), name + " - A");
        EXPECT_TRUE(m_h->window->Surface().Image().copy(box) == expected) << name;
        EXPECT_EQ(m_h->window->windowTitle().toStdString(), name + " - A <Zelko-Deck>");
    }
}

TEST_F(BodyActionTest, LongTitleStaysInsideTheBox)
{
    Make();
    m_h->skin.colours.SetColour(SkinColour::TitleFore, ColorRef(255, 255, 255));
    m_h->app.SetTrackName(std::string(300, 'W'));
    m_body->RefreshTitleBox();
    EXPECT_GT(TitleTextPixels(), 20);
    for (int y = 20; y < 34; ++y)
        EXPECT_EQ(m_h->Pixel(125, y), Garbage);
}

TEST_F(BodyActionTest, DragOnTheBareBodyMovesTheWindow)
{
    Make();
    m_h->window->MoveTo(100, 50);
    m_body->MouseDown(MouseButton::Left, KeyShift::None, 120, 140);
    EXPECT_TRUE(m_body->Dragging());
    m_body->MouseMove(static_cast<MouseButtons>(MouseButton::Left), KeyShift::None, 130, 145);
    EXPECT_EQ(m_h->window->Position(), (platform::Point{110, 55}));
    // Moves without the left button held do nothing.
    m_body->MouseMove(0, KeyShift::None, 150, 150);
    EXPECT_EQ(m_h->window->Position(), (platform::Point{110, 55}));
    m_body->MouseUp(MouseButton::Left, KeyShift::None, 120, 140);
    EXPECT_FALSE(m_body->Dragging());
    EXPECT_EQ(m_moveFinished, 1);
    // Released without moving: still reported.
    m_body->MouseDown(MouseButton::Left, KeyShift::None, 160, 120); // drawer area counts as bare body
    m_body->MouseUp(MouseButton::Left, KeyShift::None, 160, 120);
    EXPECT_EQ(m_moveFinished, 2);
    EXPECT_EQ(m_rightClicks, 0);
}

TEST_F(BodyActionTest, PressOnAWidgetStartsNoDrag)
{
    Make();
    m_h->window->MoveTo(100, 50);
    m_body->MouseDown(MouseButton::Left, KeyShift::None, 155, 5);
    EXPECT_FALSE(m_body->Dragging());
    m_body->MouseMove(static_cast<MouseButtons>(MouseButton::Left), KeyShift::None, 165, 15);
    m_body->MouseUp(MouseButton::Left, KeyShift::None, 165, 15);
    EXPECT_EQ(m_h->window->Position(), (platform::Point{100, 50}));
    EXPECT_EQ(m_moveFinished, 0);
    // Right press does not drag either.
    m_body->MouseDown(MouseButton::Right, KeyShift::None, 120, 140);
    EXPECT_FALSE(m_body->Dragging());
}

TEST_F(BodyActionTest, RightClickOnlyOnTheBareBody)
{
    Make();
    m_body->MouseUp(MouseButton::Right, KeyShift::None, 160, 120); // lyrics drawer
    m_body->MouseUp(MouseButton::Right, KeyShift::None, 155, 5);   // a button
    m_body->MouseUp(MouseButton::Right, KeyShift::None, 2, 45);    // a time digit
    EXPECT_EQ(m_rightClicks, 0);
    m_body->MouseUp(MouseButton::Right, KeyShift::None, 120, 140);
    EXPECT_EQ(m_rightClicks, 1);
    EXPECT_EQ(m_moveFinished, 0);
}
