#include "player/dialogs/ProductArt.h"

#include "player/dialogs/DialogTexts.h"

#include <QFont>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

#include <algorithm>
#include <array>
#include <cmath>

namespace dialogs::ProductArt {

namespace {

const QColor DeepBlue(0x12, 0x1e, 0x3a);
const QColor MidBlue(0x1f, 0x4e, 0x8c);
const QColor Teal(0x2a, 0xb3, 0xc6);
const QColor Amber(0xf2, 0xa9, 0x3b);

// A disc seen from above: dark vinyl with grooves, a coloured label and a hole.
void DrawDisc(QPainter& p, QPointF centre, qreal radius)
{
    QRadialGradient vinyl(centre, radius);
    vinyl.setColorAt(0.0, QColor(0x3a, 0x3f, 0x4a));
    vinyl.setColorAt(0.9, QColor(0x15, 0x17, 0x1c));
    vinyl.setColorAt(1.0, QColor(0x08, 0x09, 0x0c));
    p.setPen(Qt::NoPen);
    p.setBrush(vinyl);
    p.drawEllipse(centre, radius, radius);

    p.setBrush(Qt::NoBrush);
    for (qreal r = radius * 0.45; r < radius * 0.95; r += std::max<qreal>(2.0, radius * 0.06)) {
        p.setPen(QPen(QColor(255, 255, 255, 28), std::max<qreal>(0.6, radius / 60)));
        p.drawEllipse(centre, r, r);
    }
    // A highlight across the grooves gives the disc its sheen.
    QLinearGradient sheen(centre - QPointF(radius, radius), centre + QPointF(radius, radius));
    sheen.setColorAt(0.35, QColor(255, 255, 255, 0));
    sheen.setColorAt(0.5, QColor(255, 255, 255, 40));
    sheen.setColorAt(0.65, QColor(255, 255, 255, 0));
    p.setPen(Qt::NoPen);
    p.setBrush(sheen);
    p.drawEllipse(centre, radius * 0.95, radius * 0.95);

    QRadialGradient label(centre, radius * 0.38);
    label.setColorAt(0.0, Amber.lighter(120));
    label.setColorAt(1.0, Amber.darker(130));
    p.setBrush(label);
    p.drawEllipse(centre, radius * 0.36, radius * 0.36);
    p.setBrush(QColor(0x10, 0x10, 0x14));
    p.drawEllipse(centre, radius * 0.06, radius * 0.06);
}

// An eighth note, its head at the given point, scaled by size (the stem's length).
void DrawNote(QPainter& p, QPointF head, qreal size, const QColor& colour)
{
    p.setPen(Qt::NoPen);
    p.setBrush(colour);
    p.save();
    p.translate(head);
    p.rotate(-20);
    p.drawEllipse(QPointF(0, 0), size * 0.22, size * 0.16);
    p.restore();
    const qreal stemX = head.x() + size * 0.19;
    const qreal stemWidth = std::max<qreal>(1.0, size * 0.07);
    p.drawRect(QRectF(stemX - stemWidth, head.y() - size, stemWidth, size));
    QPainterPath flag;
    flag.moveTo(stemX, head.y() - size);
    flag.cubicTo(stemX + size * 0.1, head.y() - size * 0.7, stemX + size * 0.45, head.y() - size * 0.65,
                 stemX + size * 0.3, head.y() - size * 0.3);
    flag.cubicTo(stemX + size * 0.32, head.y() - size * 0.55, stemX + size * 0.1, head.y() - size * 0.6,
                 stemX, head.y() - size * 0.72);
    flag.closeSubpath();
    p.drawPath(flag);
}

} // namespace

QImage Picture(QSize size)
{
    QImage image(size.expandedTo(QSize(1, 1)), QImage::Format_ARGB32_Premultiplied);
    const qreal w = image.width();
    const qreal h = image.height();
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);

    QLinearGradient ground(0, 0, w, h);
    ground.setColorAt(0.0, DeepBlue);
    ground.setColorAt(1.0, MidBlue);
    p.fillRect(image.rect(), ground);

    // Spectrum bars of varying heights along the bottom, like the main
    // window's analyser caught at one moment.
    const int bars = 24;
    const qreal barWidth = w / bars;
    for (int i = 0; i < bars; ++i) {
        const qreal shape = 0.55 + 0.45 * std::sin(i * 0.9) * std::cos(i * 0.23);
        const qreal height = h * 0.55 * std::clamp<qreal>(shape, 0.1, 1.0);
        QLinearGradient bar(0, h, 0, h - height);
        bar.setColorAt(0.0, QColor(Teal.red(), Teal.green(), Teal.blue(), 150));
        bar.setColorAt(1.0, QColor(Teal.red(), Teal.green(), Teal.blue(), 30));
        p.fillRect(QRectF(i * barWidth + 1, h - height, barWidth - 2, height), bar);
    }

    const qreal radius = h * 0.38;
    const QPointF centre(h * 0.5 + 4, h * 0.5);
    DrawDisc(p, centre, radius);
    // The tone arm rests on the disc's outer grooves.
    p.setPen(QPen(QColor(0xd8, 0xdc, 0xe4), std::max<qreal>(2.0, h / 40), Qt::SolidLine, Qt::RoundCap));
    const QPointF pivot(centre.x() + radius * 1.15, centre.y() - radius * 0.85);
    const QPointF needle(centre.x() + radius * 0.55, centre.y() + radius * 0.45);
    p.drawLine(pivot, needle);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0xd8, 0xdc, 0xe4));
    p.drawEllipse(pivot, h / 22, h / 22);

    QFont title("IPAGothic");
    title.setPixelSize(std::max(8, static_cast<int>(h * 0.24)));
    title.setBold(true);
    p.setFont(title);
    const QRectF textArea(centre.x() + radius * 1.45, 0, w - centre.x() - radius * 1.45 - 8, h * 0.62);
    p.setPen(QColor(0, 0, 0, 110));
    p.drawText(textArea.translated(2, 2), Qt::AlignLeft | Qt::AlignBottom, QString::fromUtf8(ApplicationTitle.data(), ApplicationTitle.size()));
    p.setPen(Qt::white);
    p.drawText(textArea, Qt::AlignLeft | Qt::AlignBottom, QString::fromUtf8(ApplicationTitle.data(), ApplicationTitle.size()));
    p.setPen(QPen(Amber, std::max<qreal>(1.5, h / 50)));
    p.drawLine(QPointF(textArea.left(), h * 0.68), QPointF(w - 12, h * 0.68));
    p.end();
    return image;
}

QImage Icon(int side)
{
    side = std::max(side, 1);
    QImage image(side, side, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    const qreal s = side;
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);

    QLinearGradient tile(0, 0, s, s);
    tile.setColorAt(0.0, MidBlue.lighter(115));
    tile.setColorAt(1.0, DeepBlue);
    p.setPen(Qt::NoPen);
    p.setBrush(tile);
    const qreal margin = s * 0.04;
    p.drawRoundedRect(QRectF(margin, margin, s - 2 * margin, s - 2 * margin), s * 0.2, s * 0.2);

    DrawDisc(p, QPointF(s * 0.45, s * 0.55), s * 0.36);
    DrawNote(p, QPointF(s * 0.7, s * 0.78), s * 0.5, QColor(0xff, 0xff, 0xff));
    p.end();
    return image;
}

} // namespace dialogs::ProductArt
