#pragma once
// A font face that lays out printable ASCII one glyph per character, each
// glyph at its own advance: no kerning or positioning table, no
// default substitution that touches those glyphs, no spacing set on the
// font. For such a face a line of plain text is measured, cut with an
// ellipsis and drawn from two small tables, without the text shaping that
// otherwise costs most of drawing a short line, and its glyphs land on the
// very pixels Qt's own text drawing gives them.
//
// Widths and positions are in pixels of the painter's device. Building one
// measures each character once (a few hundred microseconds), so a drawer
// keeps it for as long as it draws with the same font.
#include <QByteArrayView>
#include <QFont>
#include <QPointF>
#include <QRawFont>
#include <QString>

#include <array>
#include <cstdint>
#include <span>

class QPainter;

namespace common {

class PlainTextFace {
public:
    explicit PlainTextFace(const QFont& font);

    const QFont& Font() const { return m_font; }
    // The font's own face, usable or not for the short way.
    const QRawFont& Face() const { return m_face; }
    // The font's ascent and descent, as its metrics give them.
    qreal Ascent() const { return m_ascent; }
    qreal Descent() const { return m_descent; }
    // Whether plain lines of this face may take the short way at all.
    bool Usable() const { return m_usable; }
    // Whether the face is usable and has a glyph for every character of the
    // text, all of them printable ASCII or "…".
    bool Covers(QStringView text) const;

    // The advance of a covered text.
    qreal Width(QStringView text) const;
    // A covered text cut at the right to fit `width` and ended with the
    // ellipsis, as Qt's own elision cuts it: the whole text when it fits or
    // is a single character, nothing when not even the ellipsis fits.
    QString ElidedRight(const QString& text, int width) const;
    // Draws a covered text in the painter's pen with its baseline starting
    // at `origin`.
    void Draw(QPainter& painter, QPointF origin, QStringView text) const;

    // Whether the substitutions a GSUB table applies to horizontal text by
    // default may replace one of `glyphs`. A table that cannot be read
    // counts as replacing them.
    static bool SubstitutionsTouch(QByteArrayView gsub, std::span<const quint32> glyphs);

private:
    static constexpr char16_t First = 0x20;
    static constexpr char16_t Last = 0x7E;
    static constexpr char16_t Ellipsis = 0x2026;
    // Printable ASCII, then the ellipsis.
    static constexpr std::size_t Slots = Last - First + 2;

    static int SlotOf(char16_t c);

    QFont m_font;
    QRawFont m_face;
    bool m_usable = false;
    std::array<quint32, Slots> m_glyphs{};
    std::array<qreal, Slots> m_advances{};
    qreal m_ascent = 0;
    qreal m_descent = 0;
    QString m_ellipsis;
    qreal m_ellipsisWidth = 0;
};

} // namespace common
