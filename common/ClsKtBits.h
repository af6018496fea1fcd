#pragma once
// Bit and byte operations on bytes (8-bit unsigned), words (16-bit) and
// double words (32-bit), both handled as raw bits.
//
// Splitting and joining put the most significant part first ("Hi" of a word
// is bits 15..8). Bit numbers count from the most significant bit: bit 0 of a
// byte is 0x80, of a word 0x8000, of a double word 0x80000000. A bit or shift
// count outside an operation's range leaves the value unchanged (set, reset),
// gives false (test) or gives 0 (shifts).
#include "common/KtVariant.h"

#include <array>
#include <cstdint>
#include <string>

namespace common {

class ClsKtBits {
public:
    using Byte = std::uint8_t;
    using Word = std::int16_t;
    using DWord = std::int32_t;

    // Left shifts drop the bits shifted past the top; counts 1..7, 1..15,
    // 1..31. Right shifts are logical (zeros come in at the top), same counts.
    Byte ShiftLeftByte(Byte byt, std::int16_t sht) const;
    Byte ShiftRightByte(Byte byt, std::int16_t sht) const;
    Word ShiftLeftWord(Word w, std::int16_t sht) const;
    Word ShiftRightWord(Word w, std::int16_t sht) const;
    DWord ShiftLeftDWord(DWord dw, std::int16_t sht) const;
    DWord ShiftRightDWord(DWord dw, std::int16_t sht) const;

    // "0"/"1" per bit, bit 0 first: 8 for a byte, 16 for a 16-bit and 32 for a
    // 32-bit integer; "" for any other kind.
    std::string BitsString(const KtVariant& value) const;

    // The 64-bit currency halves are refused: both throw KtError 5 "呼び出し不可".
    DWord LoDWord(std::int64_t cu) const;
    DWord HiDWord(std::int64_t cu) const;

    Word LoWord(DWord dw) const;
    Word HiWord(DWord dw) const;
    Byte LoByte(Word w) const;
    Byte HiByte(Word w) const;
    Byte LoLoByte(DWord dw) const; // bits 7..0
    Byte LoHiByte(DWord dw) const; // bits 15..8
    Byte HiLoByte(DWord dw) const; // bits 23..16
    Byte HiHiByte(DWord dw) const; // bits 31..24

    DWord TwoIntegerToDWord(Word high, Word low) const;
    Word TwoByteToWord(Byte byt1, Byte byt2) const;
    void WordToTwoByte(Word w, Byte& byt1, Byte& byt2) const;
    std::array<Byte, 2> WordToByteArray(Word w) const;
    DWord FourByteToDWord(Byte hihi, Byte hilo, Byte lohi, Byte lolo) const;
    void DWordToFourByte(DWord dw, Byte& byt1, Byte& byt2, Byte& byt3, Byte& byt4) const;
    std::array<Byte, 4> DWordToByteArray(DWord dw) const;
    Word ByteSwap(Word w) const;

    Byte BitSetByte(Byte value, std::int16_t bit) const;
    Word BitSetWord(Word value, std::int16_t bit) const;
    DWord BitSetDWord(DWord value, std::int16_t bit) const;
    Byte BitResetByte(Byte value, std::int16_t bit) const;
    Word BitResetWord(Word value, std::int16_t bit) const;
    DWord BitResetDWord(DWord value, std::int16_t bit) const;
    bool BitTestByte(Byte value, std::int16_t test) const;
    bool BitTestWord(Word value, std::int16_t test) const;
    bool BitTestDWord(DWord value, std::int16_t test) const;
};

} // namespace common
