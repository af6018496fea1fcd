#include "common/ClsKtString.h"

#include "common/KtError.h"

#include <gtest/gtest.h>

using namespace common;

namespace {
const ClsKtString s;
} // namespace

// No part of the player calls this class: only its rules that can run away
// are pinned here, and BadInput checks that its pieces give any text back.
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
