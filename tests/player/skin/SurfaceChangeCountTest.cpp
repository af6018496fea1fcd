#include "player/skin/ImageSurface.h"

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
    ImageSurface s(16, 12);
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

TEST(SurfaceChangeCountTest, TellsWhetherAnAreaWasTouchedSinceACount)
{
    ImageSurface s(64, 64);
    const QImage red = Solid(4, 4, 0xFFFF0000);
    const uint64_t mark = s.ChangeCount();
    const Rect area{10, 10, 20, 20};
    EXPECT_FALSE(s.ChangedSince(mark, area));
    s.Copy(red, 0, 0, Rect{0, 0, 4, 4}, RasterOp::SrcCopy);
    s.Copy(red, 0, 0, Rect{20, 10, 24, 14}, RasterOp::SrcCopy); // touches the edge only
    EXPECT_FALSE(s.ChangedSince(mark, area));
    s.Copy(red, 0, 0, Rect{18, 18, 22, 22}, RasterOp::SrcCopy);
    EXPECT_TRUE(s.ChangedSince(mark, area));
    EXPECT_FALSE(s.ChangedSince(s.ChangeCount(), area));

    // Past the remembered changes the answer is yes, even for changes elsewhere.
    const uint64_t old = s.ChangeCount();
    for (int i = 0; i < 40; ++i) s.Copy(red, 0, 0, Rect{40, 40, 44, 44}, RasterOp::SrcCopy);
    EXPECT_TRUE(s.ChangedSince(old, area));
    const uint64_t recent = s.ChangeCount() - 5;
    EXPECT_FALSE(s.ChangedSince(recent, area));

    // A resize or fill touches everything.
    const uint64_t beforeFill = s.ChangeCount();
    s.Fill(Qt::white);
    EXPECT_TRUE(s.ChangedSince(beforeFill, area));
    const uint64_t beforeResize = s.ChangeCount();
    s.Resize(32, 32);
    EXPECT_TRUE(s.ChangedSince(beforeResize, area));
}
