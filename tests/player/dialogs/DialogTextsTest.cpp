#include "player/dialogs/DialogTexts.h"

#include <gtest/gtest.h>

using namespace dialogs;

TEST(DialogTexts, VersionTextWritesTheRevisionWithTwoDigits)
{
    EXPECT_EQ(VersionText({1, 2, 3}), "ﾊﾞｰｼﾞｮﾝ 1.203");
    EXPECT_EQ(VersionText({1, 0, 0}), "ﾊﾞｰｼﾞｮﾝ 1.000");
    EXPECT_EQ(VersionText({2, 5, 17}), "ﾊﾞｰｼﾞｮﾝ 2.517");
    // A revision of three digits keeps all of them.
    EXPECT_EQ(VersionText({1, 2, 123}), "ﾊﾞｰｼﾞｮﾝ 1.2123");
    EXPECT_EQ(VersionText({10, 11, 9}), "ﾊﾞｰｼﾞｮﾝ 10.1109");
}
