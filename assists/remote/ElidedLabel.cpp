#include "assists/remote/ElidedLabel.h"

#include <QFontMetrics>
#include <QResizeEvent>
#include <QStringList>

#include <algorithm>

namespace remote {

ElidedLabel::ElidedLabel(QWidget* parent)
    : QLabel(parent)
{
    setTextFormat(Qt::PlainText);
    // The layout ignores the text's width: the label gets what is left.
    setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
}

void ElidedLabel::SetFullText(const QString& text)
{
    m_fullText = text;
    Refresh();
}

QString ElidedLabel::ElideLines(const QString& text, const QFontMetrics& metrics, int width)
{
    QStringList lines = text.split(QLatin1Char('\n'));
    for (QString& line : lines)
        line = metrics.elidedText(line, Qt::ElideRight, std::max(width, 0));
    return lines.join(QLatin1Char('\n'));
}

void ElidedLabel::resizeEvent(QResizeEvent* event)
{
    QLabel::resizeEvent(event);
    Refresh();
}

void ElidedLabel::Refresh()
{
    const QString shown = ElideLines(m_fullText, fontMetrics(), contentsRect().width());
    if (shown != text())
        setText(shown);
    setToolTip(shown == m_fullText ? QString() : m_fullText);
}

} // namespace remote
