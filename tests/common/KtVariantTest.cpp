#include "common/KtVariant.h"

#include <gtest/gtest.h>

using namespace common;

TEST(KtVariant, KindsAndTypedAccess)
{
    EXPECT_TRUE(KtVariant().IsEmpty());
    EXPECT_EQ(KtVariant(std::uint8_t{7}).GetKind(), KtVariant::Kind::Byte);
    EXPECT_EQ(KtVariant(std::int16_t{7}).GetKind(), KtVariant::Kind::Integer);
    EXPECT_EQ(KtVariant(std::int32_t{7}).GetKind(), KtVariant::Kind::Long);
    EXPECT_EQ(KtVariant(7.5).GetKind(), KtVariant::Kind::Decimal);
    EXPECT_EQ(KtVariant("x").GetKind(), KtVariant::Kind::String);
    EXPECT_EQ(KtVariant(KtVariant::Array{1.0, "a"}).GetKind(), KtVariant::Kind::Array);
    EXPECT_THROW((void)KtVariant("x").AsLong(), std::bad_variant_access);
    // Equal values of different widths are different values.
    EXPECT_NE(KtVariant(std::uint8_t{1}), KtVariant(std::int16_t{1}));
}

TEST(KtVariant, TextAndNumberForms)
{
    EXPECT_EQ(KtVariant(std::int32_t{-42}).ToText(), "-42");
    EXPECT_EQ(KtVariant(std::uint8_t{255}).ToText(), "255");
    EXPECT_EQ(KtVariant(4294967295.0).ToText(), "4294967295");
    EXPECT_EQ(KtVariant(0.25).ToText(), "0.25");
    EXPECT_EQ(KtVariant("abc").ToText(), "abc");
    EXPECT_EQ(KtVariant().ToText(), "");
    EXPECT_DOUBLE_EQ(KtVariant(std::int16_t{-3}).ToDouble(), -3.0);
    EXPECT_TRUE(KtVariant(std::int16_t{-3}).IsNumber());
    EXPECT_FALSE(KtVariant("3").IsNumber());
}
