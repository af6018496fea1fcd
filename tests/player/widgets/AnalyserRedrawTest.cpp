#include "TestSkin.h"

#include "player/playback/PlayState.h"
#include "player/widgets/ClsZelkoBodyAction.h"
#include "protocol/AnalyzeRecord.h"

#include <gtest/gtest.h>

#include <QTemporaryDir>

#include <vector>

using namespace widgettest;
using Pic = SkinBuilder::Pic;

namespace {

constexpr QRgb PeakColour = 0xFFFFFF00;
constexpr int Top = 60;
constexpr int Height = 48;
constexpr int Width = 200;

int PeakY(int level) { return Top + Height - 2 - 2 * level; }

// An analyser of 19 bands, 3 pixels wide, `pitch` pixels apart, starting at `left`.
std::unique_ptr<SkinBuilder> AnalyserSkin(int left, int pitch, QRgb shift = 0)
{
    auto b = std::make_unique<SkinBuilder>(Width, 160);
    b->Region("body-main", 0, 0, Width, 160);
    for (int band = 0; band < 19; ++band)
        b->Region("analyzer-" + std::to_string(band), left + band * pitch, Top, 3, Height);
    for (int level = 0; level <= 23; ++level)
        b->Image(Pic::Title, "analyzersource-" + std::to_string(level), Distinct(300 + level) ^ shift, 3, Height);
    const auto [px, py] = b->Block(Pic::Title, 3, 1, PeakColour);
    b->AddRect("peeksource-value", px, py, 3, 1);
    return b;
}

class AnalyserRedrawTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_dir.isValid());
        EnsureApplication();
        m_builder = AnalyserSkin(0, 4);
        m_h = std::make_unique<Harness>(m_builder->Result(), "", m_dir.path().toStdString() + "/", Width, 160);
        for (int level = 0; level <= 23; ++level)
            m_h->skin.colours.peekPositions[static_cast<std::size_t>(level)] = PeakY(level);
        m_body = std::make_unique<ClsZelkoBodyAction>(m_h->Context(), m_analyze, m_state);
        // Records what each refresh changes instead of scheduling repaints.
        m_h->window->Surface().SetChangeListener([this](const platform::Rect& r) { m_changed.push_back(r); });
    }
    void TearDown() override { m_h->window->Surface().SetChangeListener({}); }

    void SetBand(int band, int32_t value) { m_analyze.Spectrum1[static_cast<std::size_t>(3 * band)] = value; }
    QRgb Pixel(int x, int y) const { return m_h->Pixel(x, y); }
    QRgb Colour(int level) const { return m_builder->ColourOf("analyzersource-" + std::to_string(level)); }

    // Refreshes and returns the rectangles that changed.
    std::vector<platform::Rect> Refresh()
    {
        m_changed.clear();
        m_body->RefreshSpectrumData();
        return m_changed;
    }

    // Whether every changed rectangle lies within the band's column.
    static bool AllInBand(const std::vector<platform::Rect>& rects, int left)
    {
        const platform::Rect band = platform::Rect::FromSize(left, Top, 3, Height);
        for (const platform::Rect& r : rects)
            if (r.Intersected(band) != r)
                return false;
        return !rects.empty();
    }

    QTemporaryDir m_dir;
    protocol::AnalyzeRecord m_analyze;
    PlayState m_state;
    std::unique_ptr<SkinBuilder> m_builder;
    std::unique_ptr<Harness> m_h;
    std::unique_ptr<ClsZelkoBodyAction> m_body;
    std::vector<platform::Rect> m_changed;
};

} // namespace

TEST_F(AnalyserRedrawTest, OnlyBandsThatChangedAreDrawnAgain)
{
    SetBand(2, 95); // level 10
    EXPECT_FALSE(Refresh().empty());
    EXPECT_EQ(Pixel(2 * 4 + 1, Top + 1), Colour(10));
    // The same spectrum again draws nothing at all.
    const uint64_t before = m_h->window->Surface().ChangeCount();
    EXPECT_TRUE(Refresh().empty());
    EXPECT_EQ(m_h->window->Surface().ChangeCount(), before);
    // One band rising draws that band alone.
    SetBand(7, 70); // level 5
    EXPECT_TRUE(AllInBand(Refresh(), 7 * 4));
    EXPECT_EQ(Pixel(7 * 4 + 1, Top + 1), Colour(5));
    EXPECT_EQ(Pixel(2 * 4 + 1, Top + 1), Colour(10));
    EXPECT_EQ(Pixel(0 * 4 + 1, Top + 1), Colour(0));
}

TEST_F(AnalyserRedrawTest, AFallingPeakRedrawsItsBandUntilItRests)
{
    SetBand(4, 95); // level 10
    Refresh();
    SetBand(4, 0);
    // Ten refreshes show the marker at 10, 9, ..., 1; each draws band 4 only.
    for (int level = 10; level >= 1; --level) {
        EXPECT_TRUE(AllInBand(Refresh(), 4 * 4)) << level;
        EXPECT_EQ(Pixel(4 * 4 + 1, PeakY(level)), PeakColour) << level;
    }
    // The marker reaches the bar: drawn once more without it, then nothing.
    EXPECT_TRUE(AllInBand(Refresh(), 4 * 4));
    for (int y = Top; y < Top + Height; ++y)
        ASSERT_EQ(Pixel(4 * 4 + 1, y), Colour(0)) << y;
    EXPECT_TRUE(Refresh().empty());
}

TEST_F(AnalyserRedrawTest, BandsDrawnOverByOthersAreDrawnAgain)
{
    SetBand(1, 160);
    Refresh();
    // Something else draws over the window (another widget, a new window picture).
    m_h->window->Surface().Fill(QColor::fromRgb(Garbage));
    EXPECT_FALSE(Refresh().empty());
    EXPECT_EQ(Pixel(1 * 4 + 1, Top + 1), Colour(23));
    for (int band = 0; band < 19; ++band)
        EXPECT_NE(Pixel(band * 4 + 1, Top + 1), Garbage) << band;
    // Paint draws every band even when nothing else changed.
    m_changed.clear();
    m_body->Paint();
    EXPECT_FALSE(m_changed.empty());
}

TEST_F(AnalyserRedrawTest, ClearedPeaksTakeTheirMarkersAway)
{
    SetBand(3, 95);
    Refresh();
    SetBand(3, 0);
    Refresh();
    ASSERT_EQ(Pixel(3 * 4 + 1, PeakY(10)), PeakColour);
    m_body->PeakLevel().ClearAll();
    EXPECT_TRUE(AllInBand(Refresh(), 3 * 4));
    EXPECT_EQ(Pixel(3 * 4 + 1, PeakY(10)), Colour(0));
    EXPECT_TRUE(Refresh().empty());
}

TEST_F(AnalyserRedrawTest, ANewSkinIsLookedUpAgain)
{
    SetBand(0, 95);
    Refresh();
    // Another skin in the same place, its bands 5 pixels apart from x = 100
    // and its images in other colours; the surface itself is not touched.
    std::unique_ptr<SkinBuilder> other = AnalyserSkin(100, 5, 0x00101010);
    m_h->skin = other->Result();
    EXPECT_FALSE(Refresh().empty());
    EXPECT_EQ(Pixel(100 + 1, Top + 1), other->ColourOf("analyzersource-10"));
    EXPECT_EQ(Pixel(100 + 5 * 18 + 1, Top + 1), other->ColourOf("analyzersource-0"));
}

TEST_F(AnalyserRedrawTest, DrawingElsewhereLeavesTheBandsAlone)
{
    SetBand(6, 95);
    Refresh();
    DrawingSurface& surface = m_h->window->Surface();
    // A time digit or button drawn beside the analyser.
    const QImage blue = SkinBuilder::Solid(10, 10, 0xFF0000FF);
    surface.Copy(blue, 0, 0, platform::Rect::FromSize(120, 10, 10, 10), RasterOp::SrcCopy);
    EXPECT_TRUE(Refresh().empty());
    // Drawn across band 6 alone: that band is drawn again, and only it.
    surface.Copy(blue, 0, 0, platform::Rect::FromSize(6 * 4, Top + 4, 2, 2), RasterOp::SrcCopy);
    EXPECT_TRUE(AllInBand(Refresh(), 6 * 4));
    EXPECT_EQ(Pixel(6 * 4 + 1, Top + 5), Colour(10));
}
