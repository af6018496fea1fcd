#include "platform/CodePage.h"

#include <gtest/gtest.h>

using namespace platform;

namespace {
const std::string kJapaneseUtf8 = "\xE6\x97\xA5\xE6\x9C\xAC"; // 日本
const std::string kJapaneseCp932 = "\x93\xFA\x96\x7B";
} // namespace

TEST(CodePage, Cp932RoundTrip)
{
    EXPECT_EQ(CodePage::FromCp932(kJapaneseCp932), kJapaneseUtf8);
    EXPECT_EQ(CodePage::ToCp932(kJapaneseUtf8), kJapaneseCp932);
    EXPECT_EQ(CodePage::ToAnsi(kJapaneseUtf8, AnsiCharset::Cp932), kJapaneseCp932);
}

TEST(CodePage, FileTextIsUtf8WhenValidElseCp932)
{
    EXPECT_EQ(CodePage::DecodeFileText("\xEF\xBB\xBF"
                                       "abc"),
              "abc");
    EXPECT_EQ(CodePage::DecodeFileText(kJapaneseUtf8), kJapaneseUtf8);
    EXPECT_EQ(CodePage::DecodeFileText(kJapaneseCp932), kJapaneseUtf8);
}

TEST(CodePage, UnrepresentableAndInvalidBecomeQuestionMarks)
{
    // An emoji has no CP932 form; a lone trail byte and a cut lead byte are invalid.
    EXPECT_EQ(CodePage::ToCp932("a\xF0\x9F\x98\x80"
                                "b"),
              "a?b");
    EXPECT_EQ(CodePage::FromCp932("a\x81"), "a?");
    EXPECT_EQ(CodePage::FromAnsi("x\xFFy", AnsiCharset::Utf8), "x?y");
    std::string withNul("a\0b", 3);
    EXPECT_EQ(CodePage::FromCp932(withNul), withNul);
    EXPECT_TRUE(CodePage::IsValidUtf8(CodePage::DecodeFileText("\x80\x81\xFF\xFE\xA0")));
    EXPECT_FALSE(CodePage::IsValidUtf8("\xED\xA0\x80")); // a surrogate
}

TEST(CodePage, TruncationKeepsWholeCharacters)
{
    EXPECT_EQ(CodePage::TruncateAnsi(kJapaneseCp932, 3, AnsiCharset::Cp932), "\x93\xFA");
    EXPECT_EQ(CodePage::TruncateAnsi("ab" + kJapaneseCp932, 3, AnsiCharset::Cp932), "ab");
}
