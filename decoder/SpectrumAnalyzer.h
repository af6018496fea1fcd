#pragma once
// The analyser's spectrum of 512 samples: Hann window, real FFT (KissFFT),
// 256 values. Value k belongs to frequency k * rate / 512. Scale: 2 per dB,
// a full-scale sine at its bin gives 160 (each 20 dB less, 40 less), clamped
// to 0..200, so -80 dBFS and silence give 0.
#include <array>
#include <cstdint>
#include <span>

struct kiss_fftr_state;

namespace decoder {

class SpectrumAnalyzer {
public:
    static constexpr int Size = 512;
    static constexpr int Bins = 256;

    SpectrumAnalyzer();
    ~SpectrumAnalyzer();
    SpectrumAnalyzer(const SpectrumAnalyzer&) = delete;
    SpectrumAnalyzer& operator=(const SpectrumAnalyzer&) = delete;

    void Compute(std::span<const float, Size> samples, std::span<int32_t, Bins> values);

private:
    kiss_fftr_state* m_config;
    std::array<float, Size> m_window{};
    std::array<float, Size> m_input{};
    std::array<float, 2 * (Size / 2 + 1)> m_output{};
    std::array<float, Bins> m_power{};
};

} // namespace decoder
