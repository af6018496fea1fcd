#include "player/dialogs/DialogTexts.h"

#include "ExpectedShortcutLines.h"

#include <gtest/gtest.h>

using namespace dialogs;

TEST(DialogTexts, VersionTextWritesTheRevisionWithTwoDigits)
{
    EXPECT_EQ(VersionText({1, 2, 3}), "ﾊﾞｰｼﾞｮﾝ 1.203");
    EXPECT_EQ(VersionText({1, 0, 0}), "ﾊﾞｰｼﾞｮﾝ 1.000");
    EXPECT_EQ(VersionText({2, 5, 17}), "ﾊﾞｰｼﾞｮﾝ 2.517");
    // A revision of three digits keeps all of them.
    EXPECT_EQ(VersionText({1, 2, 123}), "ﾊﾞｰｼﾞｮﾝ 1.2123");
    EXPECT_EQ(VersionText({10, 11, 9}), "ﾊﾞｰｼﾞｮﾝ 10.1109");
}

TEST(DialogTexts, CaptionsBeginWithTheApplicationTitle)
{
    EXPECT_EQ(PropsCaption(), "Zelko Deck のﾌﾟﾛﾊﾟﾃｨ");
    EXPECT_EQ(AboutCaption(), "Zelko Deck のﾊﾞｰｼﾞｮﾝ情報");
}

TEST(DialogTexts, ShortcutLinesMatchByteForByte)
{
    const auto& lines = ShortcutLines();
    const auto& expected = ExpectedShortcutLines();
    ASSERT_EQ(lines.size(), expected.size());
    for (std::size_t i = 0; i < lines.size(); ++i)
        EXPECT_EQ(lines[i], expected[i]) << "line " << i;
    // Every line is indented by four spaces and either holds one tab or is a
    // separator of 28 hyphens.
    for (const std::string& line : lines) {
        ASSERT_EQ(line.rfind("    ", 0), 0u) << line;
        const auto tabs = std::count(line.begin(), line.end(), '\t');
        if (tabs == 0)
            EXPECT_EQ(line, "    " + std::string(28, '-'));
        else
            EXPECT_EQ(tabs, 1) << line;
    }
}
