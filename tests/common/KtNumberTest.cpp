#include "common/KtNumber.h"

#include <gtest/gtest.h>

#include <optional>

using namespace common;

// Decimal halves round to even; four hexadecimal digits are a 16-bit pattern.
TEST(KtNumber, TextGivesALongOrNothing)
{
    const std::pair<std::string, std::optional<std::int32_t>> rows[] = {
        {"  -7\t", -7},
        {"+3", 3},
        {"3.6", 4},
        {"2.5", 2},
        {"3.5", 4},
        {".5", 0},
        {"1e3", 1000},
        {"2147483647", 2147483647},
        {"2147483648", std::nullopt},
        {"1e400", std::nullopt},
        {"&H1F", 31},
        {"&hFFFF", -1},
        {"&H10000", 65536},
        {"&HFFFFFFFF", -1},
        {"&O17", 15},
        {"&O8", std::nullopt},
        {"", std::nullopt},
        {"12abc", std::nullopt},
        {"1.2.3", std::nullopt},
        {"-", std::nullopt},
        {"e5", std::nullopt},
        {"&H", std::nullopt},
        {"NaN", std::nullopt},
        {std::string("1\0", 2), std::nullopt},
        {std::string(100000, '9'), std::nullopt},
    };
    for (const auto& [text, expected] : rows)
        EXPECT_EQ(KtNumber::ToLong(text), expected) << text.substr(0, 20);
}
