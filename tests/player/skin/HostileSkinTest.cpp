// Skin lines and region data files found by fuzzing to crash or stall the
// loader; each class of them is now refused line by line.
#include "player/skin/ClsZelkoRgn.h"
#include "player/skin/SkinFile.h"
#include "player/skin/SkinLoader.h"
#include "player/skin/SkinWindowBuilder.h"
#include "SkinTestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <limits>
#include <string>
#include <vector>

using namespace skin;

using platform::Rect;
using platform::Region;

namespace {

constexpr int32_t kMin = std::numeric_limits<int32_t>::min();
constexpr int32_t kMax = std::numeric_limits<int32_t>::max();

SkinRegionContext In(const std::string& path = "")
{
    return SkinRegionContext{path, 0, 0};
}

// A skin folder holding every picture, a body and the given extra lines.
void WriteSkin(const TempFolder& folder, const std::string& lines)
{
    for (const char* stem : {"Body", "SysButtons", "PlayButtons", "Title"})
        folder.WritePicture(std::string(stem) + ".bmp", 8, 8, QColor(10, 20, 30));
    folder.Write("Skin.zks", "[body]\nmain=addrect value(0,0,100,50)\n" + lines);
}

} // namespace

// Qt's polygon fill slows down sharply beyond a few thousand scan lines.
TEST(HostileSkinTest, PolygonsAndRectanglesWithExtremeCoordinatesAreRefused)
{
    for (const std::string value : {
             "addpoints value(-2147483648,-2147483648,2147483647,0,0,2147483647)",
             "addpoints value(0,0,40000,0,40000,40000)",
             "addpoints value(0,0,4097,0,0,10)",
             "addpoints value(0,0,10,0,0,4097)",
             "addrect value(2147483647,0,10,10)",
             "addrect value(1,0,32767,1)",
             "addrect value(0,0,32767,65534)",
         }) {
        ClsZelkoRgn rgn;
        ASSERT_EQ(rgn.MakeRgn("sysbuttons", "addrect value(1,1,4,4)", In()), RgnLineStatus::Applied);
        EXPECT_EQ(rgn.MakeRgn("sysbuttons", value, In()), RgnLineStatus::OutOfRange) << value;
        EXPECT_EQ(*rgn.Rgn(), Region(Rect{1, 1, 5, 5})) << value;
    }
    ClsZelkoRgn edge;
    EXPECT_EQ(edge.MakeRgn("body", "addpoints value(28671,28671,32767,28671,32767,32767)", In()),
              RgnLineStatus::Applied);
    EXPECT_TRUE(edge.Rgn()->Contains(32766, 28672));
    EXPECT_FALSE(edge.Rgn()->Contains(28672, 32766));
    ClsZelkoRgn largest;
    ASSERT_EQ(largest.MakeRgn("body", "addrect value(-32767,-32767,32767,32767)", In()), RgnLineStatus::Applied);
    ASSERT_EQ(largest.MakeRgn("body", "addrect value(0,0,32767,32767)", In()), RgnLineStatus::Applied);
    EXPECT_EQ(largest.Rgn()->BoundingBox(), (Rect{-32767, -32767, 32767, 32767}));
}

TEST(HostileSkinTest, RegionDataFilesBeyondTheRangeAreRefused)
{
    TempFolder folder;
    // Two rectangles each representable, whose union is wider than 32 bits.
    folder.WriteInts("wide.rgn", {32, 1, 2, 32, kMin, 0, kMax, 2, -2000000000, 0, -1999999990, 1, 2000000000, 1, 2000000010, 2});
    // One rectangle whose width overflows.
    folder.WriteInts("overflow.rgn", {32, 1, 1, 16, 0, 0, 0, 0, kMin + 8, 0, 165, 1});
    for (const char* file : {"wide.rgn", "overflow.rgn"}) {
        ClsZelkoRgn rgn;
        EXPECT_EQ(rgn.MakeRgn("body", std::string("addrgndata file(./") + file + ")", In(folder.Path())),
                  RgnLineStatus::OutOfRange)
            << file;
    }
    // Values after the announced rectangles are not used and not checked.
    folder.WriteInts("tail.rgn", {32, 1, 1, 16, 0, 0, 4, 4, 0, 0, 4, 4, kMin, kMax});
    ClsZelkoRgn tail;
    EXPECT_EQ(tail.MakeRgn("body", "addrgndata file(./tail.rgn)", In(folder.Path())), RgnLineStatus::Applied);
    EXPECT_EQ(*tail.Rgn(), Region(Rect{0, 0, 4, 4}));
}

TEST(HostileSkinTest, TheLoaderSkipsExtremeLinesAndGoesOn)
{
    TempFolder folder;
    WriteSkin(folder, "[sysbuttons]\nopen=addpoints value(-2147483648,-2147483648,2147483647,0,0,2147483647)\n"
                      "close=addrect value(2147483647,0,10,10)\n[playbuttonssource]\nplay=rect value(0,0,99999,1)\n"
                      "[peek]\n3=value(2147483647)\n");
    const SkinLoadResult loaded = LoadSkin(folder.Path(), "Skin.zks");
    ASSERT_TRUE(loaded.skin.has_value());
    EXPECT_FALSE(loaded.skin->coRgns.Contains("sysbuttons-open"));
    EXPECT_FALSE(loaded.skin->coRects.Contains("playbuttonssource-play"));
    EXPECT_FALSE(loaded.skin->colours.peekPositions[3].has_value());
    EXPECT_EQ(SkinWindowBox(*loaded.skin), (Rect{0, 0, 100, 50}));
    EXPECT_EQ(loaded.problems.size(), 4u);
}

TEST(HostileSkinTest, RegionsOfTooManyLinesAndSkinsOfTooManyNamesStopAtTheLimits)
{
    std::string text = "[sysbuttons]\n";
    // The name in any letter case is the same region, and counts toward the same limit.
    const char* spellings[] = {"open", "OPEN", "Open"};
    for (int i = 0; i < MaxLinesPerRegion + 40; ++i)
        text += std::string(spellings[i % 3]) + "=addrect value(0," + std::to_string(2 * i) + ",5,1)\n";
    for (std::size_t i = 0; i < MaxSkinNames + 10; ++i)
        text += "k" + std::to_string(i) + "=addrect value(0,0,1,1)\n";
    text += "[timesource]\n";
    for (std::size_t i = 0; i < MaxSkinNames + 10; ++i)
        text += "r" + std::to_string(i) + "=rect value(0,0,1,1)\n";
    const ParsedSkinFile parsed = ParseSkinText(text, "Skin.zks", In());

    const ClsZelkoRgn* open = parsed.coRgns.Find("sysbuttons-open");
    ASSERT_NE(open, nullptr);
    EXPECT_EQ(open->Rgn()->Rects().size(), static_cast<std::size_t>(MaxLinesPerRegion));
    EXPECT_EQ(parsed.coRgns.Count(), MaxSkinNames);
    EXPECT_EQ(parsed.coRects.Count(), MaxSkinNames);
    auto count = [&](const std::string& what) {
        return std::count_if(parsed.problems.begin(), parsed.problems.end(),
                             [&](const SkinProblem& p) { return p.message.find(what) != std::string::npos; });
    };
    EXPECT_EQ(count("too many lines for region sysbuttons-"), 40);
    EXPECT_EQ(count("regions)"), 11);
    EXPECT_EQ(count("rectangles)"), 10);
}

TEST(HostileSkinTest, SkinAndRegionFilesOverTheSizeLimitAreNotRead)
{
    TempFolder folder;
    WriteSkin(folder, "");
    std::string text = "[body]\nmain=addrect value(0,0,100,50)\n";
    while (text.size() <= MaxSkinFileBytes)
        text += "; padding padding padding padding padding padding padding\n";
    folder.Write("Skin.zks", text);
    const SkinLoadResult loaded = LoadSkin(folder.Path(), "Skin.zks");
    EXPECT_TRUE(loaded.fileFound);
    EXPECT_FALSE(loaded.skin.has_value());
    ASSERT_FALSE(loaded.problems.empty());
    EXPECT_NE(loaded.problems.front().message.find("is not read"), std::string::npos) << loaded.problems.front().message;

    std::vector<int32_t> numbers{32, 1, 0, 0, 0, 0, 0, 0};
    numbers.resize(ClsZelkoRgn::MaxRegionFileBytes / 4 + 1, 0);
    numbers[2] = static_cast<int32_t>((numbers.size() - 8) / 4);
    folder.WriteInts("big.rgn", numbers);
    ClsZelkoRgn rgn;
    EXPECT_EQ(rgn.MakeRgn("body", "addrgndata file(./big.rgn)", In(folder.Path())), RgnLineStatus::FileTooLarge);
}
