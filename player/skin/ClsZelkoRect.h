#pragma once
// A named rectangle of a skin: where a widget image lies inside one of the
// skin pictures, in picture pixels (left, top, right, bottom). Drawing uses
// only its left and top; the size comes from the destination region.
//
// Value syntax: rect value(left,top,right,bottom); blanks inside the
// parentheses are allowed. Each number must lie within
// -MaxSkinCoordinate..MaxSkinCoordinate (as region numbers do), so that
// widths and offsets computed from them cannot overflow.
#include "platform/Rect.h"

#include <string>

namespace skin {

enum class RectLineStatus {
    Applied,
    NotRect,       // the first word is not "rect" or the rest does not begin with "value"
    BadNumber,     // a number that does not convert to a 32-bit integer
    TooFewNumbers, // fewer than four numbers
    OutOfRange,    // a number beyond MaxSkinCoordinate
};

const char* RectLineStatusText(RectLineStatus status);

class ClsZelkoRect {
public:
    static constexpr int32_t MaxSkinCoordinate = platform::MaxCoordinate;

    const std::string& Name() const { return m_name; }
    void SetName(std::string name) { m_name = std::move(name); }

    // Sets the rectangle from a skin value; on any failure the rectangle keeps
    // its previous value (0,0,0,0 for a new one).
    RectLineStatus MakeRect(const std::string& sValue);

    const platform::Rect& RectPtr() const { return m_rect; }
    int32_t Left() const { return m_rect.left; }
    int32_t Top() const { return m_rect.top; }
    int32_t Right() const { return m_rect.right; }
    int32_t Bottom() const { return m_rect.bottom; }

private:
    std::string m_name;
    platform::Rect m_rect;
};

} // namespace skin
