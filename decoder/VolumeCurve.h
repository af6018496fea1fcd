#pragma once
// The perceptual volume curve: a volume setting 0..100 to a linear gain.
//
// Gain = (v / 100)^3, which lies within a few dB of an even loudness scale
// over the useful range: 0 is silence, 100 is unity gain, 50 is about -18 dB,
// 10 is -60 dB. Values outside 0..100 are clamped.
#include <cstdint>

namespace decoder::VolumeCurve {

float Gain(int32_t volume);

} // namespace decoder::VolumeCurve
