#include "player/widgets/MenuPopup.h"

#include <QMenu>

namespace widgets {

void MenuPopup::Show(QMenu& menu, QPoint at, std::function<void()> whenClosed)
{
    QObject::connect(&menu, &QMenu::aboutToHide, &menu, std::move(whenClosed), Qt::SingleShotConnection);
    menu.popup(at);
}

} // namespace widgets
