#include "platform/Utf8.h"

#include <gtest/gtest.h>

using namespace platform;

TEST(Utf8, DecodesCharactersAndEncodesThemBack)
{
    const std::string text = "a\xC3\xA9\xE6\x97\xA5\xF0\x9F\x8E\xB5"; // a é 日 🎵
    const std::u32string cps = Utf8::Decode(text);
    EXPECT_EQ(cps, (std::u32string{U'a', 0xE9, 0x65E5, 0x1F3B5}));
    EXPECT_EQ(Utf8::Encode(cps), text);
}

TEST(Utf8, InvalidBytesSurviveARoundTrip)
{
    const std::string bad("\xFF\x80x\xE6\x97\0\xC0\xAF\xED\xA0\x80", 12);
    const std::u32string cps = Utf8::Decode(bad);
    EXPECT_EQ(cps.size(), 12u);
    EXPECT_EQ(Utf8::Encode(cps), bad);
}

TEST(Utf8, SimpleCaseMappings)
{
    EXPECT_EQ(Utf8::ToUpper(U'a'), U'A');
    EXPECT_EQ(Utf8::ToUpper(0xE9), 0xC9u);
    EXPECT_EQ(Utf8::FoldCase(U'Z'), U'z');
    EXPECT_EQ(Utf8::FoldCase(0xFF21), 0xFF41u); // full-width A
    EXPECT_EQ(Utf8::ToUpper(0xDCFF), 0xDCFFu);  // an escaped byte stays itself
}
