#include "TestSkin.h"

#include "player/playback/PlayState.h"
#include "player/widgets/ClsZelkoBodyAction.h"
#include "protocol/AnalyzeRecord.h"

#include <gtest/gtest.h>

#include <QPainter>

using namespace playback;
using namespace skin;
using namespace widgets;

using namespace widgettest;

namespace {

constexpr QRgb TitleBackground = 0xFF305070;
constexpr QRgb PeakColour = 0xFFFFFF00;
constexpr int AnalyzerTop = 60;
constexpr int AnalyzerHeight = 48;

int PeakY(int level) { return AnalyzerTop + AnalyzerHeight - 2 - 2 * level; }

// The title box with the text drawn literally (an "&" is no access-key mark).
QImage TitleBox(const QFont& font, const std::string& text)
{
    QImage box(120, 14, QImage::Format_RGB32);
    box.fill(TitleBackground);
    QPainter p(&box);
    p.setFont(font);
    p.setPen(Qt::white);
    p.drawText(box.rect(), Qt::AlignLeft | Qt::AlignVCenter, QString::fromStdString(text));
    return box;
}

struct Options {
    bool colon = true;
    bool seek100 = true;
    int analyserLeft = 0; // band k lies at analyserLeft + k * pitch, 3 pixels wide
    int pitch = 4;
    QRgb shift = 0; // for the analyser's images
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

    b.Image("titleboxsource-text", TitleBackground, 120, 14);
    for (int d = 0; d <= 9; ++d)
        b.Image("timesource-" + std::to_string(d), Distinct(d), 8, 10);
    b.Image("timesource-colon", Distinct(10), 4, 10);
    for (int v = 0; v <= 100; v += 10) {
        if (v < 100 || o.seek100)
            b.Image("seekbarsource-" + std::to_string(v), Distinct(100 + v), 40, 6);
        b.Image("volumesource-" + std::to_string(v), Distinct(200 + v), 40, 6);
    }
    for (int level = 0; level <= 23; ++level)
        b.Image("analyzersource-" + std::to_string(level), Distinct(300 + level) ^ o.shift, 3, AnalyzerHeight);
    // The peak marker's rectangle takes width and height.
    const int peakTop = b.Block(3, 1, PeakColour);
    b.AddRect("peeksource-value", 0, peakTop, 3, 1);
    return skin;
}

class BodyActionTest : public ::testing::Test {
protected:
    void Make(Options o = {})
    {
        m_builder = BodySkin(o);
        m_h = std::make_unique<Harness>(m_builder->Result(), "", 200, 160);
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

    protocol::AnalyzeRecord m_analyze;
    PlayState m_state;
    std::unique_ptr<SkinBuilder> m_builder;
    std::unique_ptr<Harness> m_h;
    std::unique_ptr<ClsZelkoBodyAction> m_body;
    int m_moveFinished = 0;
    int m_rightClicks = 0;
};

} // namespace

// A skin without the colon and the full seek-bar image: those are skipped, the rest is drawn.
TEST_F(BodyActionTest, TimeDigitsShowMinutesAndSecondsAndWhatTheSkinLacksIsSkipped)
{
    Make(Options{.colon = false, .seek100 = false});
    m_analyze.PlayMs = 83456; // 01:23
    m_h->app.SetSeekPosition(100);
    m_body->Paint();
    EXPECT_EQ(m_h->Pixel(2, 45), Colour("timesource-0"));
    EXPECT_EQ(m_h->Pixel(12, 45), Colour("timesource-1"));
    EXPECT_EQ(m_h->Pixel(21, 45), Garbage);
    EXPECT_EQ(m_h->Pixel(28, 45), Colour("timesource-2"));
    EXPECT_EQ(m_h->Pixel(38, 45), Colour("timesource-3"));
    EXPECT_EQ(m_h->Pixel(60, 42), Garbage);
}

TEST_F(BodyActionTest, GaugesSelectTheImageRoundedToTens)
{
    Make();
    for (const auto& [value, image] : {std::pair{4, 0}, std::pair{5, 10}}) {
        m_h->app.SetSeekPosition(value);
        m_state.Volume = value;
        m_body->RefreshSeekBar();
        m_body->RefreshVolumeValue();
        EXPECT_EQ(m_h->Pixel(60, 42), Colour("seekbarsource-" + std::to_string(image))) << value;
        EXPECT_EQ(m_h->Pixel(110, 42), Colour("volumesource-" + std::to_string(image))) << value;
    }
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
}

TEST_F(BodyActionTest, AFallingPeakMarkerIsDrawnInItsBandUntilItRests)
{
    Make();
    SetBand(5, 95); // level 10
    Refresh();
    SetBand(5, 0);
    Refresh();
    EXPECT_EQ(Band(5, PeakY(10)), PeakColour);
    EXPECT_EQ(Band(5, PeakY(10) + 1), Level(0));
    EXPECT_NE(m_h->Pixel(5 * 4 + 3, PeakY(10)), PeakColour) << "the marker is clipped to its band";
    for (int refresh = 0; refresh < 10; ++refresh)
        Refresh();
    for (int y = AnalyzerTop; y < AnalyzerTop + AnalyzerHeight; ++y)
        ASSERT_EQ(Band(5, y), Level(0)) << y;
}

TEST_F(BodyActionTest, BandsDrawnOverByOthersAreDrawnAgain)
{
    Make();
    SetBand(6, 95);
    Refresh();
    DrawingSurface& surface = m_h->window.Surface();
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
    // Another skin: bands 5 apart from x = 100, images in other colours.
    const std::unique_ptr<SkinBuilder> other = BodySkin(Options{.analyserLeft = 100, .pitch = 5, .shift = 0x00101010});
    m_h->skin = other->Result();
    Refresh();
    EXPECT_EQ(m_h->Pixel(100 + 1, AnalyzerTop + 1), other->ColourOf("analyzersource-10"));
    EXPECT_EQ(m_h->Pixel(100 + 5 * 18 + 1, AnalyzerTop + 1), other->ColourOf("analyzersource-0"));
}

TEST_F(BodyActionTest, TitleBoxShowsTheTitleAsWrittenAndTheCaptionFollows)
{
    Make();
    m_h->skin.colours.SetColour(SkinColour::TitleFore, ColorRef(255, 255, 255));
    m_h->app.SetArtistName("A");
    const QRect box(0, 20, 120, 14);
    const QFont& font = m_h->window.Surface().Font();
    // An "&" inside a name, doubled, and last.
    m_h->app.SetTrackName("S & D && R &");
    m_body->RefreshTitleBox();
    EXPECT_TRUE(m_h->window.Surface().Image().copy(box) == TitleBox(font, "S & D && R & - A"));
    EXPECT_EQ(m_h->window.windowTitle().toStdString(), "S & D && R & - A <Zelko-Deck>");
    // Redrawing with no names clears the old text.
    m_h->app.SetTrackName("");
    m_h->app.SetArtistName("");
    m_body->RefreshTitleBox();
    EXPECT_TRUE(m_h->window.Surface().Image().copy(box) == TitleBox(font, ""));
}

TEST_F(BodyActionTest, DragOnTheBareBodyMovesTheWindowAndRightClicksCountOnlyThere)
{
    Make();
    m_h->window.MoveTo(100, 50);
    m_body->MouseDown(MouseButton::Left, KeyShift::None, 120, 140);
    m_body->MouseMove(static_cast<MouseButtons>(MouseButton::Left), KeyShift::None, 130, 145);
    EXPECT_EQ(m_h->window.Position(), (platform::Point{110, 55}));
    m_body->MouseMove(0, KeyShift::None, 150, 150); // without the left button held: nothing
    EXPECT_EQ(m_h->window.Position(), (platform::Point{110, 55}));
    m_body->MouseUp(MouseButton::Left, KeyShift::None, 120, 140);
    EXPECT_FALSE(m_body->Dragging());
    EXPECT_EQ(m_moveFinished, 1);
    // A press on a widget starts no drag.
    m_body->MouseDown(MouseButton::Left, KeyShift::None, 155, 5);
    EXPECT_FALSE(m_body->Dragging());
    m_body->MouseUp(MouseButton::Left, KeyShift::None, 165, 15);
    m_body->MouseUp(MouseButton::Right, KeyShift::None, 160, 120); // lyrics drawer
    m_body->MouseUp(MouseButton::Right, KeyShift::None, 155, 5);   // a button
    EXPECT_EQ(m_rightClicks, 0);
    m_body->MouseUp(MouseButton::Right, KeyShift::None, 120, 140);
    EXPECT_EQ(m_rightClicks, 1);
    EXPECT_EQ(m_moveFinished, 1);
}
