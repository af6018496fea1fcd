#pragma once
// The play order laid over the play list: each track number 1..N exactly once,
// either in plain order or as a uniform random permutation. It is empty after
// the list has been cleared.
//
// The next/previous rules return a track number, 0 for "no track" and -1 for
// "past the end (or before the start) with repeat off".
#include <cstdint>
#include <random>
#include <vector>

namespace playback {

class ShuffleOrder {
public:
    // Marker results of GetNextPlayPosition / GetPrevPlayPosition.
    static constexpr std::int32_t kNoTrack = 0;
    static constexpr std::int32_t kPastEnd = -1;

    // Rebuilds the order for count tracks (ShuffleMp3Files): plain 1..count
    // when shuffle is false, otherwise a Fisher-Yates permutation drawn from rng.
    void Rebuild(std::int32_t count, bool shuffle, std::mt19937& rng);

    // Empties the order (EraseShuffleOrder).
    void Erase() { m_Order.clear(); }

    std::int32_t Size() const { return static_cast<std::int32_t>(m_Order.size()); }
    bool Empty() const { return m_Order.empty(); }
    // Element at index (0-based). Precondition: 0 <= index < Size().
    std::int32_t At(std::int32_t index) const { return m_Order[static_cast<std::size_t>(index)]; }
    // First and last element; kNoTrack when empty.
    std::int32_t First() const { return m_Order.empty() ? kNoTrack : m_Order.front(); }
    std::int32_t Last() const { return m_Order.empty() ? kNoTrack : m_Order.back(); }
    bool Contains(std::int32_t trackNumber) const;
    const std::vector<std::int32_t>& Elements() const { return m_Order; }

    // The track after playPosition in the order. listCount is the number of
    // tracks in the list. 0 when the list is empty, playPosition is 0 or not in
    // the order; at the last index -1 without repeat, else the first element.
    std::int32_t GetNextPlayPosition(std::int32_t playPosition, std::int32_t listCount,
                                     bool repeat) const;
    // The mirror image: searched from the end; at index 0 -1 without repeat,
    // else the last element.
    std::int32_t GetPrevPlayPosition(std::int32_t playPosition, std::int32_t listCount,
                                     bool repeat) const;

private:
    std::vector<std::int32_t> m_Order;
};

} // namespace playback
