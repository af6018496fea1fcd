#include "player/dialogs/PropsRules.h"

#include <gtest/gtest.h>

using namespace dialogs::PropsRules;

TEST(PropsRules, NumberValueAcceptsDecimalNumbersWithBlanksAndSign)
{
    EXPECT_EQ(NumberValue("12"), 12.0);
    EXPECT_EQ(NumberValue(" -3 "), -3.0);
    EXPECT_EQ(NumberValue("+7.5"), 7.5);
    EXPECT_EQ(NumberValue(".5"), 0.5);
    EXPECT_EQ(NumberValue("5."), 5.0);
    EXPECT_EQ(NumberValue("1e2"), 100.0);
    EXPECT_EQ(NumberValue("2.5E-1"), 0.25);
    EXPECT_EQ(NumberValue("&H10"), 16.0);
    // Full-width digits, sign and blanks from a Japanese input method.
    EXPECT_EQ(NumberValue("１５０"), 150.0);
    EXPECT_EQ(NumberValue("－２０"), -20.0);
    EXPECT_EQ(NumberValue("\u3000４２\u3000"), 42.0);
}

TEST(PropsRules, NumberValueRejectsEverythingElse)
{
    for (const char* text : {"", " ", "-", "+", ".", "abc", "12a", "1 2", "1e", "e5", "--1", "1.2.3", "0x10", "∞"})
        EXPECT_FALSE(NumberValue(text).has_value()) << '"' << text << '"';
    EXPECT_FALSE(NumberValue("1e999").has_value());
}

TEST(PropsRules, WholeNumberValueRoundsHalvesToEvenAndStaysInRange)
{
    EXPECT_EQ(WholeNumberValue("2.5"), 2);
    EXPECT_EQ(WholeNumberValue("3.5"), 4);
    EXPECT_EQ(WholeNumberValue("-2.5"), -2);
    EXPECT_EQ(WholeNumberValue("2.6"), 3);
    EXPECT_EQ(WholeNumberValue("-40"), -40);
    EXPECT_EQ(WholeNumberValue("2147483647"), 2147483647);
    EXPECT_FALSE(WholeNumberValue("2147483648").has_value());
    EXPECT_FALSE(WholeNumberValue("-2147483649").has_value());
    EXPECT_FALSE(WholeNumberValue("x").has_value());
}

TEST(PropsRules, VolumeOnCloseCorrectsTextOutsideZeroToHundred)
{
    const auto check = [](const char* text, const char* boxText, int volume) {
        const ClosingVolume result = VolumeOnClose(text);
        EXPECT_EQ(result.BoxText, boxText) << text;
        EXPECT_EQ(result.Volume, volume) << text;
    };
    check("150", "100", 100);
    check("101", "100", 100);
    check("-1", "100", 100);
    check("abc", "100", 100);
    check("", "100", 100);
    check("0", "0", 0);
    check("100", "100", 100);
    check("42", "42", 42);
    check(" 7 ", " 7 ", 7);
    check("50.5", "50.5", 50);
    check("99.5", "99.5", 100);
    check("８０", "８０", 80);
}

TEST(PropsRules, LyricsSettingsOnClose)
{
    EXPECT_EQ(LyricsExtOnClose(""), "txt");
    EXPECT_EQ(LyricsExtOnClose("lrc;txt"), "lrc;txt");

    EXPECT_EQ(LyricsFolderOnClose("/home/user/lyrics"), "/home/user/lyrics/");
    EXPECT_EQ(LyricsFolderOnClose("/home/user/lyrics/"), "/home/user/lyrics/");
    EXPECT_EQ(LyricsFolderOnClose("/"), "/");
    EXPECT_EQ(LyricsFolderOnClose(""), "");
    EXPECT_EQ(LyricsFolderOnClose("/音楽/歌詞"), "/音楽/歌詞/");
}
