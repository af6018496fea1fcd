#include "common/ClsKtGdi.h"

#include "common/KtError.h"

#include <QImage>
#include <QPainter>

#include <gtest/gtest.h>

#include <functional>
#include <vector>

using namespace common;

using platform::Point;
using platform::Rect;

namespace {

class ClsKtGdiTest : public ::testing::Test {
protected:
    QImage Canvas(QColor fill = Qt::white)
    {
        QImage image(40, 40, QImage::Format_RGB32);
        image.fill(fill);
        return image;
    }

    static QRgb Rgb(int32_t colorref)
    {
        const auto v = static_cast<uint32_t>(colorref);
        return qRgb(v & 0xFF, (v >> 8) & 0xFF, (v >> 16) & 0xFF);
    }

    // The pixels of the colour in the area (the whole image by default).
    static int CountColour(const QImage& image, QRgb colour, QRect area = QRect(0, 0, 40, 40))
    {
        int n = 0;
        for (int y = area.top(); y <= area.bottom(); ++y) {
            for (int x = area.left(); x <= area.right(); ++x)
                n += image.pixel(x, y) == colour;
        }
        return n;
    }

    ClsKtGdi gdi;
};

void ExpectRefused(const std::function<void()>& call)
{
    try {
        call();
        ADD_FAILURE() << "no error raised";
    } catch (const KtError& e) {
        EXPECT_EQ(e.Number(), 5);
        EXPECT_EQ(e.Description(), "ユーザ定義のエラー");
    }
}

} // namespace

TEST_F(ClsKtGdiTest, FormatWordsBuildTheFlagsAndAnEmptyTextKeepsThem)
{
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
    const std::vector<std::variant<std::string, int32_t>> words{std::string("Bottom"), int32_t{5}, std::string("noclip")};
    gdi.SetDrawTextFlags(words);
    EXPECT_EQ(gdi.DrawTextFlags(), 0x108u);
}

TEST_F(ClsKtGdiTest, BadPointCountsAndColoursRaiseErrorFiveAndDrawNothing)
{
    QImage image = Canvas();
    QPainter p(&image);
    const std::vector<Point> pts(7, Point{5, 5});
    ExpectRefused([&] { gdi.vbBezier(p, 0, 0, 1, pts, 5); });
    ExpectRefused([&] { gdi.vbBezierTo(p, 0, 0, 1, pts, 0); });
    ExpectRefused([&] { gdi.vbLineEx(p, 0, 0, 1, pts, 1); });
    ExpectRefused([&] { gdi.vbPolygon(p, 0, 0, 1, 0, pts, 1); });
    ExpectRefused([&] { gdi.vbExtFloodFill(p, 1, 1, -1, 0); });
    p.end();
    EXPECT_EQ(CountColour(image, qRgb(255, 255, 255)), 40 * 40);
}

TEST_F(ClsKtGdiTest, RectanglesOutlineTheHalfOpenRectangleAndFillWithTheStockPensAndBrushesAsWell)
{
    QImage image = Canvas();
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
    image = Canvas();
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

TEST_F(ClsKtGdiTest, LinesPolylinesAndCurvesDraw)
{
    QImage image = Canvas();
    {
        QPainter p(&image);
        gdi.vbLine(p, 0x000000, 0, 1, 0, 20, 10, 20);
        const std::vector<Point> pts{{0, 30}, {10, 30}, {10, 39}};
        gdi.vbLineEx(p, 0xFF0000, 0, 1, pts, 2);
        const std::vector<Point> curve{{20, 0}, {25, 10}, {30, 10}, {35, 0}, {36, 5}, {38, 8}, {39, 0}};
        gdi.vbBezier(p, 0x00FF00, 0, 1, curve, 7);
    }
    EXPECT_EQ(image.pixel(0, 20), qRgb(0, 0, 0));
    EXPECT_EQ(image.pixel(9, 20), qRgb(0, 0, 0));
    EXPECT_EQ(image.pixel(10, 20), qRgb(255, 255, 255)) << "the end point is not drawn";
    EXPECT_EQ(image.pixel(5, 30), Rgb(0xFF0000));
    EXPECT_EQ(image.pixel(10, 35), qRgb(255, 255, 255)) << "only nPoint points are used";
    EXPECT_GT(CountColour(image, qRgb(0, 255, 0), QRect(20, 0, 20, 12)), 15);
    EXPECT_GT(CountColour(image, qRgb(0, 255, 0), QRect(36, 0, 4, 12)), 0) << "seven points make two curves";
}

TEST_F(ClsKtGdiTest, FloodFillBorderAndSurfaceModes)
{
    QImage image = Canvas();
    {
        QPainter p(&image);
        gdi.vbRectangle(p, 0x000000, 0, 1, ClsKtGdi::StockHollowBrush, Rect{5, 5, 20, 20});
        gdi.vbExtFloodFill(p, 10, 10, 0x0000FF, 0x000000, 0);
    }
    EXPECT_EQ(image.pixel(10, 10), Rgb(0x0000FF));
    EXPECT_EQ(image.pixel(5, 5), qRgb(0, 0, 0));
    EXPECT_EQ(image.pixel(25, 25), qRgb(255, 255, 255));
    EXPECT_EQ(CountColour(image, Rgb(0x0000FF)), 13 * 13);
    {
        QPainter p(&image);
        gdi.vbExtFloodFill(p, 30, 30, 0x00FF00, 0xFFFFFF, 1);
    }
    EXPECT_EQ(image.pixel(30, 30), qRgb(0, 255, 0));
    EXPECT_EQ(image.pixel(10, 10), Rgb(0x0000FF));
}

TEST_F(ClsKtGdiTest, EdgesUseTheThreeDimensionalColoursOnTheirSides)
{
    QImage image = Canvas(Qt::black);
    {
        QPainter p(&image);
        gdi.RaisedEdge(p, Rect{0, 0, 20, 20});
        gdi.SunkenEdge(p, Rect{20, 20, 40, 40});
    }
    // Raised: light top-left, dark bottom-right on the outer ring.
    EXPECT_EQ(image.pixel(5, 0), Rgb(ClsKtGdi::Colour3DHighlight));
    EXPECT_EQ(image.pixel(19, 5), Rgb(ClsKtGdi::Colour3DDarkShadow));
    EXPECT_EQ(image.pixel(5, 1), Rgb(ClsKtGdi::Colour3DLight));
    EXPECT_EQ(image.pixel(5, 18), Rgb(ClsKtGdi::Colour3DShadow));
    EXPECT_EQ(image.pixel(10, 10), qRgb(0, 0, 0));
    // Sunken: the opposite.
    EXPECT_EQ(image.pixel(25, 20), Rgb(ClsKtGdi::Colour3DShadow));
    EXPECT_EQ(image.pixel(25, 39), Rgb(ClsKtGdi::Colour3DHighlight));
    EXPECT_EQ(image.pixel(25, 38), Rgb(ClsKtGdi::Colour3DLight));
}
