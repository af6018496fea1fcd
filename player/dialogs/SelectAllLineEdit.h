#pragma once
// A one-line text box that selects its whole text whenever it gets the focus,
// by keyboard or by mouse, so that typing replaces the old value.
#include <QLineEdit>

namespace dialogs {

class SelectAllLineEdit : public QLineEdit {
    Q_OBJECT
public:
    using QLineEdit::QLineEdit;

protected:
    void focusInEvent(QFocusEvent* event) override;
};

} // namespace dialogs
