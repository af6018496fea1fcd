#include "TestSkin.h"

#include "player/playback/PlayState.h"
#include "player/widgets/ClsZelkoBodyAction.h"
#include "protocol/AnalyzeRecord.h"

#include <gtest/gtest.h>

#include <QFontMetrics>
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
    int analyserLeft = 0; // band k lies at analyserLeft + k * pitch, 3 pixels wide
    int pitch = 4;
    QRgb shift = 0; // changes the colours of the analyser's images
};

std::unique_ptr<SkinBuilder> BodySkin(const Options& o)
{
    auto skin = std::make_unique<SkinBuilder>(200, 160);
    SkinBuilder& b = *skin;
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
        b.Region("analyzer-" + std::to_string(band), o.analyserLeft + band * o.pitch, AnalyzerTop, 3, AnalyzerHeight);
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
        b.Image(Pic::Title, "analyzersource-" + std::to_string(level), Distinct(300 + level) ^ o.shift, 3, AnalyzerHeight);
    // The peak marker: the rectangle's third and fourth numbers are its size.
    const auto [px, py] = b.Block(Pic::Title, 3, 1, PeakColour);
    b.AddRect("peeksource-value", px, py, 3, 1);
    return skin;
}

class BodyActionTest : public ::testing::Test {
protected:
    void Make(Options o = {})
    {
        ASSERT_TRUE(m_dir.isValid());
        EnsureApplication();
        m_builder = BodySkin(o);
        m_h = std::make_unique<Harness>(m_builder->Result(), "", m_dir.path().toStdString() + "/", 200, 160);
        for (int level = 0; level <= 23; ++level)
            m_h->skin.colours.peekPositions[static_cast<std::size_t>(level)] = PeakY(level);
        m_body = std::make_unique<ClsZelkoBodyAction>(m_h->Context(), m_analyze, m_state);
        QObject::connect(m_body.get(), &ClsZelkoBodyAction::BodyMoveFinished, [this] { ++m_moveFinished; });
        QObject::connect(m_body.get(), &ClsZelkoBodyAction::BodyRightClick, [this] { ++m_rightClicks; });
    }

    QRgb Colour(const std::string& key) const { return m_builder->ColourOf(key); }
    QRgb Level(int level) const { return Colour("analyzersource-" + std::to_string(level)); }
    QRgb Band(int band, int y = AnalyzerTop + 1) const { return m_h->Pixel(band * 4 + 1, y); }
    void SetBand(int band, int32_t value) { m_analyze.Spectrum1[static_cast<std::size_t>(3 * band)] = value; }

    void Refresh() { m_body->RefreshSpectrumData(); }

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
    m_analyze.PlayMs = 94000; // 01:34
    m_body->RefreshTimeS();
    EXPECT_EQ(m_h->Pixel(38, 45), Colour("timesource-4"));
    EXPECT_EQ(m_h->Pixel(28, 45), Colour("timesource-2"));
}

TEST_F(BodyActionTest, GaugesSelectTheImageRoundedToTens)
{
    Make();
    const std::pair<int, int> cases[] = {{4, 0}, {5, 10}, {95, 100}};
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

TEST_F(BodyActionTest, EachBandShowsTheLevelOfEveryThirdValueOfEitherChannel)
{
    Make();
    SetBand(1, 52);
    m_analyze.Spectrum2[6] = 160; // band 2, other channel
    m_analyze.Spectrum1[1] = 160; // between bands: not read
    Refresh();
    EXPECT_EQ(Band(0), Level(0));
    EXPECT_EQ(Band(1), Level(1));
    EXPECT_EQ(Band(2), Level(23));
    SetBand(7, 70); // level 5
    Refresh();
    EXPECT_EQ(Band(7), Level(5));
    EXPECT_EQ(Band(2), Level(23));
}

TEST_F(BodyActionTest, AFallingPeakMarkerDropsOneLevelPerRefreshUntilItRests)
{
    Make();
    SetBand(5, 95); // level 10
    Refresh();
    EXPECT_EQ(m_body->PeakLevel().Level(15), 10);
    for (int y = AnalyzerTop; y < AnalyzerTop + AnalyzerHeight; ++y)
        ASSERT_NE(Band(5, y), PeakColour) << "no marker while the bar reaches the peak, at " << y;
    SetBand(5, 0);
    for (int level = 10; level >= 1; --level) {
        Refresh();
        EXPECT_EQ(Band(5, PeakY(level)), PeakColour) << level;
        EXPECT_EQ(Band(5, PeakY(level) + 1), Level(0)) << level;
        if (level < 10) {
            EXPECT_EQ(Band(5, PeakY(level + 1)), Level(0)) << level;
        }
        EXPECT_NE(m_h->Pixel(5 * 4 + 3, PeakY(level)), PeakColour) << "the marker is clipped to its band";
    }
    // The marker reaches the bar: drawn once more without it.
    Refresh();
    for (int y = AnalyzerTop; y < AnalyzerTop + AnalyzerHeight; ++y)
        ASSERT_EQ(Band(5, y), Level(0)) << y;
    // A bar rising again lifts the peak at once; cleared peaks take their markers away.
    SetBand(5, 70);
    Refresh();
    EXPECT_EQ(m_body->PeakLevel().Level(15), 5);
    SetBand(5, 0);
    Refresh();
    ASSERT_EQ(Band(5, PeakY(5)), PeakColour);
    m_body->PeakLevel().ClearAll();
    Refresh();
    EXPECT_EQ(Band(5, PeakY(5)), Level(0));
}

// A band something else drew over is drawn again.
TEST_F(BodyActionTest, BandsDrawnOverByOthersAreDrawnAgain)
{
    Make();
    SetBand(6, 95);
    Refresh();
    DrawingSurface& surface = m_h->window->Surface();
    const QImage blue = SkinBuilder::Solid(10, 10, 0xFF0000FF);
    surface.Copy(blue, 0, 0, platform::Rect::FromSize(6 * 4, AnalyzerTop + 4, 2, 2), RasterOp::SrcCopy);
    Refresh();
    EXPECT_EQ(Band(6, AnalyzerTop + 5), Level(10));
    // A new window picture over everything: every band is drawn again.
    surface.Fill(QColor::fromRgb(Garbage));
    Refresh();
    for (int band = 0; band < 19; ++band)
        EXPECT_NE(Band(band), Garbage) << band;
}

TEST_F(BodyActionTest, ANewSkinIsLookedUpAgain)
{
    Make();
    SetBand(0, 95);
    Refresh();
    // Another skin in the same place, its bands 5 pixels apart from x = 100
    // and its images in other colours; the surface itself is not touched.
    const std::unique_ptr<SkinBuilder> other = BodySkin(Options{.analyserLeft = 100, .pitch = 5, .shift = 0x00101010});
    m_h->skin = other->Result();
    Refresh();
    EXPECT_EQ(m_h->Pixel(100 + 1, AnalyzerTop + 1), other->ColourOf("analyzersource-10"));
    EXPECT_EQ(m_h->Pixel(100 + 5 * 18 + 1, AnalyzerTop + 1), other->ColourOf("analyzersource-0"));
}

TEST_F(BodyActionTest, AnalyserOffKeepsWhatWasDrawn)
{
    Make();
    SetBand(0, 160);
    Refresh();
    m_h->app.SetAnalyzeProc(false);
    SetBand(0, 0);
    Refresh();
    EXPECT_EQ(Band(0), Level(23));
    EXPECT_EQ(m_body->PeakLevel().Level(0), 23);
}

TEST_F(BodyActionTest, TitleBoxShowsTheTitleAsWrittenEndingInAnEllipsisAndTheCaptionFollows)
{
    Make();
    m_h->skin.colours.SetColour(SkinColour::TitleFore, ColorRef(255, 255, 255));
    m_body->RefreshTitleBox();
    EXPECT_EQ(m_h->window->windowTitle().toStdString(), " <Zelko-Deck>");
    EXPECT_EQ(TitleTextPixels(), 0);
    m_h->app.SetArtistName("A");
    const QRect box(0, 20, 120, 14);
    auto expect = [&](const std::string& text) {
        return LiteralLine(SkinBuilder::Solid(120, 14, TitleBackground), QRect(0, 0, 120, 14),
                           m_h->window->Surface().Font(), ColorRef(255, 255, 255), text);
    };
    for (const std::string& name : AmpersandNames()) {
        m_h->app.SetTrackName(name);
        m_body->RefreshTitleBox();
        EXPECT_TRUE(m_h->window->Surface().Image().copy(box) == expect(name + " - A")) << name;
        EXPECT_EQ(m_h->window->windowTitle().toStdString(), name + " - A <Zelko-Deck>");
    }
    // A title longer than the box ends in an ellipsis inside it.
    const std::string longTitle = std::string(300, 'W') + " - A";
    m_h->app.SetTrackName(std::string(300, 'W'));
    m_body->RefreshTitleBox();
    const QString elided = QFontMetrics(m_h->window->Surface().Font())
                               .elidedText(QString::fromStdString(longTitle), Qt::ElideRight, 120);
    ASSERT_TRUE(elided.endsWith(QChar(0x2026)));
    EXPECT_TRUE(m_h->window->Surface().Image().copy(box) == expect(elided.toStdString()));
    for (int y = 20; y < 34; ++y)
        EXPECT_EQ(m_h->Pixel(125, y), Garbage);
    // Redrawing with no names clears the old text.
    m_h->app.SetTrackName("");
    m_h->app.SetArtistName("");
    m_body->RefreshTitleBox();
    EXPECT_EQ(TitleTextPixels(), 0);
}

TEST_F(BodyActionTest, DragOnTheBareBodyMovesTheWindow)
{
    Make();
    m_h->window->MoveTo(100, 50);
    m_body->MouseDown(MouseButton::Left, KeyShift::None, 120, 140);
    EXPECT_TRUE(m_body->Dragging());
    m_body->MouseMove(static_cast<MouseButtons>(MouseButton::Left), KeyShift::None, 130, 145);
    EXPECT_EQ(m_h->window->Position(), (platform::Point{110, 55}));
    m_body->MouseMove(0, KeyShift::None, 150, 150); // without the left button held: nothing
    EXPECT_EQ(m_h->window->Position(), (platform::Point{110, 55}));
    m_body->MouseUp(MouseButton::Left, KeyShift::None, 120, 140);
    EXPECT_FALSE(m_body->Dragging());
    EXPECT_EQ(m_moveFinished, 1);
    // Released without moving, on the drawer area (bare body too): still reported.
    m_body->MouseDown(MouseButton::Left, KeyShift::None, 160, 120);
    m_body->MouseUp(MouseButton::Left, KeyShift::None, 160, 120);
    EXPECT_EQ(m_moveFinished, 2);
    EXPECT_EQ(m_rightClicks, 0);
}

TEST_F(BodyActionTest, WidgetsAndTheRightButtonStartNoDragAndRightClicksCountOnlyOnTheBareBody)
{
    Make();
    m_h->window->MoveTo(100, 50);
    m_body->MouseDown(MouseButton::Left, KeyShift::None, 155, 5); // a button
    EXPECT_FALSE(m_body->Dragging());
    m_body->MouseMove(static_cast<MouseButtons>(MouseButton::Left), KeyShift::None, 165, 15);
    m_body->MouseUp(MouseButton::Left, KeyShift::None, 165, 15);
    EXPECT_EQ(m_h->window->Position(), (platform::Point{100, 50}));
    m_body->MouseDown(MouseButton::Right, KeyShift::None, 120, 140);
    EXPECT_FALSE(m_body->Dragging());
    m_body->MouseUp(MouseButton::Right, KeyShift::None, 160, 120); // lyrics drawer
    m_body->MouseUp(MouseButton::Right, KeyShift::None, 155, 5);   // a button
    m_body->MouseUp(MouseButton::Right, KeyShift::None, 2, 45);    // a time digit
    EXPECT_EQ(m_rightClicks, 0);
    m_body->MouseUp(MouseButton::Right, KeyShift::None, 120, 140);
    EXPECT_EQ(m_rightClicks, 1);
    EXPECT_EQ(m_moveFinished, 0);
}
