#include "decoder/VolumeCurve.h"

#include <algorithm>

namespace decoder::VolumeCurve {

float Gain(int32_t volume)
{
    const float v = static_cast<float>(std::clamp(volume, 0, 100)) / 100.0f;
    return v * v * v;
}

} // namespace decoder::VolumeCurve
