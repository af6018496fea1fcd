#include "TestSkin.h"

#include "player/widgets/RenderedLineCache.h"

#include <gtest/gtest.h>

#include <QPainter>

#include <string>
#include <tuple>

namespace {

// A line filled with one colour, so the pixels tell which line a place holds.
std::function<void(QPainter&)> Paint(QRgb colour, int* draws)
{
    return [colour, draws](QPainter& p) {
        ++*draws;
        p.fillRect(QRect(-50, -50, 500, 500), QColor::fromRgba(colour)); // clipped to the line
    };
}

QRgb At(const RenderedLineCache& cache, const RenderedLineCache::Place& place, int x, int y)
{
    return cache.Page(place.page).pixel(place.rect.left() + x, place.rect.top() + y);
}

class RenderedLineCacheTest : public ::testing::Test {
protected:
    void SetUp() override { widgettest::EnsureApplication(); }
    int m_draws = 0;
};

} // namespace

// What a redraw sees: a line is drawn once and reused until its size
// changes; a new line taking the slot of an old one never shows the old
// line's pixels; at a pixel ratio of 2 a line holds device pixels.
TEST_F(RenderedLineCacheTest, ALineIsDrawnOnceUntilItsSizeChangesAndNeverShowsAnOldLine)
{
    RenderedLineCache cache(2, 2);
    RenderedLineCache::Place red;
    {
        RenderedLineCache::Batch batch(cache, QSize(8, 2), 2);
        red = batch.Get("a", Paint(0xFFFF0000, &m_draws));
        EXPECT_EQ(batch.Get("a", Paint(0xFF000000, &m_draws)).rect, red.rect);
        (void)batch.Get("b", Paint(0xFF00FF00, &m_draws));
    }
    EXPECT_EQ(m_draws, 2);
    EXPECT_EQ(At(cache, red, 7, 1), 0xFFFF0000u);
    // No room for two more: the cache empties and the used slots are reused.
    RenderedLineCache::Place place;
    {
        RenderedLineCache::Batch batch(cache, QSize(8, 2), 2);
        place = batch.Get("half", [&](QPainter& p) { p.fillRect(QRect(0, 0, 4, 2), Qt::blue); });
    }
    EXPECT_EQ(At(cache, place, 0, 0), 0xFF0000FFu);
    EXPECT_EQ(qAlpha(At(cache, place, 5, 1)), 0) << "an old line shows through";
    {
        RenderedLineCache::Batch batch(cache, QSize(9, 2), 1);
        EXPECT_EQ(batch.Get("half", Paint(0xFF00FF00, &m_draws)).rect.size(), QSize(9, 2));
    }
    EXPECT_EQ(m_draws, 3) << "a line of a new width was not drawn again";
    {
        RenderedLineCache::Batch batch(cache, QSize(5, 3), 1, 2);
        // Half a logical pixel wide: one device column only.
        place = batch.Get("b", [](QPainter& p) { p.fillRect(QRectF(1.0, 0.0, 0.5, 3.0), Qt::red); });
    }
    QImage target(20, 12, QImage::Format_ARGB32_Premultiplied);
    target.setDevicePixelRatio(2);
    target.fill(Qt::black);
    {
        QPainter painter(&target);
        cache.Draw(painter, QPoint(4, 2), place);
    }
    // Logical (4, 2) is device (8, 4); the red column is the line's third device column.
    const std::tuple<int, int, bool> pixels[] = {{10, 4, true}, {10, 9, true}, {11, 4, false}, {9, 4, false}, {10, 10, false}};
    for (const auto& [x, y, isRed] : pixels)
        EXPECT_EQ(target.pixel(x, y), isRed ? qRgb(255, 0, 0) : qRgb(0, 0, 0)) << x << "," << y;
}
