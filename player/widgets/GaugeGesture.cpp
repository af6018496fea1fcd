#include "player/widgets/GaugeGesture.h"

#include <algorithm>
#include <cmath>

namespace widgets {

std::optional<double> GaugeGesture::Press(const platform::Region& region, int32_t x, int32_t y)
{
    if (!region.Contains(x, y))
        return std::nullopt;
    m_box = region.BoundingBox();
    return FractionAt(x);
}

std::optional<double> GaugeGesture::Move(int32_t x) const
{
    if (!m_box)
        return std::nullopt;
    return FractionAt(x);
}

std::optional<double> GaugeGesture::Release(int32_t x)
{
    if (!m_box)
        return std::nullopt;
    const double fraction = FractionAt(x);
    m_box.reset();
    return fraction;
}

int32_t GaugeGesture::Percent(double fraction)
{
    return static_cast<int32_t>(std::lround(std::clamp(fraction, 0.0, 1.0) * 100.0));
}

double GaugeGesture::FractionAt(int32_t x) const
{
    // The leftmost pixel is 0 and the rightmost 1, so both ends can be reached.
    const int32_t span = m_box->Width() - 1;
    if (span <= 0)
        return 0.0;
    return std::clamp(static_cast<double>(x - m_box->left) / span, 0.0, 1.0);
}

} // namespace widgets
