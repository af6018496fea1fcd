#include "common/KtNumber.h"

#include <gtest/gtest.h>

TEST(KtNumber, DecimalTextRoundsHalvesToEven)
{
    EXPECT_EQ(KtNumber::ToLong("41"), 41);
    EXPECT_EQ(KtNumber::ToLong("  -7\t"), -7);
    EXPECT_EQ(KtNumber::ToLong("+3"), 3);
    EXPECT_EQ(KtNumber::ToLong("3.6"), 4);
    EXPECT_EQ(KtNumber::ToLong("2.5"), 2);
    EXPECT_EQ(KtNumber::ToLong("3.5"), 4);
    EXPECT_EQ(KtNumber::ToLong(".5"), 0);
    EXPECT_EQ(KtNumber::ToLong("1e3"), 1000);
    EXPECT_EQ(KtNumber::ToLong("2147483647"), 2147483647);
}

TEST(KtNumber, HexadecimalAndOctal)
{
    EXPECT_EQ(KtNumber::ToLong("&H1F"), 31);
    EXPECT_EQ(KtNumber::ToLong("&hFFFF"), -1);        // four digits are a 16-bit pattern
    EXPECT_EQ(KtNumber::ToLong("&H10000"), 65536);
    EXPECT_EQ(KtNumber::ToLong("&HFFFFFFFF"), -1);
    EXPECT_EQ(KtNumber::ToLong("&O17"), 15);
    EXPECT_EQ(KtNumber::ToLong("&O8"), std::nullopt);
}

TEST(KtNumber, NotANumberOrOutOfRange)
{
    for (const char* bad : {"", "  ", "abc", "12abc", "1.2.3", "-", "e5", "1e", "&H", "&HXYZ", "NaN", "inf"})
        EXPECT_EQ(KtNumber::ToLong(bad), std::nullopt) << bad;
    EXPECT_EQ(KtNumber::ToLong("2147483648"), std::nullopt);
    EXPECT_EQ(KtNumber::ToLong("1e400"), std::nullopt);
    EXPECT_EQ(KtNumber::ToInteger("32768"), std::nullopt);
    EXPECT_EQ(KtNumber::ToInteger("-32768"), -32768);
    EXPECT_EQ(KtNumber::ToLong(std::string("1\0", 2)), std::nullopt);
    EXPECT_EQ(KtNumber::ToLong(std::string(100000, '9')), std::nullopt);
}
