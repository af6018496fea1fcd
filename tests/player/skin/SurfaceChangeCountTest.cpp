#include "player/skin/DrawingSurface.h"

#include <gtest/gtest.h>

using platform::Rect;
using platform::Region;

namespace {

QImage Solid(int w, int h, QRgb colour)
{
    QImage image(w, h, QImage::Format_RGB32);
    image.fill(colour);
    return image;
}

} // namespace

// The change count tells a painter whether anybody drew since it last did:
// it moves with every operation that touches pixels, and only with those.
TEST(SurfaceChangeCountTest, MovesWithEveryChangeAndOnlyThen)
{
    DrawingSurface s(16, 12);
    const QImage red = Solid(4, 4, 0xFFFF0000);
    uint64_t count = s.ChangeCount();

    s.Copy(red, 0, 0, Rect{2, 2, 6, 6}, RasterOp::SrcCopy);
    EXPECT_EQ(s.ChangeCount(), count + 1);
    count = s.ChangeCount();

    // Nothing touched: an empty box, a box outside the surface, a box
    // outside the clip.
    s.Copy(red, 0, 0, Rect{3, 3, 3, 8}, RasterOp::SrcCopy);
    s.Copy(red, 0, 0, Rect{20, 20, 24, 24}, RasterOp::SrcCopy);
    s.SetClip(Region(Rect{0, 0, 2, 2}));
    s.Copy(red, 0, 0, Rect{8, 8, 12, 12}, RasterOp::SrcAnd);
    EXPECT_EQ(s.ChangeCount(), count);
    s.ClearClip();

    s.Fill(Qt::black);
    EXPECT_EQ(s.ChangeCount(), count + 1);
    s.Resize(0, 0);
    EXPECT_EQ(s.ChangeCount(), count + 2);
    s.Resize(8, 8);
    EXPECT_EQ(s.ChangeCount(), count + 3);
    {
        SurfacePainter painter = s.BeginPaint();
        painter.drawLine(0, 0, 4, 4);
    }
    EXPECT_EQ(s.ChangeCount(), count + 4);
}
