#pragma once
// The text colours and the peak-position table a skin file may set. Entries a
// skin file leaves out are empty: the player keeps the values of the skin
// applied before.
#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>

enum class SkinColour : std::size_t {
    PlayListFore,     // [playlistbox] forecolor
    PlayListPlaying,  // [playlistbox] playingcolor
    LyricsPPrev,      // [lyricsbox] pprevcolor
    LyricsPrev,       // [lyricsbox] prevcolor
    LyricsCurrent,    // [lyricsbox] currentcolor
    LyricsNext,       // [lyricsbox] nextcolor
    LyricsNNext,      // [lyricsbox] nnextcolor
    TitleFore,        // [titlebox] forecolor
};

inline constexpr std::size_t SkinColourCount = 8;
inline constexpr std::size_t PeekPositionCount = 24;

struct SkinTextColours {
    // Windows colour values (0x00BBGGRR), indexed by SkinColour.
    std::array<std::optional<int32_t>, SkinColourCount> colours;
    // Vertical window position of the peak marker per level 0..23.
    std::array<std::optional<int32_t>, PeekPositionCount> peekPositions;

    const std::optional<int32_t>& Colour(SkinColour c) const { return colours[static_cast<std::size_t>(c)]; }
};
