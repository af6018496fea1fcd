#include "decoder/TagText.h"

#include <gtest/gtest.h>

namespace decoder {
namespace {

TEST(TagTextTest, RecognisesCp932AndNotLatin1)
{
    EXPECT_TRUE(TagText::LooksLikeCp932("\x93\xfa\x96\x7b\x8c\xea"));  // 日本語
    EXPECT_TRUE(TagText::LooksLikeCp932("ABC \x82\xa0\x82\xa2 \xb1")); // あい and a half-width kana
    EXPECT_FALSE(TagText::LooksLikeCp932("Caf\xe9"));                  // lone lead byte at the end
    EXPECT_FALSE(TagText::LooksLikeCp932("D\xe9j\xe0 vu"));            // pairs only from the rare lead range
    EXPECT_FALSE(TagText::LooksLikeCp932("plain ASCII"));
    EXPECT_FALSE(TagText::LooksLikeCp932("\x82"));
}

TEST(TagTextTest, LegacyBytesBecomeUtf8)
{
    EXPECT_EQ(TagText::FromLegacyBytes("\x93\xfa\x96\x7b\x8c\xea"), "日本語");
    EXPECT_EQ(TagText::FromLegacyBytes("Caf\xe9   "), "Café");
    EXPECT_EQ(TagText::FromLegacyBytes("日本語"), "日本語");
    EXPECT_EQ(TagText::FromLegacyBytes(std::string("Title\0\0junk", 11)), "Title");
    EXPECT_EQ(TagText::FromLegacyBytes(""), "");
}

TEST(TagTextTest, RecoversTheBytesBehindALatin1Reading)
{
    // "日本語" in CP932, read as Latin-1 and written as UTF-8.
    EXPECT_EQ(TagText::RecoverLatin1Reading("\xC2\x93\xC3\xBA\xC2\x96\x7B\xC2\x8C\xC3\xAA"), "日本語");
    // UTF-8 bytes stored in a Latin-1 frame.
    EXPECT_EQ(TagText::RecoverLatin1Reading("\xC3\xA6\xC2\x97\xC2\xA5"), "日");
    // Genuine Latin-1 and genuine Unicode text stay.
    EXPECT_EQ(TagText::RecoverLatin1Reading("Café"), "Café");
    EXPECT_EQ(TagText::RecoverLatin1Reading("日本語"), "日本語");
    EXPECT_EQ(TagText::RecoverLatin1Reading("ASCII"), "ASCII");
}

} // namespace
} // namespace decoder
