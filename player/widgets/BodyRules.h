#pragma once
// The arithmetic of the body widgets, kept apart from drawing so that it can be
// checked without a window: which analyser image a spectrum value selects,
// which of the eleven gauge images a percentage selects, which characters the
// time digits show, and the title-box and caption texts.
#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace widgets {

namespace BodyRules {

// Number of analyser bands, and the spectrum index of band b is 3 * b.
inline constexpr int BandCount = 19;
inline constexpr int BandStride = 3;
// Highest analyser image and peak-table entry a skin can define.
inline constexpr int MaxLevel = 23;

// Level of a band from the two channel values at its spectrum index:
// ((max - 40) / 5, truncated toward zero) - 1, at least 0 and at most MaxLevel
// (a skin has no image above it, so louder bands show the highest one).
int SpectrumLevel(std::int32_t left, std::int32_t right);

// Gauge image suffix for a value in percent: the value rounded half up to the
// nearest ten, limited to 0..100 (4 -> 0, 5 -> 10, 94 -> 90, 95 -> 100).
int GaugeSuffix(int percent);

// The five characters the time display shows (minute tens, minute units,
// colon, second tens, second units) from a time text MM:SS:hh. A minute
// field of three or more digits (100 minutes and longer) shows as 99, so the
// characters never shift.
std::array<char, 5> DisplayTime(std::string_view formatted);

// The title-box text: empty when both names are empty, otherwise
// "<track> - <artist>" with "Unknown Track" / "Unknown Artist" for an empty name.
std::string TitleText(std::string_view trackName, std::string_view artistName);

// The window caption shown in the task bar for a title-box text.
std::string CaptionText(std::string_view titleText);

} // namespace BodyRules

} // namespace widgets
