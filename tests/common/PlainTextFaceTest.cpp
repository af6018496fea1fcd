#include "common/PlainTextFace.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

using namespace common;

namespace {

// The face of the window's text (the stand-in for "MS UI Gothic").
QFont Gothic(int pixels)
{
    QFont font(QStringLiteral("IPAPGothic"));
    font.setPixelSize(pixels);
    return font;
}

// Big-endian bytes of a font table under construction.
class Bytes {
public:
    Bytes& U16(uint16_t v)
    {
        m_data.push_back(static_cast<char>(v >> 8));
        m_data.push_back(static_cast<char>(v & 0xFF));
        return *this;
    }
    Bytes& U32(uint32_t v) { return U16(static_cast<uint16_t>(v >> 16)).U16(static_cast<uint16_t>(v)); }
    Bytes& Tag(const char* tag)
    {
        m_data.append(tag, 4);
        return *this;
    }
    Bytes& Append(const Bytes& other)
    {
        m_data += other.m_data;
        return *this;
    }
    uint16_t Size() const { return static_cast<uint16_t>(m_data.size()); }
    const std::string& Data() const { return m_data; }

private:
    std::string m_data;
};

Bytes CoverageList(std::vector<uint16_t> glyphs)
{
    Bytes b;
    b.U16(1).U16(static_cast<uint16_t>(glyphs.size()));
    for (const uint16_t g : glyphs)
        b.U16(g);
    return b;
}

Bytes CoverageRange(uint16_t first, uint16_t last)
{
    return Bytes().U16(2).U16(1).U16(first).U16(last).U16(0);
}

// Only the coverage of a substitution matters to the scan.
Bytes CoveredSubtable(const Bytes& coverage)
{
    return Bytes().U16(1).U16(6).U16(0).Append(coverage);
}

// Chained context, format 3, with one backtrack and one input glyph.
Bytes ChainedContext(const Bytes& backtrack, const Bytes& input)
{
    Bytes b;
    b.U16(3).U16(1).U16(14).U16(1).U16(static_cast<uint16_t>(14 + backtrack.Size())).U16(0).U16(0);
    return b.Append(backtrack).Append(input);
}

Bytes Extension(uint16_t type, const Bytes& subtable)
{
    return Bytes().U16(1).U16(type).U32(8).Append(subtable);
}

Bytes Lookup(uint16_t type, const Bytes& subtable)
{
    return Bytes().U16(type).U16(0).U16(1).U16(8).Append(subtable);
}

struct Feature {
    const char* tag;
    std::vector<uint16_t> lookups;
};

// A GSUB table with one script whose default language system requires the
// feature `required` (0xFFFF: none).
std::string Gsub(const std::vector<Feature>& features, const std::vector<Bytes>& lookups, uint16_t required = 0xFFFF)
{
    Bytes scripts;
    scripts.U16(1).Tag("DFLT").U16(8).U16(4).U16(0).U16(0).U16(required).U16(0);

    Bytes featureList;
    Bytes featureTables;
    featureList.U16(static_cast<uint16_t>(features.size()));
    const auto featureHeader = static_cast<uint16_t>(2 + 6 * features.size());
    for (const Feature& f : features) {
        featureList.Tag(f.tag).U16(static_cast<uint16_t>(featureHeader + featureTables.Size()));
        featureTables.U16(0).U16(static_cast<uint16_t>(f.lookups.size()));
        for (const uint16_t l : f.lookups)
            featureTables.U16(l);
    }
    featureList.Append(featureTables);

    Bytes lookupList;
    Bytes lookupTables;
    lookupList.U16(static_cast<uint16_t>(lookups.size()));
    const auto lookupHeader = static_cast<uint16_t>(2 + 2 * lookups.size());
    for (const Bytes& l : lookups) {
        lookupList.U16(static_cast<uint16_t>(lookupHeader + lookupTables.Size()));
        lookupTables.Append(l);
    }
    lookupList.Append(lookupTables);

    const uint16_t scriptAt = 10;
    const auto featureAt = static_cast<uint16_t>(scriptAt + scripts.Size());
    const auto lookupAt = static_cast<uint16_t>(featureAt + featureList.Size());
    Bytes table;
    table.U16(1).U16(0).U16(scriptAt).U16(featureAt).U16(lookupAt);
    return table.Append(scripts).Append(featureList).Append(lookupList).Data();
}

bool Touches(const std::string& gsub, std::vector<quint32> glyphs)
{
    return PlainTextFace::SubstitutionsTouch(QByteArrayView(gsub.data(), static_cast<qsizetype>(gsub.size())), glyphs);
}

} // namespace

TEST(PlainTextFaceTest, FontsThatChangeTheLayoutAreRefused)
{
    // The list's own font must take the short way, or the list draws slowly.
    const PlainTextFace face(Gothic(11));
    ASSERT_TRUE(face.Usable());
    EXPECT_TRUE(face.Covers(QStringLiteral("Plain ASCII ~ and \u2026")));
    for (const char16_t* text : {u"Caf\u00e9", u"\u66f2\u540d", u"tab\there", u"line\nbreak"})
        EXPECT_FALSE(face.Covers(QString::fromUtf16(text))) << QString::fromUtf16(text).toStdString();

    QFont spaced = Gothic(11);
    spaced.setLetterSpacing(QFont::AbsoluteSpacing, 1.0);
    QFont percent = Gothic(11);
    percent.setLetterSpacing(QFont::PercentageSpacing, 120.0);
    QFont words = Gothic(11);
    words.setWordSpacing(2.0);
    QFont capitals = Gothic(11);
    capitals.setCapitalization(QFont::SmallCaps);
    for (const QFont& font : {spaced, percent, words, capitals}) {
        const PlainTextFace refused(font);
        EXPECT_FALSE(refused.Usable()) << font.toString().toStdString();
        EXPECT_FALSE(refused.Covers(QStringLiteral("text")));
    }
    QFont unspaced = Gothic(11);
    unspaced.setLetterSpacing(QFont::PercentageSpacing, 100.0);
    EXPECT_TRUE(PlainTextFace(unspaced).Usable());
}

TEST(PlainTextFaceTest, OnlyDefaultSubstitutionsOfOurGlyphsCount)
{
    EXPECT_FALSE(Touches({}, {10}));

    const Bytes ligaturesOf10 = Lookup(4, CoveredSubtable(CoverageList({3, 10, 40})));
    EXPECT_TRUE(Touches(Gsub({{"liga", {0}}}, {ligaturesOf10}), {10, 11}));
    EXPECT_FALSE(Touches(Gsub({{"liga", {0}}}, {ligaturesOf10}), {11, 12}));
    // Vertical forms and other features a user must ask for do not apply.
    EXPECT_FALSE(Touches(Gsub({{"vert", {0}}, {"smcp", {0}}}, {ligaturesOf10}), {10}));
    // A feature a language system requires applies whatever its tag.
    EXPECT_TRUE(Touches(Gsub({{"vert", {0}}, {"xyzw", {0}}}, {ligaturesOf10}, 1), {10}));
    EXPECT_FALSE(Touches(Gsub({{"vert", {0}}, {"xyzw", {0}}}, {ligaturesOf10}, 0xFFFF), {10}));

    // Ranges, and subtables behind an extension.
    const Bytes ranged = Lookup(7, Extension(1, CoveredSubtable(CoverageRange(5, 20))));
    EXPECT_TRUE(Touches(Gsub({{"ccmp", {0}}}, {ranged}), {30, 20}));
    EXPECT_FALSE(Touches(Gsub({{"ccmp", {0}}}, {ranged}), {4, 21}));

    // A chained context starts at its first input glyph.
    const Bytes chained = Lookup(6, ChainedContext(CoverageList({10}), CoverageList({50})));
    EXPECT_FALSE(Touches(Gsub({{"calt", {0}}}, {chained}), {10}));
    EXPECT_TRUE(Touches(Gsub({{"calt", {0}}}, {chained}), {50}));

    // Damaged tables count as touching.
    const std::string whole = Gsub({{"liga", {0}}}, {ligaturesOf10});
    EXPECT_TRUE(Touches(whole.substr(0, whole.size() - 4), {11}));
    EXPECT_TRUE(Touches(Gsub({{"liga", {3}}}, {ligaturesOf10}), {11}));
    EXPECT_TRUE(Touches(Gsub({{"vert", {0}}}, {ligaturesOf10}, 7), {11}));
}
