#pragma once
// Shows a pop-up menu without waiting for it (the play loop and every other
// timer keep running) and runs a step once the menu has closed, whether an
// item was chosen or the menu was dismissed. A skinned button that opens a
// menu keeps its pressed look until then.
#include <QPoint>

#include <functional>

class QMenu;

namespace widgets {

class MenuPopup {
public:
    // Pops the menu up at a screen position. whenClosed runs once, on the
    // user-interface thread, as the menu hides (before a chosen item's
    // handler runs); it is dropped unrun if the menu is destroyed first.
    static void Show(QMenu& menu, QPoint at, std::function<void()> whenClosed);
};

} // namespace widgets
