#include "assists/scope/ScopeCanvas.h"

#include <QPainter>

namespace scope {

ScopeCanvas::ScopeCanvas(const QImage& picture, QWidget* parent)
    : QWidget(parent)
    , m_picture(picture)
{
    setFixedSize(picture.deviceIndependentSize().toSize());
    setAttribute(Qt::WA_OpaquePaintEvent);
}

QSize ScopeCanvas::sizeHint() const
{
    return m_picture.deviceIndependentSize().toSize();
}

void ScopeCanvas::paintEvent(QPaintEvent*)
{
    // A picture drawn at the device pixel ratio lands one pixel for one.
    QPainter painter(this);
    painter.drawImage(0, 0, m_picture);
}

} // namespace scope
