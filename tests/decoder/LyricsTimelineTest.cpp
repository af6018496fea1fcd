#include "decoder/LyricsTimeline.h"

#include "platform/CodePage.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstring>
#include <string>

namespace decoder {
namespace {

std::vector<std::pair<int32_t, std::string>> Timed(const LyricsTimeline& t)
{
    std::vector<std::pair<int32_t, std::string>> out;
    for (const auto& line : t.Lines())
        out.emplace_back(line.TimeMs, line.Text);
    return out;
}

using Lines = std::vector<std::pair<int32_t, std::string>>;

TEST(LyricsTimelineTest, ReadsTimeTagsInEveryForm)
{
    const auto t = LyricsTimeline::Parse("[00:01.50]a\n"
                                         "[00:02:25]b\n"
                                         "[0:03]c\n"
                                         "[00:04.123]d\n"
                                         "[00:05.5]e\n"
                                         "[123:00.00]f\n",
                                         {});
    EXPECT_EQ(Timed(t), (Lines {{1500, "a"}, {2250, "b"}, {3000, "c"}, {4123, "d"}, {5500, "e"}, {7380000, "f"}}));
    EXPECT_TRUE(t.RejectedLines().empty());
}

TEST(LyricsTimelineTest, SeveralTagsOnOneLineAndUnsortedLinesAreOrderedByTime)
{
    const auto t = LyricsTimeline::Parse("[00:10.00][00:30.00]chorus\r\n[00:20.00]verse\r\n[00:20.00]second\r\n", {});
    EXPECT_EQ(Timed(t), (Lines {{10000, "chorus"}, {20000, "verse"}, {20000, "second"}, {30000, "chorus"}}));
}

TEST(LyricsTimelineTest, StripsWordTimesAndKeepsEmptyTimedLines)
{
    const auto t = LyricsTimeline::Parse("[00:01.00]<00:01.00>Hello <00:01.50>world<00:02.00>\n"
                                         "[00:03.00]\n"
                                         "[00:04.00]a <b> c\n",
                                         {});
    EXPECT_EQ(Timed(t), (Lines {{1000, "Hello world"}, {3000, ""}, {4000, "a <b> c"}}));
}

TEST(LyricsTimelineTest, OffsetShiftsEveryLineAndOtherTagsAreIgnored)
{
    const auto t = LyricsTimeline::Parse("[ti:Song]\n[ar:Singer]\n[al:Album]\n[by:someone]\n[length:03:00]\n"
                                         "[00:02.00]x\n[offset:+500]\nplain text without time\n",
                                         {});
    EXPECT_EQ(Timed(t), (Lines {{1500, "x"}}));
    EXPECT_EQ(t.OffsetMs(), 500);
    EXPECT_EQ(t.Title(), "Song");
    EXPECT_EQ(t.Artist(), "Singer");
    EXPECT_EQ(t.Album(), "Album");

    const auto later = LyricsTimeline::Parse("[offset:-250]\n[00:01.00]y\n", {});
    EXPECT_EQ(Timed(later), (Lines {{1250, "y"}}));
}

TEST(LyricsTimelineTest, AtMarkLinesAreTagsOnlyWhenSwitchedOn)
{
    const std::string text = "@Title=Song\n@Offset=100\n[00:01.00]@hidden\n[00:02.00]shown\n";
    const auto on = LyricsTimeline::Parse(text, {true});
    EXPECT_EQ(Timed(on), (Lines {{1900, "shown"}}));
    EXPECT_EQ(on.Title(), "Song");
    const auto off = LyricsTimeline::Parse(text, {false});
    EXPECT_EQ(Timed(off), (Lines {{1000, "@hidden"}, {2000, "shown"}}));
    EXPECT_EQ(off.Title(), "");
}

TEST(LyricsTimelineTest, BrokenTagsAreRejectedWithTheirLineNumbers)
{
    const auto t = LyricsTimeline::Parse("[00:01.00]good\n[00:1x.00]bad\n[00:02.00\n[99]n\n[00:75.00]s\n[00:03.00]ok\n", {});
    EXPECT_EQ(Timed(t), (Lines {{1000, "good"}, {3000, "ok"}}));
    EXPECT_EQ(t.RejectedLines(), (std::vector<int32_t> {2, 3, 4, 5}));
}

TEST(LyricsTimelineTest, ReadsUtf8WithBomAndCp932)
{
    const auto utf8 = LyricsTimeline::Parse("\xEF\xBB\xBF[00:01.00]日本語\n", {});
    EXPECT_EQ(Timed(utf8), (Lines {{1000, "日本語"}}));
    const auto cp932 = LyricsTimeline::Parse(platform::CodePage::ToCp932("[00:01.00]日本語の歌\n"), {});
    EXPECT_EQ(Timed(cp932), (Lines {{1000, "日本語の歌"}}));
}

TEST(LyricsTimelineTest, GarbageAndHugeFilesStayBounded)
{
    std::string garbage;
    uint32_t seed = 7;
    for (int i = 0; i < 300000; ++i) {
        seed = seed * 1103515245u + 12345u;
        garbage += static_cast<char>(seed >> 16);
    }
    garbage += "\n[00:01.00]after\0garbage\n";
    const auto g = LyricsTimeline::Parse(garbage, {true});
    for (const auto& line : g.Lines())
        EXPECT_EQ(line.Text.find('\0'), std::string::npos);

    std::string big;
    for (int i = 0; i < 100000; ++i)
        big += "[" + std::to_string(i / 60) + ":" + (i % 60 < 10 ? "0" : "") + std::to_string(i % 60) + ".00]line "
            + std::to_string(i) + "\n";
    const auto start = std::chrono::steady_clock::now();
    const auto t = LyricsTimeline::Parse(big, {});
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(5));
    ASSERT_EQ(t.Lines().size(), 100000u);
    EXPECT_EQ(t.CurrentIndex(99999 * 1000, 0), 99999);
}

TEST(LyricsTimelineTest, CurrentLineChangesExactlyAtItsTimeLessTheAdjustment)
{
    const auto t = LyricsTimeline::Parse("[00:01.00]a\n[00:02.00]b\n[00:03.00]c\n", {});
    EXPECT_EQ(t.CurrentIndex(0, 0), -1);
    EXPECT_EQ(t.CurrentIndex(999, 0), -1);
    EXPECT_EQ(t.CurrentIndex(1000, 0), 0);
    EXPECT_EQ(t.CurrentIndex(1949, 50), 0);
    EXPECT_EQ(t.CurrentIndex(1950, 50), 1);
    EXPECT_EQ(t.CurrentIndex(100000, 0), 2);
}

TEST(LyricsTimelineTest, FillsTheRecordAroundTheCurrentLine)
{
    const auto t = LyricsTimeline::Parse("[ti:T]\n[ar:A]\n[al:B]\n[00:01.00]l0\n[00:02.00]l1\n[00:03.00]l2\n"
                                         "[00:04.00]l3\n[00:05.00]l4\n",
                                         {});
    LyricsRecord r;
    t.Fill(r, 500, 0, true);
    EXPECT_EQ(r.LineCount, 5);
    EXPECT_EQ(r.CurrentLine, -1);
    EXPECT_EQ(r.CurrentMs, -1);
    EXPECT_EQ(r.NextMs, 1000);
    EXPECT_STREQ(r.Text[5], "");
    EXPECT_STREQ(r.Text[1], "l0");
    EXPECT_STREQ(r.Text[0], "l1");

    t.Fill(r, 3000, 0, true);
    EXPECT_EQ(r.CurrentLine, 2);
    EXPECT_EQ(r.CurrentMs, 3000);
    EXPECT_EQ(r.NextMs, 4000);
    EXPECT_STREQ(r.Text[7], "l0");
    EXPECT_STREQ(r.Text[6], "l1");
    EXPECT_STREQ(r.Text[5], "l2");
    EXPECT_STREQ(r.Text[1], "l3");
    EXPECT_STREQ(r.Text[0], "l4");
    EXPECT_STREQ(r.Text[2], "T");
    EXPECT_STREQ(r.Text[3], "A");
    EXPECT_STREQ(r.Text[4], "B");

    t.Fill(r, 9000, 0, true);
    EXPECT_EQ(r.CurrentLine, 4);
    EXPECT_EQ(r.NextMs, -1);
    EXPECT_STREQ(r.Text[1], "");
    EXPECT_STREQ(r.Text[0], "");

    t.Fill(r, 3000, 0, false); // karaoke use off
    EXPECT_EQ(r.CurrentLine, -1);
    EXPECT_STREQ(r.Text[1], "l0");
}

TEST(LyricsTimelineTest, LongLinesAreCutAtACharacterBoundary)
{
    std::string text = "[00:01.00]";
    for (int i = 0; i < 60; ++i)
        text += "あ";
    const auto t = LyricsTimeline::Parse(text, {});
    LyricsRecord r;
    t.Fill(r, 1000, 0, true);
    EXPECT_EQ(std::strlen(r.Text[5]), 126u); // 42 three-byte characters
    EXPECT_EQ(std::string(r.Text[5]).substr(0, 3), "あ");
}

} // namespace
} // namespace decoder
