#pragma once
// The text colours and the peak-position table a skin file may set. Entries a
// skin file leaves out are empty: the player keeps the values of the skin
// applied before (KeepUnsetFrom), and 0 where no skin has set one.
#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>

namespace skin {

enum class SkinColour : std::size_t {
    PlayListFore,    // [playlistbox] forecolor
    PlayListPlaying, // [playlistbox] playingcolor
    LyricsPPrev,     // [lyricsbox] pprevcolor
    LyricsPrev,      // [lyricsbox] prevcolor
    LyricsCurrent,   // [lyricsbox] currentcolor
    LyricsNext,      // [lyricsbox] nextcolor
    LyricsNNext,     // [lyricsbox] nnextcolor
    TitleFore,       // [titlebox] forecolor
};

inline constexpr std::size_t SkinColourCount = 8;
inline constexpr std::size_t PeekPositionCount = 24;

struct SkinTextColours {
    // Windows colour values (0x00BBGGRR), indexed by SkinColour.
    std::array<std::optional<int32_t>, SkinColourCount> colours;
    // Vertical window position of the peak marker per level 0..23.
    std::array<std::optional<int32_t>, PeekPositionCount> peekPositions;

    const std::optional<int32_t>& Colour(SkinColour c) const { return colours[static_cast<std::size_t>(c)]; }
    void SetColour(SkinColour c, int32_t value) { colours[static_cast<std::size_t>(c)] = value; }

    // What the widgets draw with: the entry, or 0 where none is set. Level is
    // 0..PeekPositionCount-1.
    int32_t ColourOrZero(SkinColour c) const { return Colour(c).value_or(0); }
    int32_t PeekPositionOrZero(std::size_t level) const { return peekPositions[level].value_or(0); }

    // Fills every entry this skin leaves out with the one of the skin applied
    // before (which may itself be empty).
    void KeepUnsetFrom(const SkinTextColours& before)
    {
        for (std::size_t i = 0; i < colours.size(); ++i)
            if (!colours[i])
                colours[i] = before.colours[i];
        for (std::size_t i = 0; i < peekPositions.size(); ++i)
            if (!peekPositions[i])
                peekPositions[i] = before.peekPositions[i];
    }
};

} // namespace skin
