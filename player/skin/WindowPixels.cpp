#include "player/skin/WindowPixels.h"

#include <algorithm>
#include <cmath>

namespace skin {

namespace {

// Slack for the rounding of products of small whole numbers and ratios.
constexpr double Slack = 1e-6;

int32_t Down(double v)
{
    return static_cast<int32_t>(std::floor(v + Slack));
}

int32_t Up(double v)
{
    return static_cast<int32_t>(std::ceil(v - Slack));
}

} // namespace

WindowPixels::WindowPixels(int scale, double deviceRatio)
    : m_scale(std::max(1, scale))
    , m_ratio(deviceRatio > 0 ? deviceRatio : 1.0)
{
}

int WindowPixels::WholeFactor() const
{
    const double factor = m_scale / m_ratio;
    const long whole = std::lround(factor);
    return whole >= 1 && std::abs(factor - static_cast<double>(whole)) < Slack ? static_cast<int>(whole) : 0;
}

QSize WindowPixels::LogicalSize(int32_t width, int32_t height) const
{
    const double factor = m_scale / m_ratio;
    return QSize(Up(width * factor), Up(height * factor));
}

QRect WindowPixels::LogicalRect(const platform::Rect& skin) const
{
    if (skin.IsEmpty())
        return {};
    const double factor = m_scale / m_ratio;
    const int32_t left = Down(skin.left * factor);
    const int32_t top = Down(skin.top * factor);
    return QRect(left, top, Up(skin.right * factor) - left, Up(skin.bottom * factor) - top);
}

QRegion WindowPixels::LogicalRegion(const platform::Region& skin) const
{
    if (const int whole = WholeFactor(); whole != 0)
        return skin.Scaled(whole).ToQRegion();
    QRegion out;
    for (const platform::Rect& r : skin.Rects())
        out += LogicalRect(r);
    return out;
}

QRect WindowPixels::DeviceRect(const QRect& logical) const
{
    if (logical.isEmpty())
        return {};
    const int32_t left = Down(logical.left() * m_ratio);
    const int32_t top = Down(logical.top() * m_ratio);
    return QRect(left, top, Up((logical.right() + 1) * m_ratio) - left, Up((logical.bottom() + 1) * m_ratio) - top);
}

platform::Point WindowPixels::SkinPoint(QPointF logical) const
{
    return platform::Point{Down(logical.x() * m_ratio / m_scale), Down(logical.y() * m_ratio / m_scale)};
}

int32_t WindowPixels::LogicalDistance(int32_t skin) const
{
    return static_cast<int32_t>(std::lround(skin * m_scale / m_ratio));
}

} // namespace skin
