#pragma once
// A skin folder in the fuzz scratch space: the pictures a skin needs (small
// plain pictures, written once), a skin file and one region data file that
// each input replaces. The skin and region-data targets load it with the
// player's own loader.
#include <string>
#include <string_view>

namespace fuzz {

class SkinFolder {
public:
    static constexpr const char* SkinFileName = "Fuzz.zks";
    // The region data file a skin line names as file(./r.rgn) (or file(r.rgn)).
    static constexpr const char* RegionFileName = "r.rgn";
    // In a skin input, what follows this line is the region data file.
    static constexpr std::string_view RegionMarker = "\n#RGN\n";

    // The folder, ending in "/", with the pictures in it.
    static const std::string& Path();
    static void WriteSkin(std::string_view text);
    static void WriteRegionData(std::string_view bytes);

    // Loads the skin as the player does (and as the checker does), and when
    // it can be shown, computes the window box and the window shapes of
    // every drawer state, as showing it would.
    static void LoadAsPlayer();
};

} // namespace fuzz
