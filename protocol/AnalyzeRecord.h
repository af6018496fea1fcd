#pragma once
// The per-tick analyser record, 2056 bytes, little-endian:
//   0 PlayMs (int32, ms)   4 TotalMs (int32, ms: whole seconds x 1000)
//   8 Spectrum1 (256 x int32)   1032 Spectrum2 (256 x int32)
#include <array>
#include <cstddef>
#include <cstdint>

namespace protocol {

inline constexpr std::size_t SpectrumLength = 256;

struct AnalyzeRecord {
    std::int32_t PlayMs = 0;
    std::int32_t TotalMs = 0;
    std::array<std::int32_t, SpectrumLength> Spectrum1{};
    std::array<std::int32_t, SpectrumLength> Spectrum2{};
};

static_assert(sizeof(AnalyzeRecord) == 2056);
static_assert(offsetof(AnalyzeRecord, PlayMs) == 0);
static_assert(offsetof(AnalyzeRecord, TotalMs) == 4);
static_assert(offsetof(AnalyzeRecord, Spectrum1) == 8);
static_assert(offsetof(AnalyzeRecord, Spectrum2) == 1032);

} // namespace protocol
