#include "player/skin/ScaleChoice.h"

#include <algorithm>
#include <cmath>

namespace skin {

namespace ScaleChoice {

int32_t Choose(int32_t setting, double deviceRatio)
{
    if (setting >= 1 && setting <= Largest)
        return setting;
    if (!(deviceRatio > 0))
        return 1;
    return static_cast<int32_t>(std::clamp<long>(std::lround(deviceRatio), 1, Largest));
}

int32_t Toggled(int32_t current)
{
    return current > 1 ? 1 : 2;
}

} // namespace ScaleChoice

} // namespace skin
