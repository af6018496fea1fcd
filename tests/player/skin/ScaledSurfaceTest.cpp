// Surfaces above scale 1: every block copy, clip and picture lands as the
// scale-1 result with each pixel made a block of the scale, while text is
// drawn afresh at the scaled size rather than enlarged.
#include "player/skin/ImageSurface.h"
#include "player/skin/RasterCopy.h"
#include "SkinTestSupport.h"

#include <gtest/gtest.h>

using platform::Rect;
using platform::Region;

namespace {

// A picture whose neighbouring pixels all differ.
QImage Pattern(int width, int height, int seed)
{
    QImage image(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            image.setPixel(x, y, qRgb((x * 37 + seed) & 0xFF, (y * 53 + seed * 3) & 0xFF, ((x + y) * 29 + seed) & 0xFF));
    return image;
}

// Copies of every kind: solid, masked (MERGEPAINT then SRCAND), clipped by
// a region of two parts, partly outside the source and the surface, and a
// copy within the surface itself.
void DrawSequence(DrawingSurface& surface, const QImage& picture, const QImage& loose)
{
    surface.KeepPictures({&picture});
    surface.Copy(picture, 0, 0, Rect{0, 0, 40, 30}, RasterOp::SrcCopy);
    surface.SetClip(Region(Rect{5, 5, 20, 20}).United(Region(Rect{25, 2, 30, 28})));
    surface.Copy(picture, 10, 3, Rect{0, 0, 40, 30}, RasterOp::MergePaint);
    surface.Copy(picture, 2, 7, Rect{0, 0, 40, 30}, RasterOp::SrcAnd);
    surface.ClearClip();
    surface.Copy(loose, 8, 6, Rect{20, 12, 60, 50}, RasterOp::SrcCopy);
    surface.Copy(picture, -4, 20, Rect{-3, 28, 12, 40}, RasterOp::MergePaint);
    surface.Copy(surface.Image(), 0, 0, Rect{10, 10, 30, 20}, RasterOp::SrcCopy);
}

} // namespace

TEST(ScaledSurfaceTest, EnlargingMakesEveryPixelABlock)
{
    const QImage picture = Pattern(7, 5, 1);
    for (const int factor : {1, 2, 3}) {
        const QImage big = EnlargePicture(picture, factor);
        ASSERT_EQ(big.size(), picture.size() * factor);
        ASSERT_EQ(big.format(), QImage::Format_RGB32);
        for (int y = 0; y < big.height(); ++y)
            for (int x = 0; x < big.width(); ++x)
                ASSERT_EQ(big.pixel(x, y), picture.pixel(x / factor, y / factor)) << factor << " at " << x << "," << y;
    }
    EXPECT_TRUE(EnlargePicture(QImage(), 2).isNull());
}

TEST(ScaledSurfaceTest, EveryCopyLandsAsTheScaleOneResultEnlarged)
{
    const QImage picture = Pattern(36, 32, 5);
    const QImage loose = Pattern(30, 30, 9).convertToFormat(QImage::Format_ARGB32);
    ImageSurface plain(48, 40);
    DrawSequence(plain, picture, loose);
    for (const int scale : {2, 3}) {
        ImageSurface scaled;
        scaled.SetScale(scale);
        scaled.Resize(48, 40);
        EXPECT_EQ(scaled.Width(), 48);
        EXPECT_EQ(scaled.Height(), 40);
        ASSERT_EQ(scaled.Image().size(), QSize(48, 40) * scale);
        DrawSequence(scaled, picture, loose);
        EXPECT_EQ(scaled.Image(), EnlargePicture(plain.Image(), scale)) << "scale " << scale;
    }
}

TEST(ScaledSurfaceTest, ANewScaleKeepsTheSizeAndClearsTheContent)
{
    ImageSurface surface(25, 15);
    surface.Fill(Qt::white);
    surface.SetScale(3);
    EXPECT_EQ(surface.Width(), 25);
    EXPECT_EQ(surface.Height(), 15);
    EXPECT_EQ(surface.Image().size(), QSize(75, 45));
    EXPECT_EQ(surface.Image().pixel(40, 20), qRgb(0, 0, 0));
    surface.SetScale(9);
    EXPECT_EQ(surface.Scale(), DrawingSurface::MaxScale);
    surface.SetScale(0);
    EXPECT_EQ(surface.Scale(), 1);
    EXPECT_EQ(surface.Image().size(), QSize(25, 15));
}

// Text at scale 2 covers twice the extent of the text at scale 1, but is no
// enlarged copy of it: the glyphs' edges fall inside the 2 x 2 blocks.
TEST(ScaledSurfaceTest, TextIsDrawnAtTheScaledSizeNotEnlarged)
{
    EnsureGuiApplication();
    auto draw = [](int scale) {
        ImageSurface surface;
        surface.SetScale(scale);
        surface.Resize(120, 20);
        surface.Fill(Qt::white);
        surface.SetClip(Region(Rect{0, 0, 100, 20}));
        SurfacePainter painter = surface.BeginPaint();
        painter.drawText(QPoint(4, 14), QStringLiteral("Zelko 再生"));
        return surface.Image();
    };
    auto inkBox = [](const QImage& image) {
        QRect box;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                if (image.pixel(x, y) != qRgb(255, 255, 255))
                    box |= QRect(x, y, 1, 1);
        return box;
    };
    const QImage one = draw(1);
    const QImage two = draw(2);
    const QRect small = inkBox(one);
    const QRect large = inkBox(two);
    ASSERT_FALSE(small.isEmpty());
    EXPECT_LE(std::abs(large.left() - small.left() * 2), 2);
    EXPECT_LE(std::abs(large.right() + 1 - (small.right() + 1) * 2), 3);
    EXPECT_LE(std::abs(large.top() - small.top() * 2), 3);
    EXPECT_LE(std::abs(large.bottom() + 1 - (small.bottom() + 1) * 2), 3);
    EXPECT_LE(large.right(), 200) << "text drawn outside the clip";
    int splitBlocks = 0;
    for (int y = 0; y + 1 < two.height(); y += 2)
        for (int x = 0; x + 1 < two.width(); x += 2) {
            const QRgb p = two.pixel(x, y);
            if (two.pixel(x + 1, y) != p || two.pixel(x, y + 1) != p || two.pixel(x + 1, y + 1) != p)
                ++splitBlocks;
        }
    EXPECT_GT(splitBlocks, 20) << "the text looks like an enlarged bitmap";
    EXPECT_NE(two, EnlargePicture(one, 2));
}
