#include "player/widgets/WidgetState.h"

#include <cstdio>

namespace widgets {

std::string WidgetState::FormatTimeMs(std::int32_t ms)
{
    if (ms < 0)
        ms = 0;
    const std::int32_t seconds = ms / 1000;
    const std::int32_t thousandths = ms % 1000;
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%02d:%02d:%02d", seconds / 60, seconds % 60, thousandths / 10);
    return buffer;
}

} // namespace widgets
