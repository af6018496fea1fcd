#include "player/skin/ClsZelkoRect.h"

#include "player/skin/SkinText.h"

#include <array>

namespace skin {

const char* RectLineStatusText(RectLineStatus status)
{
    switch (status) {
    case RectLineStatus::Applied: return "applied";
    case RectLineStatus::NotRect: return "not a rectangle value (expected rect value(left,top,right,bottom))";
    case RectLineStatus::BadNumber: return "a number that is not a 32-bit integer";
    case RectLineStatus::TooFewNumbers: return "too few numbers for a rectangle";
    case RectLineStatus::OutOfRange: return "a coordinate outside -32767..32767";
    }
    return "?";
}

RectLineStatus ClsZelkoRect::MakeRect(const std::string& sValue)
{
    const std::vector<std::string> pieces = skintext::Split(sValue, ' ');
    if (skintext::Lower(pieces[0]) != "rect") return RectLineStatus::NotRect;
    std::string rest;
    for (std::size_t i = 1; i < pieces.size(); ++i)
        rest += pieces[i] + " ";
    if (skintext::Lower(rest.substr(0, 5)) != "value") return RectLineStatus::NotRect;
    const std::vector<std::string> parts = skintext::Split(skintext::Between(rest, '(', ')'), ',');
    if (parts.size() < 4) return RectLineStatus::TooFewNumbers;
    std::array<int32_t, 4> n{};
    for (std::size_t i = 0; i < 4; ++i) {
        const std::optional<int32_t> v = skintext::ToInt32(parts[i]);
        if (!v) return RectLineStatus::BadNumber;
        n[i] = *v;
    }
    for (const int32_t v : n) {
        if (v < -MaxSkinCoordinate || v > MaxSkinCoordinate) return RectLineStatus::OutOfRange;
    }
    m_rect = platform::Rect{n[0], n[1], n[2], n[3]};
    return RectLineStatus::Applied;
}

} // namespace skin
