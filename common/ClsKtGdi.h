#pragma once
// Drawing helpers: each call draws one shape or one piece of text onto a
// QPainter and sets up, then restores, the pen and brush it needs, so no
// drawing state leaks from one call to the next.
//
// Colours are Windows colour values (0x00BBGGRR, red in the lowest byte). A
// negative colour (bit 31 set) names a stock object instead: its low 31 bits
// are the stock number (0 white brush, 1 light grey brush, 2 grey brush,
// 3 dark grey brush, 4 black brush, 5 hollow brush, 6 white pen, 7 black pen,
// 8 empty pen). A stock number that is not a pen (for a pen argument) or not
// a brush (for a brush argument) leaves the painter's current one in use.
//
// Pen styles: 0 solid, 1 dash, 2 dot, 3 dash-dot, 4 dash-dot-dot, 5 none,
// 6 inside frame (drawn solid, inside the shape's rectangle).
//
// Coordinates are pixels of the painter's device. Rectangles are half-open
// (platform::Rect): a shape drawn in Rect{0,0,10,10} covers the pixels 0..9.
//
// Operations refuse bad arguments by throwing KtError number 5 with the
// description "ユーザ定義のエラー"; nothing is drawn then.
#include "platform/Rect.h"

#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

class QFont;
class QPainter;

namespace common {

class PlainTextFace;

class ClsKtGdi {
public:
    // Text-format bits (the values of the Windows DrawText flags).
    enum DrawTextFlag : uint32_t {
        DT_TOP = 0x0,
        DT_LEFT = 0x0,
        DT_CENTER = 0x1,
        DT_RIGHT = 0x2,
        DT_VCENTER = 0x4,
        DT_BOTTOM = 0x8,
        DT_WORDBREAK = 0x10,
        DT_SINGLELINE = 0x20,
        DT_EXPANDTABS = 0x40,
        DT_TABSTOP = 0x80,
        DT_NOCLIP = 0x100,
        DT_EXTERNALLEADING = 0x200,
        DT_CALCRECT = 0x400,
        DT_NOPREFIX = 0x800,
        DT_INTERNAL = 0x1000,
        DT_EDITCONTROL = 0x2000,
        DT_PATH_ELLIPSIS = 0x4000,
        DT_END_ELLIPSIS = 0x8000,
        DT_MODIFYSTRING = 0x10000,
        DT_RTLREADING = 0x20000,
        DT_WORD_ELLIPSIS = 0x40000,
    };

    // Edge types of the 3-D edges.
    static constexpr uint32_t EdgeRaised = 5;
    static constexpr uint32_t EdgeEtched = 6;
    static constexpr uint32_t EdgeBump = 9;
    static constexpr uint32_t EdgeSunken = 10;

    // Stock object colours (bit 31 set, stock number below).
    static constexpr int32_t StockHollowBrush = static_cast<int32_t>(0x80000005u);
    static constexpr int32_t StockNullPen = static_cast<int32_t>(0x80000008u);

    uint32_t DrawTextFlags() const { return m_drawTextFlags; }

    // Sets the text flags from words separated by commas ("left,singleline,
    // vcenter,end_ellipsis"), compared in upper case and not trimmed. An
    // empty text keeps the previous flags.
    void ResolveDrawTextFlags(std::string_view flags);
    // Sets the text flags from a list of words (numbers are taken as their
    // decimal text, which matches no word).
    void SetDrawTextFlags(std::span<const std::variant<std::string, int32_t>> flags);

    void BumpEdge(QPainter& hdc, const platform::Rect& rcRange) const;
    void EtchedEdge(QPainter& hdc, const platform::Rect& rcRange) const;
    void RaisedEdge(QPainter& hdc, const platform::Rect& rcRange) const;
    void SunkenEdge(QPainter& hdc, const platform::Rect& rcRange) const;

    // An arc of the ellipse in lpRect, counter-clockwise from the ray through
    // (fx, fy) to the ray through (sx, sy); equal rays draw the whole ellipse.
    void vbArc(QPainter& hdc, int32_t PenColor, int32_t PenStyle, int32_t PenWidth,
               const platform::Rect& lpRect, int32_t fx, int32_t fy, int32_t sx, int32_t sy) const;
    // Cubic Bézier curves: the first four points make the first curve, each
    // further three points one more curve. nPoint must be 4 + 3k.
    void vbBezier(QPainter& hdc, int32_t PenColor, int32_t PenStyle, int32_t PenWidth,
                  std::span<const platform::Point> lpPoint, int32_t nPoint) const;
    // Curves continuing from the painter's current position (the end of the
    // last line or curve drawn through this object, else 0,0); nPoint must
    // be a positive multiple of 3.
    void vbBezierTo(QPainter& hdc, int32_t PenColor, int32_t PenStyle, int32_t PenWidth,
                    std::span<const platform::Point> lpPoint, int32_t nPoint);
    void vbChord(QPainter& hdc, int32_t PenColor, int32_t PenStyle, int32_t PenWidth, int32_t BrushColor,
                 const platform::Rect& lpRect, int32_t fx, int32_t fy, int32_t sx, int32_t sy) const;
    void vbCircle(QPainter& hdc, int32_t PenColor, int32_t PenStyle, int32_t PenWidth, int32_t BrushColor,
                  const platform::Rect& lpRect) const;
    // Draws UTF-8 text in the painter's font and pen colour (the text colour)
    // with the current DrawTextFlags. Line breaks, tabs and "&" prefixes follow
    // the flags as Qt allows.
    void vbDrawText(QPainter& hdc, const std::string& sText, const platform::Rect& lpRect) const;
    // Fills from (x, y) with BrushColor: FillType 0 fills up to a border of
    // FillColor, FillType 1 fills the area of FillColor. The painter must draw
    // on a QImage; its clip region limits the fill.
    void vbExtFloodFill(QPainter& hdc, int32_t x, int32_t y, int32_t BrushColor, int32_t FillColor,
                        int32_t FillType = 0) const;
    void vbLine(QPainter& hdc, int32_t PenColor, int32_t PenStyle, int32_t PenWidth, int32_t x1, int32_t y1,
                int32_t x2, int32_t y2);
    // A polyline through the first nPoint points (nPoint >= 2).
    void vbLineEx(QPainter& hdc, int32_t PenColor, int32_t PenStyle, int32_t PenWidth,
                  std::span<const platform::Point> lpPoint, int32_t nPoint);
    void vbPolygon(QPainter& hdc, int32_t PenColor, int32_t PenStyle, int32_t PenWidth, int32_t BrushColor,
                   std::span<const platform::Point> lpPoint, int32_t nPoint) const;
    void vbRectangle(QPainter& hdc, int32_t PenColor, int32_t PenStyle, int32_t PenWidth, int32_t BrushColor,
                     const platform::Rect& rcRange) const;

    // The Windows edge colours used for the 3-D edges (0x00BBGGRR).
    static constexpr int32_t Colour3DHighlight = 0xFFFFFF;
    static constexpr int32_t Colour3DLight = 0xC0C0C0;
    static constexpr int32_t Colour3DShadow = 0x808080;
    static constexpr int32_t Colour3DDarkShadow = 0x404040;

private:
    void ConvertDrawTextFlag(const std::string& word);
    void vbDrawEdge(QPainter& hdc, const platform::Rect& rcRange, uint32_t edge) const;
    const PlainTextFace& PlainFaceFor(const QFont& font) const;

    uint32_t m_drawTextFlags = 0;
    // The face of the last font text was drawn in, kept for the next line.
    mutable std::shared_ptr<const PlainTextFace> m_plainFace;
    platform::Point m_currentPosition;
};

} // namespace common
