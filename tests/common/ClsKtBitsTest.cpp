#include "common/ClsKtBits.h"

#include <gtest/gtest.h>

#include <array>

using namespace common;

namespace {
const ClsKtBits b;
}

// Of this class of the first design the scope's colour table uses only the
// conversion between a long and its four bytes.
TEST(ClsKtBits, ALongSplitsIntoFourBytesBigEndianAndJoinsBack)
{
    std::uint8_t b1 = 9, b2 = 9, b3 = 9, b4 = 9;
    b.DWordToFourByte(0x00123456, b1, b2, b3, b4);
    EXPECT_EQ((std::array<std::uint8_t, 4>{b1, b2, b3, b4}), (std::array<std::uint8_t, 4>{0x00, 0x12, 0x34, 0x56}));
    EXPECT_EQ(b.FourByteToDWord(0xFF, 0xFF, 0xFF, 0xFE), -2);
    EXPECT_EQ(b.FourByteToDWord(0x00, 0x12, 0x34, 0x56), 0x00123456);
}
