#include "player/ModalBoxCloser.h"

#include <QApplication>
#include <QDialog>
#include <QWidget>

void ModalBoxCloser::CloseAll()
{
    // A box that refuses to close stops the loop rather than spinning it.
    for (QWidget* previous = nullptr; QWidget* popup = QApplication::activePopupWidget(); previous = popup) {
        if (popup == previous) break;
        popup->close();
    }
    for (QWidget* previous = nullptr; QWidget* box = QApplication::activeModalWidget(); previous = box) {
        if (box == previous) break;
        if (auto* dialog = qobject_cast<QDialog*>(box))
            dialog->reject();
        else
            box->close();
    }
}
