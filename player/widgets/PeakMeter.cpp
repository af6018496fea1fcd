#include "player/widgets/PeakMeter.h"

namespace widgets {

std::optional<std::int32_t> PeakMeter::Update(int index, std::int32_t level)
{
    std::int32_t& held = m_levels.at(static_cast<std::size_t>(index));
    if (level < held) {
        const std::int32_t marker = held;
        --held;
        return marker;
    }
    held = level;
    return std::nullopt;
}

} // namespace widgets
