#include "player/dialogs/ShortcutLineDelegate.h"

#include <QApplication>
#include <QPainter>
#include <QStyle>

namespace dialogs {

void ShortcutLineDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                                 const QModelIndex& index) const
{
    QStyleOptionViewItem opt = option;
    initStyleOption(&opt, index);
    const QString line = opt.text;
    // The style draws the background, selection and focus; the text is ours.
    opt.text.clear();
    const QStyle* style = opt.widget ? opt.widget->style() : QApplication::style();
    style->drawControl(QStyle::CE_ItemViewItem, &opt, painter, opt.widget);

    const QRect textRect = style->subElementRect(QStyle::SE_ItemViewItemText, &opt, opt.widget);
    const QPalette::ColorGroup group = !(opt.state & QStyle::State_Enabled) ? QPalette::Disabled
        : (opt.state & QStyle::State_Active)                                ? QPalette::Normal
                                                                            : QPalette::Inactive;
    const QPalette::ColorRole role = (opt.state & QStyle::State_Selected) ? QPalette::HighlightedText : QPalette::Text;
    painter->save();
    painter->setPen(opt.palette.color(group, role));
    painter->setFont(opt.font);
    const qsizetype tab = line.indexOf(QLatin1Char('\t'));
    const int flags = Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine;
    if (tab < 0) {
        painter->drawText(textRect, flags, line);
    } else {
        painter->drawText(textRect, flags, line.left(tab));
        QRect right = textRect;
        right.setLeft(textRect.left() + m_column);
        painter->drawText(right, flags, line.mid(tab + 1));
    }
    painter->restore();
}

QSize ShortcutLineDelegate::sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const
{
    QSize size = QStyledItemDelegate::sizeHint(option, index);
    QStyleOptionViewItem opt = option;
    initStyleOption(&opt, index);
    const qsizetype tab = opt.text.indexOf(QLatin1Char('\t'));
    if (tab >= 0) {
        const int width = m_column + opt.fontMetrics.horizontalAdvance(opt.text.mid(tab + 1)) + 16;
        size.setWidth(std::max(size.width(), width));
    }
    return size;
}

} // namespace dialogs
