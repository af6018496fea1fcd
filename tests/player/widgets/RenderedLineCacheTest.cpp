#include "TestSkin.h"

#include "player/widgets/RenderedLineCache.h"

#include <gtest/gtest.h>

#include <QPainter>

#include <set>
#include <string>
#include <tuple>
#include <vector>

using widgettest::Distinct;

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

TEST_F(RenderedLineCacheTest, HitsDrawOnceAndPlacesKeepTheirPixelsAcrossPages)
{
    RenderedLineCache cache(100, 4);
    std::vector<RenderedLineCache::Place> places;
    {
        RenderedLineCache::Batch batch(cache, QSize(10, 3), 10);
        EXPECT_FALSE(batch.Find("line0").has_value());
        for (int n = 0; n < 10; ++n)
            places.push_back(batch.Get("line" + std::to_string(n), Paint(Distinct(n), &m_draws)));
        EXPECT_EQ(batch.Get("line3", Paint(0xFF000000, &m_draws)).rect, places[3].rect);
        EXPECT_EQ(batch.Find("line3")->rect, places[3].rect);
    }
    EXPECT_EQ(m_draws, 10);
    std::set<std::pair<std::size_t, int>> distinct;
    for (int n = 0; n < 10; ++n) {
        const auto& place = places[static_cast<std::size_t>(n)];
        distinct.insert({place.page, place.rect.top()});
        EXPECT_EQ(At(cache, place, 0, 0), Distinct(n)) << n;
        EXPECT_EQ(At(cache, place, 9, 2), Distinct(n)) << n;
    }
    EXPECT_EQ(distinct.size(), 10u);
    EXPECT_EQ(places[9].page, 2u); // four lines a page
    RenderedLineCache::Batch again(cache, QSize(10, 3), 2);
    EXPECT_EQ(again.Get("line7", Paint(0xFF000000, &m_draws)).rect, places[7].rect);
    // After Finish only lines already held are answered.
    again.Finish();
    EXPECT_TRUE(again.Get("new", Paint(0xFF000000, &m_draws)).rect.isEmpty());
    EXPECT_EQ(m_draws, 10);
}

TEST_F(RenderedLineCacheTest, ANewLineStartsTransparentWithAFreshPainterEvenInAReusedSlot)
{
    RenderedLineCache cache(2, 2);
    {
        RenderedLineCache::Batch batch(cache, QSize(8, 2), 2);
        (void)batch.Get("a", [&](QPainter& p) {
            p.fillRect(QRect(0, 0, 8, 2), Qt::red);
            p.setPen(Qt::red);
            p.translate(3, 0);
            p.setOpacity(0.5);
        });
        (void)batch.Get("b", [&](QPainter& p) {
            QImage scratch(1, 1, QImage::Format_ARGB32_Premultiplied);
            QPainter fresh(&scratch);
            EXPECT_EQ(p.pen(), fresh.pen());
            EXPECT_EQ(p.transform(), QTransform::fromTranslate(0, 2)); // the second slot of the page
            EXPECT_EQ(p.opacity(), 1.0);
            EXPECT_EQ(p.clipBoundingRect().toRect(), QRect(0, 0, 8, 2));
            p.fillRect(QRect(0, 0, 8, 2), Qt::green);
        });
    }
    // No room for two more: the cache empties and the used slots are reused.
    RenderedLineCache::Place place;
    {
        RenderedLineCache::Batch batch(cache, QSize(8, 2), 2);
        EXPECT_EQ(cache.Size(), 0u);
        place = batch.Get("half", [&](QPainter& p) { p.fillRect(QRect(0, 0, 4, 2), Qt::blue); });
    }
    EXPECT_EQ(At(cache, place, 0, 0), 0xFF0000FFu);
    EXPECT_EQ(qAlpha(At(cache, place, 5, 1)), 0) << "the old red line shows through";
}

TEST_F(RenderedLineCacheTest, ANewSizeEmptiesAndLookUpsBeyondTheAnnouncedCountAreRefused)
{
    RenderedLineCache cache(4, 2);
    {
        RenderedLineCache::Batch batch(cache, QSize(8, 2), 1);
        EXPECT_FALSE(batch.Get("a", Paint(0xFFFF0000, &m_draws)).rect.isEmpty());
        EXPECT_TRUE(batch.Get("b", Paint(0xFFFF0000, &m_draws)).rect.isEmpty());
        EXPECT_FALSE(batch.Get("a", Paint(0xFFFF0000, &m_draws)).rect.isEmpty()); // hits still answer
    }
    {
        RenderedLineCache::Batch batch(cache, QSize(9, 2), 1);
        EXPECT_EQ(cache.Size(), 0u);
        EXPECT_EQ(batch.Get("a", Paint(0xFFFF0000, &m_draws)).rect.size(), QSize(9, 2));
    }
    // A batch larger than the capacity raises it rather than overwriting its own lines.
    {
        RenderedLineCache::Batch batch(cache, QSize(9, 2), 6);
        std::set<std::pair<std::size_t, int>> used;
        for (int n = 0; n < 6; ++n) {
            const auto place = batch.Get("n" + std::to_string(n), Paint(0xFF00FF00, &m_draws));
            used.insert({place.page, place.rect.top()});
        }
        EXPECT_EQ(used.size(), 6u);
    }
    // An empty size draws nothing.
    RenderedLineCache::Batch empty(cache, QSize(0, 2), 1);
    EXPECT_TRUE(empty.Get("x", Paint(0xFF00FF00, &m_draws)).rect.isEmpty());
    EXPECT_EQ(m_draws, 8);
}

// At a pixel ratio of 2 a line covers twice as many device pixels each way,
// is drawn through a doubled painter, and is composed back one device pixel
// for one; a new ratio empties the cache like a new size.
TEST_F(RenderedLineCacheTest, LinesAtAPixelRatioHoldDevicePixels)
{
    RenderedLineCache cache(8, 2);
    RenderedLineCache::Place first;
    RenderedLineCache::Place second;
    {
        RenderedLineCache::Batch batch(cache, QSize(5, 3), 2, 2);
        first = batch.Get("a", Paint(Distinct(1), &m_draws));
        // Half a logical pixel wide: one device column only.
        second = batch.Get("b", [](QPainter& p) { p.fillRect(QRectF(1.0, 0.0, 0.5, 3.0), Qt::red); });
    }
    EXPECT_EQ(cache.PixelRect(second), QRect(0, 6, 10, 6));
    const QImage& page = cache.Page(first.page);
    EXPECT_EQ(page.size(), QSize(10, 12));
    EXPECT_EQ(page.pixel(9, 5), Distinct(1));
    EXPECT_EQ(qAlpha(page.pixel(3, 6)), 0) << "the half pixel was enlarged";

    QImage target(20, 12, QImage::Format_ARGB32_Premultiplied);
    target.setDevicePixelRatio(2);
    target.fill(Qt::black);
    {
        QPainter painter(&target);
        cache.Draw(painter, QPoint(4, 2), second);
    }
    // Logical (4, 2) is device (8, 4); the red column is the line's third device column.
    const std::tuple<int, int, bool> pixels[] = {{10, 4, true}, {10, 9, true}, {11, 4, false}, {9, 4, false}, {10, 3, false}, {10, 10, false}};
    for (const auto& [x, y, red] : pixels)
        EXPECT_EQ(target.pixel(x, y), red ? qRgb(255, 0, 0) : qRgb(0, 0, 0)) << x << "," << y;
    {
        RenderedLineCache::Batch batch(cache, QSize(5, 3), 1, 1);
        EXPECT_FALSE(batch.Find("a").has_value());
    }
    EXPECT_EQ(cache.Size(), 0u);
}
