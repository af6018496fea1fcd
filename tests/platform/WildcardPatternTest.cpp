#include "platform/WildcardPattern.h"

#include <gtest/gtest.h>

using platform::WildcardPattern;

TEST(WildcardPattern, StarAndQuestionMarkAreCaseSensitive)
{
    EXPECT_TRUE(WildcardPattern::Match("song.mp3", "*.mp3"));
    EXPECT_FALSE(WildcardPattern::Match("SONG.MP3", "*.mp3"));
    EXPECT_TRUE(WildcardPattern::Match(".mp3", "*.mp3"));
    EXPECT_FALSE(WildcardPattern::Match("song.mp3.bak", "*.mp3"));
    EXPECT_TRUE(WildcardPattern::Match("ab", "a?"));
    EXPECT_FALSE(WildcardPattern::Match("a", "a?"));
    EXPECT_TRUE(WildcardPattern::Match("", "*"));
    EXPECT_FALSE(WildcardPattern::Match("README", "*.*")); // a literal dot is needed
    EXPECT_TRUE(WildcardPattern::Match("a.b.c", "*.*.*"));
    EXPECT_TRUE(WildcardPattern::Match("", ""));
    EXPECT_FALSE(WildcardPattern::Match("x", ""));
}

TEST(WildcardPattern, ListsRangesAndNegationsWithMultibyteCharactersAsOne)
{
    EXPECT_TRUE(WildcardPattern::Match("b", "[abc]"));
    EXPECT_TRUE(WildcardPattern::Match("q", "[a-z]"));
    EXPECT_FALSE(WildcardPattern::Match("Q", "[a-z]"));
    EXPECT_TRUE(WildcardPattern::Match("Q", "[!a-z]"));
    EXPECT_FALSE(WildcardPattern::Match("q", "[!a-z]"));
    EXPECT_TRUE(WildcardPattern::Match("-", "[a-]")); // a dash at the end is itself
    EXPECT_TRUE(WildcardPattern::Match("x1.mp3", "[wxy][0-9].mp3"));
    EXPECT_TRUE(WildcardPattern::Match("\xE6\x97\xA5.mp3", "?.mp3")); // 日
    EXPECT_TRUE(WildcardPattern::Match("\xE6\x97\xA5", "[\xE3\x81\x82-\xE9\xBE\xA0]"));
    EXPECT_TRUE(WildcardPattern::Match("\xFF", "?")); // an invalid byte is one character
}

TEST(WildcardPattern, BacktrackingStaysLinear)
{
    const std::string name(20000, 'a');
    std::string pattern;
    for (int i = 0; i < 50; ++i)
        pattern += "*a";
    pattern += "*b";
    EXPECT_FALSE(WildcardPattern::Match(name, pattern));
    EXPECT_TRUE(WildcardPattern::Match(name + "b", pattern));
}
