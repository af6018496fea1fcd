#pragma once
// The skin definition file (*.zks): a line-oriented text file of [sections]
// and key=value lines (UTF-8 or CP932, CR LF or LF). ParseSkinFile turns it
// into plain data: the named regions, the named rectangles, the text colours
// and the peak table, plus the lines it had to skip and why.
//
// Lines are never trimmed; section and key names are compared in lower case;
// a value runs from the first "=" to the second (or to the end of the line).
// A line that is malformed (a bad number, too few numbers, an unknown
// operation, a rectangle named twice, ...) is skipped and reported; it never
// stops the parse.
//
// Skins come from strangers, so the work a skin can ask for is bounded: a
// file over MaxSkinFileBytes is not read (reported as a problem), a skin
// names at most MaxSkinNames regions and at most MaxSkinNames rectangles,
// and a region is built from at most MaxLinesPerRegion lines; lines beyond
// are skipped and reported. (Regions are united line by line and hot areas
// are separated pair by pair, so unbounded counts would stall the player.)
#include "player/skin/ClsZelkoRgn.h"
#include "player/skin/SkinCollection.h"
#include "player/skin/SkinTextColours.h"

#include <cstddef>
#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace skin {

struct SkinProblem {
    std::string file; // the file the problem is in (skin file, picture or region file)
    int line = 0;     // 1-based line of the skin file; 0 when the problem is not tied to a line
    std::string message;
};

inline constexpr std::uintmax_t MaxSkinFileBytes = 256u * 1024u;
inline constexpr std::size_t MaxSkinNames = 1024;
inline constexpr int MaxLinesPerRegion = 256;

struct ParsedSkinFile {
    std::string path; // skin folder and file name as read
    SkinRegions coRgns;
    SkinRects coRects;
    SkinTextColours colours;
    std::vector<SkinProblem> problems;
};

// Reads skinPath + skinFile. Returns nothing when that is not a readable
// regular file. skinPath ends in "/" (a trailing "\" is accepted as well).
[[nodiscard]] std::optional<ParsedSkinFile> ParseSkinFile(const std::string& skinPath, const std::string& skinFile,
                                                          const SkinRegionContext& frame = {});
// The same from text already in memory (tests, the checker); path names the
// text in problems.
[[nodiscard]] ParsedSkinFile ParseSkinText(std::string_view bytes, const std::string& path,
                                           const SkinRegionContext& context);

} // namespace skin
