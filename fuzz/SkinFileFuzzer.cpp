// Skin files: the whole load of a .zks text as the player and the skin
// checker do it (path rules, regions from values and from a region data
// file, rectangles, colours, peak table, separation of hot areas, pictures,
// window box and shapes). The input is the skin text; what follows a line
// "#RGN" is written as the region data file r.rgn beside it.
#include "fuzz/SkinFolder.h"

#include <cstddef>
#include <cstdint>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    const std::size_t marker = input.find(fuzz::SkinFolder::RegionMarker);
    if (marker == std::string_view::npos) {
        fuzz::SkinFolder::WriteSkin(input);
        fuzz::SkinFolder::WriteRegionData({});
    } else {
        fuzz::SkinFolder::WriteSkin(input.substr(0, marker));
        fuzz::SkinFolder::WriteRegionData(input.substr(marker + fuzz::SkinFolder::RegionMarker.size()));
    }
    fuzz::SkinFolder::LoadAsPlayer();
    return 0;
}
