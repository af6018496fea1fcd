#include "player/dialogs/DialogLook.h"

#include <QFontInfo>

#include <gtest/gtest.h>

using namespace dialogs;

TEST(DialogLook, CentredTopLeftHalvesTheFreeSpaceDroppingTheRemainder)
{
    EXPECT_EQ(CentredTopLeft(QRect(0, 0, 1920, 1080), QSize(401, 301)), QPoint(759, 389));
    // The available area of a screen beside another, below a panel.
    EXPECT_EQ(CentredTopLeft(QRect(1920, 32, 1280, 992), QSize(300, 200)), QPoint(1920 + 490, 32 + 396));
    // A window larger than the area keeps its title bar on the screen.
    EXPECT_EQ(CentredTopLeft(QRect(0, 24, 640, 456), QSize(800, 600)), QPoint(0, 24));
}

TEST(DialogLook, DialogFontIsTheProportionalJapaneseGothicFace)
{
    EXPECT_EQ(QFontInfo(DialogFont()).family(), QStringLiteral("IPAPGothic"));
}
