#include "player/skin/ImageSurface.h"
#include "SkinTestSupport.h"

#include <gtest/gtest.h>

#include <vector>

using namespace skin;

using platform::Rect;
using platform::Region;

namespace {

// A picture whose pixel (x, y) holds a colour made from its coordinates, so
// every copied pixel can be traced to its source.
QImage Pattern(int w, int h)
{
    QImage image(w, h, QImage::Format_RGB32);
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x)
            image.setPixel(x, y, qRgb((x * 37) & 0xFF, (y * 59) & 0xFF, ((x + y) * 23) & 0xFF));
    }
    return image;
}

ImageSurface Filled(QRgb colour)
{
    ImageSurface s(16, 12);
    s.Fill(QColor::fromRgb(colour));
    return s;
}

uint32_t Rgb(QRgb c)
{
    return c & 0xFFFFFFu;
}

} // namespace

TEST(DrawingSurfaceTest, EachRasterOperationCombinesEveryPixelAsDefined)
{
    const QImage src = Pattern(20, 20);
    const QRgb background = qRgb(0x5A, 0xC3, 0x0F);
    const Rect dest{3, 2, 11, 9};
    for (RasterOp op : {RasterOp::SrcCopy, RasterOp::SrcAnd, RasterOp::MergePaint}) {
        ImageSurface s = Filled(background);
        s.Copy(src, 5, 7, dest, op);
        for (int y = 0; y < s.Height(); ++y) {
            for (int x = 0; x < s.Width(); ++x) {
                const uint32_t got = Rgb(s.Image().pixel(x, y));
                if (!dest.Includes(x, y)) {
                    ASSERT_EQ(got, Rgb(background)) << "outside the destination " << x << "," << y;
                    continue;
                }
                const uint32_t sp = Rgb(src.pixel(x - dest.left + 5, y - dest.top + 7));
                const uint32_t dp = Rgb(background);
                const uint32_t want = op == RasterOp::SrcCopy ? sp
                    : op == RasterOp::SrcAnd                  ? (dp & sp)
                                                              : ((~sp | dp) & 0xFFFFFFu);
                ASSERT_EQ(got, want) << static_cast<uint32_t>(op) << " at " << x << "," << y;
            }
        }
    }
}

TEST(DrawingSurfaceTest, TheClipRegionLimitsCopiesToItsPixels)
{
    const QImage src = Pattern(16, 12);
    ImageSurface s = Filled(qRgb(0, 0, 0));
    const Region clip = Region(Rect{2, 2, 10, 10}).Subtracted(Region(Rect{4, 4, 6, 6}));
    s.SetClip(clip);
    s.Copy(src, 0, 0, Rect{0, 0, 16, 12}, RasterOp::SrcCopy);
    for (int y = 0; y < 12; ++y) {
        for (int x = 0; x < 16; ++x) {
            const QRgb want = clip.Contains(x, y) ? src.pixel(x, y) : qRgb(0, 0, 0);
            ASSERT_EQ(s.Image().pixel(x, y), want) << x << "," << y;
        }
    }
    s.ClearClip();
    EXPECT_FALSE(s.Clip().has_value());
}

TEST(DrawingSurfaceTest, PixelsOutsideTheSourceReadBlackAndOutsideTheSurfaceAreSkipped)
{
    const QImage src = Pattern(4, 4);
    ImageSurface s = Filled(qRgb(255, 255, 255));
    s.Copy(src, 2, 2, Rect{-1, -1, 5, 5}, RasterOp::SrcCopy);
    // Surface (0,0) maps to source (3,3); (1,1) to (4,4), outside the source.
    EXPECT_EQ(s.Image().pixel(0, 0), src.pixel(3, 3));
    EXPECT_EQ(s.Image().pixel(1, 1), qRgb(0, 0, 0));
    EXPECT_EQ(s.Image().pixel(5, 5), qRgb(255, 255, 255));
}

TEST(DrawingSurfaceTest, PaintersUseTheClipTextColourAndReportTheChange)
{
    ImageSurface s = Filled(qRgb(0, 0, 0));
    std::vector<Rect> changes;
    s.SetChangeListener([&](const Rect& r) { changes.push_back(r); });
    s.SetClip(Region(Rect{0, 0, 8, 12}));
    s.SetTextColor(0x0000FF); // red as a Windows colour value
    {
        SurfacePainter p = s.BeginPaint();
        EXPECT_EQ(p.pen().color(), QColor(255, 0, 0));
        p.fillRect(0, 0, 16, 12, p.pen().color());
    }
    EXPECT_EQ(s.Image().pixel(7, 5), qRgb(255, 0, 0));
    EXPECT_EQ(s.Image().pixel(8, 5), qRgb(0, 0, 0));
    ASSERT_FALSE(changes.empty());
    EXPECT_EQ(changes.back(), (Rect{0, 0, 8, 12}));
}
