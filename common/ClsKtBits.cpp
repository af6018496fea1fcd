#include "common/ClsKtBits.h"

#include "common/KtError.h"

namespace common {

namespace {

constexpr const char* kSource = "ClsKtBits";

std::uint32_t Raw(std::int32_t v) { return static_cast<std::uint32_t>(v); }
std::uint16_t Raw(std::int16_t v) { return static_cast<std::uint16_t>(v); }
std::int32_t FromRaw32(std::uint32_t v) { return static_cast<std::int32_t>(v); }
std::int16_t FromRaw16(std::uint32_t v) { return static_cast<std::int16_t>(static_cast<std::uint16_t>(v)); }

// Mask of bit number bit (0 = most significant) in a value of width bits.
std::uint32_t Mask(int width, std::int16_t bit)
{
    return 1u << (width - 1 - bit);
}

bool InRange(std::int16_t bit, int width)
{
    return bit >= 0 && bit < width;
}

} // namespace

ClsKtBits::Byte ClsKtBits::ShiftLeftByte(Byte byt, std::int16_t sht) const
{
    if (sht < 1 || sht > 7)
        return 0;
    return static_cast<Byte>((static_cast<unsigned>(byt) << sht) & 0xFFu);
}

ClsKtBits::Byte ClsKtBits::ShiftRightByte(Byte byt, std::int16_t sht) const
{
    if (sht < 1 || sht > 7)
        return 0;
    return static_cast<Byte>(byt >> sht);
}

ClsKtBits::Word ClsKtBits::ShiftLeftWord(Word w, std::int16_t sht) const
{
    if (sht < 1 || sht > 15)
        return 0;
    return FromRaw16((static_cast<std::uint32_t>(Raw(w)) << sht) & 0xFFFFu);
}

ClsKtBits::Word ClsKtBits::ShiftRightWord(Word w, std::int16_t sht) const
{
    if (sht < 1 || sht > 15)
        return 0;
    return FromRaw16(static_cast<std::uint32_t>(Raw(w)) >> sht);
}

ClsKtBits::DWord ClsKtBits::ShiftLeftDWord(DWord dw, std::int16_t sht) const
{
    if (sht < 1 || sht > 31)
        return 0;
    return FromRaw32(Raw(dw) << sht);
}

ClsKtBits::DWord ClsKtBits::ShiftRightDWord(DWord dw, std::int16_t sht) const
{
    if (sht < 1 || sht > 31)
        return 0;
    return FromRaw32(Raw(dw) >> sht);
}

std::string ClsKtBits::BitsString(const KtVariant& value) const
{
    std::uint32_t bits;
    int width;
    switch (value.GetKind()) {
    case KtVariant::Kind::Byte:
        bits = value.AsByte();
        width = 8;
        break;
    case KtVariant::Kind::Integer:
        bits = Raw(value.AsInteger());
        width = 16;
        break;
    case KtVariant::Kind::Long:
        bits = Raw(value.AsLong());
        width = 32;
        break;
    default: return {};
    }
    std::string out;
    for (int i = width - 1; i >= 0; --i)
        out += ((bits >> i) & 1u) ? '1' : '0';
    return out;
}

ClsKtBits::DWord ClsKtBits::LoDWord(std::int64_t) const
{
    throw KtError(KtError::InvalidArgument, "呼び出し不可", kSource);
}

ClsKtBits::DWord ClsKtBits::HiDWord(std::int64_t) const
{
    throw KtError(KtError::InvalidArgument, "呼び出し不可", kSource);
}

ClsKtBits::Word ClsKtBits::LoWord(DWord dw) const { return FromRaw16(Raw(dw) & 0xFFFFu); }
ClsKtBits::Word ClsKtBits::HiWord(DWord dw) const { return FromRaw16(Raw(dw) >> 16); }
ClsKtBits::Byte ClsKtBits::LoByte(Word w) const { return static_cast<Byte>(Raw(w) & 0xFFu); }
ClsKtBits::Byte ClsKtBits::HiByte(Word w) const { return static_cast<Byte>(Raw(w) >> 8); }
ClsKtBits::Byte ClsKtBits::LoLoByte(DWord dw) const { return static_cast<Byte>(Raw(dw) & 0xFFu); }
ClsKtBits::Byte ClsKtBits::LoHiByte(DWord dw) const { return static_cast<Byte>((Raw(dw) >> 8) & 0xFFu); }
ClsKtBits::Byte ClsKtBits::HiLoByte(DWord dw) const { return static_cast<Byte>((Raw(dw) >> 16) & 0xFFu); }
ClsKtBits::Byte ClsKtBits::HiHiByte(DWord dw) const { return static_cast<Byte>(Raw(dw) >> 24); }

ClsKtBits::DWord ClsKtBits::TwoIntegerToDWord(Word high, Word low) const
{
    return FromRaw32((static_cast<std::uint32_t>(Raw(high)) << 16) | Raw(low));
}

ClsKtBits::Word ClsKtBits::TwoByteToWord(Byte byt1, Byte byt2) const
{
    return FromRaw16((static_cast<std::uint32_t>(byt1) << 8) | byt2);
}

void ClsKtBits::WordToTwoByte(Word w, Byte& byt1, Byte& byt2) const
{
    byt1 = HiByte(w);
    byt2 = LoByte(w);
}

std::array<ClsKtBits::Byte, 2> ClsKtBits::WordToByteArray(Word w) const
{
    return {HiByte(w), LoByte(w)};
}

ClsKtBits::DWord ClsKtBits::FourByteToDWord(Byte hihi, Byte hilo, Byte lohi, Byte lolo) const
{
    return FromRaw32((static_cast<std::uint32_t>(hihi) << 24) | (static_cast<std::uint32_t>(hilo) << 16) |
                     (static_cast<std::uint32_t>(lohi) << 8) | lolo);
}

void ClsKtBits::DWordToFourByte(DWord dw, Byte& byt1, Byte& byt2, Byte& byt3, Byte& byt4) const
{
    byt1 = HiHiByte(dw);
    byt2 = HiLoByte(dw);
    byt3 = LoHiByte(dw);
    byt4 = LoLoByte(dw);
}

std::array<ClsKtBits::Byte, 4> ClsKtBits::DWordToByteArray(DWord dw) const
{
    return {HiHiByte(dw), HiLoByte(dw), LoHiByte(dw), LoLoByte(dw)};
}

ClsKtBits::Word ClsKtBits::ByteSwap(Word w) const
{
    return TwoByteToWord(LoByte(w), HiByte(w));
}

ClsKtBits::Byte ClsKtBits::BitSetByte(Byte value, std::int16_t bit) const
{
    return InRange(bit, 8) ? static_cast<Byte>(value | Mask(8, bit)) : value;
}

ClsKtBits::Word ClsKtBits::BitSetWord(Word value, std::int16_t bit) const
{
    return InRange(bit, 16) ? FromRaw16(Raw(value) | Mask(16, bit)) : value;
}

ClsKtBits::DWord ClsKtBits::BitSetDWord(DWord value, std::int16_t bit) const
{
    return InRange(bit, 32) ? FromRaw32(Raw(value) | Mask(32, bit)) : value;
}

ClsKtBits::Byte ClsKtBits::BitResetByte(Byte value, std::int16_t bit) const
{
    return InRange(bit, 8) ? static_cast<Byte>(value & ~Mask(8, bit)) : value;
}

ClsKtBits::Word ClsKtBits::BitResetWord(Word value, std::int16_t bit) const
{
    return InRange(bit, 16) ? FromRaw16(Raw(value) & ~Mask(16, bit)) : value;
}

ClsKtBits::DWord ClsKtBits::BitResetDWord(DWord value, std::int16_t bit) const
{
    return InRange(bit, 32) ? FromRaw32(Raw(value) & ~Mask(32, bit)) : value;
}

bool ClsKtBits::BitTestByte(Byte value, std::int16_t test) const
{
    return InRange(test, 8) && (value & Mask(8, test)) != 0;
}

bool ClsKtBits::BitTestWord(Word value, std::int16_t test) const
{
    return InRange(test, 16) && (Raw(value) & Mask(16, test)) != 0;
}

bool ClsKtBits::BitTestDWord(DWord value, std::int16_t test) const
{
    return InRange(test, 32) && (Raw(value) & Mask(32, test)) != 0;
}

} // namespace common
