#include "player/dialogs/SelectAllLineEdit.h"

#include <QFocusEvent>
#include <QKeyEvent>
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

void SelectAllLineEdit::keyPressEvent(QKeyEvent* event)
{
    QLineEdit::keyPressEvent(event);
    // The line edit passes these keys on to the dialog, which would press
    // its default button (Close, which applies and hides).
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter)
        event->accept();
}

} // namespace dialogs
