#include "assists/scope/ScopeCanvas.h"

#include <QPainter>

ScopeCanvas::ScopeCanvas(const QImage& picture, QWidget* parent)
    : QWidget(parent)
    , m_picture(picture)
{
    setFixedSize(picture.size());
    setAttribute(Qt::WA_OpaquePaintEvent);
}

QSize ScopeCanvas::sizeHint() const
{
    return m_picture.size();
}

void ScopeCanvas::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.drawImage(0, 0, m_picture);
}
