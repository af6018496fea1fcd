#pragma once
// ScopeZKA's picture: the spectrum of each AnalyzeRecord drawn as a band, a
// circle or a fan, with falling peak markers and optional colour cycling.
// Pure drawing state with no window, so that it can be tested offscreen.
// Lines are drawn as the system draws them: one pixel wide, without their
// last point.
//
// Geometry is in pixels of the drawing box (inner size); colours are Windows
// colour values 0x00BBGGRR. Only the first 180 values of each spectrum are
// used; a value v becomes the length L = 0 for v < 0, else v / 2. The band's
// 180 columns are spread over the box's whole width.
//
// On a high-density screen the picture is drawn at the screen's device pixel
// ratio: it holds ratio times the box's pixels each way (and says so with
// its own device pixel ratio), every length, radius and centre is that many
// times as long, and lines stay one device pixel wide, so the picture is
// shown one pixel for one rather than stretched. Peaks then move by the
// ratio rounded to whole pixels (at least 1) a record. Peak positions are in
// the picture's pixels.
#include <QImage>
#include <QSize>

#include <array>
#include <cstdint>
#include <random>
#include <utility>
#include <vector>

#include "assists/scope/ClsKt3d.h"
#include "protocol/AnalyzeRecord.h"

namespace scope {

enum class ScopeTitle { Band = 0,
                        Circle = 1,
                        Fan = 2 }; // optTitle(0..2)
enum class ScopeLine { Lines = 0,
                       Points = 1 }; // optLine(0..1)

class ScopeRenderer {
public:
    static constexpr int Columns = 180;
    using Peaks = std::array<std::int32_t, Columns>;
    using Angles = std::array<double, Columns>;

    static constexpr std::int32_t FixedColorA = 0xFF0000; // blue
    static constexpr std::int32_t FixedColorB = 0xFF00FF; // magenta
    static constexpr std::int32_t PeakTint = 0x606060;

    // innerSize: the drawing box in logical pixels. seed: the random start
    // of the colour indexes (the program seeds it from the clock).
    // pixelRatio: device pixels per logical pixel (more than 0).
    ScopeRenderer(QSize innerSize, std::uint32_t seed, double pixelRatio = 1.0);

    std::int32_t CenterX() const { return m_centerX; }
    std::int32_t CenterY() const { return m_centerY; }
    // The fan's centre line: three quarters of the inner height.
    std::int32_t FanCenterY() const { return m_fanCenterY; }

    ScopeTitle Title() const { return m_title; }
    void SetTitle(ScopeTitle title) { m_title = title; }
    ScopeLine Line() const { return m_line; }
    void SetLine(ScopeLine line) { m_line = line; }
    bool BColor() const { return m_bColor; } // chkBColor: cycle the background
    void SetBColor(bool on) { m_bColor = on; }
    bool FColor() const { return m_fColor; } // chkFColor: cycle the drawing colours
    void SetFColor(bool on) { m_fColor = on; }

    const std::vector<std::int32_t>& BackColors() const { return m_backColors; }
    const std::vector<std::int32_t>& ForeColors() const { return m_foreColors; }
    std::size_t BackIndex() const { return m_backIndex; }
    std::size_t ForeIndexA() const { return m_foreIndexA; }
    std::size_t ForeIndexB() const { return m_foreIndexB; }
    void SetColorIndexes(std::size_t back, std::size_t foreA, std::size_t foreB);

    const Peaks& PeakA() const { return m_peakA; }
    const Peaks& PeakB() const { return m_peakB; }
    const Angles& CircleAnglesA() const { return m_circleAnglesA; }
    const Angles& CircleAnglesB() const { return m_circleAnglesB; }
    const Angles& ArcAnglesA() const { return m_arcAnglesA; }
    const Angles& ArcAnglesB() const { return m_arcAnglesB; }

    // Resets the peaks for the selected display: CenterY for the band, 0 for
    // the circle, 20 for the fan.
    void PlayStartFromZelko();
    // Clears the picture (cycling the background when chosen), draws the
    // selected display and advances the drawing colours when cycling.
    void AnalyzeFromZelko(const protocol::AnalyzeRecord& record);

    const QImage& Picture() const { return m_picture; }
    double PixelRatio() const { return m_ratio; }
    std::int32_t BackColor() const { return m_backColor; }

    // The length a spectrum value draws.
    static std::int32_t LengthOf(std::int32_t value) { return value < 0 ? 0 : value / 2; }
    // The screen point at radius r and angle (degrees) around a centre.
    QPoint PointAt(double radius, double degrees, std::int32_t centerX, std::int32_t centerY) const;

private:
    using Units = std::array<std::pair<double, double>, Columns>;

    void BuildCircleAngles();
    void BuildArcAngles();
    Units UnitsOf(const Angles& angles) const;
    static QPoint UnitPoint(double radius, const std::pair<double, double>& unit, std::int32_t centerX,
                            std::int32_t centerY);
    void Plot(int x, int y, QRgb rgb);
    void Line(QPoint from, QPoint to, QRgb rgb);
    void VerticalLine(int x, int from, int to, QRgb rgb, bool dashDotDot);
    void DrawBand(const protocol::AnalyzeRecord& record, std::int32_t colorA, std::int32_t colorB);
    void DrawRoundHalf(const std::array<std::int32_t, protocol::SpectrumLength>& spectrum, std::int32_t color,
                       std::int32_t centerY, std::int32_t baseRadius, std::int32_t drift, const Units& units,
                       Peaks& peaks);

    // A length in logical pixels as picture pixels.
    std::int32_t Device(std::int32_t logical) const;

    ClsKt3d m_3d;
    double m_ratio;
    // Picture pixels a peak moves per record.
    std::int32_t m_peakStep;
    QImage m_picture;
    std::int32_t m_centerX;
    std::int32_t m_centerY;
    std::int32_t m_fanCenterY;
    int m_width;
    int m_height;
    QRgb* m_bits = nullptr;   // the picture's pixels while a record is drawn
    std::size_t m_stride = 0; // pixels per picture row
    ScopeTitle m_title = ScopeTitle::Band;
    ScopeLine m_line = ScopeLine::Lines;
    bool m_bColor = false;
    bool m_fColor = true;
    std::vector<std::int32_t> m_backColors;
    std::vector<std::int32_t> m_foreColors;
    std::size_t m_backIndex = 0;
    std::size_t m_foreIndexA = 0;
    std::size_t m_foreIndexB = 0;
    std::int32_t m_backColor = 0x000000;
    Peaks m_peakA{};
    Peaks m_peakB{};
    Angles m_circleAnglesA{};
    Angles m_circleAnglesB{};
    Angles m_arcAnglesA{};
    Angles m_arcAnglesB{};
    Units m_circleUnitA{};
    Units m_circleUnitB{};
    Units m_arcUnitA{};
    Units m_arcUnitB{};
};

} // namespace scope
