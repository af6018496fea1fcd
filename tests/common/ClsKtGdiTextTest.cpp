// Single lines of plain text take a shorter way through vbDrawText than other
// text; both must give the pixels of Qt's own rectangle text drawing with the
// matching alignment, prefix and elision options.
#include "common/ClsKtGdi.h"

#include <QFont>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

using namespace common;

using platform::Rect;

namespace {

class ClsKtGdiTextTest : public ::testing::Test {
protected:
    // The reference: the text drawn in the box by Qt's rectangle form.
    static void Reference(QPainter& p, uint32_t flags, const std::string& s, const QRect& box)
    {
        const int prefixes = (flags & ClsKtGdi::DT_NOPREFIX) ? 0 : Qt::TextShowMnemonic;
        int align = prefixes;
        align |= (flags & ClsKtGdi::DT_CENTER) ? Qt::AlignHCenter
            : (flags & ClsKtGdi::DT_RIGHT)     ? Qt::AlignRight
                                               : Qt::AlignLeft;
        align |= (flags & ClsKtGdi::DT_VCENTER) ? Qt::AlignVCenter
            : (flags & ClsKtGdi::DT_BOTTOM)     ? Qt::AlignBottom
                                                : Qt::AlignTop;
        QString text = QString::fromStdString(s);
        if (flags & (ClsKtGdi::DT_END_ELLIPSIS | ClsKtGdi::DT_PATH_ELLIPSIS))
            text = p.fontMetrics().elidedText(text, (flags & ClsKtGdi::DT_PATH_ELLIPSIS) ? Qt::ElideMiddle : Qt::ElideRight,
                                              box.width(), prefixes);
        p.save();
        if (!(flags & ClsKtGdi::DT_NOCLIP))
            p.setClipRect(box);
        p.drawText(box, align, text);
        p.restore();
    }

    // What draw paints in the font and pen on a blank image.
    static QImage Drawn(QImage::Format format, const QFont& font, const std::function<void(QPainter&)>& draw)
    {
        QImage image(120, 30, format);
        image.fill(format == QImage::Format_RGB32 ? QColor(30, 60, 90) : QColor(Qt::transparent));
        QPainter p(&image);
        p.setFont(font);
        p.setPen(QColor(250, 200, 10));
        draw(p);
        return image;
    }

    // vbDrawText against the reference for every combination; how many matched
    // before the first that did not.
    static int Compare(const std::vector<std::string>& flagWords, const std::vector<std::string>& texts,
                       const std::vector<QRect>& boxes, const std::vector<QFont>& fonts)
    {
        int compared = 0;
        for (const QImage::Format format : {QImage::Format_ARGB32_Premultiplied, QImage::Format_RGB32})
            for (const QFont& font : fonts)
                for (const std::string& words : flagWords)
                    for (const QRect& box : boxes)
                        for (const std::string& text : texts) {
                            ClsKtGdi gdi;
                            gdi.ResolveDrawTextFlags(words);
                            const Rect rect{box.left(), box.top(), box.right() + 1, box.bottom() + 1};
                            const QImage drawn = Drawn(format, font, [&](QPainter& p) { gdi.vbDrawText(p, text, rect); });
                            const QImage expected = Drawn(format, font, [&](QPainter& p) { Reference(p, gdi.DrawTextFlags(), text, box); });
                            if (drawn != expected) {
                                ADD_FAILURE() << words << " / " << text << " / " << font.toString().toStdString() << " / " << box.height();
                                return compared;
                            }
                            ++compared;
                        }
        return compared;
    }
};

std::vector<QFont> Fonts()
{
    QFont gothic(QStringLiteral("IPAGothic"));
    gothic.setPixelSize(11);
    QFont small = gothic;
    small.setPixelSize(9);
    QFont points = QGuiApplication::font();
    points.setPointSizeF(10.5);
    QFont bold = points;
    bold.setBold(true);
    QFont proportional(QStringLiteral("IPAPGothic"));
    proportional.setPixelSize(11);
    return {gothic, small, points, bold, proportional};
}

std::vector<std::string> Texts()
{
    std::vector<std::string> texts = {"12.Title - Artist", "W", "  leading and trailing  ", "Ends  ",
                                      "Numbers 0123456789 ~!@#$%^*()_+{}|:\"<>?",
                                      "A title much too long for its box, so it ends in an ellipsis"};
    // Around the width where the cut begins, one character at a time.
    std::string growing = "Widening";
    for (int n = 0; n < 14; ++n)
        texts.push_back(growing += static_cast<char>('a' + n));
    return texts;
}

} // namespace

TEST_F(ClsKtGdiTextTest, PlainLinesAndOtherTextMatchTheRectangleForm)
{
    const std::vector<std::string> flagWords = {"left,singleline,vcenter,end_ellipsis", "left,singleline",
                                                "singleline,bottom,end_ellipsis", "singleline,vcenter,path_ellipsis",
                                                "singleline,vcenter,noclip", "right,singleline,vcenter",
                                                "center,singleline,vcenter,end_ellipsis",
                                                "right,singleline,bottom,end_ellipsis"};
    const std::vector<QRect> boxes = {QRect(3, 2, 90, 14), QRect(0, 5, 70, 13), QRect(7, 1, 60, 8),
                                      QRect(2, 0, 100, 21)};
    EXPECT_EQ(Compare(flagWords, Texts(), boxes, Fonts()), 2 * 5 * 8 * 4 * 20);

    // Without prefixes every "&" is a character, the last one too.
    const std::vector<std::string> noPrefix = {"left,singleline,vcenter,end_ellipsis,noprefix",
                                               "right,singleline,vcenter,noprefix",
                                               "singleline,vcenter,path_ellipsis,noprefix", "noprefix"};
    const std::vector<std::string> ampersands = {"Song & Dance", "Rock && Roll", "Trailing &", "&&",
                                                 "Tom & Jerry & friends, a title too long for its box"};
    EXPECT_EQ(Compare(noPrefix, ampersands, {QRect(3, 2, 90, 14), QRect(7, 1, 60, 8)}, Fonts()), 2 * 5 * 4 * 2 * 5);

    // Text off the short way: prefixes, and characters beyond plain ASCII.
    EXPECT_EQ(Compare({"left,singleline,vcenter,end_ellipsis"},
                      {"Tom & Jerry", "&Play", "曲名 - 歌手", "Café au lait", "one\ttab"}, {QRect(2, 3, 110, 14)},
                      {Fonts().front()}),
              2 * 5);
}
