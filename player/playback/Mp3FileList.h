#pragma once
// The play list (the collection known as coMp3Files): tracks in the order in
// which they were added, numbered from 1. A track's number never changes while
// it is in the list, because tracks are only ever removed all at once. The
// same path may occur more than once.
//
// Read-only users (the play-list box, the Properties dialog) take a
// const Mp3FileList&; only the main window's list commands change it.
#include "player/playback/ClsZelkoMp3File.h"

#include <cstdint>
#include <vector>

namespace playback {

class Mp3FileList {
public:
    // Number of tracks.
    std::int32_t Count() const { return static_cast<std::int32_t>(m_Items.size()); }
    bool Empty() const { return m_Items.empty(); }

    // True when trackNumber names a track (1..Count()).
    bool Contains(std::int32_t trackNumber) const
    {
        return trackNumber >= 1 && trackNumber <= Count();
    }

    // Track number trackNumber (1-based). Precondition: Contains(trackNumber).
    const ClsZelkoMp3File& Item(std::int32_t trackNumber) const
    {
        return m_Items[static_cast<std::size_t>(trackNumber - 1)];
    }

    // Appends a track; its number is the new Count().
    void Add(ClsZelkoMp3File track) { m_Items.push_back(std::move(track)); }

    // Removes every track.
    void Clear() { m_Items.clear(); }

    // The tracks in track-number order (index 0 is track 1).
    const std::vector<ClsZelkoMp3File>& Items() const { return m_Items; }

    void Reserve(std::size_t n) { m_Items.reserve(n); }

private:
    std::vector<ClsZelkoMp3File> m_Items;
};

} // namespace playback
