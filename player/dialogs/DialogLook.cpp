#include "player/dialogs/DialogLook.h"

#include <QApplication>
#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

#include <cstdint>

namespace dialogs {

QFont DialogFont()
{
    QFont font = QApplication::font();
    font.setFamilies({QStringLiteral("IPAPGothic"), QStringLiteral("IPAGothic")});
    return font;
}

QPoint CentredTopLeft(const QRect& area, QSize window)
{
    const auto half = [](int areaExtent, int windowExtent) {
        const std::int64_t free = static_cast<std::int64_t>(areaExtent) - windowExtent;
        return free > 0 ? static_cast<int>(free / 2) : 0;
    };
    return {area.left() + half(area.width(), window.width()), area.top() + half(area.height(), window.height())};
}

void CentreOnScreen(QWidget& window)
{
    const QScreen* screen = window.screen() ? window.screen() : QGuiApplication::primaryScreen();
    if (!screen)
        return;
    window.move(CentredTopLeft(screen->availableGeometry(), window.frameGeometry().size().expandedTo(window.size())));
}

} // namespace dialogs
