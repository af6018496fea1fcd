#include "common/KtVariant.h"

#include <gtest/gtest.h>

using namespace common;

TEST(KtVariant, TextAndNumberForms)
{
    EXPECT_EQ(KtVariant(std::int32_t{-42}).ToText(), "-42");
    EXPECT_EQ(KtVariant(std::uint8_t{255}).ToText(), "255");
    EXPECT_EQ(KtVariant(4294967295.0).ToText(), "4294967295");
    EXPECT_EQ(KtVariant(0.25).ToText(), "0.25");
    EXPECT_EQ(KtVariant("abc").ToText(), "abc");
    EXPECT_EQ(KtVariant().ToText(), "");
}
