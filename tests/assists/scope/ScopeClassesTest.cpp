#include "assists/scope/ClsKtColorTbl.h"

#include <gtest/gtest.h>

#include "common/KtError.h"

using namespace scope;

TEST(ClsKtColorTbl, GradientsRunFromStartToEndInclusiveAndAnIndexBeyondIsAnError)
{
    ClsKtColorTbl t;
    EXPECT_EQ(t.nColor(), -1);
    EXPECT_THROW(t.GetColor(0), common::KtError);
    t.ColorTable(0xFFFFFF, 0);
    ASSERT_EQ(t.nColor(), 256);
    EXPECT_EQ(t.GetColor(1), 0xFEFEFE);
    EXPECT_EQ(t.GetColor(255), 0);
    EXPECT_THROW(t.GetColor(256), common::KtError);

    t.ColorTable(0x123456, 0x123456);
    EXPECT_EQ(t.nColor(), 2);
    EXPECT_EQ(t.GetColor(1), 0x123456);

    // Bytes move independently; the table is as long as the largest distance + 1.
    t.ColorTable(0x000010, 0x030000);
    ASSERT_EQ(t.nColor(), 17);
    EXPECT_EQ(t.GetColor(1), 0x01000F);
    EXPECT_EQ(t.GetColor(3), 0x03000D);
    EXPECT_EQ(t.GetColor(16), 0x030000);
    EXPECT_THROW(t.ColorTable(0x1000000, 0), common::KtError);
}
