#include "player/widgets/LyricsLayout.h"
#include "player/widgets/PlayListLayout.h"

#include <gtest/gtest.h>

using namespace widgets;

using platform::Rect;

TEST(PlayListLayout, WholeLinesCentredWithTheTimeColumnAtTheRight)
{
    // 100 high, lines of 12: 8 lines, 2 pixels off at the top and the bottom.
    EXPECT_EQ(PlayListLayout::MakePlayListRect(Rect{5, 10, 105, 110}, 12), (Rect{5, 12, 105, 108}));
    // An odd leftover keeps one pixel more: 45 high, lines of 14 -> 3 lines, margin 1.
    EXPECT_EQ(PlayListLayout::MakePlayListRect(Rect{0, 0, 50, 45}, 14), (Rect{0, 1, 50, 44}));
    EXPECT_TRUE(PlayListLayout::MakePlayListRect(Rect{}, 14).IsEmpty());
    EXPECT_TRUE(PlayListLayout::MakePlayListRect(Rect{0, 0, 10, 10}, 0).IsEmpty());
    const Rect list{10, 0, 110, 42};
    EXPECT_EQ(PlayListLayout::TextRect(list, 14, 14), (Rect{10, 14, 82, 28}));
    EXPECT_EQ(PlayListLayout::TimeRect(list, 14, 14), (Rect{82, 14, 110, 28}));
}

TEST(LyricsLayout, FiveThreeOrOneLinesCentred)
{
    using LyricsLayout::Line;
    // 70 high: five lines from the top.
    auto five = LyricsLayout::MakeLyricsRect(Rect{3, 100, 53, 170}, 14);
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(five[static_cast<std::size_t>(i)], (Rect{3, 100 + 14 * i, 53, 114 + 14 * i})) << i;
    // 60 high: three lines starting 9 below the top; the outer two unused.
    auto three = LyricsLayout::MakeLyricsRect(Rect{0, 0, 40, 60}, 14);
    EXPECT_EQ(LyricsLayout::RectOf(three, Line::Prev), (Rect{0, 9, 40, 23}));
    EXPECT_EQ(LyricsLayout::RectOf(three, Line::Current), (Rect{0, 23, 40, 37}));
    EXPECT_EQ(LyricsLayout::RectOf(three, Line::Next), (Rect{0, 37, 40, 51}));
    EXPECT_FALSE(LyricsLayout::InUse(LyricsLayout::RectOf(three, Line::PPrev)));
    EXPECT_FALSE(LyricsLayout::InUse(LyricsLayout::RectOf(three, Line::NNext)));
    // 30 high: one line 8 below the top.
    auto one = LyricsLayout::MakeLyricsRect(Rect{0, 0, 40, 30}, 14);
    EXPECT_EQ(LyricsLayout::RectOf(one, Line::Current), (Rect{0, 8, 40, 22}));
    for (Line l : {Line::PPrev, Line::Prev, Line::Next, Line::NNext})
        EXPECT_FALSE(LyricsLayout::InUse(LyricsLayout::RectOf(one, l)));
    // No box (no skin yet): nothing in use.
    for (const Rect& r : LyricsLayout::MakeLyricsRect(Rect{}, 14))
        EXPECT_FALSE(LyricsLayout::InUse(r));
}
