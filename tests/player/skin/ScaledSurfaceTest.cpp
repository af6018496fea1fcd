#include "player/skin/ImageSurface.h"
#include "player/skin/RasterCopy.h"
#include "SkinTestSupport.h"

#include <gtest/gtest.h>

using namespace skin;

using platform::Rect;
using platform::Region;

namespace {

QImage Pattern(int width, int height, int seed)
{
    QImage image(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            image.setPixel(x, y, qRgb((x * 37 + seed) & 0xFF, (y * 53 + seed * 3) & 0xFF, ((x + y) * 29 + seed) & 0xFF));
    return image;
}

// Copies solid, masked, clipped, partly outside the source and the surface, and within the surface.
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

TEST(ScaledSurfaceTest, EveryCopyLandsAsTheScaleOneResultInBlocks)
{
    const QImage picture = Pattern(36, 32, 5);
    const QImage loose = Pattern(30, 30, 9).convertToFormat(QImage::Format_ARGB32);
    ImageSurface plain(48, 40);
    DrawSequence(plain, picture, loose);
    for (const int scale : {2, 3}) {
        ImageSurface scaled;
        scaled.SetScale(scale);
        scaled.Resize(48, 40);
        ASSERT_EQ(scaled.Image().size(), QSize(48, 40) * scale);
        DrawSequence(scaled, picture, loose);
        for (int y = 0; y < 40 * scale; ++y)
            for (int x = 0; x < 48 * scale; ++x)
                ASSERT_EQ(scaled.Image().pixel(x, y), plain.Image().pixel(x / scale, y / scale))
                    << "scale " << scale << " at " << x << "," << y;
    }
}

// Text at scale 2 covers twice the extent of the text at scale 1, but is no
// enlarged copy of it: the glyphs' edges fall inside the 2 x 2 blocks.
TEST(ScaledSurfaceTest, TextIsDrawnAtTheScaledSizeNotEnlarged)
{
    auto draw = [](int scale) {
        ImageSurface surface;
        surface.SetScale(scale);
        surface.Resize(120, 20);
        surface.Fill(Qt::white);
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
    const QImage two = draw(2);
    const QRect small = inkBox(draw(1));
    const QRect large = inkBox(two);
    ASSERT_FALSE(small.isEmpty());
    EXPECT_LE(std::abs(large.left() - small.left() * 2), 2);
    EXPECT_LE(std::abs(large.right() + 1 - (small.right() + 1) * 2), 3);
    EXPECT_LE(std::abs(large.top() - small.top() * 2), 3);
    EXPECT_LE(std::abs(large.bottom() + 1 - (small.bottom() + 1) * 2), 3);
    int splitBlocks = 0;
    for (int y = 0; y + 1 < two.height(); y += 2)
        for (int x = 0; x + 1 < two.width(); x += 2) {
            const QRgb p = two.pixel(x, y);
            if (two.pixel(x + 1, y) != p || two.pixel(x, y + 1) != p || two.pixel(x + 1, y + 1) != p)
                ++splitBlocks;
        }
    EXPECT_GT(splitBlocks, 20) << "the text looks like an enlarged bitmap";
}
