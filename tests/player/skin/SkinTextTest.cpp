#include "player/skin/SkinText.h"

#include <gtest/gtest.h>

using namespace skin::skintext;

TEST(SkinTextTest, NumbersConvertLikeTheSkinFilesExpect)
{
    EXPECT_EQ(ToInt32(" 42 "), 42);
    EXPECT_EQ(ToInt32("-7"), -7);
    EXPECT_EQ(ToInt32("2.5"), 2) << "halves round to even";
    EXPECT_EQ(ToInt32("3.5"), 4);
    EXPECT_EQ(ToInt32("2.51"), 3);
    EXPECT_EQ(ToInt32("-2147483648"), INT32_MIN);
    EXPECT_FALSE(ToInt32("2147483648").has_value());
    EXPECT_FALSE(ToInt32("1 2").has_value());
    EXPECT_FALSE(ToInt32("0x10").has_value());
}

TEST(SkinTextTest, BetweenAndPathsFollowTheSkinRules)
{
    EXPECT_EQ(Between("value(38)", '(', ')'), "38");
    EXPECT_EQ(Between("a)b(c)d(e)", '(', ')'), "c");
    EXPECT_EQ(ResolveSkinPath(".\\sub\\shape.dat", "/skins/A/"), "/skins/A/sub/shape.dat");
    EXPECT_EQ(ResolveSkinPath("./shape.dat", "/skins/A"), "/skins/A/shape.dat");
    EXPECT_EQ(ResolveSkinPath("/abs/shape.dat", "/skins/A/"), "/abs/shape.dat");
    EXPECT_EQ(FolderWithSlash("C:\\skins\\A\\"), "C:/skins/A/");
}
