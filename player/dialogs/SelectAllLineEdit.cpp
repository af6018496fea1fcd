#include "player/dialogs/SelectAllLineEdit.h"

#include <QFocusEvent>
#include <QTimer>

namespace dialogs {

void SelectAllLineEdit::focusInEvent(QFocusEvent* event)
{
    QLineEdit::focusInEvent(event);
    selectAll();
    // A click that brought the focus places the cursor after this event and
    // would clear the selection again; select once more when it is done.
    if (event->reason() == Qt::MouseFocusReason)
        QTimer::singleShot(0, this, &QLineEdit::selectAll);
}

} // namespace dialogs
