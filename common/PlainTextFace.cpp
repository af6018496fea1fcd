#include "common/PlainTextFace.h"

#include <QGlyphRun>
#include <QFontMetricsF>
#include <QList>
#include <QPainter>

#include <algorithm>
#include <set>
#include <vector>

namespace common {

namespace {

// Big-endian reads from a font table; a read outside the table yields 0 and
// marks the reader failed, so a damaged table is noticed once at the end.
class TableReader {
public:
    explicit TableReader(QByteArrayView data)
        : m_data(data)
    {
    }

    uint16_t U16(qsizetype at)
    {
        if (at < 0 || at + 2 > m_data.size()) {
            m_ok = false;
            return 0;
        }
        const auto* p = reinterpret_cast<const unsigned char*>(m_data.data()) + at;
        return static_cast<uint16_t>(p[0] << 8 | p[1]);
    }

    uint32_t U32(qsizetype at) { return uint32_t{U16(at)} << 16 | U16(at + 2); }

    bool Ok() const { return m_ok; }

private:
    QByteArrayView m_data;
    bool m_ok = true;
};

constexpr uint32_t Tag(const char (&t)[5])
{
    return uint32_t(uint8_t(t[0])) << 24 | uint32_t(uint8_t(t[1])) << 16 | uint32_t(uint8_t(t[2])) << 8 | uint32_t(uint8_t(t[3]));
}

// The features a shaper applies, unasked, to horizontal left-to-right text
// of the Latin and common scripts.
bool AppliedByDefault(uint32_t tag)
{
    static constexpr uint32_t Applied[] = {
        Tag("rvrn"),
        Tag("ltra"),
        Tag("ltrm"),
        Tag("abvm"),
        Tag("blwm"),
        Tag("ccmp"),
        Tag("locl"),
        Tag("mark"),
        Tag("mkmk"),
        Tag("rlig"),
        Tag("calt"),
        Tag("clig"),
        Tag("curs"),
        Tag("dist"),
        Tag("kern"),
        Tag("liga"),
        Tag("rclt"),
    };
    return std::find(std::begin(Applied), std::end(Applied), tag) != std::end(Applied);
}

class SubstitutionScan {
public:
    SubstitutionScan(QByteArrayView gsub, std::span<const quint32> glyphs)
        : m_table(gsub)
        , m_glyphs(glyphs.begin(), glyphs.end())
    {
        std::sort(m_glyphs.begin(), m_glyphs.end());
    }

    bool Touches()
    {
        const qsizetype scriptList = m_table.U16(4);
        m_featureList = m_table.U16(6);
        m_lookupList = m_table.U16(8);
        const uint16_t features = m_table.U16(m_featureList);
        if (!m_table.Ok())
            return true;
        std::vector<bool> applied(features);
        for (uint16_t i = 0; i < features; ++i)
            applied[i] = AppliedByDefault(m_table.U32(m_featureList + 2 + qsizetype{i} * 6));
        // A language system may require a feature whatever its tag.
        const uint16_t scripts = m_table.U16(scriptList);
        for (uint16_t s = 0; s < scripts && m_table.Ok(); ++s) {
            const qsizetype script = scriptList + m_table.U16(scriptList + 2 + qsizetype{s} * 6 + 4);
            if (const uint16_t defaultSystem = m_table.U16(script); defaultSystem != 0)
                MarkRequired(script + defaultSystem, applied);
            const uint16_t systems = m_table.U16(script + 2);
            for (uint16_t l = 0; l < systems && m_table.Ok(); ++l)
                MarkRequired(script + m_table.U16(script + 4 + qsizetype{l} * 6 + 4), applied);
        }
        if (m_broken)
            return true;
        for (uint16_t i = 0; i < features && m_table.Ok(); ++i) {
            if (!applied[i])
                continue;
            const qsizetype feature = m_featureList + m_table.U16(m_featureList + 2 + qsizetype{i} * 6 + 4);
            const uint16_t lookups = m_table.U16(feature + 2);
            for (uint16_t k = 0; k < lookups && m_table.Ok(); ++k)
                if (LookupTouches(m_table.U16(feature + 4 + qsizetype{k} * 2)))
                    return true;
        }
        return !m_table.Ok();
    }

private:
    void MarkRequired(qsizetype system, std::vector<bool>& applied)
    {
        const uint16_t required = m_table.U16(system + 2);
        if (required == 0xFFFF)
            return;
        if (required < applied.size())
            applied[required] = true;
        else
            m_broken = true;
    }

    bool LookupTouches(uint16_t index)
    {
        if (!m_seen.insert(index).second)
            return false;
        if (index >= m_table.U16(m_lookupList))
            return true;
        const qsizetype lookup = m_lookupList + m_table.U16(m_lookupList + 2 + qsizetype{index} * 2);
        const uint16_t type = m_table.U16(lookup);
        const uint16_t subtables = m_table.U16(lookup + 4);
        for (uint16_t s = 0; s < subtables && m_table.Ok(); ++s)
            if (SubtableTouches(type, lookup + m_table.U16(lookup + 6 + qsizetype{s} * 2), true))
                return true;
        return !m_table.Ok();
    }

    // Whether a glyph of ours may start a match of the subtable: every
    // substitution in a text of our glyphs starts at one of them, so the
    // coverage of the first input glyph decides.
    bool SubtableTouches(uint16_t type, qsizetype subtable, bool mayExtend)
    {
        const uint16_t format = m_table.U16(subtable);
        switch (type) {
        case 1:
        case 2:
        case 3:
        case 4:
        case 8:
            return CoverageTouches(subtable + m_table.U16(subtable + 2));
        case 5:
            if (format == 1 || format == 2)
                return CoverageTouches(subtable + m_table.U16(subtable + 2));
            if (format == 3)
                return m_table.U16(subtable + 2) > 0 && CoverageTouches(subtable + m_table.U16(subtable + 6));
            return true;
        case 6:
            if (format == 1 || format == 2)
                return CoverageTouches(subtable + m_table.U16(subtable + 2));
            if (format == 3) {
                const qsizetype input = subtable + 4 + qsizetype{m_table.U16(subtable + 2)} * 2;
                return m_table.U16(input) > 0 && CoverageTouches(subtable + m_table.U16(input + 2));
            }
            return true;
        case 7:
            if (!mayExtend || format != 1)
                return true;
            return SubtableTouches(m_table.U16(subtable + 2), subtable + m_table.U32(subtable + 4), false);
        default:
            return true;
        }
    }

    bool CoverageTouches(qsizetype coverage)
    {
        const uint16_t format = m_table.U16(coverage);
        const uint16_t count = m_table.U16(coverage + 2);
        for (uint16_t i = 0; i < count && m_table.Ok(); ++i) {
            quint32 first = 0;
            quint32 last = 0;
            if (format == 1) {
                first = last = m_table.U16(coverage + 4 + qsizetype{i} * 2);
            } else if (format == 2) {
                first = m_table.U16(coverage + 4 + qsizetype{i} * 6);
                last = m_table.U16(coverage + 6 + qsizetype{i} * 6);
            } else {
                return true;
            }
            const auto it = std::lower_bound(m_glyphs.begin(), m_glyphs.end(), first);
            if (it != m_glyphs.end() && *it <= last)
                return true;
        }
        return !m_table.Ok();
    }

    TableReader m_table;
    std::vector<quint32> m_glyphs;
    qsizetype m_featureList = 0;
    qsizetype m_lookupList = 0;
    std::set<uint16_t> m_seen;
    bool m_broken = false;
};

bool PlainSpacing(const QFont& font)
{
    const qreal letter = font.letterSpacing();
    const bool noLetterSpacing = font.letterSpacingType() == QFont::AbsoluteSpacing ? letter == 0.0
                                                                                    : letter == 0.0 || letter == 100.0;
    return noLetterSpacing && font.wordSpacing() == 0.0 && font.capitalization() == QFont::MixedCase;
}

} // namespace

bool PlainTextFace::SubstitutionsTouch(QByteArrayView gsub, std::span<const quint32> glyphs)
{
    if (gsub.isEmpty())
        return false;
    return SubstitutionScan(gsub, glyphs).Touches();
}

int PlainTextFace::SlotOf(char16_t c)
{
    if (c >= First && c <= Last)
        return c - First;
    return c == Ellipsis ? static_cast<int>(Slots) - 1 : -1;
}

PlainTextFace::PlainTextFace(const QFont& font)
    : m_font(font)
    , m_face(QRawFont::fromFont(font))
{
    const QFontMetricsF metrics(font);
    m_ascent = metrics.ascent();
    m_descent = metrics.descent();
    if (!m_face.isValid() || !PlainSpacing(font))
        return;
    // Tables that move or join glyphs whatever the text.
    for (const char* table : {"GPOS", "kern", "morx", "mort", "kerx"})
        if (!m_face.fontTable(table).isEmpty())
            return;
    std::array<QChar, Slots> chars;
    for (std::size_t i = 0; i + 1 < Slots; ++i)
        chars[i] = QChar(static_cast<char16_t>(First + i));
    chars[Slots - 1] = QChar(Ellipsis);
    int count = static_cast<int>(Slots);
    if (!m_face.glyphIndexesForChars(chars.data(), count, m_glyphs.data(), &count) || count != int(Slots))
        return;
    std::vector<quint32> present;
    for (std::size_t i = 0; i < Slots; ++i) {
        if (m_glyphs[i] == 0)
            continue;
        // The advance the text layout gives the glyph, rounded as it rounds
        // for this face; without kerning or substitutions a glyph keeps it
        // in any line.
        m_advances[i] = metrics.horizontalAdvance(QString(chars[i]));
        present.push_back(m_glyphs[i]);
    }
    // The ellipsis Qt cuts with, measured as Qt measures it there: the
    // face's own "…", else three full stops, at their unrounded advance.
    const bool ownEllipsis = m_glyphs[Slots - 1] != 0;
    const quint32 ellipsisGlyph = m_glyphs[ownEllipsis ? Slots - 1 : static_cast<std::size_t>(SlotOf(u'.'))];
    QPointF ellipsisAdvance;
    if (ellipsisGlyph == 0 || !m_face.advancesForGlyphIndexes(&ellipsisGlyph, &ellipsisAdvance, 1))
        return;
    m_ellipsis = ownEllipsis ? QString(QChar(Ellipsis)) : QStringLiteral("...");
    m_ellipsisWidth = ownEllipsis ? ellipsisAdvance.x() : 3 * ellipsisAdvance.x();
    m_usable = !SubstitutionsTouch(QByteArrayView(m_face.fontTable("GSUB")), present);
}

bool PlainTextFace::Covers(QStringView text) const
{
    if (!m_usable)
        return false;
    for (const QChar c : text) {
        const int slot = SlotOf(c.unicode());
        if (slot < 0 || m_glyphs[static_cast<std::size_t>(slot)] == 0)
            return false;
    }
    return true;
}

qreal PlainTextFace::Width(QStringView text) const
{
    qreal width = 0;
    for (const QChar c : text)
        width += m_advances[static_cast<std::size_t>(SlotOf(c.unicode()))];
    return width;
}

QString PlainTextFace::ElidedRight(const QString& text, int width) const
{
    if (text.size() <= 1 || Width(text) <= width)
        return text;
    const qreal available = width - m_ellipsisWidth;
    if (available < 0)
        return {};
    // Characters are taken while the width taken stays short of what is
    // left for them; the one that reaches it is dropped.
    qreal taken = 0;
    qsizetype end = 0;
    qsizetype next = 0;
    do {
        end = next++;
        taken += m_advances[static_cast<std::size_t>(SlotOf(text[end].unicode()))];
    } while (next < text.size() && taken < available);
    return text.left(end) + m_ellipsis;
}

void PlainTextFace::Draw(QPainter& painter, QPointF origin, QStringView text) const
{
    QList<quint32> glyphs;
    QList<QPointF> positions;
    glyphs.reserve(text.size());
    positions.reserve(text.size());
    qreal x = 0;
    for (const QChar c : text) {
        const auto slot = static_cast<std::size_t>(SlotOf(c.unicode()));
        glyphs.push_back(m_glyphs[slot]);
        positions.push_back(QPointF(x, 0));
        x += m_advances[slot];
    }
    QGlyphRun run;
    run.setRawFont(m_face);
    run.setGlyphIndexes(glyphs);
    run.setPositions(positions);
    painter.drawGlyphRun(origin, run);
}

} // namespace common
