#include "common/ClsKtGdi.h"

#include <QImage>
#include <QPainter>

#include <gtest/gtest.h>

using namespace common;

using platform::Rect;

namespace {

QImage WhiteCanvas()
{
    QImage image(40, 40, QImage::Format_RGB32);
    image.fill(Qt::white);
    return image;
}

QRgb Rgb(int32_t colorref)
{
    const auto v = static_cast<uint32_t>(colorref);
    return qRgb(v & 0xFF, (v >> 8) & 0xFF, (v >> 16) & 0xFF);
}

int CountColour(const QImage& image, QRgb colour)
{
    int n = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x)
            n += image.pixel(x, y) == colour;
    }
    return n;
}

} // namespace

TEST(ClsKtGdiTest, FormatWordsBuildTheFlagsAndAnEmptyTextKeepsThem)
{
    ClsKtGdi gdi;
    gdi.ResolveDrawTextFlags("left,singleline,vcenter,end_ellipsis");
    EXPECT_EQ(gdi.DrawTextFlags(), 0x8024u);
    gdi.ResolveDrawTextFlags("");
    EXPECT_EQ(gdi.DrawTextFlags(), 0x8024u);
    gdi.ResolveDrawTextFlags("center,,vcenter");
    EXPECT_EQ(gdi.DrawTextFlags(), 0x5u);
    gdi.ResolveDrawTextFlags("right, CENTER"); // the blank makes the second word unknown
    EXPECT_EQ(gdi.DrawTextFlags(), 0x2u);
    gdi.ResolveDrawTextFlags("RasPrinter,WordBreak,unknown");
    EXPECT_EQ(gdi.DrawTextFlags(), 0x12u);
}

TEST(ClsKtGdiTest, RectanglesOutlineTheHalfOpenRectangleAndFillWithTheStockPensAndBrushesAsWell)
{
    ClsKtGdi gdi;
    QImage image = WhiteCanvas();
    {
        QPainter p(&image);
        gdi.vbRectangle(p, 0x0000FF, 0, 1, 0x00FF00, Rect{5, 5, 15, 12});
    }
    EXPECT_EQ(image.pixel(5, 5), Rgb(0x0000FF));
    EXPECT_EQ(image.pixel(14, 11), Rgb(0x0000FF));
    EXPECT_EQ(image.pixel(15, 11), qRgb(255, 255, 255));
    EXPECT_EQ(image.pixel(14, 12), qRgb(255, 255, 255));
    EXPECT_EQ(image.pixel(8, 8), Rgb(0x00FF00));
    EXPECT_EQ(CountColour(image, Rgb(0x0000FF)), 2 * 10 + 2 * 5);

    // The empty stock pen fills without an outline and leaves the painter as it was.
    image = WhiteCanvas();
    QPainter p(&image);
    p.setPen(QPen(Qt::red, 3));
    p.setBrush(Qt::blue);
    gdi.vbRectangle(p, ClsKtGdi::StockNullPen, 0, 1, 0x00FF00, Rect{0, 0, 10, 10});
    EXPECT_EQ(p.pen().color(), QColor(Qt::red));
    EXPECT_EQ(p.brush().color(), QColor(Qt::blue));
    // The hollow brush draws only the dotted debug frame.
    gdi.vbRectangle(p, 0xFF00FF, 2, 1, ClsKtGdi::StockHollowBrush, Rect{12, 12, 32, 32});
    p.end();
    EXPECT_EQ(CountColour(image, Rgb(0x00FF00)), 9 * 9);
    EXPECT_EQ(image.pixel(9, 0), qRgb(255, 255, 255));
    const int magenta = CountColour(image, qRgb(255, 0, 255));
    EXPECT_GT(magenta, 20);
    EXPECT_LT(magenta, 4 * 20) << "a dotted frame leaves gaps";
    EXPECT_EQ(image.pixel(22, 22), qRgb(255, 255, 255));
}
