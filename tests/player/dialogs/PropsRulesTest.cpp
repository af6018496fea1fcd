#include "player/dialogs/PropsRules.h"

#include <gtest/gtest.h>

#include <tuple>
#include <vector>

using namespace dialogs::PropsRules;

// Decimal numbers with blanks and sign, also in the full-width forms a
// Japanese input method types; everything else is no number.
TEST(PropsRules, NumberValueAcceptsDecimalNumbersWithBlanksAndSignOnly)
{
    const std::vector<std::pair<const char*, double>> numbers{
        {"12", 12.0}, {" -3 ", -3.0}, {"+7.5", 7.5}, {".5", 0.5}, {"5.", 5.0}, {"1e2", 100.0}, {"2.5E-1", 0.25}, {"&H10", 16.0}, {"１５０", 150.0}, {"－２０", -20.0}, {"\u3000４２\u3000", 42.0}};
    for (const auto& [text, value] : numbers)
        EXPECT_EQ(NumberValue(text), value) << text;
    for (const char* text : {"", " ", "-", "+", ".", "abc", "12a", "1 2", "1e", "e5", "--1", "1.2.3", "0x10", "∞", "1e999"})
        EXPECT_FALSE(NumberValue(text).has_value()) << '"' << text << '"';
}

TEST(PropsRules, WholeNumberValueRoundsHalvesToEvenAndStaysInRange)
{
    EXPECT_EQ(WholeNumberValue("2.5"), 2);
    EXPECT_EQ(WholeNumberValue("3.5"), 4);
    EXPECT_EQ(WholeNumberValue("-2.5"), -2);
    EXPECT_EQ(WholeNumberValue("2.6"), 3);
    EXPECT_EQ(WholeNumberValue("2147483647"), 2147483647);
    EXPECT_FALSE(WholeNumberValue("2147483648").has_value());
    EXPECT_FALSE(WholeNumberValue("-2147483649").has_value());
}

TEST(PropsRules, VolumeOnCloseCorrectsTextOutsideZeroToHundred)
{
    // Each row: the text, the box's text after Close and the volume applied.
    const std::vector<std::tuple<const char*, const char*, int>> rows{
        {"101", "100", 100}, {"-1", "100", 100}, {"abc", "100", 100}, {"", "100", 100}, {"0", "0", 0}, {"100", "100", 100}, {" 7 ", " 7 ", 7}, {"50.5", "50.5", 50}, {"99.5", "99.5", 100}, {"８０", "８０", 80}};
    for (const auto& [text, boxText, volume] : rows) {
        const ClosingVolume result = VolumeOnClose(text);
        EXPECT_EQ(result.BoxText, boxText) << text;
        EXPECT_EQ(result.Volume, volume) << text;
    }
}

TEST(PropsRules, LyricsSettingsOnClose)
{
    EXPECT_EQ(LyricsExtOnClose(""), "txt");
    EXPECT_EQ(LyricsExtOnClose("lrc;txt"), "lrc;txt");
    EXPECT_EQ(LyricsFolderOnClose("/音楽/歌詞"), "/音楽/歌詞/");
    EXPECT_EQ(LyricsFolderOnClose("/home/user/lyrics/"), "/home/user/lyrics/");
    EXPECT_EQ(LyricsFolderOnClose(""), "");
}
