#pragma once
// The held peaks of the analyser: one 32-bit level per spectrum index (256),
// all 0 at start. A peak rises with its band at once; once the band falls
// below it, the marker is shown at the held level and the held level falls by
// one per refresh. The levels survive track and skin changes; ClearAll serves
// the assist command that zeroes the spectrum together with the peaks.
#include <array>
#include <cstdint>
#include <optional>

namespace widgets {

class PeakMeter {
public:
    static constexpr int Size = 256;

    // Feeds the current level of the band at spectrum index `index` (0..255).
    // Returns the held level at which a marker must be drawn this refresh, or
    // nothing when the band reaches its peak (the peak then follows the band).
    std::optional<std::int32_t> Update(int index, std::int32_t level);

    std::int32_t Level(int index) const { return m_levels.at(static_cast<std::size_t>(index)); }
    void ClearAll() { m_levels.fill(0); }

private:
    std::array<std::int32_t, Size> m_levels{};
};

} // namespace widgets
