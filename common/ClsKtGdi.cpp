// Longer than most files here and kept whole: one class whose many short
// operations (a shape or a text each) share the pen, brush and stock-object
// helpers at the top of this file.
#include "common/ClsKtGdi.h"

#include "common/KtError.h"
#include "common/PlainTextFace.h"

#include <QBrush>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QPen>
#include <QRawFont>
#include <QFontMetricsF>

#include <algorithm>
#include <cctype>
#include <cmath>
#include <numbers>
#include <optional>
#include <vector>

namespace common {

namespace {

const char* const kErrorSource = "ClsKtGdi";
const char* const kErrorDescription = "ユーザ定義のエラー";

[[noreturn]] void Refuse()
{
    throw KtError(KtError::InvalidArgument, kErrorDescription, kErrorSource);
}

QColor FromColorRef(int32_t c)
{
    const auto v = static_cast<uint32_t>(c);
    return QColor(static_cast<int>(v & 0xFF), static_cast<int>((v >> 8) & 0xFF), static_cast<int>((v >> 16) & 0xFF));
}

bool IsStock(int32_t colour)
{
    return colour < 0;
}

uint32_t StockNumber(int32_t colour)
{
    return static_cast<uint32_t>(colour) & 0x7FFFFFFFu;
}

std::optional<QBrush> StockBrush(uint32_t number)
{
    switch (number) {
    case 0: return QBrush(Qt::white);
    case 1: return QBrush(QColor(0xC0, 0xC0, 0xC0));
    case 2: return QBrush(QColor(0x80, 0x80, 0x80));
    case 3: return QBrush(QColor(0x40, 0x40, 0x40));
    case 4: return QBrush(Qt::black);
    case 5: return QBrush(Qt::NoBrush);
    default: return std::nullopt;
    }
}

std::optional<QPen> StockPen(uint32_t number)
{
    QPen pen;
    pen.setWidth(1);
    switch (number) {
    case 6: pen.setColor(Qt::white); return pen;
    case 7: pen.setColor(Qt::black); return pen;
    case 8: return QPen(Qt::NoPen);
    default: return std::nullopt;
    }
}

QPen MakePen(int32_t colour, int32_t style, int32_t width)
{
    QPen pen(FromColorRef(colour));
    pen.setWidth(std::max(1, width));
    pen.setCapStyle(Qt::FlatCap);
    pen.setJoinStyle(Qt::MiterJoin);
    switch (style) {
    case 1: pen.setStyle(Qt::DashLine); break;
    case 2: pen.setStyle(Qt::DotLine); break;
    case 3: pen.setStyle(Qt::DashDotLine); break;
    case 4: pen.setStyle(Qt::DashDotDotLine); break;
    case 5: pen.setStyle(Qt::NoPen); break;
    default: pen.setStyle(Qt::SolidLine); break;
    }
    return pen;
}

// Selects the pen and brush of one call and puts the painter's own back when
// the call ends; objects made for the call die with it.
class DrawObjects {
public:
    DrawObjects(QPainter& p, std::optional<int32_t> brushColour, int32_t penColour, int32_t penStyle, int32_t penWidth)
        : m_painter(p)
    {
        m_painter.save();
        m_painter.setRenderHint(QPainter::Antialiasing, false);
        if (brushColour) {
            if (!IsStock(*brushColour)) {
                m_painter.setBrush(QBrush(FromColorRef(*brushColour)));
            } else if (auto b = StockBrush(StockNumber(*brushColour))) {
                m_painter.setBrush(*b);
            }
        }
        if (!IsStock(penColour)) {
            m_painter.setPen(MakePen(penColour, penStyle, penWidth));
        } else if (auto pen = StockPen(StockNumber(penColour))) {
            m_painter.setPen(*pen);
        }
    }
    ~DrawObjects() { m_painter.restore(); }
    DrawObjects(const DrawObjects&) = delete;
    DrawObjects& operator=(const DrawObjects&) = delete;

private:
    QPainter& m_painter;
};

QPointF ToQ(const platform::Point& p)
{
    return QPointF(p.x, p.y);
}

// The rectangle of a closed shape drawn with a one-pixel pen: the outline lies
// on the outer pixels of the half-open rectangle.
QRectF ShapeRect(const platform::Rect& r)
{
    return QRectF(r.left + 0.5, r.top + 0.5, r.Width() - 1.0, r.Height() - 1.0);
}

// The angle (degrees, counter-clockwise from the positive x axis, y down) of
// the ray from the rectangle's centre through (x, y).
double RayAngle(const platform::Rect& r, int32_t x, int32_t y)
{
    const double cx = (r.left + r.right) / 2.0;
    const double cy = (r.top + r.bottom) / 2.0;
    return std::atan2(-(y - cy), x - cx) * 180.0 / std::numbers::pi;
}

// Start angle and span (degrees) from a start and an end ray, counter-clockwise;
// equal rays give the whole ellipse.
std::pair<double, double> ArcAngles(const platform::Rect& r, int32_t fx, int32_t fy, int32_t sx, int32_t sy)
{
    const double start = RayAngle(r, fx, fy);
    double span = RayAngle(r, sx, sy) - start;
    while (span <= 0)
        span += 360.0;
    return {start, span};
}

void DrawEdgeLine(QPainter& p, int32_t colour, int x1, int y1, int x2, int y2)
{
    p.setPen(QPen(FromColorRef(colour), 1));
    p.drawLine(x1, y1, x2, y2);
}

} // namespace

void ClsKtGdi::ResolveDrawTextFlags(std::string_view flags)
{
    if (flags.empty()) return;
    m_drawTextFlags = 0;
    std::string_view rest = flags;
    while (true) {
        const auto comma = rest.find(',');
        std::string word(rest.substr(0, comma));
        std::transform(word.begin(), word.end(), word.begin(),
                       [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
        ConvertDrawTextFlag(word);
        if (comma == std::string_view::npos) break;
        rest.remove_prefix(comma + 1);
    }
}

void ClsKtGdi::SetDrawTextFlags(std::span<const std::variant<std::string, int32_t>> flags)
{
    m_drawTextFlags = 0;
    for (const auto& element : flags) {
        std::string word = std::holds_alternative<std::string>(element) ? std::get<std::string>(element)
                                                                        : std::to_string(std::get<int32_t>(element));
        std::transform(word.begin(), word.end(), word.begin(),
                       [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
        ConvertDrawTextFlag(word);
    }
}

void ClsKtGdi::ConvertDrawTextFlag(const std::string& word)
{
    struct Entry {
        const char* word;
        uint32_t value;
    };
    static constexpr Entry kWords[] = {
        {"BOTTOM", 0x8},
        {"CALCRECT", 0x400},
        {"CENTER", 0x1},
        {"CHARSTREAM", 0x4},
        {"DISPFILE", 0x6},
        {"EDITCONTROL", 0x2000},
        {"END_ELLIPSIS", 0x8000},
        {"EXPANDTABS", 0x40},
        {"EXTERNALLEADING", 0x200},
        {"INTERNAL", 0x1000},
        {"LEFT", 0},
        {"METAFILE", 0x5},
        {"MODIFYSTRING", 0x10000},
        {"NOCLIP", 0x100},
        {"NOPREFIX", 0x800},
        {"PATH_ELLIPSIS", 0x4000},
        {"PLOTTER", 0},
        {"RASCAMERA", 0x3},
        {"RASDISPLAY", 0x1},
        {"RASPRINTER", 0x2},
        {"RIGHT", 0x2},
        {"RTLREADING", 0x20000},
        {"SINGLELINE", 0x20},
        {"TABSTOP", 0x80},
        {"TOP", 0},
        {"VCENTER", 0x4},
        {"WORDBREAK", 0x10},
        {"WORD_ELLIPSIS", 0x40000},
    };
    for (const Entry& e : kWords) {
        if (word == e.word) {
            m_drawTextFlags |= e.value;
            return;
        }
    }
}

void ClsKtGdi::vbDrawEdge(QPainter& p, const platform::Rect& r, uint32_t edge) const
{
    if (r.IsEmpty()) return;
    // Each ring is two colours: top-left and bottom-right. The outer ring
    // lies on the rectangle's edge pixels, the inner ring one pixel in. The
    // soft variant (always used here) lightens the top-left of raised rings.
    struct Ring {
        int32_t topLeft;
        int32_t bottomRight;
    };
    std::optional<Ring> outer;
    std::optional<Ring> inner;
    if (edge & 0x1)
        outer = Ring{Colour3DHighlight, Colour3DDarkShadow}; // raised outer
    else if (edge & 0x2)
        outer = Ring{Colour3DShadow, Colour3DHighlight}; // sunken outer
    if (edge & 0x4)
        inner = Ring{Colour3DLight, Colour3DShadow}; // raised inner
    else if (edge & 0x8)
        inner = Ring{Colour3DDarkShadow, Colour3DLight}; // sunken inner
    p.save();
    p.setRenderHint(QPainter::Antialiasing, false);
    auto ring = [&](const Ring& c, const platform::Rect& q) {
        if (q.IsEmpty()) return;
        const int l = q.left, t = q.top, rr = q.right - 1, b = q.bottom - 1;
        DrawEdgeLine(p, c.bottomRight, l, b, rr, b);
        DrawEdgeLine(p, c.bottomRight, rr, t, rr, b);
        DrawEdgeLine(p, c.topLeft, l, t, rr - 1, t);
        DrawEdgeLine(p, c.topLeft, l, t, l, b - 1);
    };
    if (outer) ring(*outer, r);
    if (inner) ring(*inner, platform::Rect{r.left + 1, r.top + 1, r.right - 1, r.bottom - 1});
    p.restore();
}

void ClsKtGdi::BumpEdge(QPainter& hdc, const platform::Rect& rcRange) const
{
    vbDrawEdge(hdc, rcRange, EdgeBump);
}

void ClsKtGdi::EtchedEdge(QPainter& hdc, const platform::Rect& rcRange) const
{
    vbDrawEdge(hdc, rcRange, EdgeEtched);
}

void ClsKtGdi::RaisedEdge(QPainter& hdc, const platform::Rect& rcRange) const
{
    vbDrawEdge(hdc, rcRange, EdgeRaised);
}

void ClsKtGdi::SunkenEdge(QPainter& hdc, const platform::Rect& rcRange) const
{
    vbDrawEdge(hdc, rcRange, EdgeSunken);
}

void ClsKtGdi::vbArc(QPainter& hdc, int32_t PenColor, int32_t PenStyle, int32_t PenWidth, const platform::Rect& lpRect,
                     int32_t fx, int32_t fy, int32_t sx, int32_t sy) const
{
    DrawObjects objects(hdc, std::nullopt, PenColor, PenStyle, PenWidth);
    const auto [start, span] = ArcAngles(lpRect, fx, fy, sx, sy);
    hdc.drawArc(ShapeRect(lpRect), static_cast<int>(std::lround(start * 16)), static_cast<int>(std::lround(span * 16)));
}

void ClsKtGdi::vbBezier(QPainter& hdc, int32_t PenColor, int32_t PenStyle, int32_t PenWidth,
                        std::span<const platform::Point> lpPoint, int32_t nPoint) const
{
    if (nPoint < 4 || (nPoint - 4) % 3 != 0 || static_cast<std::size_t>(nPoint) > lpPoint.size()) Refuse();
    DrawObjects objects(hdc, std::nullopt, PenColor, PenStyle, PenWidth);
    QPainterPath path(ToQ(lpPoint[0]));
    for (int32_t i = 1; i + 2 < nPoint; i += 3)
        path.cubicTo(ToQ(lpPoint[i]), ToQ(lpPoint[i + 1]), ToQ(lpPoint[i + 2]));
    hdc.setBrush(Qt::NoBrush);
    hdc.drawPath(path);
}

void ClsKtGdi::vbBezierTo(QPainter& hdc, int32_t PenColor, int32_t PenStyle, int32_t PenWidth,
                          std::span<const platform::Point> lpPoint, int32_t nPoint)
{
    if (nPoint < 1 || nPoint % 3 != 0 || static_cast<std::size_t>(nPoint) > lpPoint.size()) Refuse();
    DrawObjects objects(hdc, std::nullopt, PenColor, PenStyle, PenWidth);
    QPainterPath path(ToQ(m_currentPosition));
    for (int32_t i = 0; i + 2 < nPoint; i += 3)
        path.cubicTo(ToQ(lpPoint[i]), ToQ(lpPoint[i + 1]), ToQ(lpPoint[i + 2]));
    hdc.setBrush(Qt::NoBrush);
    hdc.drawPath(path);
    m_currentPosition = lpPoint[static_cast<std::size_t>(nPoint - 1)];
}

void ClsKtGdi::vbChord(QPainter& hdc, int32_t PenColor, int32_t PenStyle, int32_t PenWidth, int32_t BrushColor,
                       const platform::Rect& lpRect, int32_t fx, int32_t fy, int32_t sx, int32_t sy) const
{
    DrawObjects objects(hdc, BrushColor, PenColor, PenStyle, PenWidth);
    const auto [start, span] = ArcAngles(lpRect, fx, fy, sx, sy);
    hdc.drawChord(ShapeRect(lpRect), static_cast<int>(std::lround(start * 16)), static_cast<int>(std::lround(span * 16)));
}

void ClsKtGdi::vbCircle(QPainter& hdc, int32_t PenColor, int32_t PenStyle, int32_t PenWidth, int32_t BrushColor,
                        const platform::Rect& lpRect) const
{
    DrawObjects objects(hdc, BrushColor, PenColor, PenStyle, PenWidth);
    hdc.drawEllipse(ShapeRect(lpRect));
}

namespace {

// Whether a single line can take the short way: printable ASCII (and the
// ellipsis) all drawn from the font's own face. Such a line is laid out
// exactly as the general text drawing lays it out, with its ascent and
// descent from that face alone; texts that need another face, prefixes,
// tabs or line breaks take the general way. Without prefixes ("noprefix")
// an "&" is an ordinary character.
enum class Prefixes { Shown,
                      Literal };

bool IsPlain(const QString& text, Prefixes prefixes)
{
    for (const QChar c : text) {
        const char16_t u = c.unicode();
        if ((u < 0x20 || u > 0x7E || (u == u'&' && prefixes == Prefixes::Shown)) && u != 0x2026)
            return false;
    }
    return true;
}

bool FaceDraws(const QRawFont& face, const QString& text)
{
    for (const QChar c : text)
        if (!face.supportsCharacter(c))
            return false;
    return true;
}

} // namespace

const PlainTextFace& ClsKtGdi::PlainFaceFor(const QFont& font) const
{
    if (!m_plainFace || m_plainFace->Font() != font)
        m_plainFace = std::make_shared<const PlainTextFace>(font);
    return *m_plainFace;
}

void ClsKtGdi::vbDrawText(QPainter& hdc, const std::string& sText, const platform::Rect& lpRect) const
{
    if (sText.empty() || (m_drawTextFlags & DT_CALCRECT)) return;
    const uint32_t f = m_drawTextFlags;
    const QRect box(lpRect.left, lpRect.top, lpRect.Width(), lpRect.Height());
    QString text = QString::fromStdString(sText);

    // The short ways for one line: cut it with the font's measures, then
    // draw the glyphs where the general way would place them. They spare the
    // paragraph layout, line breaking and prefix scan of the rectangle form,
    // which cost about as much as the shaping itself. A face that needs no
    // shaping for plain text spares the shaping too, and places centred and
    // right-aligned lines as well.
    const bool oneLine = (f & DT_SINGLELINE) && !(f & (DT_EXPANDTABS | DT_NOCLIP));
    const bool aligned = f & (DT_CENTER | DT_RIGHT);
    const QFont& font = hdc.font();
    const bool decorated = font.underline() || font.overline() || font.strikeOut();
    const Prefixes prefixes = (f & DT_NOPREFIX) ? Prefixes::Literal : Prefixes::Shown;
    if (oneLine && !decorated && IsPlain(text, prefixes)) {
        const bool cut = f & (DT_END_ELLIPSIS | DT_PATH_ELLIPSIS | DT_WORD_ELLIPSIS);
        const Qt::TextElideMode mode = (f & DT_PATH_ELLIPSIS) ? Qt::ElideMiddle : Qt::ElideRight;
        const PlainTextFace& plain = PlainFaceFor(font);
        const auto baseline = [&] {
            const qreal height = plain.Ascent() + plain.Descent();
            const qreal offset = (f & DT_VCENTER) ? (box.height() - height) / 2
                : (f & DT_BOTTOM)                 ? box.height() - height
                                                  : 0.0;
            return QPointF(box.left(), box.top() + offset + plain.Ascent());
        };
        if (plain.Covers(text)) {
            QString shown = !cut         ? text
                : mode == Qt::ElideRight ? plain.ElidedRight(text, box.width())
                                         : hdc.fontMetrics().elidedText(text, mode, box.width());
            if (plain.Covers(shown)) {
                QPointF origin = baseline();
                if (aligned) {
                    const qreal spare = box.width() - plain.Width(shown);
                    origin.rx() += (f & DT_CENTER) ? spare / 2 : spare;
                }
                hdc.save();
                hdc.setClipRect(box, Qt::IntersectClip);
                plain.Draw(hdc, origin, shown);
                hdc.restore();
                return;
            }
        } else if (const QRawFont& face = plain.Face(); !aligned && face.isValid() && FaceDraws(face, text)) {
            QString shown = cut ? hdc.fontMetrics().elidedText(text, mode, box.width()) : text;
            if (IsPlain(shown, prefixes) && FaceDraws(face, shown)) {
                hdc.save();
                hdc.setClipRect(box, Qt::IntersectClip);
                hdc.drawText(baseline(), shown);
                hdc.restore();
                return;
            }
        }
    }

    int align = 0;
    align |= (f & DT_CENTER) ? Qt::AlignHCenter : (f & DT_RIGHT) ? Qt::AlignRight
                                                                 : Qt::AlignLeft;
    if (f & DT_SINGLELINE) {
        align |= (f & DT_VCENTER) ? Qt::AlignVCenter : (f & DT_BOTTOM) ? Qt::AlignBottom
                                                                       : Qt::AlignTop;
    } else {
        align |= Qt::AlignTop;
        if (f & DT_WORDBREAK) align |= Qt::TextWordWrap;
    }
    if (f & DT_EXPANDTABS) align |= Qt::TextExpandTabs;
    if (f & DT_SINGLELINE) {
        text.replace(QLatin1Char('\r'), QLatin1Char(' '));
        text.replace(QLatin1Char('\n'), QLatin1Char(' '));
    }
    if (!(f & DT_NOPREFIX)) {
        // "&x" underlines x and "&&" is a literal "&"; Qt shows the mnemonic
        // when asked to.
        align |= Qt::TextShowMnemonic;
    }
    if (f & (DT_END_ELLIPSIS | DT_PATH_ELLIPSIS | DT_WORD_ELLIPSIS)) {
        const Qt::TextElideMode mode = (f & DT_PATH_ELLIPSIS) ? Qt::ElideMiddle : Qt::ElideRight;
        text = hdc.fontMetrics().elidedText(text, mode, box.width(), (align & Qt::TextShowMnemonic) ? Qt::TextShowMnemonic : 0);
    }
    hdc.save();
    if (!(f & DT_NOCLIP)) hdc.setClipRect(box, Qt::IntersectClip);
    hdc.drawText(box, align, text);
    hdc.restore();
}

void ClsKtGdi::vbExtFloodFill(QPainter& hdc, int32_t x, int32_t y, int32_t BrushColor, int32_t FillColor,
                              int32_t FillType) const
{
    if (BrushColor < 0 || FillColor < 0) Refuse();
    auto* image = dynamic_cast<QImage*>(hdc.device());
    if (!image || !image->rect().contains(x, y)) return;
    const bool clipped = hdc.hasClipping();
    const QRegion clip = clipped ? hdc.clipRegion() : QRegion();
    if (clipped && !clip.contains(QPoint(x, y))) return;
    // Pending painter output must reach the image before its pixels are read.
    hdc.end();
    if (image->format() != QImage::Format_RGB32 && image->format() != QImage::Format_ARGB32) {
        *image = image->convertToFormat(QImage::Format_RGB32);
    }
    const QRgb fillColour = FromColorRef(FillColor).rgb() & 0xFFFFFFu;
    const QRgb brush = FromColorRef(BrushColor).rgb() | 0xFF000000u;
    auto colourAt = [&](int px, int py) { return image->pixel(px, py) & 0xFFFFFFu; };
    // Surface fill: the area of FillColor; border fill: up to FillColor.
    auto inside = [&](int px, int py) {
        if (clipped && !clip.contains(QPoint(px, py))) return false;
        const QRgb c = colourAt(px, py);
        return FillType == 1 ? c == fillColour : c != fillColour;
    };
    if (!inside(x, y) || (image->pixel(x, y) | 0xFF000000u) == brush) {
        hdc.begin(image);
        return;
    }
    std::vector<bool> done(static_cast<std::size_t>(image->width()) * static_cast<std::size_t>(image->height()));
    std::vector<QPoint> stack{QPoint(x, y)};
    while (!stack.empty()) {
        const QPoint p = stack.back();
        stack.pop_back();
        int left = p.x();
        const int row = p.y();
        auto index = [&](int px) { return static_cast<std::size_t>(row) * static_cast<std::size_t>(image->width()) + static_cast<std::size_t>(px); };
        if (done[index(left)]) continue;
        while (left > 0 && !done[index(left - 1)] && inside(left - 1, row))
            --left;
        int right = p.x();
        while (right + 1 < image->width() && !done[index(right + 1)] && inside(right + 1, row))
            ++right;
        for (int px = left; px <= right; ++px) {
            done[index(px)] = true;
            image->setPixel(px, row, brush);
            for (int ny : {row - 1, row + 1}) {
                if (ny < 0 || ny >= image->height()) continue;
                const std::size_t ni = static_cast<std::size_t>(ny) * static_cast<std::size_t>(image->width()) + static_cast<std::size_t>(px);
                if (!done[ni] && inside(px, ny)) stack.emplace_back(px, ny);
            }
        }
    }
    hdc.begin(image);
    if (clipped) hdc.setClipRegion(clip);
}

void ClsKtGdi::vbLine(QPainter& hdc, int32_t PenColor, int32_t PenStyle, int32_t PenWidth, int32_t x1, int32_t y1,
                      int32_t x2, int32_t y2)
{
    DrawObjects objects(hdc, std::nullopt, PenColor, PenStyle, PenWidth);
    // The pen's flat cap leaves the end point itself undrawn, as the
    // Windows line does.
    if (x1 != x2 || y1 != y2) hdc.drawLine(QPoint(x1, y1), QPoint(x2, y2));
    m_currentPosition = platform::Point{x2, y2};
}

void ClsKtGdi::vbLineEx(QPainter& hdc, int32_t PenColor, int32_t PenStyle, int32_t PenWidth,
                        std::span<const platform::Point> lpPoint, int32_t nPoint)
{
    if (nPoint < 2 || static_cast<std::size_t>(nPoint) > lpPoint.size()) Refuse();
    DrawObjects objects(hdc, std::nullopt, PenColor, PenStyle, PenWidth);
    QPolygon line;
    for (int32_t i = 0; i < nPoint; ++i)
        line << QPoint(lpPoint[i].x, lpPoint[i].y);
    hdc.drawPolyline(line);
    m_currentPosition = lpPoint[static_cast<std::size_t>(nPoint - 1)];
}

void ClsKtGdi::vbPolygon(QPainter& hdc, int32_t PenColor, int32_t PenStyle, int32_t PenWidth, int32_t BrushColor,
                         std::span<const platform::Point> lpPoint, int32_t nPoint) const
{
    if (nPoint < 2 || static_cast<std::size_t>(nPoint) > lpPoint.size()) Refuse();
    DrawObjects objects(hdc, BrushColor, PenColor, PenStyle, PenWidth);
    QPolygonF polygon;
    for (int32_t i = 0; i < nPoint; ++i)
        polygon << QPointF(lpPoint[i].x + 0.5, lpPoint[i].y + 0.5);
    hdc.drawPolygon(polygon, Qt::OddEvenFill);
}

void ClsKtGdi::vbRectangle(QPainter& hdc, int32_t PenColor, int32_t PenStyle, int32_t PenWidth, int32_t BrushColor,
                           const platform::Rect& rcRange) const
{
    if (rcRange.IsEmpty()) return;
    DrawObjects objects(hdc, BrushColor, PenColor, PenStyle, PenWidth);
    if (hdc.pen().style() == Qt::NoPen) {
        // Without an outline the fill covers the rectangle but its last row
        // and column, as the Windows rectangle does.
        hdc.fillRect(QRect(rcRange.left, rcRange.top, rcRange.Width() - 1, rcRange.Height() - 1), hdc.brush());
        return;
    }
    hdc.drawRect(ShapeRect(rcRange));
}

} // namespace common
