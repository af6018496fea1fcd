#pragma once
// A one-line text box that selects its whole text whenever it gets the focus,
// by keyboard or by mouse, so that typing replaces the old value. Return and
// Enter end the edit as leaving the box would and go no further: they do not
// press the dialog's default button.
#include <QLineEdit>

namespace dialogs {

class SelectAllLineEdit : public QLineEdit {
    Q_OBJECT
public:
    using QLineEdit::QLineEdit;

protected:
    void focusInEvent(QFocusEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
};

} // namespace dialogs
