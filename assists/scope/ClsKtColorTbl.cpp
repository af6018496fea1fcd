#include "assists/scope/ClsKtColorTbl.h"

#include "common/ClsKtBits.h"
#include "common/KtError.h"

namespace scope {

namespace {

void StepTowards(std::uint8_t& value, std::uint8_t end)
{
    if (value < end)
        ++value;
    else if (value > end)
        --value;
}

} // namespace

void ClsKtColorTbl::ColorTable(std::int32_t ColStart, std::int32_t ColEnd)
{
    if ((static_cast<std::uint32_t>(ColStart) & 0xFF000000u) != 0)
        throw common::KtError(common::KtError::InvalidArgument, "[ColStart]の値が正しくない。", "ClsKtColorTbl");
    if ((static_cast<std::uint32_t>(ColEnd) & 0xFF000000u) != 0)
        throw common::KtError(common::KtError::InvalidArgument, "[ColEnd]の値が正しくない。", "ClsKtColorTbl");

    const common::ClsKtBits bits;
    std::uint8_t top = 0;
    std::uint8_t c1 = 0, c2 = 0, c3 = 0;
    std::uint8_t e1 = 0, e2 = 0, e3 = 0;
    bits.DWordToFourByte(ColStart, top, c1, c2, c3);
    bits.DWordToFourByte(ColEnd, top, e1, e2, e3);

    m_colorTbl.clear();
    do {
        m_colorTbl.push_back(bits.FourByteToDWord(0, c1, c2, c3));
        StepTowards(c1, e1);
        StepTowards(c2, e2);
        StepTowards(c3, e3);
    } while (c1 != e1 || c2 != e2 || c3 != e3);
    m_colorTbl.push_back(ColEnd);
}

std::int32_t ClsKtColorTbl::nColor() const
{
    return m_colorTbl.empty() ? -1 : static_cast<std::int32_t>(m_colorTbl.size());
}

std::int32_t ClsKtColorTbl::GetColor(std::int32_t Index) const
{
    if (m_colorTbl.empty() || Index < 0 || static_cast<std::size_t>(Index) >= m_colorTbl.size())
        throw common::KtError(common::KtError::InvalidArgument, "[Index]が配列の限度を超えています。", "ClsKtColorTbl");
    return m_colorTbl[static_cast<std::size_t>(Index)];
}

} // namespace scope
