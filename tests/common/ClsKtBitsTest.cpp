#include "common/ClsKtBits.h"

#include "common/KtError.h"

#include <gtest/gtest.h>

namespace {
const ClsKtBits b;
}

TEST(ClsKtBits, ShiftsOutsideTheWidthGiveZeroAndRightShiftsAreLogical)
{
    EXPECT_EQ(b.ShiftLeftByte(0xC1, 1), 0x82);
    EXPECT_EQ(b.ShiftLeftByte(1, 0), 0);
    EXPECT_EQ(b.ShiftLeftWord(0x4001, 1), static_cast<std::int16_t>(0x8002));
    EXPECT_EQ(b.ShiftLeftWord(1, 16), 0);
    EXPECT_EQ(b.ShiftLeftDWord(3, 31), static_cast<std::int32_t>(0x80000000u));
    EXPECT_EQ(b.ShiftLeftDWord(3, -1), 0);
    EXPECT_EQ(b.ShiftRightByte(0x82, 1), 0x41);
    EXPECT_EQ(b.ShiftRightWord(-1, 12), 0x000F);
    EXPECT_EQ(b.ShiftRightDWord(-1, 28), 0xF);
    EXPECT_EQ(b.ShiftRightDWord(-1, 0), 0);
}

TEST(ClsKtBits, BitsStringOfIntegersOnly)
{
    EXPECT_EQ(b.BitsString(std::uint8_t{5}), "00000101");
    EXPECT_EQ(b.BitsString(std::int16_t{-1}), std::string(16, '1'));
    EXPECT_EQ(b.BitsString(std::int32_t{0x40000001}), "01" + std::string(29, '0') + "1");
    EXPECT_EQ(b.BitsString(KtVariant(1.0)), "");
}

TEST(ClsKtBits, CurrencyHalvesAreRefused)
{
    for (auto call : {&ClsKtBits::LoDWord, &ClsKtBits::HiDWord}) {
        try {
            (void)(b.*call)(123);
            FAIL() << "no error";
        } catch (const KtError& e) {
            EXPECT_EQ(e.Number(), 5);
            EXPECT_EQ(e.Description(), "呼び出し不可");
        }
    }
}

TEST(ClsKtBits, SplittingAndJoiningAreBigEndian)
{
    EXPECT_EQ(b.HiWord(static_cast<std::int32_t>(0xFFFE0001u)), -2);
    EXPECT_EQ(b.LoWord(0x12345678), 0x5678);
    EXPECT_EQ(b.HiByte(static_cast<std::int16_t>(0xAB12)), 0xAB);
    EXPECT_EQ(b.HiLoByte(0x12345678), 0x34);
    EXPECT_EQ(b.LoHiByte(0x12345678), 0x56);
    EXPECT_EQ(b.TwoIntegerToDWord(0x1234, static_cast<std::int16_t>(0xFFFF)), 0x1234FFFF);
    std::uint8_t b1 = 9, b2 = 9, b3 = 9, b4 = 9;
    b.DWordToFourByte(0x00123456, b1, b2, b3, b4);
    EXPECT_EQ((std::array<std::uint8_t, 4>{b1, b2, b3, b4}), (std::array<std::uint8_t, 4>{0x00, 0x12, 0x34, 0x56}));
    EXPECT_EQ(b.FourByteToDWord(0xFF, 0xFF, 0xFF, 0xFE), -2);
    EXPECT_EQ(b.WordToByteArray(static_cast<std::int16_t>(0xBEEF)), (std::array<std::uint8_t, 2>{0xBE, 0xEF}));
    EXPECT_EQ(b.ByteSwap(0x00FF), static_cast<std::int16_t>(0xFF00));
}

TEST(ClsKtBits, BitNumbersCountFromTheTop)
{
    EXPECT_EQ(b.BitSetByte(0, 0), 0x80);
    EXPECT_EQ(b.BitSetByte(0, 8), 0);
    EXPECT_EQ(b.BitSetWord(0, 15), 1);
    EXPECT_EQ(b.BitSetDWord(0, 0), static_cast<std::int32_t>(0x80000000u));
    EXPECT_EQ(b.BitResetWord(-1, 15), static_cast<std::int16_t>(0xFFFE));
    EXPECT_EQ(b.BitResetDWord(-1, 40), -1);
    EXPECT_TRUE(b.BitTestByte(0x80, 0));
    EXPECT_FALSE(b.BitTestByte(0xFF, 8));
    EXPECT_TRUE(b.BitTestDWord(0x00800000, 8));
}
