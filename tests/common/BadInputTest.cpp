// Arbitrary bytes from a fixed seed through every parser of the shared classes
// and the platform layer, checking a property that holds for any input.
#include "common/ClsKtString.h"
#include "common/KtNumber.h"
#include "platform/DirectorySearch.h"
#include "platform/ProfileFile.h"
#include "platform/Utf8.h"
#include "platform/WildcardPattern.h"

#include <gtest/gtest.h>
#include <random>

using namespace common;

namespace {

class Bytes {
public:
    explicit Bytes(unsigned seed)
        : m_rng(seed)
    {}

    std::string Next(std::size_t maxLength)
    {
        static const char kPieces[][4] = {"a", "B", "=", ",", "[", "]", "(", ")", "$1", ";", " ", "\t", "\r\n", "\n",
                                          "\0", "\xE3\x81\x82", "\x93\xFA", "\xFF", "\x80", "\xC3", "*", "?", "#", "!"};
        std::uniform_int_distribution<std::size_t> length(0, maxLength);
        std::uniform_int_distribution<std::size_t> piece(0, std::size(kPieces) - 1);
        std::string s;
        const std::size_t n = length(m_rng);
        for (std::size_t i = 0; i < n; ++i) {
            const char* p = kPieces[piece(m_rng)];
            s.append(p, *p ? std::char_traits<char>::length(p) : 1);
        }
        return s;
    }

    std::string Word(const char* alphabet, std::size_t minLength, std::size_t maxLength)
    {
        std::uniform_int_distribution<std::size_t> length(minLength, maxLength);
        std::uniform_int_distribution<std::size_t> letter(0, std::char_traits<char>::length(alphabet) - 1);
        std::string s;
        for (std::size_t n = length(m_rng); n > 0; --n)
            s += alphabet[letter(m_rng)];
        return s;
    }

    std::mt19937& Rng() { return m_rng; }

private:
    std::mt19937 m_rng;
};

std::string Upper(std::string s)
{
    for (auto& c : s)
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 'a' + 'A');
    return s;
}

constexpr int kRounds = 1500;

} // namespace

TEST(BadInput, Utf8RoundTripsAnyBytes)
{
    Bytes gen(1);
    for (int i = 0; i < kRounds; ++i) {
        const std::string s = gen.Next(40);
        ASSERT_EQ(platform::Utf8::Encode(platform::Utf8::Decode(s)), s);
    }
}

TEST(BadInput, StringFieldsPutTogetherGiveTheInputBack)
{
    const ClsKtString str;
    Bytes gen(2);
    for (int i = 0; i < kRounds; ++i) {
        const std::string s = gen.Next(30);
        // SplitVb5: the fields joined, plus the dropped empty last field.
        const KtVariant split = str.SplitVb5(s, ",");
        std::string joined;
        if (split.GetKind() == KtVariant::Kind::Array) {
            const auto& fields = split.AsArray();
            for (std::size_t k = 0; k < fields.size(); ++k)
                joined += (k ? "," : "") + fields[k].AsString();
            if (!s.empty() && s.back() == ',')
                joined += ',';
        }
        ASSERT_EQ(joined, s);

        // GetStringByToken: fields 1..count+1 make up the text.
        const std::int32_t count = str.TokenCount(s, "=");
        std::string rebuilt;
        for (std::int32_t pos = 1; pos <= count + 1; ++pos)
            rebuilt += (pos > 1 ? "=" : "") + str.GetStringByToken(s, "=", pos);
        ASSERT_EQ(rebuilt, s);
        ASSERT_EQ(str.GetStringByToken(s, "=", count + 2), "");

        // Narrow and wide characters together hold every byte once.
        ASSERT_EQ(str.ExtractNarrowString(s).size() + str.ExtractWideString(s).size(), s.size());
        // The text between markers is a part of the text.
        ASSERT_NE(s.find(str.GetStringByRange(s, "[", "]")), std::string::npos);
        (void)str.HexStringToVariant(s);
        (void)str.PackedString(s, "=");
    }
}

TEST(BadInput, ProfileFileKeepsWhatWasWrittenWhateverSurroundsIt)
{
    Bytes gen(4);
    for (int i = 0; i < 400; ++i) {
        auto profile = platform::ProfileFile::FromBytes(gen.Next(60));
        const std::string section = gen.Word("sS", 1, 2);
        const std::string key = gen.Word("kK", 1, 2);
        std::string value = gen.Next(12);
        profile.SetValue(section, key, value);
        const auto stored = profile.Value(section, key);
        ASSERT_TRUE(stored.has_value());
        // The value survives the trip through the file's text.
        const auto reread = platform::ProfileFile::FromBytes(profile.ToText());
        ASSERT_EQ(reread.Value(section, key), stored);
        (void)profile.SectionEntries(section);
        profile.ReplaceSection(gen.Word("sS", 1, 2), {gen.Next(10), gen.Next(10)});
    }
}

TEST(BadInput, PatternsMatchTheirOwnPlainNames)
{
    Bytes gen(5);
    for (int i = 0; i < kRounds; ++i) {
        const std::string name = gen.Word("abcXYZ.-_0123", 0, 12);
        ASSERT_TRUE(platform::WildcardPattern::Match(name, name));
        ASSERT_TRUE(platform::WildcardPattern::Match(name, "*"));
        ASSERT_TRUE(platform::DirectorySearch::MatchesPattern(name, Upper(name)));
        const std::string junk = gen.Next(20);
        (void)platform::WildcardPattern::Match(junk, gen.Next(10));
        (void)platform::DirectorySearch::MatchesPattern(junk, gen.Next(10));
    }
}

TEST(BadInput, NumbersConvertBackAndJunkIsRefused)
{
    Bytes gen(6);
    std::uniform_int_distribution<std::int32_t> any(INT32_MIN, INT32_MAX);
    for (int i = 0; i < kRounds; ++i) {
        const std::int32_t n = any(gen.Rng());
        ASSERT_EQ(KtNumber::ToLong(" " + std::to_string(n) + " "), n);
        const std::string junk = gen.Next(12);
        const auto v = KtNumber::ToLong(junk);
        if (v) {
            ASSERT_EQ(junk.find_first_of("[]=,()$;*?#!\xE3\x93\xFF\x80\xC3"), std::string::npos) << junk;
        }
    }
}
