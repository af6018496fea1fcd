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

#include <string>
#include <vector>

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
                 : (flags & ClsKtGdi::DT_RIGHT) ? Qt::AlignRight
                                                : Qt::AlignLeft;
        align |= (flags & ClsKtGdi::DT_VCENTER) ? Qt::AlignVCenter
                 : (flags & ClsKtGdi::DT_BOTTOM) ? Qt::AlignBottom
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

    static QImage Blank(QImage::Format format)
    {
        QImage image(120, 30, format);
        image.fill(format == QImage::Format_RGB32 ? QColor(30, 60, 90) : QColor(Qt::transparent));
        return image;
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

TEST_F(ClsKtGdiTextTest, PlainLinesMatchTheRectangleForm)
{
    const std::vector<std::string> flagWords = {"left,singleline,vcenter,end_ellipsis", "left,singleline",
                                                "singleline,bottom,end_ellipsis", "singleline,vcenter,path_ellipsis",
                                                "singleline,vcenter,noclip", "right,singleline,vcenter",
                                                "center,singleline,vcenter,end_ellipsis",
                                                "right,singleline,bottom,end_ellipsis"};
    const std::vector<QRect> boxes = {QRect(3, 2, 90, 14), QRect(0, 5, 70, 13), QRect(7, 1, 60, 8),
                                      QRect(2, 0, 100, 21)};
    int compared = 0;
    for (const QImage::Format format : {QImage::Format_ARGB32_Premultiplied, QImage::Format_RGB32})
        for (const QFont& font : Fonts())
            for (const std::string& words : flagWords)
                for (const QRect& box : boxes)
                    for (const std::string& text : Texts()) {
                        ClsKtGdi gdi;
                        gdi.ResolveDrawTextFlags(words);
                        QImage drawn = Blank(format);
                        QImage expected = Blank(format);
                        {
                            QPainter p(&drawn);
                            p.setFont(font);
                            p.setPen(QColor(250, 200, 10));
                            gdi.vbDrawText(p, text, Rect{box.left(), box.top(), box.right() + 1, box.bottom() + 1});
                            QPainter q(&expected);
                            q.setFont(font);
                            q.setPen(QColor(250, 200, 10));
                            Reference(q, gdi.DrawTextFlags(), text, box);
                        }
                        ASSERT_TRUE(drawn == expected) << words << " / " << text << " / " << font.toString().toStdString()
                                                   << " / " << box.height();
                        ++compared;
                    }
    EXPECT_EQ(compared, 2 * 5 * 8 * 4 * 20);
}

TEST_F(ClsKtGdiTextTest, WithoutPrefixesAmpersandsAreCharacters)
{
    const std::vector<std::string> flagWords = {"left,singleline,vcenter,end_ellipsis,noprefix",
                                                "right,singleline,vcenter,noprefix",
                                                "center,singleline,vcenter,end_ellipsis,noprefix",
                                                "singleline,vcenter,path_ellipsis,noprefix", "noprefix"};
    const std::vector<std::string> texts = {"Song & Dance", "Rock && Roll", "Trailing &", "&", "&&",
                                            "Tom & Jerry & friends, a title too long for its box"};
    const std::vector<QRect> boxes = {QRect(3, 2, 90, 14), QRect(7, 1, 60, 8)};
    int compared = 0;
    for (const QImage::Format format : {QImage::Format_ARGB32_Premultiplied, QImage::Format_RGB32})
        for (const QFont& font : Fonts())
            for (const std::string& words : flagWords)
                for (const QRect& box : boxes)
                    for (const std::string& text : texts) {
                        ClsKtGdi gdi;
                        gdi.ResolveDrawTextFlags(words);
                        QImage drawn = Blank(format);
                        QImage expected = Blank(format);
                        {
                            QPainter p(&drawn);
                            p.setFont(font);
                            p.setPen(QColor(250, 200, 10));
                            gdi.vbDrawText(p, text, Rect{box.left(), box.top(), box.right() + 1, box.bottom() + 1});
                            QPainter q(&expected);
                            q.setFont(font);
                            q.setPen(QColor(250, 200, 10));
                            Reference(q, gdi.DrawTextFlags(), text, box);
                        }
                        ASSERT_TRUE(drawn == expected) << words << " / " << text << " / " << font.toString().toStdString();
                        ++compared;
                    }
    EXPECT_EQ(compared, 2 * 5 * 5 * 2 * 6);

    // The last "&" is drawn, not swallowed as a mark with nothing to mark.
    ClsKtGdi gdi;
    gdi.ResolveDrawTextFlags("left,singleline,vcenter,noprefix");
    QImage withAmpersand = Blank(QImage::Format_RGB32);
    QImage without = Blank(QImage::Format_RGB32);
    {
        QPainter p(&withAmpersand);
        gdi.vbDrawText(p, "Trailing &", Rect{2, 3, 112, 17});
        QPainter q(&without);
        gdi.vbDrawText(q, "Trailing ", Rect{2, 3, 112, 17});
    }
    EXPECT_FALSE(withAmpersand == without);
}

TEST_F(ClsKtGdiTextTest, OtherTextKeepsPrefixesAndOtherFaces)
{
    QFont font(QStringLiteral("IPAGothic"));
    font.setPixelSize(11);
    ClsKtGdi gdi;
    gdi.ResolveDrawTextFlags("left,singleline,vcenter,end_ellipsis");
    const QRect box(2, 3, 110, 14);
    for (const std::string text : {"Tom & Jerry", "&Play", "曲名 - 歌手", "Café au lait", "one\ttab"}) {
        QImage drawn = Blank(QImage::Format_ARGB32_Premultiplied);
        QImage expected = Blank(QImage::Format_ARGB32_Premultiplied);
        {
            QPainter p(&drawn);
            p.setFont(font);
            gdi.vbDrawText(p, text, Rect{2, 3, 112, 17});
            QPainter q(&expected);
            q.setFont(font);
            Reference(q, gdi.DrawTextFlags(), text, box);
        }
        EXPECT_TRUE(drawn == expected) << text;
    }
    // A prefix makes the next letter underlined rather than showing "&".
    QImage prefixed = Blank(QImage::Format_ARGB32_Premultiplied);
    QImage plain = Blank(QImage::Format_ARGB32_Premultiplied);
    {
        QPainter p(&prefixed);
        p.setFont(font);
        gdi.vbDrawText(p, "&P", Rect{2, 3, 112, 17});
        QPainter q(&plain);
        q.setFont(font);
        gdi.vbDrawText(q, "P", Rect{2, 3, 112, 17});
    }
    EXPECT_FALSE(prefixed == plain);
}
