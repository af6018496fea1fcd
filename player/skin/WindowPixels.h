#pragma once
// The skin window's three kinds of pixels and the conversions between them:
//   - skin pixels: what the skin's pictures, rectangles and regions and every
//     widget controller use;
//   - device pixels: what the drawing surface holds and the X server shows,
//     `scale` x `scale` of them per skin pixel;
//   - Qt's logical pixels: device pixels divided by the screen's device
//     pixel ratio (Qt's high-DPI scaling, QT_SCALE_FACTOR included). Qt
//     sizes, places and masks windows and reports the mouse in them.
// When the scale is a multiple of the ratio (always at ratio 1) every
// conversion is exact; otherwise rectangles are widened to whole logical
// pixels. A plain value; any thread.
#include "platform/Rect.h"
#include "platform/Region.h"

#include <QPointF>
#include <QRect>
#include <QRegion>
#include <QSize>

#include <cstdint>

namespace skin {

class WindowPixels {
public:
    // scale: device pixels per skin pixel (1 or more); deviceRatio: device
    // pixels per logical pixel (more than 0).
    WindowPixels(int scale, double deviceRatio);

    int Scale() const { return m_scale; }
    double DeviceRatio() const { return m_ratio; }

    // The logical size of a window of width x height skin pixels.
    QSize LogicalSize(int32_t width, int32_t height) const;
    // The logical pixels that cover a rectangle or region of skin pixels.
    QRect LogicalRect(const platform::Rect& skin) const;
    QRegion LogicalRegion(const platform::Region& skin) const;
    // The device pixels that cover a rectangle of logical pixels.
    QRect DeviceRect(const QRect& logical) const;
    // The skin pixel under a logical point of the window.
    platform::Point SkinPoint(QPointF logical) const;
    // A distance of skin pixels in logical pixels, rounded.
    int32_t LogicalDistance(int32_t skin) const;

private:
    // Logical pixels per skin pixel when that is a whole number, else 0.
    int WholeFactor() const;

    int m_scale;
    double m_ratio;
};

} // namespace skin
