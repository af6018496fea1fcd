#include "player/skin/SkinText.h"
#include "player/skin/VirtualKey.h"

#include <Qt>

#include <gtest/gtest.h>

using namespace skin;

using namespace skintext;

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

TEST(VirtualKeyTest, QtKeysMapToWindowsVirtualKeyCodes)
{
    EXPECT_EQ(VirtualKeyFromQt(Qt::Key_A), 0x41);
    EXPECT_EQ(VirtualKeyFromQt(Qt::Key_0), 0x30);
    EXPECT_EQ(VirtualKeyFromQt(Qt::Key_F1), 0x70);
    EXPECT_EQ(VirtualKeyFromQt(Qt::Key_Left), 0x25);
    EXPECT_EQ(VirtualKeyFromQt(Qt::Key_Enter), 0x0D);
    EXPECT_EQ(VirtualKeyFromQt(Qt::Key_unknown), 0);
    EXPECT_EQ(KeyShiftFromQt(Qt::ShiftModifier | Qt::AltModifier), KeyShift::Shift | KeyShift::Alt);
}
