#include "assists/scope/ScopeRenderer.h"

#include <algorithm>
#include <cmath>

#include "assists/scope/ClsKtColorTbl.h"

namespace scope {

namespace {

QColor ColorOf(std::int32_t colorref)
{
    const auto c = static_cast<std::uint32_t>(colorref);
    return QColor(static_cast<int>(c & 0xFF), static_cast<int>((c >> 8) & 0xFF), static_cast<int>((c >> 16) & 0xFF));
}

void AppendGradient(std::vector<std::int32_t>& table, std::int32_t from, std::int32_t to)
{
    ClsKtColorTbl gradient;
    gradient.ColorTable(from, to);
    table.insert(table.end(), gradient.ColorTbl().begin(), gradient.ColorTbl().end());
}

} // namespace

namespace {

QSize DeviceSize(QSize logical, double ratio)
{
    return ratio == 1.0 ? logical
                        : QSize(static_cast<int>(std::lround(logical.width() * ratio)),
                                static_cast<int>(std::lround(logical.height() * ratio)));
}

} // namespace

ScopeRenderer::ScopeRenderer(QSize innerSize, std::uint32_t seed, double pixelRatio)
    : m_ratio(pixelRatio > 0 ? pixelRatio : 1.0)
    , m_peakStep(std::max<std::int32_t>(1, static_cast<std::int32_t>(std::lround(m_ratio))))
    , m_picture(DeviceSize(innerSize, m_ratio), QImage::Format_RGB32)
    , m_centerX(m_picture.width() / 2)
    , m_centerY(m_picture.height() / 2)
    , m_fanCenterY(m_picture.height() / 4 * 3)
    , m_width(m_picture.width())
    , m_height(m_picture.height())
{
    m_picture.setDevicePixelRatio(m_ratio);
    AppendGradient(m_backColors, 0xFFFFFF, 0x000000);
    AppendGradient(m_backColors, 0x000000, 0xFFFFFF);
    AppendGradient(m_foreColors, 0x0000FF, 0x00FFFF);
    AppendGradient(m_foreColors, 0x00FFFF, 0x00FF00);
    AppendGradient(m_foreColors, 0x00FF00, 0xFFFF00);
    AppendGradient(m_foreColors, 0xFFFF00, 0xFF0000);
    AppendGradient(m_foreColors, 0xFF0000, 0xFF00FF);
    AppendGradient(m_foreColors, 0xFF00FF, 0x0000FF);

    std::mt19937 random(seed);
    m_backIndex = std::uniform_int_distribution<std::size_t>(0, m_backColors.size() - 1)(random);
    std::uniform_int_distribution<std::size_t> fore(0, m_foreColors.size() - 1);
    m_foreIndexA = fore(random);
    m_foreIndexB = fore(random);

    BuildCircleAngles();
    BuildArcAngles();
    m_circleUnitA = UnitsOf(m_circleAnglesA);
    m_circleUnitB = UnitsOf(m_circleAnglesB);
    m_arcUnitA = UnitsOf(m_arcAnglesA);
    m_arcUnitB = UnitsOf(m_arcAnglesB);
    m_picture.fill(ColorOf(m_backColor));
}

std::int32_t ScopeRenderer::Device(std::int32_t logical) const
{
    return m_ratio == 1.0 ? logical : static_cast<std::int32_t>(std::lround(logical * m_ratio));
}

void ScopeRenderer::SetColorIndexes(std::size_t back, std::size_t foreA, std::size_t foreB)
{
    m_backIndex = back % m_backColors.size();
    m_foreIndexA = foreA % m_foreColors.size();
    m_foreIndexB = foreB % m_foreColors.size();
}

void ScopeRenderer::BuildCircleAngles()
{
    for (int i = 0; i < Columns; ++i) {
        m_circleAnglesA[i] = 269 - i;
        m_circleAnglesB[i] = (269 + i) % 360;
    }
}

void ScopeRenderer::BuildArcAngles()
{
    for (int i = 0; i < Columns; ++i) {
        m_arcAnglesA[i] = 180.0 + 0.5 * i;
        m_arcAnglesB[i] = 360.0 - 0.5 * i;
    }
}

void ScopeRenderer::PlayStartFromZelko()
{
    std::int32_t start = 0;
    switch (m_title) {
    case ScopeTitle::Band:
        start = m_centerY;
        break;
    case ScopeTitle::Circle:
        start = 0;
        break;
    case ScopeTitle::Fan:
        start = Device(20);
        break;
    }
    m_peakA.fill(start);
    m_peakB.fill(start);
}

QPoint ScopeRenderer::PointAt(double radius, double degrees, std::int32_t centerX, std::int32_t centerY) const
{
    double x = radius;
    double y = 0.0;
    double z = 0.0;
    m_3d.Rotation(0.0, 0.0, degrees, x, y, z);
    // Rounded to the nearest integer, halves to even.
    return QPoint(static_cast<int>(std::nearbyint(centerX + x)), static_cast<int>(std::nearbyint(centerY + y)));
}

ScopeRenderer::Units ScopeRenderer::UnitsOf(const Angles& angles) const
{
    // The rotation of (1, 0, 0): rotating (r, 0, 0) gives exactly r times it,
    // as the x and y steps by 0 degrees leave the point as it is.
    Units units{};
    for (int i = 0; i < Columns; ++i) {
        double x = 1.0, y = 0.0, z = 0.0;
        m_3d.Rotation(0.0, 0.0, angles[i], x, y, z);
        units[i] = {x, y};
    }
    return units;
}

QPoint ScopeRenderer::UnitPoint(double radius, const std::pair<double, double>& unit, std::int32_t centerX,
                                std::int32_t centerY)
{
    return QPoint(static_cast<int>(std::nearbyint(centerX + radius * unit.first)),
                  static_cast<int>(std::nearbyint(centerY + radius * unit.second)));
}

void ScopeRenderer::Plot(int x, int y, QRgb rgb)
{
    if (x >= 0 && y >= 0 && x < m_width && y < m_height)
        m_bits[static_cast<std::size_t>(y) * m_stride + static_cast<std::size_t>(x)] = rgb;
}

void ScopeRenderer::Line(QPoint from, QPoint to, QRgb rgb)
{
    // Bresenham's line from "from" to "to", without the last point, so that
    // the segments of a polyline meet without drawing a point twice.
    int x = from.x();
    int y = from.y();
    const int dx = std::abs(to.x() - x);
    const int dy = -std::abs(to.y() - y);
    const int sx = x < to.x() ? 1 : -1;
    const int sy = y < to.y() ? 1 : -1;
    int error = dx + dy;
    while (x != to.x() || y != to.y()) {
        Plot(x, y, rgb);
        const int e2 = 2 * error;
        if (e2 >= dy) {
            error += dy;
            x += sx;
        }
        if (e2 <= dx) {
            error += dx;
            y += sy;
        }
    }
}

void ScopeRenderer::VerticalLine(int x, int from, int to, QRgb rgb, bool dashDotDot)
{
    // From "from" towards "to", without the last point, as lines are drawn;
    // the dash-dot-dot pattern starts at the first point.
    static constexpr bool Pattern[12] = {true, true, true, true, false, false, true, false, false, true, false, false};
    const int step = to > from ? 1 : -1;
    int n = 0;
    for (int y = from; y != to; y += step, ++n) {
        if (!dashDotDot || Pattern[n % 12])
            Plot(x, y, rgb);
    }
}

void ScopeRenderer::AnalyzeFromZelko(const protocol::AnalyzeRecord& record)
{
    if (m_bColor) {
        m_backColor = m_backColors[m_backIndex];
        m_backIndex = (m_backIndex + 1) % m_backColors.size();
    }
    m_picture.fill(ColorOf(m_backColor));
    m_bits = reinterpret_cast<QRgb*>(m_picture.bits());
    m_stride = static_cast<std::size_t>(m_picture.bytesPerLine()) / sizeof(QRgb);

    const std::int32_t colorA = m_fColor ? m_foreColors[m_foreIndexA] : FixedColorA;
    const std::int32_t colorB = m_fColor ? m_foreColors[m_foreIndexB] : FixedColorB;
    switch (m_title) {
    case ScopeTitle::Band:
        DrawBand(record, colorA, colorB);
        break;
    case ScopeTitle::Circle:
        DrawRoundHalf(record.Spectrum1, colorA, m_centerY, 0, Device(60), m_circleUnitA, m_peakA);
        DrawRoundHalf(record.Spectrum2, colorB, m_centerY, 0, Device(60), m_circleUnitB, m_peakB);
        break;
    case ScopeTitle::Fan:
        DrawRoundHalf(record.Spectrum1, colorA, m_fanCenterY, Device(20), Device(80), m_arcUnitA, m_peakA);
        DrawRoundHalf(record.Spectrum2, colorB, m_fanCenterY, Device(20), Device(80), m_arcUnitB, m_peakB);
        break;
    }

    if (m_fColor) {
        m_foreIndexA = (m_foreIndexA + 1) % m_foreColors.size();
        m_foreIndexB = (m_foreIndexB + 1) % m_foreColors.size();
    }
}

void ScopeRenderer::DrawBand(const protocol::AnalyzeRecord& record, std::int32_t colorA, std::int32_t colorB)
{
    const bool points = m_line == ScopeLine::Points;
    const QRgb rgbA = ColorOf(colorA).rgb();
    const QRgb rgbB = ColorOf(colorB).rgb();
    const QRgb peakA = ColorOf(colorA | PeakTint).rgb();
    const QRgb peakB = ColorOf(colorB | PeakTint).rgb();

    for (int x = 0; x < Columns; ++x) {
        const std::int32_t top = m_centerY - Device(LengthOf(record.Spectrum1[x]));
        const std::int32_t bottom = m_centerY + Device(LengthOf(record.Spectrum2[x]));
        // The columns are spread over the whole width of the box, each over
        // one or more pixel columns.
        const int from = x * m_width / Columns;
        const int to = std::max(from + 1, (x + 1) * m_width / Columns);
        for (int px = from; px < to; ++px) {
            // Above the centre line from the top down, below it from the
            // bottom up: mirror images, neither drawing on the centre line.
            // A length of 0 draws no line.
            VerticalLine(px, top, m_centerY, rgbA, points);
            VerticalLine(px, bottom, m_centerY, rgbB, points);
            if (points) {
                Plot(px, top, rgbA);
                Plot(px, bottom, rgbB);
            }
            Plot(px, m_peakA[x], peakA);
            Plot(px, m_peakB[x], peakB);
        }
        // A marker sinks one step a record towards its bar, or jumps to it.
        m_peakA[x] = m_peakA[x] < top ? std::min(m_peakA[x] + m_peakStep, top) : top;
        m_peakB[x] = m_peakB[x] > bottom ? std::max(m_peakB[x] - m_peakStep, bottom) : bottom;
    }
}

void ScopeRenderer::DrawRoundHalf(const std::array<std::int32_t, protocol::SpectrumLength>& spectrum, std::int32_t color,
                                  std::int32_t centerY, std::int32_t baseRadius, std::int32_t drift,
                                  const Units& units, Peaks& peaks)
{
    const bool points = m_line == ScopeLine::Points;
    const QRgb rgb = ColorOf(color).rgb();
    const QRgb peakRgb = ColorOf(color | PeakTint).rgb();
    std::array<QPoint, Columns> shape;
    std::array<std::int32_t, Columns> radius{};
    for (int i = 0; i < Columns; ++i) {
        radius[i] = baseRadius + Device(LengthOf(spectrum[i]));
        shape[i] = UnitPoint(radius[i], units[i], m_centerX, centerY);
    }
    if (points) {
        for (const QPoint& p : shape)
            Plot(p.x(), p.y(), rgb);
    } else {
        for (int i = 1; i < Columns; ++i)
            Line(shape[i - 1], shape[i], rgb);
    }

    for (int i = 0; i < Columns; ++i) {
        const std::int32_t r = radius[i];
        const QPoint marker = UnitPoint(std::max(peaks[i], r), units[i], m_centerX, centerY);
        Plot(marker.x(), marker.y(), peakRgb);
        if (points) {
            // Markers fly outwards up to the drift limit, then snap back.
            peaks[i] = (r < peaks[i] && peaks[i] < drift) ? peaks[i] + m_peakStep : r;
        } else {
            peaks[i] = r < peaks[i] ? std::max(peaks[i] - m_peakStep, r) : r;
        }
    }
}

} // namespace scope
