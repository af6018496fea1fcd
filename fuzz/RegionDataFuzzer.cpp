// Region data files: the input is a region data file (32-bit little-endian
// RGNDATA numbers) that a skin names for its window outline, for a hot area
// and as a cut-out, loaded as the player loads the skin.
#include "fuzz/SkinFolder.h"

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace {

constexpr std::string_view kSkin =
    "[Body]\r\n"
    "Main=addrgndata file(./r.rgn)\r\n"
    "LyricsShow=addrect value(0,0,40,40)\r\n"
    "LyricsShow=diffrgndata file(.\\r.rgn)\r\n"
    "[PlayButtons]\r\n"
    "Play=addrgndata file(./r.rgn)\r\n"
    "Stop=addrect value(0,0,20,20)\r\n"
    "Stop=diffrgndata file(./r.rgn)\r\n";

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static const bool skinWritten = (fuzz::SkinFolder::WriteSkin(kSkin), true);
    (void)skinWritten;
    fuzz::SkinFolder::WriteRegionData(std::string_view(reinterpret_cast<const char*>(data), size));
    fuzz::SkinFolder::LoadAsPlayer();
    return 0;
}
