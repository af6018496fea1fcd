#include "common/ClsKtString.h"

#include "common/KtError.h"

#include <gtest/gtest.h>

using namespace common;

namespace {

const ClsKtString s;

std::vector<std::string> Strings(const KtVariant& v)
{
    std::vector<std::string> out;
    for (const auto& e : v.AsArray())
        out.push_back(e.AsString());
    return out;
}

const std::string kA = "\xE3\x81\x82";      // あ
const std::string kI = "\xE3\x81\x84";      // い
const std::string kHalfKa = "\xEF\xBD\xB6"; // half-width カ

} // namespace

// No part of the player calls this class: its rules are checked once, and
// BadInput checks that its pieces put together give any text back.
TEST(ClsKtString, RangesTokensAndSplitsCountCharactersNotBytes)
{
    EXPECT_EQ(s.GetStringByRange("<<x>", "<<", ">"), "<x"); // only the first character of token1 is skipped
    EXPECT_EQ(s.GetStringByRange(kA + "[" + kI + "]", "[", "]"), kI);
    EXPECT_EQ(s.GetStringByToken("a=b", "", 1), "");
    EXPECT_EQ(s.GetStringByToken("a::b", "::", 2), ":b"); // the field ends before a longer separator
    EXPECT_EQ(s.TokenCount(kA + kA + "x", kA), 2);
    EXPECT_EQ(s.PackedString(",,a,,", ","), ",a,");
    EXPECT_EQ(s.SplitVb5("", "="), KtVariant(std::int32_t{0}));
    EXPECT_EQ(Strings(s.SplitVb5("=", "=")), (std::vector<std::string>{""}));
    EXPECT_EQ(Strings(s.SplitVb5("a,b,,", ",")), (std::vector<std::string>{"a", "b", ""})); // one empty last field goes
    EXPECT_EQ(Strings(s.SplitVb5("x" + kA + "y", kA)), (std::vector<std::string>{"x", "y"}));
}

TEST(ClsKtString, ResolveStringRescansAndRefusesPairsThatNeverFinish)
{
    EXPECT_EQ(s.ResolveString("coKey=$1,Left=$2", {"$1", "body-main", "$2", std::int32_t{-5}}),
              "coKey=body-main,Left=-5");
    // Rescanning from the start: a replacement may complete a new occurrence.
    EXPECT_EQ(s.ResolveString("aaaab", {"ab", "b"}), "b");
    // An odd last element has no replacement; an empty search text is skipped.
    EXPECT_EQ(s.ResolveString("$1$2", {"$1", "x", "$2"}), "x$2");
    EXPECT_EQ(s.ResolveString("$1 $2", {"", "x", "$2", "two"}), "$1 two");
    // Replacements that contain their own search text (in any letter case) are skipped.
    EXPECT_EQ(s.ResolveString("$a", {"$a", "x$Ay", "$A", "ok"}), "ok");
    // Every "b" passing an "a" doubles the a's: fine for a few, refused when
    // the text would grow without bound.
    EXPECT_EQ(s.ResolveString("bba", {"ba", "aab"}), "aaaabb");
    const std::string runaway = std::string(40, 'b') + "a";
    EXPECT_EQ(s.ResolveString(runaway, {"ba", "aab"}), runaway);
    // A long cascade back to the start ends.
    EXPECT_EQ(s.ResolveString(std::string(10000, 'a') + "b", {"ab", "b"}), "b");
    EXPECT_THROW(s.ResolveResString(101, {}), KtError);
    EXPECT_EQ(ClsKtString({{101, "Left=$1"}}).ResolveResString(101, {"$1", "3"}), "Left=3");
}

TEST(ClsKtString, HexStringsAndTheTypeTheirDigitCountGives)
{
    EXPECT_EQ(s.HexString(std::int32_t{-2}), "FFFFFFFE");
    EXPECT_EQ(s.HexString(KtVariant("FF")), "");
    EXPECT_EQ(s.HexStringToVariant(""), KtVariant(std::uint8_t{0}));
    EXPECT_EQ(s.HexStringToVariant("ff"), KtVariant(std::uint8_t{255}));
    EXPECT_EQ(s.HexStringToVariant("FFF"), KtVariant(std::int16_t{4095}));
    EXPECT_EQ(s.HexStringToVariant("FFFFFFFF"), KtVariant(4294967295.0));
    EXPECT_EQ(s.HexStringToVariant("&H00FF80"), KtVariant(std::int32_t{0xFF80})); // & and H are skipped
    // Hundreds of digits give a decimal number, never a crash.
    EXPECT_EQ(s.HexStringToVariant(std::string(400, 'F')).GetKind(), KtVariant::Kind::Decimal);
}

TEST(ClsKtString, NarrowAndWideCharactersAndTheStringType)
{
    const std::string text = "a" + kA + kHalfKa + "\xC3\xA9" + kI; // a あ ｶ é い
    EXPECT_EQ(s.ExtractNarrowString(text), "a" + kHalfKa + "\xC3\xA9");
    EXPECT_EQ(s.ExtractWideString(text), kA + kI);
    std::int32_t narrow = -1;
    std::int32_t wide = -1;
    EXPECT_EQ(s.StringType(kA + kI), 2);
    EXPECT_EQ(s.StringType(kHalfKa), 1); // half-width katakana take one byte
    EXPECT_EQ(s.StringType("a" + kA, &narrow, &wide), 0);
    EXPECT_EQ(narrow + 10 * wide, 11);
    EXPECT_THROW(s.StringType("", &narrow, &wide), KtError);
    // Invalid text passes through unchanged.
    const std::string bad("[\xFF\x00\x81]", 5);
    EXPECT_EQ(s.GetStringByRange(bad, "[", "]"), std::string("\xFF\x00\x81", 3));
    EXPECT_EQ(Strings(s.SplitVb5(bad, std::string("\0", 1))), (std::vector<std::string>{"[\xFF", "\x81]"}));
}
