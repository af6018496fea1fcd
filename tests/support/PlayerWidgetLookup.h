#pragma once
// The player's pop-up menus, their items and its Properties dialog, found
// among the application's windows as a user reaches them; throws when missing.
#include "player/dialogs/frmZelkoProps.h"

#include <QAction>
#include <QApplication>
#include <QMenu>

#include <stdexcept>
#include <string>

namespace testsupport {

inline QMenu& PopupMenu(const char* name)
{
    for (QWidget* window : QApplication::topLevelWidgets()) {
        auto* menu = qobject_cast<QMenu*>(window);
        if (menu && menu->objectName() == QLatin1String(name))
            return *menu;
    }
    throw std::runtime_error(std::string("no menu named ") + name);
}

inline QAction& MenuItem(const char* menu, const char* item)
{
    if (auto* action = PopupMenu(menu).findChild<QAction*>(QLatin1String(item)))
        return *action;
    throw std::runtime_error(std::string("no item named ") + item);
}

// The Properties dialog, or nullptr while the player has none.
inline dialogs::frmZelkoProps* PropertiesDialog()
{
    for (QWidget* window : QApplication::topLevelWidgets()) {
        if (auto* dialog = qobject_cast<dialogs::frmZelkoProps*>(window))
            return dialog;
    }
    return nullptr;
}

} // namespace testsupport
