#pragma once
// The window of the floor programs: the player's default skin size, a
// 10-ms precise timer, and per tick either nothing or an update of a 180x40
// area whose colour changes every tick (so that real pixels travel). A
// program may hand it more work to do on each tick.
#include <QPaintEvent>
#include <QPainter>
#include <QTimer>
#include <QWidget>

#include <functional>

enum class FloorWork { Nothing,
                       Repaint };

class FloorWindow : public QWidget {
public:
    explicit FloorWindow(FloorWork work, std::function<void()> tick = {})
        : m_work(work)
        , m_tick(std::move(tick))
    {
        setFixedSize(275, 116);
        setAttribute(Qt::WA_OpaquePaintEvent);
        m_timer.setTimerType(Qt::PreciseTimer);
        m_timer.setInterval(10);
        connect(&m_timer, &QTimer::timeout, this, [this] {
            if (m_tick) m_tick();
            if (m_work == FloorWork::Nothing) return;
            ++m_ticks;
            update(Area);
        });
        m_timer.start();
    }

protected:
    void paintEvent(QPaintEvent* event) override
    {
        QPainter painter(this);
        painter.fillRect(event->rect(), Qt::black);
        painter.fillRect(Area, QColor::fromHsv((m_ticks * 7) % 360, 200, 200));
    }

private:
    static constexpr QRect Area{10, 10, 180, 40};
    FloorWork m_work;
    std::function<void()> m_tick;
    QTimer m_timer;
    int m_ticks = 0;
};
