#pragma once
// What the player's dialogs share in look and placement.
#include <QFont>
#include <QPoint>
#include <QRect>
#include <QSize>

class QWidget;

namespace dialogs {

// The dialogs' font: the Japanese-capable Gothic face that stands in for
// "MS UI Gothic", at the desktop's usual point size.
QFont DialogFont();

// The top-left corner that centres a window of the given size on a screen
// area: the area's origin plus half the free space in each direction, the
// remainder dropped. A window larger than the area starts at the area's
// origin, so that its title bar stays reachable.
QPoint CentredTopLeft(const QRect& area, QSize window);

// Moves a top-level window so that it is centred on the available area of
// its screen (the primary screen when it has none yet). The window's size
// must be final: call this after its layout has settled.
void CentreOnScreen(QWidget& window);

} // namespace dialogs
