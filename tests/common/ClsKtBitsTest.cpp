#include "common/ClsKtBits.h"

#include "common/KtError.h"

#include <gtest/gtest.h>

using namespace common;

namespace {
const ClsKtBits b;
}

// The class is a library of the first design (the scope's colour table uses
// it): each rule is checked once.
TEST(ClsKtBits, ShiftsOutsideTheWidthGiveZeroAndRightShiftsAreLogical)
{
    EXPECT_EQ(b.ShiftLeftByte(0xC1, 1), 0x82);
    EXPECT_EQ(b.ShiftLeftWord(1, 16), 0);
    EXPECT_EQ(b.ShiftLeftDWord(3, -1), 0);
    EXPECT_EQ(b.ShiftRightWord(-1, 12), 0x000F);
    EXPECT_EQ(b.ShiftRightDWord(-1, 0), 0);
    EXPECT_EQ(b.BitsString(std::int16_t{-1}), std::string(16, '1'));
    EXPECT_EQ(b.BitsString(KtVariant(1.0)), "");
    try {
        (void)b.LoDWord(123);
        FAIL() << "no error";
    } catch (const KtError& e) {
        EXPECT_EQ(e.Number(), 5);
        EXPECT_EQ(e.Description(), "呼び出し不可");
    }
}

TEST(ClsKtBits, SplittingAndJoiningAreBigEndianAndBitNumbersCountFromTheTop)
{
    EXPECT_EQ(b.HiWord(static_cast<std::int32_t>(0xFFFE0001u)), -2);
    EXPECT_EQ(b.HiLoByte(0x12345678), 0x34);
    EXPECT_EQ(b.TwoIntegerToDWord(0x1234, static_cast<std::int16_t>(0xFFFF)), 0x1234FFFF);
    std::uint8_t b1 = 9, b2 = 9, b3 = 9, b4 = 9;
    b.DWordToFourByte(0x00123456, b1, b2, b3, b4);
    EXPECT_EQ((std::array<std::uint8_t, 4>{b1, b2, b3, b4}), (std::array<std::uint8_t, 4>{0x00, 0x12, 0x34, 0x56}));
    EXPECT_EQ(b.FourByteToDWord(0xFF, 0xFF, 0xFF, 0xFE), -2);
    EXPECT_EQ(b.ByteSwap(0x00FF), static_cast<std::int16_t>(0xFF00));
    EXPECT_EQ(b.BitSetByte(0, 0), 0x80);
    EXPECT_EQ(b.BitSetWord(0, 15), 1);
    EXPECT_EQ(b.BitResetDWord(-1, 40), -1);
    EXPECT_TRUE(b.BitTestDWord(0x00800000, 8));
    EXPECT_FALSE(b.BitTestByte(0xFF, 8));
    EXPECT_EQ(b.BitSetByte(0, 8), 0);
}
