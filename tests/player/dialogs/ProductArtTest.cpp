#include "player/dialogs/DialogLook.h"
#include "player/dialogs/ProductArt.h"

#include <QColor>
#include <QFontInfo>

#include <gtest/gtest.h>

#include <set>

using namespace dialogs;

namespace {

std::size_t DistinctColours(const QImage& image)
{
    std::set<QRgb> colours;
    for (int y = 0; y < image.height(); y += 2)
        for (int x = 0; x < image.width(); x += 2)
            colours.insert(image.pixel(x, y));
    return colours.size();
}

} // namespace

// Real drawings, not flat fills, that repeat exactly: the banner is opaque,
// the icon a rounded tile with transparent corners.
TEST(ProductArt, PictureAndIconFillTheirSizeWithADrawingThatRepeatsExactly)
{
    const QImage picture = ProductArt::Picture(QSize(380, 112));
    ASSERT_EQ(picture.size(), QSize(380, 112));
    EXPECT_GT(DistinctColours(picture), 200u);
    EXPECT_EQ(qAlpha(picture.pixel(379, 111)), 255);
    EXPECT_EQ(picture, ProductArt::Picture(QSize(380, 112)));
    EXPECT_FALSE(ProductArt::Picture(QSize(0, 0)).isNull());
    for (const int side : {16, 64}) {
        const QImage icon = ProductArt::Icon(side);
        ASSERT_EQ(icon.size(), QSize(side, side));
        EXPECT_EQ(qAlpha(icon.pixel(0, 0)), 0) << side;
        EXPECT_EQ(qAlpha(icon.pixel(side / 2, side / 2)), 255) << side;
    }
    EXPECT_GT(DistinctColours(ProductArt::Icon(64)), 40u);
    EXPECT_EQ(ProductArt::Icon(48), ProductArt::Icon(48));
}

TEST(DialogLook, CentredTopLeftHalvesTheFreeSpaceDroppingTheRemainder)
{
    EXPECT_EQ(CentredTopLeft(QRect(0, 0, 1920, 1080), QSize(401, 301)), QPoint(759, 389));
    EXPECT_EQ(CentredTopLeft(QRect(0, 0, 1024, 768), QSize(400, 300)), QPoint(312, 234));
    // The available area of a screen beside another, below a panel.
    EXPECT_EQ(CentredTopLeft(QRect(1920, 32, 1280, 992), QSize(300, 200)), QPoint(1920 + 490, 32 + 396));
    // A window larger than the area keeps its title bar on the screen.
    EXPECT_EQ(CentredTopLeft(QRect(0, 24, 640, 456), QSize(800, 600)), QPoint(0, 24));
}

TEST(DialogLook, DialogFontIsTheProportionalJapaneseGothicFace)
{
    const QFont font = DialogFont();
    ASSERT_FALSE(font.families().isEmpty());
    EXPECT_EQ(font.families().front(), QStringLiteral("IPAPGothic"));
    EXPECT_EQ(QFontInfo(font).family(), QStringLiteral("IPAPGothic"));
}
