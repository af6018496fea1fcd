#include "assists/scope/ScopeRenderer.h"

#include <QPainter>
#include <QPen>

#include <algorithm>
#include <cmath>

#include "assists/scope/ClsKtColorTbl.h"

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

ScopeRenderer::ScopeRenderer(QSize innerSize, std::uint32_t seed)
    : m_picture(innerSize, QImage::Format_RGB32)
    , m_centerX(innerSize.width() / 2)
    , m_centerY(innerSize.height() / 2)
    , m_fanCenterY(innerSize.height() / 4 * 3)
{
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
    m_picture.fill(ColorOf(m_backColor));
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
        start = 20;
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

void ScopeRenderer::AnalyzeFromZelko(const protocol::AnalyzeRecord& record)
{
    if (m_bColor) {
        m_backColor = m_backColors[m_backIndex];
        m_backIndex = (m_backIndex + 1) % m_backColors.size();
    }
    m_picture.fill(ColorOf(m_backColor));

    const std::int32_t colorA = m_fColor ? m_foreColors[m_foreIndexA] : FixedColorA;
    const std::int32_t colorB = m_fColor ? m_foreColors[m_foreIndexB] : FixedColorB;
    m_record = &record;
    {
        QPainter painter(&m_picture);
        painter.setRenderHint(QPainter::Antialiasing, false);
        switch (m_title) {
        case ScopeTitle::Band:
            DrawBand(painter, colorA, colorB);
            break;
        case ScopeTitle::Circle:
            DrawRound(painter, colorA, colorB, m_centerY, 0, 60, m_circleAnglesA, m_circleAnglesB);
            break;
        case ScopeTitle::Fan:
            DrawRound(painter, colorA, colorB, m_fanCenterY, 20, 80, m_arcAnglesA, m_arcAnglesB);
            break;
        }
    }
    m_record = nullptr;

    if (m_fColor) {
        m_foreIndexA = (m_foreIndexA + 1) % m_foreColors.size();
        m_foreIndexB = (m_foreIndexB + 1) % m_foreColors.size();
    }
}

void ScopeRenderer::DrawBand(QPainter& painter, std::int32_t colorA, std::int32_t colorB)
{
    const bool points = m_line == ScopeLine::Points;
    const Qt::PenStyle style = points ? Qt::DashDotDotLine : Qt::SolidLine;
    const QPen penA(ColorOf(colorA), 1, style);
    const QPen penB(ColorOf(colorB), 1, style);
    const QPen peakA(ColorOf(colorA | PeakTint), 1);
    const QPen peakB(ColorOf(colorB | PeakTint), 1);
    const QPen dotA(ColorOf(colorA), 1);
    const QPen dotB(ColorOf(colorB), 1);

    for (int x = 0; x < Columns; ++x) {
        // Above the centre line; a line ends before its last point, so a
        // length of 0 draws nothing.
        const std::int32_t top = m_centerY - LengthOf(m_record->Spectrum1[x]);
        if (top < m_centerY) {
            painter.setPen(penA);
            painter.drawLine(x, top, x, m_centerY - 1);
        }
        if (points) {
            painter.setPen(dotA);
            painter.drawPoint(x, top);
        }
        painter.setPen(peakA);
        painter.drawPoint(x, m_peakA[x]);
        // The marker sinks one pixel a record towards the bar, or jumps to it.
        m_peakA[x] = m_peakA[x] < top ? m_peakA[x] + 1 : top;

        const std::int32_t bottom = m_centerY + LengthOf(m_record->Spectrum2[x]);
        if (bottom > m_centerY) {
            painter.setPen(penB);
            painter.drawLine(x, m_centerY, x, bottom - 1);
        }
        if (points) {
            painter.setPen(dotB);
            painter.drawPoint(x, bottom);
        }
        painter.setPen(peakB);
        painter.drawPoint(x, m_peakB[x]);
        m_peakB[x] = m_peakB[x] > bottom ? m_peakB[x] - 1 : bottom;
    }
}

void ScopeRenderer::DrawRound(QPainter& painter, std::int32_t colorA, std::int32_t colorB, std::int32_t centerY,
                              std::int32_t baseRadius, std::int32_t drift, const Angles& anglesA, const Angles& anglesB)
{
    DrawRoundHalf(painter, m_record->Spectrum1, colorA, centerY, baseRadius, drift, anglesA, m_peakA);
    DrawRoundHalf(painter, m_record->Spectrum2, colorB, centerY, baseRadius, drift, anglesB, m_peakB);
}

void ScopeRenderer::DrawRoundHalf(QPainter& painter, const std::array<std::int32_t, protocol::SpectrumLength>& spectrum,
                                  std::int32_t color, std::int32_t centerY, std::int32_t baseRadius, std::int32_t drift,
                                  const Angles& angles, Peaks& peaks)
{
    const bool points = m_line == ScopeLine::Points;
    std::array<QPoint, Columns> shape;
    std::array<std::int32_t, Columns> radius {};
    for (int i = 0; i < Columns; ++i) {
        radius[i] = baseRadius + LengthOf(spectrum[i]);
        shape[i] = PointAt(radius[i], angles[i], m_centerX, centerY);
    }
    painter.setPen(QPen(ColorOf(color), 1, Qt::SolidLine));
    if (points)
        painter.drawPoints(shape.data(), Columns);
    else
        painter.drawPolyline(shape.data(), Columns);

    painter.setPen(QPen(ColorOf(color | PeakTint), 1));
    for (int i = 0; i < Columns; ++i) {
        const std::int32_t r = radius[i];
        painter.drawPoint(PointAt(std::max(peaks[i], r), angles[i], m_centerX, centerY));
        if (points) {
            // Markers fly outwards up to the drift limit, then snap back.
            peaks[i] = (r < peaks[i] && peaks[i] < drift) ? peaks[i] + 1 : r;
        } else {
            peaks[i] = r < peaks[i] ? peaks[i] - 1 : r;
        }
    }
}
