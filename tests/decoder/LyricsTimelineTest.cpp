#include "decoder/LyricsTimeline.h"

#include "platform/CodePage.h"

#include <gtest/gtest.h>

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

TEST(LyricsTimelineTest, TimedLinesInEveryFormAreOrderedByTime)
{
    const std::string atMarks = "@Title=Song\n@Offset=100\n[00:01.00]@hidden\n[00:02.00]shown\n";
    const std::string broken = "[00:01.00]good\n[00:1x.00]bad\n[00:02.00\n[99]n\n[00:75.00]s\n[00:03.00]ok\n";
    struct Row {
        std::string Text;
        bool AtMarkTags;
        Lines Expected;
    };
    const Row rows[] = {
        {"[00:01.50]a\n[00:02:25]b\n[0:03]c\n[00:04.123]d\n[00:05.5]e\n[123:00.00]f\n", false, {{1500, "a"}, {2250, "b"}, {3000, "c"}, {4123, "d"}, {5500, "e"}, {7380000, "f"}}},
        // Several tags on one line; lines out of order.
        {"[00:10.00][00:30.00]chorus\r\n[00:20.00]verse\r\n[00:20.00]second\r\n", false, {{10000, "chorus"}, {20000, "verse"}, {20000, "second"}, {30000, "chorus"}}},
        // Word times go; empty timed lines stay.
        {"[00:01.00]<00:01.00>Hello <00:01.50>world<00:02.00>\n[00:03.00]\n[00:04.00]a <b> c\n", false, {{1000, "Hello world"}, {3000, ""}, {4000, "a <b> c"}}},
        // The offset shifts every line, before or after it; other tags and
        // text without a time are not lines.
        {"[ti:Song]\n[by:someone]\n[length:03:00]\n[00:02.00]x\n[offset:+500]\nplain text without time\n", false, {{1500, "x"}}},
        {"[offset:-250]\n[00:01.00]y\n", false, {{1250, "y"}}},
        // Lines starting with @ are tags only when switched on.
        {atMarks, true, {{1900, "shown"}}},
        {atMarks, false, {{1000, "@hidden"}, {2000, "shown"}}},
        {"\xEF\xBB\xBF[00:01.00]日本語\n", false, {{1000, "日本語"}}},
        {platform::CodePage::ToCp932("[00:01.00]日本語の歌\n"), false, {{1000, "日本語の歌"}}},
        {broken, false, {{1000, "good"}, {3000, "ok"}}},
    };
    for (const Row& row : rows)
        EXPECT_EQ(Timed(LyricsTimeline::Parse(row.Text, {row.AtMarkTags})), row.Expected) << row.Text;
}

TEST(LyricsTimelineTest, AnAtMarkTitleIsATagOnlyWhenSwitchedOn)
{
    const std::string atMarks = "@Title=Song\n[00:02.00]shown\n";
    EXPECT_EQ(LyricsTimeline::Parse(atMarks, {true}).Title(), "Song");
    EXPECT_EQ(LyricsTimeline::Parse(atMarks, {false}).Title(), "");
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
        big += "[" + std::to_string(i / 60) + ":" + (i % 60 < 10 ? "0" : "") + std::to_string(i % 60) + ".00]line " + std::to_string(i) + "\n";
    const auto t = LyricsTimeline::Parse(big, {});
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
    EXPECT_STREQ(r.Text[1], "l0");

    t.Fill(r, 3000, 0, true);
    EXPECT_EQ(r.CurrentLine, 2);
    EXPECT_EQ(r.CurrentMs, 3000);
    EXPECT_EQ(r.NextMs, 4000);
    // Two lines before, the current one, two after, and the three tags.
    const std::vector<std::string> fields(std::begin(r.Text), std::end(r.Text));
    EXPECT_EQ(fields, (std::vector<std::string>{"l4", "l3", "T", "A", "B", "l2", "l1", "l0"}));

    t.Fill(r, 9000, 0, true);
    EXPECT_EQ(r.CurrentLine, 4);
    EXPECT_EQ(r.NextMs, -1);
    EXPECT_STREQ(r.Text[1], "");

    t.Fill(r, 3000, 0, false); // karaoke use off
    EXPECT_EQ(r.CurrentLine, -1);
    EXPECT_STREQ(r.Text[1], "l0");

    // A long line is cut at a character boundary: 42 three-byte characters.
    std::string text = "[00:01.00]";
    for (int i = 0; i < 60; ++i)
        text += "あ";
    LyricsTimeline::Parse(text, {}).Fill(r, 1000, 0, true);
    EXPECT_EQ(std::strlen(r.Text[5]), 126u);
}

} // namespace
} // namespace decoder
