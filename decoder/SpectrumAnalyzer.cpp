#include "decoder/SpectrumAnalyzer.h"

#include <kiss_fftr.h>

#include <algorithm>
#include <cmath>
#include <numbers>

namespace decoder {

namespace {

// A full-scale sine through the Hann window peaks at amplitude * Size / 4.
constexpr float FullScalePower = (SpectrumAnalyzer::Size / 4.0f) * (SpectrumAnalyzer::Size / 4.0f);
constexpr float FullScaleValue = 160.0f;
constexpr float MaxValue = 200.0f;

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
    for (int k = 0; k < Bins; ++k) {
        const float power = out[k].r * out[k].r + out[k].i * out[k].i;
        // 2 per dB: 10 * log10(power ratio) dB, times 2.
        const float value = power > 0.0f ? FullScaleValue + 20.0f * std::log10(power / FullScalePower) : 0.0f;
        values[k] = static_cast<int32_t>(std::lround(std::clamp(value, 0.0f, MaxValue)));
    }
}

} // namespace decoder
