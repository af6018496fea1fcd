// The play loop paints through a paint scope: what changes inside it reaches
// the window once, when the outermost scope ends, and nothing is left posted
// for the event loop. Outside a scope, changes wait for the event loop.
#include "SkinTestSupport.h"
#include "player/skin/SkinWindow.h"

#include <QCoreApplication>
#include <QPaintEvent>

#include <gtest/gtest.h>

using platform::Rect;

namespace {

class CountingWindow : public SkinWindow {
public:
    int paints = 0;
    QRegion painted;

protected:
    void paintEvent(QPaintEvent* event) override
    {
        ++paints;
        painted += event->region();
        SkinWindow::paintEvent(event);
    }
};

QImage Red()
{
    QImage image(4, 4, QImage::Format_RGB32);
    image.fill(Qt::red);
    return image;
}

// A shown window whose first paint is over.
void ShowAndSettle(CountingWindow& window)
{
    window.Place(0, 0, 64, 32);
    window.show();
    QCoreApplication::processEvents();
    window.paints = 0;
    window.painted = QRegion();
}

} // namespace

TEST(SkinWindowPaintScopeTest, ChangesInsideAScopeArePaintedOnceWhenTheOutermostEnds)
{
    EnsureGuiApplication();
    CountingWindow window;
    ShowAndSettle(window);
    {
        const SkinWindow::PaintScope outer(window);
        window.Surface().Copy(Red(), 0, 0, Rect{2, 2, 6, 6}, RasterOp::SrcCopy);
        {
            const SkinWindow::PaintScope inner(window);
            window.Surface().Copy(Red(), 0, 0, Rect{40, 10, 44, 14}, RasterOp::SrcCopy);
        }
        EXPECT_EQ(window.paints, 0);
    }
    EXPECT_EQ(window.paints, 1);
    EXPECT_TRUE(window.painted.contains(QRect(2, 2, 4, 4)));
    EXPECT_TRUE(window.painted.contains(QRect(40, 10, 4, 4)));
    EXPECT_FALSE(window.painted.contains(QPoint(20, 20)));

    // Nothing was left for the event loop, and an empty scope paints nothing.
    QCoreApplication::processEvents();
    { const SkinWindow::PaintScope idle(window); }
    EXPECT_EQ(window.paints, 1);
}

TEST(SkinWindowPaintScopeTest, OutsideAScopeTheEventLoopPaintsAndAHiddenWindowForgetsWhatAScopeGathered)
{
    EnsureGuiApplication();
    CountingWindow window;
    ShowAndSettle(window);
    window.Surface().Copy(Red(), 0, 0, Rect{8, 8, 12, 12}, RasterOp::SrcCopy);
    EXPECT_EQ(window.paints, 0);
    QCoreApplication::processEvents();
    EXPECT_EQ(window.paints, 1);
    EXPECT_TRUE(window.painted.contains(QRect(8, 8, 4, 4)));
    window.paints = 0;
    window.hide();
    {
        const SkinWindow::PaintScope scope(window);
        window.Surface().Copy(Red(), 0, 0, Rect{8, 8, 12, 12}, RasterOp::SrcCopy);
    }
    EXPECT_EQ(window.paints, 0);
    // Shown again, the window is painted whole; a later scope paints only
    // its own changes.
    window.show();
    QCoreApplication::processEvents();
    window.paints = 0;
    window.painted = QRegion();
    {
        const SkinWindow::PaintScope scope(window);
        window.Surface().Copy(Red(), 0, 0, Rect{40, 10, 44, 14}, RasterOp::SrcCopy);
    }
    EXPECT_EQ(window.paints, 1);
    EXPECT_FALSE(window.painted.contains(QPoint(9, 9)));
}
