#pragma once
// A named region of a skin: a window outline, a button's hot area or a
// gauge's area, in window client pixels. It is built by one or more skin
// lines (MakeRgn), each of which adds an area to it or cuts one out of it.
//
// Region values: an operation word, one blank, a data source:
//   addrect/diffrect     value(left,top,width,height)
//   addpoints/diffpoints value(x1,y1,x2,y2,...)   a polygon, winding fill
//   addrgndata/diffrgndata value(...) or file(path): a Windows RGNDATA block
// file(path) reads 32-bit little-endian integers; a path beginning with ".\"
// or "./" lies in the skin folder, and "\" separators are accepted.
//
// Skins come from strangers, so every coordinate and size a line gives, and
// every right and bottom edge computed from them, must lie within
// -MaxSkinCoordinate..MaxSkinCoordinate, and a polygon may span at most
// platform::MaxPolygonExtent pixels each way; a line with any number beyond is
// refused (OutOfRange) before its numbers reach the region code, whose
// polygon fill and rectangle arithmetic are only safe within 16 bits.
#include "platform/Region.h"

#include <cstdint>
#include <optional>
#include <string>

namespace skin {

// What the skin engine needs to know to read a region line.
struct SkinRegionContext {
    std::string skinPath;  // the skin folder, ending in "/" (or "\")
    int32_t frameLeft = 0; // offset of the client area in the window (0 for our frameless window)
    int32_t frameTop = 0;
};

// The outcome of one skin line applied to a region.
enum class RgnLineStatus {
    Applied,          // the region changed (or was combined with an empty area)
    UnknownOperation, // an operation word that is not one of the six
    NoDataSource,     // no blank, or a source that is neither value(...) nor file(...)
    BadNumber,        // a number that does not convert to a 32-bit integer
    TooFewNumbers,    // fewer than four numbers for a rectangle, an odd count or fewer than 6 for a polygon
    MissingFile,      // file(...) names no readable file
    FileTooLarge,     // a region file above the size limit is not read
    EmptyData,        // the source gave no numbers
    BadRegionData,    // an RGNDATA block the region code refuses
    OutOfRange,       // a coordinate, size or edge beyond MaxSkinCoordinate, or too large a polygon
    DiffBeforeAdd,    // a diff operation on a region that has no area yet (no effect)
};

// Plain text for a status, for logs and the skin checker.
const char* RgnLineStatusText(RgnLineStatus status);

class ClsZelkoRgn {
public:
    // Region files larger than this (65,534 rectangles) are refused without
    // being read: uniting more rectangles would stall the skin's load.
    static constexpr std::uintmax_t MaxRegionFileBytes = 1024u * 1024u;
    // The largest magnitude of a coordinate, size or edge in a region line.
    static constexpr int32_t MaxSkinCoordinate = platform::MaxCoordinate;

    const std::string& Name() const { return m_name; }
    void SetName(std::string name) { m_name = std::move(name); }

    // The region built so far; nothing when no line has created one yet.
    const std::optional<platform::Region>& Rgn() const { return m_rgn; }
    // The region, or an empty one when none was created.
    const platform::Region& RgnOrEmpty() const;
    void SetRgn(platform::Region rgn) { m_rgn = std::move(rgn); }

    // Applies one skin line. The section decides the frame shift (only
    // "body", in any case, is shifted by the context's frame offsets).
    RgnLineStatus MakeRgn(const std::string& section, const std::string& value, const SkinRegionContext& context);

    // Forgets the region.
    void DeleteRgn() { m_rgn.reset(); }

private:
    std::string m_name;
    std::optional<platform::Region> m_rgn;
};

} // namespace skin
