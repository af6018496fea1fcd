#include "player/skin/ClsZelkoRect.h"
#include "player/skin/ClsZelkoRgn.h"
#include "SkinTestSupport.h"

#include <gtest/gtest.h>

using namespace skin;

using platform::Rect;
using platform::Region;

namespace {

SkinRegionContext NoFrame(const std::string& path = "")
{
    return SkinRegionContext{path, 0, 0};
}

} // namespace

// Rectangles take left, top, width, height; operation and source in any
// letter case, pieces after the source ignored. Body regions shift by the
// frame (4, 22), except polygons and the header of region data.
TEST(ClsZelkoRgnTest, EachSourceMakesItsRegionAndBodyRegionsShiftByTheFrame)
{
    struct Case {
        const char* name;
        const char* line;
        Rect expected;
    };
    const Case cases[] = {
        {"sysbuttons", "addrect value(10,20,30,40)", {10, 20, 40, 60}},
        {"time", "AddRect VALUE(1,1,2,2) trailing words", {1, 1, 3, 3}},
        {"Body", "addrect value(0,0,100,100)", {4, 22, 104, 122}},
        {"body", "addpoints value(0,0,100,0,100,100,0,100)", {0, 0, 100, 100}},
        {"body", "addrgndata value(32,1,1,16,0,0,5,5,0,0,5,5)", {4, 22, 9, 27}},
    };
    for (const Case& c : cases) {
        ClsZelkoRgn rgn;
        ASSERT_EQ(rgn.MakeRgn(c.name, c.line, SkinRegionContext{"", 4, 22}), RgnLineStatus::Applied) << c.line;
        EXPECT_EQ(*rgn.Rgn(), Region(c.expected)) << c.line;
    }
}

TEST(ClsZelkoRgnTest, DiffCutsOnlyAfterAnAdd)
{
    ClsZelkoRgn rgn;
    EXPECT_EQ(rgn.MakeRgn("body", "diffrect value(0,0,10,10)", NoFrame()), RgnLineStatus::DiffBeforeAdd);
    EXPECT_FALSE(rgn.Rgn().has_value());
    ASSERT_EQ(rgn.MakeRgn("body", "addrect value(0,0,100,100)", NoFrame()), RgnLineStatus::Applied);
    ASSERT_EQ(rgn.MakeRgn("body", "diffrect value(0,0,10,10)", NoFrame()), RgnLineStatus::Applied);
    EXPECT_EQ(*rgn.Rgn(), Region(Rect{0, 0, 100, 100}).Subtracted(Region(Rect{0, 0, 10, 10})));
}

TEST(ClsZelkoRgnTest, MalformedValuesAreReportedAndLeaveTheRegion)
{
    struct Case {
        const char* value;
        RgnLineStatus expected;
    };
    const Case cases[] = {
        {"addrect value( 1, 2, 3, 4)", RgnLineStatus::EmptyData}, // the blank cuts the source
        {"addrect", RgnLineStatus::NoDataSource},
        {"addcircle value(1,2,3,4)", RgnLineStatus::UnknownOperation},
        {"addrect value(1,2,3)", RgnLineStatus::TooFewNumbers},
        {"addrect value(1,2,x,4)", RgnLineStatus::BadNumber},
        {"addrect value(1,2,3,99999999999)", RgnLineStatus::BadNumber},
        {"addpoints value(0,0,10,10)", RgnLineStatus::TooFewNumbers},
        {"addrgndata value(32,1,5,16,0,0,5,5,0,0,5,5)", RgnLineStatus::BadRegionData},
        {"addrgndata file(.\\nothere.dat)", RgnLineStatus::MissingFile},
    };
    for (const Case& c : cases) {
        ClsZelkoRgn rgn;
        ASSERT_EQ(rgn.MakeRgn("body", "addrect value(0,0,8,8)", NoFrame("/nonexistent/")), RgnLineStatus::Applied);
        EXPECT_EQ(rgn.MakeRgn("body", c.value, NoFrame("/nonexistent/")), c.expected) << c.value;
        EXPECT_EQ(*rgn.Rgn(), Region(Rect{0, 0, 8, 8})) << c.value;
    }
}

TEST(ClsZelkoRgnTest, RefusedRegionDataStillLeavesAnEmptyRegionBehind)
{
    ClsZelkoRgn rgn;
    EXPECT_EQ(rgn.MakeRgn("body", "addrgndata value(33,1,0,0,0,0,0,0)", NoFrame()), RgnLineStatus::BadRegionData);
    ASSERT_TRUE(rgn.Rgn().has_value());
    EXPECT_TRUE(rgn.Rgn()->IsEmpty());
    rgn.DeleteRgn();
    EXPECT_FALSE(rgn.Rgn().has_value());
}

TEST(ClsZelkoRgnTest, RegionFilesResolveInTheSkinFolderAndDropATrailingPartialValue)
{
    TempFolder folder;
    // 18 bytes: four numbers and two stray bytes.
    folder.WriteInts("shape.dat", {2, 3, 4, 5}, 2);
    ClsZelkoRgn rgn;
    EXPECT_EQ(rgn.MakeRgn("sysbuttons", "addrect file(.\\shape.dat)", NoFrame(folder.Path())), RgnLineStatus::Applied);
    EXPECT_EQ(rgn.Rgn()->BoundingBox(), (Rect{2, 3, 6, 8}));
    folder.WriteInts("sub/outline.rgn", platform::Region(Rect{0, 0, 50, 40}).Subtracted(Region(Rect{0, 0, 5, 5})).ToRgnData());
    ClsZelkoRgn outline;
    EXPECT_EQ(outline.MakeRgn("body", "addrgndata file(.\\sub\\outline.rgn)", NoFrame(folder.Path())), RgnLineStatus::Applied);
    EXPECT_FALSE(outline.Rgn()->Contains(2, 2));
    EXPECT_TRUE(outline.Rgn()->Contains(49, 39));
    folder.Write("empty.dat", "");
    EXPECT_EQ(rgn.MakeRgn("body", "addrect file(.\\empty.dat)", NoFrame(folder.Path())), RgnLineStatus::EmptyData);
}

TEST(ClsZelkoRgnTest, RegionFilesAreFoundInAnyLetterCaseTheExactOneFirst)
{
    TempFolder folder;
    folder.WriteInts("Main.rgn", {0, 0, 30, 20});
    ClsZelkoRgn rgn;
    EXPECT_EQ(rgn.MakeRgn("body", "addrect file(.\\main.rgn)", NoFrame(folder.Path())), RgnLineStatus::Applied);
    EXPECT_EQ(rgn.Rgn()->BoundingBox(), (Rect{0, 0, 30, 20}));
    // Where both spellings exist, the one written in the skin is read.
    folder.WriteInts("main.rgn", {0, 0, 7, 7});
    ClsZelkoRgn exact;
    EXPECT_EQ(exact.MakeRgn("body", "addrect file(.\\main.rgn)", NoFrame(folder.Path())), RgnLineStatus::Applied);
    EXPECT_EQ(exact.Rgn()->BoundingBox(), (Rect{0, 0, 7, 7}));
    ClsZelkoRgn none;
    EXPECT_EQ(none.MakeRgn("body", "addrect file(.\\mains.rgn)", NoFrame(folder.Path())), RgnLineStatus::MissingFile);
}

// Numbers beyond -32767..32767 were found by fuzzing to stall the loader.
TEST(ClsZelkoRectTest, RectValuesAllowBlanksAndInvalidOnesKeepThePreviousRectangle)
{
    ClsZelkoRect rect;
    EXPECT_EQ(rect.MakeRect("box value(1,2,3,4)"), RectLineStatus::NotRect);
    EXPECT_EQ(rect.RectPtr(), Rect{});
    EXPECT_EQ(rect.MakeRect("RECT Value(5,6,7,8,9)"), RectLineStatus::Applied);
    EXPECT_EQ(rect.RectPtr(), (Rect{5, 6, 7, 8}));
    EXPECT_EQ(rect.MakeRect("rect value(-32767,-32767,32767,32767)"), RectLineStatus::Applied);
    EXPECT_EQ(rect.MakeRect("rect value( 1, 2, 3, 4)"), RectLineStatus::Applied);
    EXPECT_EQ(rect.MakeRect("rect value(9,9,9)"), RectLineStatus::TooFewNumbers);
    EXPECT_EQ(rect.MakeRect("rect value(9,9,a,9)"), RectLineStatus::BadNumber);
    EXPECT_EQ(rect.MakeRect("rect value(-2147483648,0,2147483647,1)"), RectLineStatus::OutOfRange);
    EXPECT_EQ(rect.MakeRect("rect value(0,0,32768,1)"), RectLineStatus::OutOfRange);
    EXPECT_EQ(rect.RectPtr(), (Rect{1, 2, 3, 4}));
}
