#include "decoder/SpectrumAnalyzer.h"

#include <kiss_fftr.h>

#include <algorithm>
#include <bit>
#include <cmath>
#include <numbers>

namespace decoder {

namespace {

// A full-scale sine through the Hann window peaks at amplitude * Size / 4.
constexpr float FullScalePower = (SpectrumAnalyzer::Size / 4.0f) * (SpectrumAnalyzer::Size / 4.0f);
constexpr float FullScaleValue = 160.0f;
constexpr int32_t MaxValue = 200;
// -300 dB of full scale: a normal float, far below the 0 level (-80 dB).
constexpr float MinPower = 1e-30f * FullScalePower;

// log2 of a positive normal float to within 2e-5, several times faster than
// the library's log: the exponent from the bits, and for the mantissa m the
// series ln m = 2 (s + s^3/3 + s^5/5 + s^7/7) with s = (m - 1) / (m + 1).
float FastLog2(float x)
{
    const auto bits = std::bit_cast<uint32_t>(x);
    const auto exponent = static_cast<float>(static_cast<int32_t>((bits >> 23) & 0xFF) - 127);
    const float m = std::bit_cast<float>((bits & 0x007FFFFFu) | 0x3F800000u); // in [1, 2)
    const float s = (m - 1.0f) / (m + 1.0f);
    const float s2 = s * s;
    const float ln = 2.0f * s * (1.0f + s2 * (1.0f / 3.0f + s2 * (1.0f / 5.0f + s2 * (1.0f / 7.0f))));
    return exponent + ln * std::numbers::log2e_v<float>;
}

// 20 * log10(x) = 20 * log10(2) * log2(x).
constexpr float DecibelsPerOctave = 6.0205999f;

} // namespace

SpectrumAnalyzer::SpectrumAnalyzer()
    : m_config(kiss_fftr_alloc(Size, 0, nullptr, nullptr))
{
    for (int i = 0; i < Size; ++i)
        m_window[i] = 0.5f - 0.5f * std::cos(2.0f * std::numbers::pi_v<float> * static_cast<float>(i) / Size);
}

SpectrumAnalyzer::~SpectrumAnalyzer()
{
    kiss_fftr_free(m_config);
}

void SpectrumAnalyzer::Compute(std::span<const float, Size> samples, std::span<int32_t, Bins> values)
{
    for (int i = 0; i < Size; ++i)
        m_input[i] = samples[i] * m_window[i];
    auto* out = reinterpret_cast<kiss_fft_cpx*>(m_output.data());
    kiss_fftr(m_config, m_input.data(), out);
    // The two loops below have no branch, so that the compiler takes
    // several bins at a time: they run 100 times a second per channel. A
    // power under MinPower (silence, a NaN) is far under the 0 level, so it
    // is taken as MinPower and clamped to 0 with the rest.
    for (int k = 0; k < Bins; ++k) {
        const float power = out[k].r * out[k].r + out[k].i * out[k].i;
        m_power[k] = power > MinPower ? power : MinPower;
    }
    for (int k = 0; k < Bins; ++k) {
        // 2 per dB: 10 * log10(power ratio) dB, times 2. From MinPower up to
        // an infinite power the value lies within -440..940, so it converts
        // to an integer before the clamp.
        const float value = FullScaleValue + DecibelsPerOctave * FastLog2(m_power[k] / FullScalePower);
        values[k] = std::clamp(static_cast<int32_t>(value + 0.5f), 0, MaxValue);
    }
}

} // namespace decoder
