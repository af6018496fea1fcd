#pragma once
// Paints the lines of the shortcut list, "    key<TAB>description", as two
// columns: the text after the tab starts at one column for every line, just
// past the widest key text. The item's text itself stays the whole line.
#include <QStyledItemDelegate>

namespace dialogs {

class ShortcutLineDelegate : public QStyledItemDelegate {
    Q_OBJECT
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    // The column, in pixels from the item's left edge, at which the
    // descriptions start.
    void SetDescriptionColumn(int pixels) { m_column = pixels; }
    int DescriptionColumn() const { return m_column; }

    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override;
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;

private:
    int m_column = 0;
};

} // namespace dialogs
