#include "TestSkin.h"

#include "player/widgets/RenderedLineCache.h"

#include <gtest/gtest.h>

#include <QPainter>

#include <set>
#include <string>
#include <vector>

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

} // namespace

TEST(RenderedLineCacheTest, HitsDrawOnceAndPlacesKeepTheirPixelsAcrossPages)
{
    widgettest::EnsureApplication();
    RenderedLineCache cache(100, 4);
    const QSize size(10, 3);
    int draws = 0;
    std::vector<RenderedLineCache::Place> places;
    {
        RenderedLineCache::Batch batch(cache, size, 10);
        for (int n = 0; n < 10; ++n)
            places.push_back(batch.Get("line" + std::to_string(n), Paint(widgettest::Distinct(n), &draws)));
        // Asking again within the batch is a hit.
        EXPECT_EQ(batch.Get("line3", Paint(0xFF000000, &draws)).rect, places[3].rect);
    }
    EXPECT_EQ(draws, 10);
    EXPECT_EQ(cache.Size(), 10u);
    std::set<std::pair<std::size_t, int>> distinct;
    for (int n = 0; n < 10; ++n) {
        const auto& place = places[static_cast<std::size_t>(n)];
        EXPECT_EQ(place.rect.size(), size);
        distinct.insert({place.page, place.rect.top()});
        // Every pixel of the line, and none of its neighbours', is its colour.
        EXPECT_EQ(At(cache, place, 0, 0), widgettest::Distinct(n)) << n;
        EXPECT_EQ(At(cache, place, 9, 2), widgettest::Distinct(n)) << n;
    }
    EXPECT_EQ(distinct.size(), 10u);
    EXPECT_EQ(places[9].page, 2u); // four lines a page

    {
        RenderedLineCache::Batch batch(cache, size, 2);
        EXPECT_EQ(batch.Get("line7", Paint(0xFF000000, &draws)).rect, places[7].rect);
    }
    EXPECT_EQ(draws, 10);
}

TEST(RenderedLineCacheTest, ANewLineStartsTransparentEvenInAReusedSlot)
{
    widgettest::EnsureApplication();
    RenderedLineCache cache(2, 2);
    const QSize size(8, 2);
    int draws = 0;
    {
        RenderedLineCache::Batch batch(cache, size, 2);
        (void)batch.Get("a", Paint(0xFFFF0000, &draws));
        (void)batch.Get("b", Paint(0xFF00FF00, &draws));
    }
    // No room for two more: the cache empties and the used are reused.
    RenderedLineCache::Place place;
    {
        RenderedLineCache::Batch batch(cache, size, 2);
        EXPECT_EQ(cache.Size(), 0u);
        place = batch.Get("half", [&](QPainter& p) {
            ++draws;
            p.fillRect(QRect(0, 0, 4, 2), Qt::blue);
        });
    }
    EXPECT_EQ(draws, 3);
    EXPECT_EQ(At(cache, place, 0, 0), 0xFF0000FFu);
    EXPECT_EQ(qAlpha(At(cache, place, 5, 1)), 0); // the old red line is gone
}

TEST(RenderedLineCacheTest, PainterStateDoesNotCarryFromLineToLine)
{
    widgettest::EnsureApplication();
    RenderedLineCache cache;
    int draws = 0;
    RenderedLineCache::Batch batch(cache, QSize(8, 2), 2);
    (void)batch.Get("first", [&](QPainter& p) {
        ++draws;
        p.setPen(Qt::red);
        p.translate(3, 0);
        p.setOpacity(0.5);
    });
    (void)batch.Get("second", [&](QPainter& p) {
        ++draws;
        QImage scratch(1, 1, QImage::Format_ARGB32_Premultiplied);
        QPainter fresh(&scratch);
        EXPECT_EQ(p.pen(), fresh.pen());
        EXPECT_EQ(p.transform(), QTransform::fromTranslate(0, 2)); // the second slot of the page
        EXPECT_EQ(p.opacity(), 1.0);
        EXPECT_EQ(p.clipBoundingRect().toRect(), QRect(0, 0, 8, 2));
    });
    EXPECT_EQ(draws, 2);
}

TEST(RenderedLineCacheTest, ANewSizeEmptiesAndLookUpsBeyondTheAnnouncedCountAreRefused)
{
    widgettest::EnsureApplication();
    RenderedLineCache cache(4, 2);
    int draws = 0;
    {
        RenderedLineCache::Batch batch(cache, QSize(8, 2), 1);
        EXPECT_FALSE(batch.Get("a", Paint(0xFFFF0000, &draws)).rect.isEmpty());
        EXPECT_TRUE(batch.Get("b", Paint(0xFFFF0000, &draws)).rect.isEmpty());
        EXPECT_FALSE(batch.Get("a", Paint(0xFFFF0000, &draws)).rect.isEmpty()); // hits still answer
    }
    EXPECT_EQ(draws, 1);
    {
        RenderedLineCache::Batch batch(cache, QSize(9, 2), 1);
        EXPECT_EQ(cache.Size(), 0u);
        EXPECT_EQ(batch.Get("a", Paint(0xFFFF0000, &draws)).rect.size(), QSize(9, 2));
    }
    EXPECT_EQ(cache.Page(0).width(), 9);
    // A batch larger than the capacity raises it rather than overwriting its own lines.
    {
        RenderedLineCache::Batch batch(cache, QSize(9, 2), 6);
        std::set<std::pair<std::size_t, int>> used;
        for (int n = 0; n < 6; ++n) {
            const auto place = batch.Get("n" + std::to_string(n), Paint(0xFF00FF00, &draws));
            used.insert({place.page, place.rect.top()});
        }
        EXPECT_EQ(used.size(), 6u);
    }
    EXPECT_GE(cache.Capacity(), 6u);
    // An empty size draws nothing.
    RenderedLineCache::Batch empty(cache, QSize(0, 2), 1);
    EXPECT_TRUE(empty.Get("x", Paint(0xFF00FF00, &draws)).rect.isEmpty());
    EXPECT_EQ(draws, 8);
}

TEST(RenderedLineCacheTest, FindAnswersOnlyHeldLinesAndFinishEndsDrawing)
{
    widgettest::EnsureApplication();
    RenderedLineCache cache;
    int draws = 0;
    RenderedLineCache::Batch batch(cache, QSize(6, 2), 3);
    EXPECT_FALSE(batch.Find("a").has_value());
    const auto a = batch.Get("a", Paint(0xFFFF0000, &draws));
    ASSERT_TRUE(batch.Find("a").has_value());
    EXPECT_EQ(batch.Find("a")->rect, a.rect);
    batch.Finish();
    // The page may be read now; the line is there.
    EXPECT_EQ(At(cache, a, 5, 1), 0xFFFF0000u);
    EXPECT_TRUE(batch.Get("b", Paint(0xFF00FF00, &draws)).rect.isEmpty());
    EXPECT_EQ(batch.Get("a", Paint(0xFF00FF00, &draws)).rect, a.rect);
    EXPECT_EQ(draws, 1);
}

// At a pixel ratio of 2 a line covers twice as many device pixels each way,
// is drawn through a doubled painter, and is composed back one device pixel
// for one; a new ratio empties the cache like a new size.
TEST(RenderedLineCacheTest, LinesAtAPixelRatioHoldDevicePixels)
{
    widgettest::EnsureApplication();
    RenderedLineCache cache(8, 2);
    int draws = 0;
    RenderedLineCache::Place first;
    RenderedLineCache::Place second;
    {
        RenderedLineCache::Batch batch(cache, QSize(5, 3), 2, 2);
        first = batch.Get("a", Paint(widgettest::Distinct(1), &draws));
        // Half a logical pixel wide: one device column only.
        second = batch.Get("b", [](QPainter& p) { p.fillRect(QRectF(1.0, 0.0, 0.5, 3.0), Qt::red); });
    }
    EXPECT_EQ(cache.PixelRatio(), 2);
    EXPECT_EQ(first.rect, QRect(0, 0, 5, 3));
    EXPECT_EQ(cache.PixelRect(second), QRect(0, 6, 10, 6));
    const QImage& page = cache.Page(first.page);
    EXPECT_EQ(page.size(), QSize(10, 12));
    EXPECT_EQ(page.devicePixelRatio(), 2.0);
    EXPECT_EQ(page.pixel(9, 5), widgettest::Distinct(1));
    EXPECT_EQ(qAlpha(page.pixel(2, 6)), 255);
    EXPECT_EQ(qAlpha(page.pixel(3, 6)), 0) << "the half pixel was enlarged";

    QImage target(20, 12, QImage::Format_ARGB32_Premultiplied);
    target.setDevicePixelRatio(2);
    target.fill(Qt::black);
    {
        QPainter painter(&target);
        cache.Draw(painter, QPoint(4, 2), second);
    }
    // Logical (4, 2) is device (8, 4); the red column is the line's third device column.
    EXPECT_EQ(target.pixel(10, 4), qRgb(255, 0, 0));
    EXPECT_EQ(target.pixel(10, 9), qRgb(255, 0, 0));
    EXPECT_EQ(target.pixel(11, 4), qRgb(0, 0, 0));
    EXPECT_EQ(target.pixel(9, 4), qRgb(0, 0, 0));
    EXPECT_EQ(target.pixel(10, 3), qRgb(0, 0, 0));
    EXPECT_EQ(target.pixel(10, 10), qRgb(0, 0, 0));

    {
        RenderedLineCache::Batch batch(cache, QSize(5, 3), 1, 1);
        EXPECT_FALSE(batch.Find("a").has_value());
    }
    EXPECT_EQ(cache.Size(), 0u);
}
