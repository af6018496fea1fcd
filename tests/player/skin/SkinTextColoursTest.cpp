#include "player/skin/SkinTextColours.h"

#include <gtest/gtest.h>

using namespace skin;

// A skin that leaves an entry out draws with the one of the skin before, and
// with 0 when no skin has set it.
TEST(SkinTextColoursTest, EntriesLeftOutKeepThoseOfTheSkinBefore)
{
    SkinTextColours first;
    first.SetColour(SkinColour::TitleFore, 0x112233);
    first.SetColour(SkinColour::PlayListFore, 0x445566);
    first.peekPositions[3] = 41;
    first.peekPositions[23] = 7;

    SkinTextColours second;
    second.SetColour(SkinColour::PlayListFore, 0x778899);
    second.SetColour(SkinColour::LyricsCurrent, 0);
    second.peekPositions[23] = 9;
    second.KeepUnsetFrom(first);
    EXPECT_EQ(second.ColourOrZero(SkinColour::TitleFore), 0x112233);
    EXPECT_EQ(second.ColourOrZero(SkinColour::PlayListFore), 0x778899);
    EXPECT_EQ(second.ColourOrZero(SkinColour::LyricsCurrent), 0);
    EXPECT_EQ(second.ColourOrZero(SkinColour::PlayListPlaying), 0) << "no skin set it";
    EXPECT_EQ(second.PeekPositionOrZero(3), 41);
    EXPECT_EQ(second.PeekPositionOrZero(23), 9);
    EXPECT_EQ(second.PeekPositionOrZero(4), 0);
}
