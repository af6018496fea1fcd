#include "assists/scope/ClsKt3d.h"
#include "assists/scope/ClsKtColorTbl.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <string>

#include "common/KtError.h"

using namespace common;

using namespace scope;

namespace {

// The error a call raises, as "number description".
template <typename Call>
std::string ErrorOf(Call call)
{
    try {
        call();
    } catch (const KtError& e) {
        return std::to_string(e.Number()) + " " + e.Description();
    }
    return "no error";
}

using Point = std::array<double, 3>;

// A point after one of ClsKt3d's operations, rounded to 1e-9 so that it compares exactly.
template <typename Operation>
Point After(Operation operation, Point p)
{
    operation(ClsKt3d{}, p[0], p[1], p[2]);
    for (double& v : p)
        v = std::round(v * 1e9) / 1e9;
    return p;
}

} // namespace

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
    EXPECT_EQ(ErrorOf([&] { t.ColorTable(0x1000000, 0); }), "5 [ColStart]の値が正しくない。");
    EXPECT_EQ(ErrorOf([&] { t.ColorTable(0, -1); }), "5 [ColEnd]の値が正しくない。");
    EXPECT_EQ(ErrorOf([&] { t.GetColor(0); }), "5 [Index]が配列の限度を超えています。");
    t.ColorTable(0, 1);
    EXPECT_EQ(ErrorOf([&] { t.GetColor(2); }), "5 [Index]が配列の限度を超えています。");
    EXPECT_EQ(ErrorOf([&] { t.GetColor(-1); }), "5 [Index]が配列の限度を超えています。");
    EXPECT_EQ(t.GetColor(1), 1);
}

// The scope turns its points about z only; the class's other operations,
// which nothing calls, are checked once together.
TEST(ClsKt3d, RotationsTurnStepByStepInTheirOrderThenPerspectiveScalingAndTranslation)
{
    const auto rotation = [](double ax, double ay, double az) {
        return [=](const ClsKt3d& k, double& x, double& y, double& z) { k.Rotation(ax, ay, az, x, y, z); };
    };
    EXPECT_EQ(After(rotation(0, 0, 90), {1, 0, 0}), (Point{0, 1, 0}));
    // Straight up on a screen whose y grows downwards.
    EXPECT_EQ(After(rotation(0, 0, 270), {10, 0, 0}), (Point{0, -10, 0}));
    // y first then x (Rotation) against x first then y (Rotation_X).
    EXPECT_EQ(After(rotation(90, 90, 0), {0, 1, 0}), (Point{0, 0, 1}));
    EXPECT_EQ(After([](const ClsKt3d& k, double& x, double& y, double& z) { k.Rotation_X(90, 90, 0, x, y, z); }, {0, 1, 0}),
              (Point{1, 0, 0}));
    // Perspective (a z of 0 counts as 1), then scaling and translation.
    EXPECT_EQ(After([](const ClsKt3d& k, double& x, double& y, double& z) {
                  k.Perspect(2, x, y, z);
                  k.Scaling(2, 3, 0.5, x, y, z);
                  k.Translation(-4, 1, 1, x, y, z);
              },
                    {4, 6, 0}),
              (Point{12, 37, 1}));
}
