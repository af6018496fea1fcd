#include "platform/CodePage.h"
#include "player/skin/SkinFile.h"
#include "SkinTestSupport.h"

#include <gtest/gtest.h>

using namespace skin;

using platform::Rect;

namespace {

ParsedSkinFile Parse(const std::string& text)
{
    return ParseSkinText(text, "test.zks", SkinRegionContext{});
}

} // namespace

// A region named again, in any letter case, is modified; the order is that of first naming.
TEST(SkinFileTest, SectionsAreCaseInsensitiveNamesLowerCasedAndRegionsInTheOrderFirstNamed)
{
    const ParsedSkinFile skin = Parse(
        "[PlayButtons]\nPlay=addrect value(0,0,10,10)\n[sysbuttons]\nclose=addrect value(0,0,5,5)\n"
        "[playbuttons]\nplay=diffrect value(0,0,3,3)\nstop=addrect value(0,0,5,5)\n");
    EXPECT_TRUE(skin.problems.empty());
    ASSERT_EQ(skin.coRgns.Count(), 3u);
    EXPECT_EQ(skin.coRgns.At(0).Name(), "playbuttons-play");
    EXPECT_EQ(skin.coRgns.At(1).Name(), "sysbuttons-close");
    EXPECT_EQ(skin.coRgns.At(2).Name(), "playbuttons-stop");
    const ClsZelkoRgn* play = skin.coRgns.Find("PLAYBUTTONS-PLAY");
    ASSERT_NE(play, nullptr);
    EXPECT_FALSE(play->Rgn()->Contains(2, 2));
    EXPECT_TRUE(play->Rgn()->Contains(9, 9));
}

// A header with a trailing blank is a key line of the current section.
TEST(SkinFileTest, LinesOutsideTheKnownSectionsAndKeysHaveNoEffect)
{
    const ParsedSkinFile header = Parse("[time]\n[body] \nmm=addrect value(0,0,5,5)\n");
    EXPECT_TRUE(header.coRgns.Contains("time-mm"));
    EXPECT_EQ(header.coRgns.Count(), 1u);
    for (const char* text : {"main=addrect value(0,0,5,5)\n;[body]\n; main=addrect value(0,0,5,5)\n\n",
                             "[colours]\nfore=FF\n[titlebox ]\nforecolor=FF\n"}) {
        const ParsedSkinFile skin = Parse(text);
        EXPECT_TRUE(skin.coRgns.IsEmpty()) << text;
        EXPECT_TRUE(skin.problems.empty()) << text;
        EXPECT_FALSE(skin.colours.Colour(SkinColour::TitleFore).has_value()) << text;
    }
}

// Only the last 8 characters count, then characters that are no hex digits
// are skipped; the value is a signed 32-bit number.
TEST(SkinFileTest, ColoursFollowTheHexRulesAndOnlyInTheirOwnSections)
{
    struct Row {
        const char* lines;
        SkinColour colour;
        std::optional<int32_t> expected;
    };
    const Row rows[] = {
        {"[titlebox]\nforecolor=FF\n", SkinColour::TitleFore, 255},
        {"[playlistbox]\nforecolor=\n", SkinColour::PlayListFore, 0},
        {"[playlistbox]\nplayingcolor=1200FFFF\n", SkinColour::PlayListPlaying, 0x1200FFFF},
        {"[lyricsbox]\ncurrentcolor=FFFFFFFF\n", SkinColour::LyricsCurrent, -1},
        {"[lyricsbox]\nnnextcolor=AB00FF00FF\n", SkinColour::LyricsNNext, 0x00FF00FF},
        {"[playlistbox]\nforecolor=C0C0C0 \n", SkinColour::PlayListFore, 0xC0C0C0},
        {"[lyricsbox]\ncurrentcolor=&H00FF00\n", SkinColour::LyricsCurrent, 0x00FF00},
        {"[lyricsbox]\nprevcolor=GG0000\n", SkinColour::LyricsPrev, 0},
        {"[titlebox]\nforecolor=C0C0C0   \n", SkinColour::TitleFore, 0x0C0C0},
        {"[lyricsbox]\ncurrentcolor=FF\n", SkinColour::LyricsPrev, std::nullopt},
        {"[body]\nforecolor=FF\n", SkinColour::TitleFore, std::nullopt},
    };
    for (const Row& row : rows)
        EXPECT_EQ(Parse(row.lines).colours.Colour(row.colour), row.expected) << row.lines;

    const ParsedSkinFile skin = Parse("[playlistbox]\nplayingcolor=#FF0000\n[titlebox]\nforecolor=C0C0C0   \n[body]\nforecolor=FF\n");
    ASSERT_EQ(skin.problems.size(), 3u);
    EXPECT_EQ(skin.problems[0].line, 2);
    EXPECT_EQ(skin.problems[0].message,
              "colour \"#FF0000\" for playlistbox-playingcolor: skipped \"#\" (not hexadecimal digits), read as FF0000");
    EXPECT_EQ(skin.problems[1].message,
              "colour \"C0C0C0   \" for titlebox-forecolor: skipped \"   \" (not hexadecimal digits), read as 00C0C0 "
              "(only the last 8 characters count; \"C\" was left out)");
    // A colour key in another section is a region line, and a bad one.
    EXPECT_EQ(skin.problems[2].line, 6);
    EXPECT_FALSE(skin.coRgns.Contains("body-forecolor"));
}

TEST(SkinFileTest, PeekLinesFillTheTableWithinItsRange)
{
    const ParsedSkinFile skin = Parse("[peek]\n30=value(5)\n-1=value(5)\n3=value(41)\n23=value(7)\nx=value(1)\n4=41\n");
    EXPECT_EQ(skin.colours.peekPositions[3].value_or(-1), 41);
    EXPECT_EQ(skin.colours.peekPositions[23].value_or(-1), 7);
    EXPECT_FALSE(skin.colours.peekPositions[4].has_value());
    ASSERT_EQ(skin.problems.size(), 2u);
    EXPECT_EQ(skin.problems[0].line, 6);
    EXPECT_EQ(skin.problems[1].line, 7);
}

TEST(SkinFileTest, AValueIsCutAtASecondEqualsSignAndARectangleNamedTwiceKeepsTheFirst)
{
    const ParsedSkinFile skin = Parse(
        "[timesource]\n0=rect value(1,2,3,4)=ignored\n0=rect value(5,6,7,8)\n[time]\nmm=addrect value(1,1,2,2)=x\n");
    ASSERT_NE(skin.coRects.Find("timesource-0"), nullptr);
    EXPECT_EQ(skin.coRects.Find("timesource-0")->RectPtr(), (Rect{1, 2, 3, 4}));
    EXPECT_TRUE(skin.coRgns.Contains("time-mm"));
    ASSERT_EQ(skin.problems.size(), 1u);
    EXPECT_EQ(skin.problems[0].line, 3);
}

TEST(SkinFileTest, Cp932AndCrLfFilesAreRead)
{
    TempFolder folder;
    const std::string text = platform::CodePage::ToCp932("; 日本語のスキン\r\n[titlebox]\r\nforecolor=00FFFF\r\ntextrect=addrect value(1,2,3,4)\r\n");
    folder.Write("skin.zks", text);
    const std::optional<ParsedSkinFile> skin = ParseSkinFile(folder.Path(), "skin.zks");
    ASSERT_TRUE(skin.has_value());
    EXPECT_TRUE(skin->problems.empty());
    EXPECT_EQ(skin->colours.Colour(SkinColour::TitleFore), 0x00FFFF);
    EXPECT_EQ(skin->coRgns.Find("titlebox-textrect")->Rgn()->BoundingBox(), (Rect{1, 2, 4, 6}));
    EXPECT_EQ(skin->path, folder.Path() + "skin.zks");
}

TEST(SkinFileTest, AMissingFileOrAFolderIsNotASkin)
{
    TempFolder folder;
    std::filesystem::create_directories(folder.Path() + "dir.zks");
    EXPECT_FALSE(ParseSkinFile(folder.Path(), "none.zks").has_value());
    EXPECT_FALSE(ParseSkinFile(folder.Path(), "dir.zks").has_value());
    folder.Write("empty.zks", "");
    const std::optional<ParsedSkinFile> empty = ParseSkinFile(folder.Path(), "empty.zks");
    ASSERT_TRUE(empty.has_value());
    EXPECT_TRUE(empty->coRgns.IsEmpty());
}
