#include "assists/scope/ScopeRenderer.h"

#include <gtest/gtest.h>

#include <tuple>

using namespace scope;

using protocol::AnalyzeRecord;

namespace {

QRgb Rgb(std::int32_t colorref)
{
    const auto c = static_cast<std::uint32_t>(colorref);
    return qRgb(static_cast<int>(c & 0xFF), static_cast<int>((c >> 8) & 0xFF), static_cast<int>((c >> 16) & 0xFF));
}

ScopeRenderer FixedColours()
{
    ScopeRenderer s(QSize(240, 180), 1);
    s.SetFColor(false);
    return s;
}

} // namespace

TEST(ScopeRenderer, ColoursRunThroughTheirGradientsFromARandomStartAndAngle270PointsUp)
{
    ScopeRenderer s(QSize(240, 180), 7);
    // White to black and back; red, yellow, green, cyan, blue, magenta and back to red.
    const auto& back = s.BackColors();
    ASSERT_EQ(back.size(), 512u);
    EXPECT_EQ((std::vector<std::int32_t>{back[0], back[255], back[256], back[511]}),
              (std::vector<std::int32_t>{0xFFFFFF, 0, 0, 0xFFFFFF}));
    const auto& fore = s.ForeColors();
    ASSERT_EQ(fore.size(), 1536u);
    EXPECT_EQ((std::vector<std::int32_t>{fore[0], fore[255], fore[256], fore[512], fore[768], fore[1024], fore[1280], fore[1535]}),
              (std::vector<std::int32_t>{0x0000FF, 0x00FFFF, 0x00FFFF, 0x00FF00, 0xFFFF00, 0xFF0000, 0xFF00FF, 0x0000FF}));
    // The random start depends on the seed only.
    ScopeRenderer same(QSize(240, 180), 7);
    EXPECT_EQ(std::tuple(same.BackIndex(), same.ForeIndexA(), same.ForeIndexB()), std::tuple(s.BackIndex(), s.ForeIndexA(), s.ForeIndexB()));
    // Angle 270 points straight up, 180 to the left.
    EXPECT_EQ(s.PointAt(10, 270, 120, 90), QPoint(120, 80));
    EXPECT_EQ(s.PointAt(10, 180, 120, 90), QPoint(110, 90));
}

TEST(ScopeRenderer, BandBarsGrowFromTheCentreLineAndSilencedPeaksSinkOnePixelPerRecord)
{
    ScopeRenderer s = FixedColours();
    s.PlayStartFromZelko();
    // Negative values draw nothing above the centre line.
    AnalyzeRecord negative;
    negative.Spectrum1.fill(-5);
    s.AnalyzeFromZelko(negative);
    for (int y = 0; y < 90; ++y)
        ASSERT_EQ(s.Picture().pixel(10, y), Rgb(0)) << y;
    EXPECT_EQ(s.PeakA()[10], 90);

    AnalyzeRecord loud;
    loud.Spectrum1.fill(40); // length 20
    loud.Spectrum2.fill(41); // length 20 (integer division)
    s.AnalyzeFromZelko(loud);
    const QImage& p = s.Picture();
    // The lower bar mirrors the upper one: from the bottom b = 110 up to,
    // not onto, the centre line.
    EXPECT_EQ(p.pixel(5, 69), Rgb(0));
    EXPECT_EQ(p.pixel(5, 111), Rgb(0));
    for (int d = 1; d <= 20; ++d) {
        ASSERT_EQ(p.pixel(5, 90 - d), Rgb(ScopeRenderer::FixedColorA)) << d;
        ASSERT_EQ(p.pixel(5, 90 + d), Rgb(ScopeRenderer::FixedColorB)) << d;
    }
    // The 180 columns fill the box's 240 pixel columns, the last one included.
    for (int x = 0; x < 240; ++x) {
        ASSERT_EQ(p.pixel(x, 80), Rgb(ScopeRenderer::FixedColorA)) << x;
        ASSERT_EQ(p.pixel(x, 100), Rgb(ScopeRenderer::FixedColorB)) << x;
    }
    EXPECT_EQ(s.PeakA()[0], 70);
    EXPECT_EQ(s.PeakB()[0], 110);

    AnalyzeRecord silence;
    for (int i = 1; i <= 20; ++i) {
        s.AnalyzeFromZelko(silence);
        EXPECT_EQ(s.PeakA()[0], 70 + i);
        EXPECT_EQ(s.PeakB()[0], 110 - i);
    }
    s.AnalyzeFromZelko(silence);
    EXPECT_EQ(s.PeakA()[0], 90);
    EXPECT_EQ(s.PeakB()[0], 90);
    // The marker is drawn where the peak stood, tinted.
    EXPECT_EQ(s.Picture().pixel(3, 90) != Rgb(0), true);
}

TEST(ScopeRenderer, CirclePeaksFlyOutwardsWithPointsAndSinkWithLines)
{
    ScopeRenderer s = FixedColours();
    s.SetTitle(ScopeTitle::Circle);
    s.SetLine(ScopeLine::Points);
    s.PlayStartFromZelko();
    EXPECT_EQ(s.PeakA()[0], 0);
    AnalyzeRecord r;
    r.Spectrum1.fill(20); // radius 10
    s.AnalyzeFromZelko(r);
    EXPECT_EQ(s.PeakA()[0], 10);
    // The point at radius 10 on angle 269 for column 0, under its peak marker.
    const QPoint p = s.PointAt(10, 269, 120, 90);
    EXPECT_EQ(s.Picture().pixel(p), Rgb(ScopeRenderer::FixedColorA | ScopeRenderer::PeakTint));

    AnalyzeRecord silence;
    for (int i = 1; i <= 49; ++i)
        s.AnalyzeFromZelko(silence);
    EXPECT_EQ(s.PeakA()[0], 59);
    s.AnalyzeFromZelko(silence);
    EXPECT_EQ(s.PeakA()[0], 60);
    s.AnalyzeFromZelko(silence); // at the limit it snaps back
    EXPECT_EQ(s.PeakA()[0], 0);

    s.SetLine(ScopeLine::Lines);
    s.AnalyzeFromZelko(r);
    EXPECT_EQ(s.PeakA()[0], 10);
    s.AnalyzeFromZelko(silence);
    s.AnalyzeFromZelko(silence);
    EXPECT_EQ(s.PeakA()[0], 8);
}

TEST(ScopeRenderer, FanStartsAtRadiusTwentyAndDriftsToEighty)
{
    ScopeRenderer s = FixedColours();
    s.SetTitle(ScopeTitle::Fan);
    s.SetLine(ScopeLine::Points);
    s.PlayStartFromZelko();
    EXPECT_EQ(s.PeakA()[0], 20);
    AnalyzeRecord r;
    r.Spectrum2.fill(20); // radius 20 + 10
    s.AnalyzeFromZelko(r);
    EXPECT_EQ(s.PeakB()[0], 30);
    // Column 0 of the second spectrum lies on angle 360: to the right of the centre.
    EXPECT_EQ(s.Picture().pixel(120 + 30, 135), Rgb(ScopeRenderer::FixedColorB | ScopeRenderer::PeakTint));
    AnalyzeRecord silence;
    for (int i = 0; i < 50; ++i)
        s.AnalyzeFromZelko(silence);
    EXPECT_EQ(s.PeakB()[0], 80);
    s.AnalyzeFromZelko(silence);
    EXPECT_EQ(s.PeakB()[0], 20);
}

TEST(ScopeRenderer, ColourCyclingAdvancesOnePerRecordAndWraps)
{
    ScopeRenderer s(QSize(240, 180), 3);
    s.SetColorIndexes(511, 1535, 10);
    s.SetBColor(true);
    AnalyzeRecord r;
    r.Spectrum1.fill(40);
    s.AnalyzeFromZelko(r);
    EXPECT_EQ(s.BackColor(), 0xFFFFFF); // BackColors(511)
    EXPECT_EQ(s.BackIndex(), 0u);
    EXPECT_EQ(s.ForeIndexA(), 0u);
    EXPECT_EQ(s.ForeIndexB(), 11u);
    EXPECT_EQ(s.Picture().pixel(200, 5), Rgb(0xFFFFFF));
    // The bar was drawn in ForeColors(1535), red.
    EXPECT_EQ(s.Picture().pixel(0, 80), Rgb(0x0000FF));

    s.SetBColor(false);
    s.SetFColor(false);
    s.AnalyzeFromZelko(r);
    EXPECT_EQ(s.BackIndex(), 0u);
    EXPECT_EQ(s.ForeIndexA(), 0u);
    EXPECT_EQ(s.BackColor(), 0xFFFFFF); // stays as last set
}

// Bars are one device pixel fine at their ends; peaks sink one logical pixel a record.
TEST(ScopeRenderer, AtARatioOfTwoThePictureIsDrawnInDevicePixels)
{
    ScopeRenderer s(QSize(240, 180), 1, 2.0);
    s.SetFColor(false);
    EXPECT_EQ(s.Picture().size(), QSize(480, 360));
    EXPECT_EQ(s.Picture().deviceIndependentSize(), QSizeF(240, 180));
    EXPECT_EQ(s.CenterY(), 180);
    s.PlayStartFromZelko();
    EXPECT_EQ(s.PeakA()[0], 180);

    AnalyzeRecord loud;
    loud.Spectrum1.fill(40); // length 20 logical, 40 device pixels
    loud.Spectrum2.fill(41);
    s.AnalyzeFromZelko(loud);
    const QImage& p = s.Picture();
    EXPECT_EQ(p.pixel(11, 140), Rgb(ScopeRenderer::FixedColorA));
    EXPECT_EQ(p.pixel(11, 179), Rgb(ScopeRenderer::FixedColorA));
    EXPECT_EQ(p.pixel(11, 139), Rgb(0));
    EXPECT_EQ(p.pixel(11, 220), Rgb(ScopeRenderer::FixedColorB));
    EXPECT_EQ(p.pixel(11, 221), Rgb(0));
    for (int x = 0; x < 480; ++x)
        ASSERT_EQ(p.pixel(x, 150), Rgb(ScopeRenderer::FixedColorA)) << x;
    EXPECT_EQ(s.PeakA()[0], 140);

    AnalyzeRecord silence;
    s.AnalyzeFromZelko(silence);
    EXPECT_EQ(s.PeakA()[0], 142);
    EXPECT_EQ(s.PeakB()[0], 218);
}
