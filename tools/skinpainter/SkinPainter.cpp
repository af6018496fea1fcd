// The skin painter: draws the pictures (and outline region data) of the
// skins shipped with Zelko. It reads a hand-written skin file to learn where
// every widget sits and where each of its images goes in the source
// pictures, and paints each one in the look of a style.
//
//   zelko_skinpaint STYLE SKINFILE OUTDIR
//
// STYLE is carbon (dark) or meadow (light). The skin file and the painted
// files land in OUTDIR.
//
// It stays one file: it is a build-time program with one job, painting one
// skin, whose parts (the two styles, the glyphs, the display parts, the whole
// pictures) are read and changed together when a skin's look changes and are
// used by nothing else.
#include "platform/Region.h"
#include "player/skin/SkinFile.h"

#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <string>

namespace {

struct Style {
    std::string name;
    QColor bodyTop, bodyBottom, bodyEdge, bodyShine;
    QColor panelTop, panelBottom, panelEdge;    // drawers
    QColor lcdTop, lcdBottom, lcdEdge;          // display panel
    QColor lcdLit, lcdUnlit;                    // digits
    QColor buttonTop, buttonBottom, buttonEdge; // button faces
    QColor pressedTop, pressedBottom;
    QColor glyph, glyphPressed, glyphOn, lamp, accent;
    QColor listTop, listBottom; // list and lyrics areas
    QColor logo;
    // Analyser segments run from analyserLow at the bottom to analyserHigh at
    // the top, through their hues (a pale display needs dark, saturated ink).
    QColor analyserLow, analyserHigh;
    QColor peak; // the analyser's peak marker
    QPoint logoAt;
    int logoSize;
    bool roundButtons; // round system buttons (else rounded squares)
    bool bodyJpeg;     // write Body as JPEG
};

Style Carbon()
{
    Style s;
    s.name = "carbon";
    s.bodyTop = QColor(0x3A, 0x3F, 0x47);
    s.bodyBottom = QColor(0x1C, 0x1F, 0x24);
    s.bodyEdge = QColor(0x0B, 0x0C, 0x0E);
    s.bodyShine = QColor(0x6A, 0x72, 0x7E);
    s.panelTop = QColor(0x2C, 0x30, 0x37);
    s.panelBottom = QColor(0x17, 0x19, 0x1D);
    s.panelEdge = QColor(0x08, 0x09, 0x0B);
    s.lcdTop = QColor(0x06, 0x16, 0x1C);
    s.lcdBottom = QColor(0x0B, 0x22, 0x2A);
    s.lcdEdge = QColor(0x00, 0x00, 0x00);
    s.lcdLit = QColor(0x5C, 0xE1, 0xFF);
    s.lcdUnlit = QColor(0x12, 0x2E, 0x38);
    s.buttonTop = QColor(0x4C, 0x53, 0x5D);
    s.buttonBottom = QColor(0x2A, 0x2E, 0x35);
    s.buttonEdge = QColor(0x0E, 0x10, 0x13);
    s.pressedTop = QColor(0x1C, 0x2A, 0x31);
    s.pressedBottom = QColor(0x25, 0x3B, 0x45);
    s.glyph = QColor(0xDD, 0xE3, 0xEA);
    s.glyphPressed = QColor(0x5C, 0xE1, 0xFF);
    s.glyphOn = QColor(0x5C, 0xE1, 0xFF);
    s.lamp = QColor(0x5C, 0xE1, 0xFF);
    s.accent = QColor(0x5C, 0xE1, 0xFF);
    s.listTop = QColor(0x0C, 0x12, 0x16);
    s.listBottom = QColor(0x10, 0x19, 0x1E);
    s.logo = QColor(0xC9, 0xD1, 0xDB);
    s.analyserLow = QColor::fromHsv(120, 230, 255);
    s.analyserHigh = QColor::fromHsv(0, 230, 255);
    s.peak = QColor(0xF4, 0xF8, 0xFF);
    s.logoAt = QPoint(22, 8);
    s.logoSize = 15;
    s.roundButtons = true;
    s.bodyJpeg = false;
    return s;
}

Style Meadow()
{
    Style s;
    s.name = "meadow";
    s.bodyTop = QColor(0xFB, 0xF8, 0xF0);
    s.bodyBottom = QColor(0xD9, 0xEA, 0xD3);
    s.bodyEdge = QColor(0x6E, 0x8F, 0x66);
    s.bodyShine = QColor(0xFF, 0xFF, 0xFF);
    s.panelTop = QColor(0xF3, 0xEE, 0xE2);
    s.panelBottom = QColor(0xE2, 0xEC, 0xD9);
    s.panelEdge = QColor(0x86, 0xA3, 0x7C);
    s.lcdTop = QColor(0xC9, 0xDD, 0xB6);
    s.lcdBottom = QColor(0xB9, 0xD2, 0xA4);
    s.lcdEdge = QColor(0x6E, 0x8F, 0x66);
    s.lcdLit = QColor(0x1E, 0x3B, 0x24);
    s.lcdUnlit = QColor(0xAE, 0xC8, 0x98);
    s.buttonTop = QColor(0xFF, 0xA0, 0x6E);
    s.buttonBottom = QColor(0xF0, 0x6A, 0x3A);
    s.buttonEdge = QColor(0xA8, 0x44, 0x20);
    s.pressedTop = QColor(0xC8, 0x4E, 0x26);
    s.pressedBottom = QColor(0xE2, 0x6A, 0x3C);
    s.glyph = QColor(0xFF, 0xFF, 0xFF);
    s.glyphPressed = QColor(0xFF, 0xF1, 0xC4);
    s.glyphOn = QColor(0xFF, 0xF6, 0xB0);
    s.lamp = QColor(0x8C, 0xF0, 0x5A);
    s.accent = QColor(0xF0, 0x6A, 0x3A);
    s.listTop = QColor(0xFF, 0xFE, 0xF8);
    s.listBottom = QColor(0xF4, 0xF7, 0xEC);
    s.logo = QColor(0x4E, 0x6E, 0x48);
    s.analyserLow = QColor::fromHsv(120, 255, 100);
    s.analyserHigh = QColor::fromHsv(0, 255, 120);
    s.peak = QColor(0x1E, 0x3B, 0x24);
    s.logoAt = QPoint(34, 7);
    s.logoSize = 14;
    s.roundButtons = false;
    s.bodyJpeg = true;
    return s;
}

QRect ToQRect(const platform::Rect& r)
{
    return QRect(r.left, r.top, r.Width(), r.Height());
}

QRegion RegionOf(const skin::ParsedSkinFile& skin, const std::string& name)
{
    const skin::ClsZelkoRgn* rgn = skin.coRgns.Find(name);
    return rgn ? rgn->RgnOrEmpty().ToQRegion() : QRegion();
}

QRect BoxOf(const skin::ParsedSkinFile& skin, const std::string& name)
{
    return RegionOf(skin, name).boundingRect();
}

QPainterPath RegionPath(const QRegion& region)
{
    QPainterPath path;
    path.addRegion(region);
    return path.simplified();
}

void Gradient(QPainter& p, const QRect& box, const QColor& top, const QColor& bottom, const QPainterPath& shape)
{
    QLinearGradient g(box.topLeft(), box.bottomLeft());
    g.setColorAt(0, top);
    g.setColorAt(1, bottom);
    p.fillPath(shape, g);
}

// A rounded, inset panel: dark rim, gradient face, a light lower lip.
void InsetPanel(QPainter& p, const QRect& r, int radius, const QColor& top, const QColor& bottom, const QColor& edge,
                const QColor& lip)
{
    p.save();
    p.setRenderHint(QPainter::Antialiasing, true);
    QPainterPath outer;
    outer.addRoundedRect(QRectF(r).adjusted(0, 0, 0, 1), radius, radius);
    p.fillPath(outer, lip);
    QPainterPath face;
    face.addRoundedRect(QRectF(r), radius, radius);
    Gradient(p, r, top, bottom, face);
    p.setPen(QPen(edge, 1));
    p.drawPath(face.translated(0.5, 0.5));
    p.restore();
}

QImage NewPicture(int w, int h, const QColor& fill)
{
    QImage image(std::max(1, w), std::max(1, h), QImage::Format_RGB32);
    image.fill(fill);
    return image;
}

// ---- glyphs ---------------------------------------------------------------

QPainterPath Triangle(QPointF a, QPointF b, QPointF c)
{
    QPainterPath path(a);
    path.lineTo(b);
    path.lineTo(c);
    path.closeSubpath();
    return path;
}

// Draws the icon of a button into the box.
void Glyph(QPainter& p, const std::string& button, const QRectF& box, const QColor& colour, bool lit,
           const Style& style)
{
    p.save();
    p.setRenderHint(QPainter::Antialiasing, true);
    const QPointF c = box.center();
    const double u = std::min(box.width(), box.height()) / 16.0; // one unit of a 16-unit icon
    QPen pen(colour, std::max(1.4, 1.6 * u), Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
    auto fill = [&](const QPainterPath& path) { p.fillPath(path, colour); };
    if (button == "play") {
        fill(Triangle(c + QPointF(-4 * u, -5 * u), c + QPointF(5.5 * u, 0), c + QPointF(-4 * u, 5 * u)));
    } else if (button == "pause") {
        p.fillRect(QRectF(c.x() - 4.5 * u, c.y() - 5 * u, 3 * u, 10 * u), colour);
        p.fillRect(QRectF(c.x() + 1.5 * u, c.y() - 5 * u, 3 * u, 10 * u), colour);
    } else if (button == "stop") {
        QPainterPath sq;
        sq.addRoundedRect(QRectF(c.x() - 4.5 * u, c.y() - 4.5 * u, 9 * u, 9 * u), u, u);
        fill(sq);
    } else if (button == "ptrack" || button == "ntrack") {
        const double d = button == "ptrack" ? -1 : 1;
        fill(Triangle(c + QPointF(-5 * u * d, -4.5 * u), c + QPointF(0, 0), c + QPointF(-5 * u * d, 4.5 * u)));
        fill(Triangle(c + QPointF(0, -4.5 * u), c + QPointF(5 * u * d, 0), c + QPointF(0, 4.5 * u)));
        p.fillRect(QRectF(c.x() + (d > 0 ? 5 * u : -6.6 * u), c.y() - 4.5 * u, 1.6 * u, 9 * u), colour);
    } else if (button == "close") {
        p.setPen(pen);
        p.drawLine(c + QPointF(-3.5 * u, -3.5 * u), c + QPointF(3.5 * u, 3.5 * u));
        p.drawLine(c + QPointF(3.5 * u, -3.5 * u), c + QPointF(-3.5 * u, 3.5 * u));
    } else if (button == "minimize" || button == "minus") {
        p.setPen(pen);
        p.drawLine(c + QPointF(-4 * u, button == "minimize" ? 2.5 * u : 0), c + QPointF(4 * u, button == "minimize" ? 2.5 * u : 0));
    } else if (button == "plus") {
        p.setPen(pen);
        p.drawLine(c + QPointF(-4 * u, 0), c + QPointF(4 * u, 0));
        p.drawLine(c + QPointF(0, -4 * u), c + QPointF(0, 4 * u));
    } else if (button == "open") {
        fill(Triangle(c + QPointF(-5 * u, 1 * u), c + QPointF(0, -5 * u), c + QPointF(5 * u, 1 * u)));
        p.fillRect(QRectF(c.x() - 5 * u, c.y() + 2.8 * u, 10 * u, 2 * u), colour);
    } else if (button == "playlistu" || button == "playlistd") {
        const double d = button == "playlistu" ? -1 : 1;
        fill(Triangle(c + QPointF(-4.5 * u, -2.5 * u * d), c + QPointF(4.5 * u, -2.5 * u * d), c + QPointF(0, 3 * u * d)));
    } else if (button == "playlistpull" || button == "lyricspull") {
        // Three text lines and an arrow telling where the drawer goes.
        const double h = box.height();
        const double unitH = h / 18.0;
        QPen thin(colour, std::max(1.2, 1.4 * unitH), Qt::SolidLine, Qt::RoundCap);
        p.setPen(thin);
        const double left = box.left() + box.width() * 0.22;
        const double right = box.left() + box.width() * 0.58;
        for (int i = -1; i <= 1; ++i)
            p.drawLine(QPointF(left, c.y() + i * 4 * unitH), QPointF(right, c.y() + i * 4 * unitH));
        const double ax = box.left() + box.width() * 0.76;
        if (button == "playlistpull") {
            fill(Triangle(QPointF(ax - 3.5 * unitH, c.y() - 2 * unitH), QPointF(ax + 3.5 * unitH, c.y() - 2 * unitH),
                          QPointF(ax, c.y() + 3 * unitH)));
        } else {
            fill(Triangle(QPointF(ax - 2 * unitH, c.y() - 3.5 * unitH), QPointF(ax + 3 * unitH, c.y()),
                          QPointF(ax - 2 * unitH, c.y() + 3.5 * unitH)));
        }
    } else if (button == "repeat") {
        QPen loop(colour, std::max(1.3, 1.3 * u), Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
        p.setPen(loop);
        p.setBrush(Qt::NoBrush);
        const QRectF r(c.x() - 6 * u, c.y() - 3.5 * u, 12 * u, 7 * u);
        QPainterPath path;
        path.moveTo(r.left() + 3 * u, r.bottom());
        path.lineTo(r.left() + 2 * u, r.bottom());
        path.arcTo(QRectF(r.left(), r.top(), 4 * u, 7 * u), 270, -180);
        path.lineTo(r.right() - 2 * u, r.top());
        path.arcTo(QRectF(r.right() - 4 * u, r.top(), 4 * u, 7 * u), 90, -180);
        path.lineTo(r.left() + 5 * u, r.bottom());
        p.drawPath(path);
        fill(Triangle(QPointF(r.left() + 4 * u, r.bottom() - 2.6 * u), QPointF(r.left() + 4 * u, r.bottom() + 2.6 * u),
                      QPointF(r.left() + 1.6 * u, r.bottom())));
    } else if (button == "shuffle") {
        QPen line(colour, std::max(1.3, 1.3 * u), Qt::SolidLine, Qt::FlatCap, Qt::RoundJoin);
        p.setPen(line);
        p.setBrush(Qt::NoBrush);
        const double l = c.x() - 6.5 * u, r = c.x() + 4 * u, t = c.y() - 3.5 * u, b = c.y() + 3.5 * u;
        QPainterPath a(QPointF(l, b));
        a.cubicTo(QPointF(c.x() - 1 * u, b), QPointF(c.x() - 1 * u, t), QPointF(r, t));
        QPainterPath d(QPointF(l, t));
        d.cubicTo(QPointF(c.x() - 1 * u, t), QPointF(c.x() - 1 * u, b), QPointF(r, b));
        p.drawPath(a);
        p.drawPath(d);
        fill(Triangle(QPointF(r, t - 2.4 * u), QPointF(r + 2.8 * u, t), QPointF(r, t + 2.4 * u)));
        fill(Triangle(QPointF(r, b - 2.4 * u), QPointF(r + 2.8 * u, b), QPointF(r, b + 2.4 * u)));
    }
    if (lit) {
        // A small indicator lamp under the icon.
        p.setPen(Qt::NoPen);
        QRadialGradient glow(QPointF(box.right() - 3.5, box.top() + 3.5), 3);
        glow.setColorAt(0, style.lamp.lighter(140));
        glow.setColorAt(1, style.lamp);
        p.setBrush(glow);
        p.drawEllipse(QPointF(box.right() - 3.5, box.top() + 3.5), 2, 2);
    }
    p.restore();
}

// The outline of a button face inside its cell.
QPainterPath ButtonShape(const std::string& button, const QRectF& cell, const Style& style)
{
    QPainterPath path;
    const QRectF r = cell.adjusted(0.5, 0.5, -0.5, -0.5);
    const bool system = button == "close" || button == "minimize" || button == "open" || button == "plus" ||
        button == "minus" || button == "playlistu" || button == "playlistd";
    if (system && style.roundButtons) {
        path.addEllipse(r);
    } else {
        const double radius = std::min(r.width(), r.height()) * (system ? 0.25 : 0.3);
        path.addRoundedRect(r, radius, radius);
    }
    return path;
}

// Paints one button image (face and icon) or its mask into the cell.
void PaintButton(QImage& picture, const QRect& cell, const std::string& button, bool pressed, bool on, bool mask,
                 const Style& style)
{
    QPainter p(&picture);
    // Outside the face the image is white (so the mask lets the body through)
    // and the mask is white; inside the face the mask is black.
    p.fillRect(cell, Qt::white);
    p.setRenderHint(QPainter::Antialiasing, false);
    const QPainterPath shape = ButtonShape(button, QRectF(cell), style);
    if (mask) {
        p.fillPath(shape, Qt::black);
        return;
    }
    p.setClipRect(cell);
    p.fillPath(shape, style.buttonEdge);
    const QPainterPath face = ButtonShape(button, QRectF(cell).adjusted(1, 1, -1, -1), style);
    QLinearGradient g(cell.topLeft(), cell.bottomLeft());
    g.setColorAt(0, pressed ? style.pressedTop : style.buttonTop);
    g.setColorAt(1, pressed ? style.pressedBottom : style.buttonBottom);
    p.setRenderHint(QPainter::Antialiasing, true);
    p.fillPath(face, g);
    if (!pressed) {
        // A thin shine along the top of the face.
        p.save();
        p.setClipPath(face);
        p.setPen(QPen(style.bodyShine, 1));
        p.drawLine(QPointF(cell.left() + 2, cell.top() + 1.5), QPointF(cell.right() - 2, cell.top() + 1.5));
        p.restore();
    }
    const QRectF glyphBox = QRectF(cell).adjusted(2, 2, -2, -2).translated(pressed ? 0.5 : 0, pressed ? 0.5 : 0);
    const QColor colour = pressed ? style.glyphPressed : (on ? style.glyphOn : style.glyph);
    Glyph(p, button, glyphBox, colour, on, style);
}

// ---- display parts --------------------------------------------------------

// Seven segments of a digit: a (top), b, c, d (bottom), e, f, g (middle).
void PaintDigit(QImage& picture, const QRect& cell, const QImage& background, const QPoint& from, int digit,
                const Style& style)
{
    QPainter p(&picture);
    p.drawImage(cell.topLeft(), background, QRect(from, cell.size()));
    static const char* const kSegments[] = {"abcdef", "bc", "abdeg", "abcdg", "bcfg", "acdfg", "acdefg", "abc", "abcdefg", "abcdfg"};
    const std::string lit = digit >= 0 ? kSegments[digit] : "";
    p.setRenderHint(QPainter::Antialiasing, true);
    const double w = cell.width(), h = cell.height();
    const double t = std::max(2.0, w / 6.0); // segment thickness
    const double x0 = cell.left() + 2, x1 = cell.left() + w - 2;
    const double y0 = cell.top() + 2, ym = cell.top() + h / 2.0, y1 = cell.top() + h - 2;
    auto horizontal = [&](double y) {
        QPainterPath s;
        s.moveTo(x0 + t / 2 + 0.6, y);
        s.lineTo(x0 + t + 0.6, y - t / 2);
        s.lineTo(x1 - t - 0.6, y - t / 2);
        s.lineTo(x1 - t / 2 - 0.6, y);
        s.lineTo(x1 - t - 0.6, y + t / 2);
        s.lineTo(x0 + t + 0.6, y + t / 2);
        s.closeSubpath();
        return s;
    };
    auto vertical = [&](double x, double ya, double yb) {
        QPainterPath s;
        s.moveTo(x, ya + 0.6);
        s.lineTo(x + t / 2, ya + t / 2 + 0.6);
        s.lineTo(x + t / 2, yb - t / 2 - 0.6);
        s.lineTo(x, yb - 0.6);
        s.lineTo(x - t / 2, yb - t / 2 - 0.6);
        s.lineTo(x - t / 2, ya + t / 2 + 0.6);
        s.closeSubpath();
        return s;
    };
    const double xl = x0 + t / 2, xr = x1 - t / 2;
    const std::pair<char, QPainterPath> segments[] = {
        {'a', horizontal(y0 + t / 2)}, {'b', vertical(xr, y0 + t / 2, ym)}, {'c', vertical(xr, ym, y1 - t / 2)}, {'d', horizontal(y1 - t / 2)}, {'e', vertical(xl, ym, y1 - t / 2)}, {'f', vertical(xl, y0 + t / 2, ym)}, {'g', horizontal(ym)}};
    for (const auto& [name, path] : segments) {
        p.fillPath(path, lit.find(name) != std::string::npos ? style.lcdLit : style.lcdUnlit);
    }
}

void PaintColon(QImage& picture, const QRect& cell, const QImage& background, const QPoint& from, const Style& style)
{
    QPainter p(&picture);
    p.drawImage(cell.topLeft(), background, QRect(from, cell.size()));
    p.setRenderHint(QPainter::Antialiasing, true);
    const double d = std::max(2.5, cell.width() / 2.6);
    const QPointF c = QRectF(cell).center();
    p.setPen(Qt::NoPen);
    p.setBrush(style.lcdLit);
    p.drawEllipse(QPointF(c.x(), cell.top() + cell.height() * 0.32), d / 2, d / 2);
    p.drawEllipse(QPointF(c.x(), cell.top() + cell.height() * 0.68), d / 2, d / 2);
}

// One analyser image: a band with `level` of its 24 segments lit, graded
// from green at the bottom through yellow to red at the top.
void PaintAnalyser(QImage& picture, const QRect& cell, const QImage& background, const QPoint& from, int level,
                   const Style& style)
{
    QPainter p(&picture);
    p.drawImage(cell.topLeft(), background, QRect(from, cell.size()));
    const int segments = 24;
    const double pitch = cell.height() / static_cast<double>(segments);
    for (int k = 0; k < segments; ++k) {
        // From the low hue (green) to the high one (red), lingering on yellow.
        const double f = std::pow(k / static_cast<double>(segments - 1), 1.35);
        const auto mix = [f](int low, int high) { return static_cast<int>(std::lround(low + (high - low) * f)); };
        const QColor& lo = style.analyserLow;
        const QColor& hi = style.analyserHigh;
        QColor on = QColor::fromHsv(mix(lo.hsvHue(), hi.hsvHue()), mix(lo.hsvSaturation(), hi.hsvSaturation()),
                                    mix(lo.value(), hi.value()));
        QColor off = style.lcdUnlit;
        const int y = cell.bottom() - static_cast<int>(std::lround((k + 1) * pitch)) + 1;
        const int h = std::max(1, static_cast<int>(std::lround(pitch)) - 1);
        p.fillRect(QRect(cell.left(), y, cell.width(), h), k < level ? on : off);
    }
}

void PaintSeekBar(QImage& picture, const QRect& cell, const QImage& background, const QPoint& from, int percent,
                  const Style& style)
{
    QPainter p(&picture);
    p.drawImage(cell.topLeft(), background, QRect(from, cell.size()));
    p.setRenderHint(QPainter::Antialiasing, true);
    const QRectF groove = QRectF(cell).adjusted(1, cell.height() / 2.0 - 1.5, -1, -(cell.height() / 2.0 - 1.5));
    p.setPen(Qt::NoPen);
    p.setBrush(style.lcdUnlit.darker(115));
    p.drawRoundedRect(groove, 1.5, 1.5);
    const double w = groove.width() * percent / 100.0;
    if (w > 0) {
        QLinearGradient g(groove.topLeft(), groove.topRight());
        g.setColorAt(0, style.accent.darker(140));
        g.setColorAt(1, style.accent);
        p.setBrush(g);
        p.drawRoundedRect(QRectF(groove.left(), groove.top(), w, groove.height()), 1.5, 1.5);
    }
    const double knob = cell.height() / 2.0;
    p.setBrush(style.glyph);
    p.setPen(QPen(style.buttonEdge, 1));
    const double x = std::clamp(groove.left() + w, cell.left() + knob, cell.right() + 1 - knob);
    p.drawEllipse(QPointF(x, QRectF(cell).center().y()), knob - 0.5, knob - 0.5);
}

void PaintVolume(QImage& picture, const QRect& cell, const QImage& background, const QPoint& from, int percent,
                 const Style& style)
{
    QPainter p(&picture);
    p.drawImage(cell.topLeft(), background, QRect(from, cell.size()));
    const int bars = 10;
    const double pitch = cell.width() / static_cast<double>(bars);
    for (int i = 0; i < bars; ++i) {
        const int h = std::max(2, static_cast<int>(std::lround(cell.height() * (i + 1) / static_cast<double>(bars))));
        const QRect bar(cell.left() + static_cast<int>(std::lround(i * pitch)), cell.bottom() + 1 - h,
                        std::max(1, static_cast<int>(std::lround(pitch)) - 1), h);
        p.fillRect(bar, i < percent / 10 ? style.lcdLit : style.lcdUnlit);
    }
}

// ---- whole pictures -------------------------------------------------------

QImage PaintBody(const skin::ParsedSkinFile& skin, const QSize& size, const Style& style)
{
    QImage body = NewPicture(size.width(), size.height(), style.bodyEdge);
    QPainter p(&body);
    p.setRenderHint(QPainter::Antialiasing, true);
    const QRegion main = RegionOf(skin, "body-main");
    const QRect box = main.boundingRect();
    const QPainterPath shape = RegionPath(main);
    Gradient(p, box, style.bodyTop, style.bodyBottom, shape);
    // A fine horizontal brushing texture on the dark body.
    if (style.name == "carbon") {
        p.save();
        p.setClipPath(shape);
        for (int y = box.top(); y < box.bottom(); y += 2) {
            p.setPen(QPen(QColor(255, 255, 255, (y / 2) % 3 == 0 ? 7 : 3), 1));
            p.drawLine(box.left(), y, box.right(), y);
        }
        p.restore();
    }
    // Rim: a dark edge and a light inner line along the outline.
    p.save();
    p.setClipPath(shape);
    p.setPen(QPen(style.bodyEdge, 3));
    p.drawPath(shape);
    p.setPen(QPen(style.bodyShine, 1));
    p.drawPath(shape.translated(0, 1.5).intersected(shape.translated(0, 40)).subtracted(shape.translated(0, 3)));
    p.restore();

    // The display panel around the digits, analyser, volume gauge and title.
    QRect display;
    for (const skin::ClsZelkoRgn& rgn : skin.coRgns) {
        const std::string& n = rgn.Name();
        if (n.rfind("time-", 0) == 0 || n.rfind("analyzer-", 0) == 0 || n == "titlebox-textrect" ||
            n == "volume-container" || n == "volume-plus" || n == "volume-minus") {
            display = display.united(ToQRect(rgn.RgnOrEmpty().BoundingBox()));
        }
    }
    // Its lower margin is narrower, so that a strip of body parts it from the seek bar below.
    InsetPanel(p, display.adjusted(-8, -6, 8, 4), 6, style.lcdTop, style.lcdBottom, style.lcdEdge, style.bodyShine);
    // A hair line between the title row and the upper part of the display.
    const QRect title = BoxOf(skin, "titlebox-textrect");
    p.setPen(QPen(style.lcdUnlit, 1));
    p.drawLine(QPointF(display.left(), title.top() - 3.5), QPointF(display.right() + 1, title.top() - 3.5));

    const QRect seek = BoxOf(skin, "seekbar-container");
    InsetPanel(p, seek.adjusted(-3, -3, 3, 3), 5, style.lcdTop, style.lcdBottom, style.lcdEdge, style.bodyShine);

    QFont logo(QStringLiteral("DejaVu Sans"));
    logo.setPixelSize(style.logoSize);
    logo.setBold(true);
    logo.setLetterSpacing(QFont::AbsoluteSpacing, 3);
    p.setFont(logo);
    p.setPen(style.bodyEdge);
    p.drawText(style.logoAt + QPoint(0, style.logoSize + 1), QStringLiteral("ZELKO"));
    p.setPen(style.logo);
    p.drawText(style.logoAt + QPoint(0, style.logoSize), QStringLiteral("ZELKO"));
    QFont small(QStringLiteral("DejaVu Sans"));
    small.setPixelSize(8);
    small.setLetterSpacing(QFont::AbsoluteSpacing, 1);
    p.setFont(small);
    p.setPen(style.accent);
    p.drawText(style.logoAt + QPoint(style.logoSize * 5 + 6, style.logoSize), QStringLiteral("MP3 PLAYER"));
    return body;
}

// A drawer picture: the whole window size, the drawer's area painted, the
// rest left dark (never shown).
QImage PaintDrawerShow(const skin::ParsedSkinFile& skin, const QSize& size, const Style& style, const std::string& show,
                       const std::string& box)
{
    QImage picture = NewPicture(size.width(), size.height(), style.panelEdge);
    QPainter p(&picture);
    p.setRenderHint(QPainter::Antialiasing, true);
    const QRegion area = RegionOf(skin, show);
    const QPainterPath shape = RegionPath(area);
    Gradient(p, area.boundingRect(), style.panelTop, style.panelBottom, shape);
    p.save();
    p.setClipPath(shape);
    p.setPen(QPen(style.panelEdge, 3));
    p.drawPath(shape);
    p.restore();
    const QRect list = BoxOf(skin, box);
    InsetPanel(p, list.adjusted(-6, -5, 6, 5), 5, style.listTop, style.listBottom, style.lcdEdge, style.bodyShine);
    return picture;
}

QImage PaintDrawerHide(const skin::ParsedSkinFile& skin, const QSize& size, const Style& style, const std::string& hide)
{
    QImage picture = NewPicture(size.width(), size.height(), style.panelEdge);
    QPainter p(&picture);
    p.setRenderHint(QPainter::Antialiasing, true);
    const QRegion area = RegionOf(skin, hide);
    const QRect r = area.boundingRect();
    const QPainterPath shape = RegionPath(area);
    Gradient(p, r, style.buttonTop, style.buttonBottom, shape);
    // Grip lines across the tab's long side.
    p.setPen(QPen(style.buttonEdge, 1));
    const bool wide = r.width() > r.height();
    for (int i = -1; i <= 1; ++i) {
        if (wide) {
            const double x = r.center().x() + i * 4 + 0.5;
            p.drawLine(QPointF(x, r.top() + 3), QPointF(x, r.bottom() - 3));
        } else {
            const double y = r.center().y() + i * 4 + 0.5;
            p.drawLine(QPointF(r.left() + 3, y), QPointF(r.right() - 3, y));
        }
    }
    return picture;
}

// ---- source pictures ------------------------------------------------------

QSize SectionExtent(const skin::ParsedSkinFile& skin, const std::string& section)
{
    int w = 1, h = 1;
    for (const skin::ClsZelkoRect& rect : skin.coRects) {
        if (rect.Name().rfind(section + "-", 0) != 0) continue;
        w = std::max(w, rect.Right());
        h = std::max(h, rect.Bottom());
    }
    return QSize(w, h);
}

bool EndsWith(const std::string& s, const std::string& tail)
{
    return s.size() >= tail.size() && s.compare(s.size() - tail.size(), tail.size(), tail) == 0;
}

// Paints every button image and mask of a source section.
void PaintButtons(QImage& picture, const skin::ParsedSkinFile& skin, const std::string& section, const Style& style)
{
    for (const skin::ClsZelkoRect& rect : skin.coRects) {
        if (rect.Name().rfind(section + "-", 0) != 0) continue;
        std::string key = rect.Name().substr(section.size() + 1);
        const bool mask = EndsWith(key, "mask");
        if (mask) key.resize(key.size() - 4);
        const bool pressed = EndsWith(key, "down");
        if (pressed) key.resize(key.size() - 4);
        bool on = false;
        if (EndsWith(key, "on")) {
            on = true;
            key.resize(key.size() - 2);
        } else if (EndsWith(key, "off")) {
            key.resize(key.size() - 3);
        }
        if (!std::isalpha(static_cast<unsigned char>(key.empty() ? '0' : key[0]))) continue;
        PaintButton(picture, ToQRect(rect.RectPtr()), key, pressed, on, mask, style);
    }
}

[[nodiscard]] bool Save(const QImage& image, const std::string& file, const char* format)
{
    if (!image.save(QString::fromStdString(file), format, std::string(format) == "JPG" ? 94 : -1)) {
        std::fprintf(stderr, "cannot write %s\n", file.c_str());
        return false;
    }
    return true;
}

[[nodiscard]] bool WriteRegionData(const QRegion& region, const std::string& file)
{
    const std::vector<int32_t> numbers = platform::Region(region).ToRgnData();
    std::ofstream out(file, std::ios::binary);
    for (int32_t n : numbers) {
        const auto v = static_cast<uint32_t>(n);
        const char bytes[4] = {static_cast<char>(v & 0xFF), static_cast<char>((v >> 8) & 0xFF),
                               static_cast<char>((v >> 16) & 0xFF), static_cast<char>((v >> 24) & 0xFF)};
        out.write(bytes, 4);
    }
    return static_cast<bool>(out);
}

// The rounded outline of the dark skin's body, written as region data.
QRegion RoundedOutline(const QRect& box, int radius)
{
    QPainterPath path;
    path.addRoundedRect(QRectF(box), radius, radius);
    return QRegion(path.toFillPolygon().toPolygon(), Qt::WindingFill);
}

int Run(const Style& style, const std::string& skinFile, const std::string& outDir)
{
    std::ifstream in(skinFile, std::ios::binary);
    if (!in) {
        std::fprintf(stderr, "cannot read %s\n", skinFile.c_str());
        return 1;
    }
    const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    std::filesystem::create_directories(outDir);
    const std::string dir = outDir + "/";
    const std::string fileName = std::filesystem::path(skinFile).filename().string();
    std::filesystem::copy_file(skinFile, dir + fileName, std::filesystem::copy_options::overwrite_existing);

    // The outline region data must exist before the skin file is read for
    // the regions that use it.
    if (style.name == "carbon" && !WriteRegionData(RoundedOutline(QRect(0, 0, 380, 170), 18), dir + "Main.rgn")) return 1;

    skin::SkinRegionContext context;
    context.skinPath = dir;
    const skin::ParsedSkinFile skin = skin::ParseSkinText(text, dir + fileName, context);
    for (const skin::SkinProblem& problem : skin.problems) {
        std::fprintf(stderr, "%s:%d: %s\n", problem.file.c_str(), problem.line, problem.message.c_str());
    }
    if (!skin.problems.empty()) return 1;

    QRegion all;
    for (const char* name : {"body-main", "body-lyricsshow", "body-playlistshow"})
        all += RegionOf(skin, name);
    const QSize size(all.boundingRect().right() + 1, all.boundingRect().bottom() + 1);

    const QImage body = PaintBody(skin, size, style);
    bool ok = Save(body, dir + (style.bodyJpeg ? "Body.jpg" : "Body.bmp"), style.bodyJpeg ? "JPG" : "BMP");
    // Pictures are painted against what the window shows: the body as saved.
    const QImage shownBody = style.bodyJpeg ? QImage(QString::fromStdString(dir + "Body.jpg")).convertToFormat(QImage::Format_RGB32) : body;

    // A drawer picture is painted at the window origin without clipping, so
    // it only reaches as far as its own drawer: it must not cover the other.
    auto drawerSize = [&](const char* show, const char* hide) {
        const QRect r = RegionOf(skin, show).united(RegionOf(skin, hide)).boundingRect();
        return QSize(r.right() + 1, r.bottom() + 1);
    };
    if (skin.coRgns.Contains("body-playlistshow")) {
        const QSize size = drawerSize("body-playlistshow", "body-playlisthide");
        ok = Save(PaintDrawerShow(skin, size, style, "body-playlistshow", "playlistbox-itemrect"), dir + "PlayListShow.bmp", "BMP") && ok;
        if (skin.coRgns.Contains("body-playlisthide")) ok = Save(PaintDrawerHide(skin, size, style, "body-playlisthide"), dir + "PlayListHide.bmp", "BMP") && ok;
    }
    if (skin.coRgns.Contains("body-lyricsshow")) {
        const QSize size = drawerSize("body-lyricsshow", "body-lyricshide");
        ok = Save(PaintDrawerShow(skin, size, style, "body-lyricsshow", "lyricsbox-itemrect"), dir + "LyricsShow.bmp", "BMP") && ok;
        if (skin.coRgns.Contains("body-lyricshide")) ok = Save(PaintDrawerHide(skin, size, style, "body-lyricshide"), dir + "LyricsHide.bmp", "BMP") && ok;
    }

    // SysButtons and PlayButtons: faces on white.
    for (const auto& [section, file] : {std::pair{"sysbuttonssource", "SysButtons.bmp"}, std::pair{"playbuttonssource", "PlayButtons.bmp"}}) {
        const QSize extent = SectionExtent(skin, section);
        QImage picture = NewPicture(extent.width(), extent.height(), Qt::white);
        PaintButtons(picture, skin, section, style);
        ok = Save(picture, dir + file, "BMP") && ok;
    }

    // Title: every display image, drawn over the body pixels it will cover.
    QSize extent(1, 1);
    for (const char* section : {"titleboxsource", "timesource", "seekbarsource", "volumesource", "analyzersource", "peeksource"}) {
        extent = extent.expandedTo(SectionExtent(skin, section));
    }
    QImage title = NewPicture(extent.width(), extent.height(), Qt::white);
    auto from = [&](const char* region) { return BoxOf(skin, region).topLeft(); };
    for (const skin::ClsZelkoRect& rect : skin.coRects) {
        const std::string& n = rect.Name();
        const QRect cell = ToQRect(rect.RectPtr());
        auto number = [&](std::size_t prefix) { return std::atoi(n.c_str() + prefix); };
        if (n == "titleboxsource-text") {
            QPainter(&title).drawImage(cell.topLeft(), shownBody, QRect(from("titlebox-textrect"), cell.size()));
        } else if (n == "timesource-colon") {
            PaintColon(title, cell, shownBody, from("time-colon"), style);
        } else if (n.rfind("timesource-", 0) == 0 && !EndsWith(n, "mask")) {
            PaintDigit(title, cell, shownBody, from("time-mm"), number(11), style);
        } else if (n.rfind("seekbarsource-", 0) == 0 && !EndsWith(n, "mask")) {
            PaintSeekBar(title, cell, shownBody, from("seekbar-container"), number(14), style);
        } else if (n.rfind("analyzersource-", 0) == 0 && !EndsWith(n, "mask")) {
            PaintAnalyser(title, cell, shownBody, from("analyzer-0"), number(15), style);
        } else if (n == "peeksource-value") {
            // The rectangle holds left, top, width and height.
            QPainter(&title).fillRect(QRect(rect.Left(), rect.Top(), rect.Right(), rect.Bottom()), style.peak);
        } else if (n.rfind("volumesource-", 0) == 0 && std::isdigit(static_cast<unsigned char>(n[13]))) {
            PaintVolume(title, cell, shownBody, from("volume-container"), number(13), style);
        }
    }
    PaintButtons(title, skin, "volumesource", style);
    ok = Save(title, dir + "Title.bmp", "BMP") && ok;
    return ok ? 0 : 1;
}

} // namespace

int main(int argc, char** argv)
{
    QGuiApplication app(argc, argv);
    if (argc != 4) {
        std::fprintf(stderr, "usage: zelko_skinpaint carbon|meadow SKINFILE OUTDIR\n");
        return 2;
    }
    const std::string styleName = argv[1];
    if (styleName != "carbon" && styleName != "meadow") {
        std::fprintf(stderr, "unknown style %s\n", styleName.c_str());
        return 2;
    }
    return Run(styleName == "carbon" ? Carbon() : Meadow(), argv[2], argv[3]);
}
