#include "player/skin/SkinTextColours.h"

#include <gtest/gtest.h>

// A skin that leaves an entry out draws with the one of the skin before, and
// with 0 when no skin has set it.
TEST(SkinTextColoursTest, EntriesLeftOutKeepThoseOfTheSkinBefore)
{
    SkinTextColours first;
    EXPECT_EQ(first.ColourOrZero(SkinColour::TitleFore), 0);
    EXPECT_EQ(first.PeekPositionOrZero(23), 0);
    first.KeepUnsetFrom(SkinTextColours{});
    EXPECT_EQ(first.ColourOrZero(SkinColour::LyricsNNext), 0);

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
    EXPECT_EQ(second.ColourOrZero(SkinColour::PlayListPlaying), 0);
    EXPECT_EQ(second.PeekPositionOrZero(3), 41);
    EXPECT_EQ(second.PeekPositionOrZero(23), 9);
    EXPECT_EQ(second.PeekPositionOrZero(4), 0);

    // A third skin setting nothing keeps what the second drew with.
    SkinTextColours third;
    third.KeepUnsetFrom(second);
    EXPECT_EQ(third.ColourOrZero(SkinColour::PlayListFore), 0x778899);
    EXPECT_EQ(third.ColourOrZero(SkinColour::TitleFore), 0x112233);
    EXPECT_EQ(third.PeekPositionOrZero(23), 9);
}
