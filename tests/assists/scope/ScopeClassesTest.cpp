#include "assists/scope/ClsKt3d.h"
#include "assists/scope/ClsKtColorTbl.h"

#include <gtest/gtest.h>

#include "common/KtError.h"

using namespace scope;

TEST(ClsKtColorTbl, GradientsRunFromStartToEndInclusive)
{
    ClsKtColorTbl t;
    EXPECT_EQ(t.nColor(), -1);
    t.ColorTable(0x0000FF, 0x00FFFF);
    ASSERT_EQ(t.nColor(), 256);
    EXPECT_EQ(t.GetColor(0), 0x0000FF);
    EXPECT_EQ(t.GetColor(1), 0x0001FF);
    EXPECT_EQ(t.GetColor(255), 0x00FFFF);

    t.ColorTable(0xFFFFFF, 0);
    ASSERT_EQ(t.nColor(), 256);
    EXPECT_EQ(t.GetColor(1), 0xFEFEFE);
    EXPECT_EQ(t.GetColor(255), 0);

    t.ColorTable(0x123456, 0x123456);
    EXPECT_EQ(t.nColor(), 2);
    EXPECT_EQ(t.GetColor(1), 0x123456);

    // Bytes move independently; the table is as long as the largest distance + 1.
    t.ColorTable(0x000010, 0x030000);
    ASSERT_EQ(t.nColor(), 17);
    EXPECT_EQ(t.GetColor(1), 0x01000F);
    EXPECT_EQ(t.GetColor(3), 0x03000D);
    EXPECT_EQ(t.GetColor(16), 0x030000);
}

TEST(ClsKtColorTbl, BadColoursAndIndexesRaiseError5)
{
    ClsKtColorTbl t;
    try {
        t.ColorTable(0x1000000, 0);
        FAIL();
    } catch (const KtError& e) {
        EXPECT_EQ(e.Number(), 5);
        EXPECT_EQ(e.Description(), "[ColStart]の値が正しくない。");
    }
    try {
        t.ColorTable(0, -1);
        FAIL();
    } catch (const KtError& e) {
        EXPECT_EQ(e.Description(), "[ColEnd]の値が正しくない。");
    }
    try {
        t.GetColor(0);
        FAIL();
    } catch (const KtError& e) {
        EXPECT_EQ(e.Number(), 5);
        EXPECT_EQ(e.Description(), "[Index]が配列の限度を超えています。");
    }
    t.ColorTable(0, 1);
    EXPECT_THROW(t.GetColor(2), KtError);
    EXPECT_THROW(t.GetColor(-1), KtError);
    EXPECT_EQ(t.GetColor(1), 1);
}

TEST(ClsKt3d, RotationsTurnStepByStepInTheirOrder)
{
    ClsKt3d k;
    double x = 1, y = 0, z = 0;
    k.Rotation(0, 0, 90, x, y, z);
    EXPECT_NEAR(x, 0, 1e-9);
    EXPECT_NEAR(y, 1, 1e-9);
    x = 10, y = 0, z = 0;
    k.Rotation(0, 0, 270, x, y, z); // straight up on a screen whose y grows downwards
    EXPECT_NEAR(x, 0, 1e-9);
    EXPECT_NEAR(y, -10, 1e-9);

    // y first then x (Rotation) against x first then y (Rotation_X).
    double ax = 0, ay = 1, az = 0;
    k.Rotation(90, 90, 0, ax, ay, az);
    double bx = 0, by = 1, bz = 0;
    k.Rotation_X(90, 90, 0, bx, by, bz);
    EXPECT_NEAR(ax, 0, 1e-9);
    EXPECT_NEAR(ay, 0, 1e-9);
    EXPECT_NEAR(az, 1, 1e-9);
    EXPECT_NEAR(bx, 1, 1e-9);
    EXPECT_NEAR(by, 0, 1e-9);
    EXPECT_NEAR(bz, 0, 1e-9);

    // About y: x' = x cos + z sin.
    double cx = 1, cy = 0, cz = 0;
    k.Rotation(0, 90, 0, cx, cy, cz);
    EXPECT_NEAR(cx, 0, 1e-9);
    EXPECT_NEAR(cz, -1, 1e-9);
}

TEST(ClsKt3d, PerspectiveScalingAndTranslation)
{
    ClsKt3d k;
    double x = 4, y = 6, z = 0;
    k.Perspect(2, x, y, z); // z 0 counts as 1
    EXPECT_DOUBLE_EQ(x, 8);
    EXPECT_DOUBLE_EQ(y, 12);
    z = 4;
    k.Perspect(1, x, y, z);
    EXPECT_DOUBLE_EQ(x, 2);
    EXPECT_DOUBLE_EQ(y, 3);
    EXPECT_DOUBLE_EQ(z, 4);
    k.Scaling(2, 3, 0.5, x, y, z);
    EXPECT_DOUBLE_EQ(x, 4);
    EXPECT_DOUBLE_EQ(y, 9);
    EXPECT_DOUBLE_EQ(z, 2);
    k.Translation(-4, 1, 1, x, y, z);
    EXPECT_DOUBLE_EQ(x, 0);
    EXPECT_DOUBLE_EQ(y, 10);
    EXPECT_DOUBLE_EQ(z, 3);
}
