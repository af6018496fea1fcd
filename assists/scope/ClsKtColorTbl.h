#pragma once
// A colour gradient table. Colours are Windows colour values 0x00BBGGRR.
#include <cstdint>
#include <vector>

namespace scope {

class ClsKtColorTbl {
public:
    // Rebuilds the table as the gradient from ColStart to ColEnd: each of the
    // three colour bytes steps by one towards its end value until all arrive,
    // then the end colour is appended; (largest byte distance + 1) entries,
    // ColStart first and ColEnd last (2 entries when they are equal).
    // Throws KtError 5 "[ColStart]の値が正しくない。" / "[ColEnd]の値が正しくない。"
    // when a colour has bits in its top byte.
    void ColorTable(std::int32_t ColStart, std::int32_t ColEnd);
    // Number of entries; -1 when the table is empty.
    std::int32_t nColor() const;
    // Entry Index (0-based); throws KtError 5 "[Index]が配列の限度を超えています。"
    // when the table is empty or Index is outside it.
    std::int32_t GetColor(std::int32_t Index) const;

    const std::vector<std::int32_t>& ColorTbl() const { return m_colorTbl; }

private:
    std::vector<std::int32_t> m_colorTbl;
};

} // namespace scope
