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
#include "player/skin/ClsZelkoRgn.h"
#include "player/skin/SkinCollection.h"
#include "player/skin/SkinTextColours.h"

#include <optional>
#include <string>
#include <vector>

struct SkinProblem {
    std::string file;  // the file the problem is in (skin file, picture or region file)
    int line = 0;      // 1-based line of the skin file; 0 when the problem is not tied to a line
    std::string message;
};

struct ParsedSkinFile {
    std::string path;  // skin folder and file name as read
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
