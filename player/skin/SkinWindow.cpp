#include "player/skin/SkinWindow.h"

#include "player/skin/ImageSurface.h"
#include "player/skin/VirtualKey.h"
#include "player/skin/XServerSurface.h"

#include <QCloseEvent>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QKeyEvent>
#include <QMimeData>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QShowEvent>
#include <QUrl>
#include <QWheelEvent>

#include <utility>

namespace skin {

namespace {

MouseButton ButtonFromQt(Qt::MouseButton button)
{
    switch (button) {
    case Qt::LeftButton: return MouseButton::Left;
    case Qt::RightButton: return MouseButton::Right;
    case Qt::MiddleButton: return MouseButton::Middle;
    default: return MouseButton::None;
    }
}

MouseButtons ButtonsFromQt(Qt::MouseButtons buttons)
{
    MouseButtons out = 0;
    if (buttons & Qt::LeftButton) out |= static_cast<int32_t>(MouseButton::Left);
    if (buttons & Qt::RightButton) out |= static_cast<int32_t>(MouseButton::Right);
    if (buttons & Qt::MiddleButton) out |= static_cast<int32_t>(MouseButton::Middle);
    return out;
}

} // namespace

SkinWindow::SkinWindow(QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::FramelessWindowHint)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
    setAttribute(Qt::WA_NoSystemBackground);
    if (auto server = XServerSurface::ForApplication()) {
        // The start-up paint goes to the server as one image, so the window
        // shows without waiting for every picture of the skin.
        server->HoldPixelsUntilPresented();
        m_server = server.get();
        m_surface = std::move(server);
        setAttribute(Qt::WA_PaintOnScreen);
    } else {
        m_surface = std::make_unique<ImageSurface>();
    }
    setAcceptDrops(true);
    setMouseTracking(true);
    setFocusPolicy(Qt::StrongFocus);
    m_deviceRatio = devicePixelRatioF();
    m_surface->SetChangeListener([this](const platform::Rect& r) {
        const QRect changed = Pixels().LogicalRect(r);
        if (m_paintScopes > 0)
            m_gathered += changed;
        else
            update(changed);
    });
}

SkinWindow::~SkinWindow()
{
    m_surface->SetChangeListener({});
}

void SkinWindow::SetScale(int scale)
{
    m_surface->SetScale(scale);
}

WindowPixels SkinWindow::Pixels() const
{
    return WindowPixels(m_surface->Scale(), m_deviceRatio);
}

void SkinWindow::Place(int32_t left, int32_t top, int32_t width, int32_t height)
{
    setFixedSize(Pixels().LogicalSize(width, height));
    move(left, top);
    if (m_surface->Width() != width || m_surface->Height() != height) m_surface->Resize(width, height);
}

void SkinWindow::MoveTo(int32_t left, int32_t top)
{
    move(left, top);
}

void SkinWindow::MoveBy(int32_t dx, int32_t dy)
{
    const WindowPixels pixels = Pixels();
    move(x() + pixels.LogicalDistance(dx), y() + pixels.LogicalDistance(dy));
}

platform::Point SkinWindow::SkinPoint(QPointF position) const
{
    if (m_surface->Scale() == 1 && m_deviceRatio == 1.0) {
        // As at every scale before: the nearest pixel.
        const QPoint p = position.toPoint();
        return platform::Point{p.x(), p.y()};
    }
    return Pixels().SkinPoint(position);
}

platform::Point SkinWindow::Position() const
{
    return platform::Point{x(), y()};
}

void SkinWindow::SetShape(const platform::Region& shape)
{
    m_shape = shape;
    if (shape.IsEmpty()) {
        // An empty QRegion would remove the mask; a one-pixel mask outside
        // the window hides it instead.
        setMask(QRegion(-1, -1, 1, 1));
    } else {
        setMask(Pixels().LogicalRegion(shape));
    }
    update();
}

void SkinWindow::SetCaption(const std::string& caption)
{
    setWindowTitle(QString::fromStdString(caption));
}

void SkinWindow::Minimize()
{
    showMinimized();
}

void SkinWindow::Restore()
{
    showNormal();
    raise();
    activateWindow();
}

bool SkinWindow::IsMinimized() const
{
    return m_minimized;
}

SkinWindow::PaintScope::PaintScope(SkinWindow& window)
    : m_window(window)
{
    ++m_window.m_paintScopes;
}

SkinWindow::PaintScope::~PaintScope()
{
    if (--m_window.m_paintScopes > 0 || m_window.m_gathered.isEmpty())
        return;
    const QRegion changed = std::exchange(m_window.m_gathered, QRegion());
    // A hidden window paints nothing now; it is painted whole when shown.
    if (m_window.m_server) {
        if (m_window.isVisible()) m_window.Present(changed);
        return;
    }
    m_window.repaint(changed);
}

QPaintEngine* SkinWindow::paintEngine() const
{
    // Nothing may paint on a native window through Qt.
    return m_server ? nullptr : QWidget::paintEngine();
}

void SkinWindow::Present(const QRegion& area)
{
    if (m_deviceRatio == 1.0) {
        m_server->Present(static_cast<xcb_window_t>(winId()), area);
        return;
    }
    const WindowPixels pixels = Pixels();
    QRegion device;
    for (const QRect& r : area)
        device += pixels.DeviceRect(r);
    m_server->Present(static_cast<xcb_window_t>(winId()), device);
}

void SkinWindow::paintEvent(QPaintEvent* event)
{
    if (m_server) {
        Present(event->region());
        return;
    }
    QPainter painter(this);
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    // Only the rectangles that changed, not their bounding box: a few bands
    // of the analyser and a time digit are far apart.
    const double ratio = m_deviceRatio;
    if (ratio == 1.0) {
        for (const QRect& r : event->region())
            painter.drawImage(r, m_surface->Image(), r);
        return;
    }
    // The surface holds device pixels: each goes to one pixel of the
    // backing store, which Qt keeps in device pixels too.
    const WindowPixels pixels = Pixels();
    const QRect image = m_surface->Image().rect();
    for (const QRect& r : event->region()) {
        const QRect device = pixels.DeviceRect(r).intersected(image);
        if (device.isEmpty()) continue;
        const QRectF target(device.x() / ratio, device.y() / ratio, device.width() / ratio, device.height() / ratio);
        painter.drawImage(target, m_surface->Image(), device);
    }
}

void SkinWindow::mousePressEvent(QMouseEvent* event)
{
    const platform::Point p = SkinPoint(event->position());
    if (m_listener) {
        m_listener->OnMouseDown(ButtonFromQt(event->button()), KeyShiftFromQt(event->modifiers()), p.x, p.y);
    }
}

void SkinWindow::mouseReleaseEvent(QMouseEvent* event)
{
    const platform::Point p = SkinPoint(event->position());
    if (m_listener) {
        m_listener->OnMouseUp(ButtonFromQt(event->button()), KeyShiftFromQt(event->modifiers()), p.x, p.y);
    }
}

void SkinWindow::mouseMoveEvent(QMouseEvent* event)
{
    const platform::Point p = SkinPoint(event->position());
    if (m_listener) {
        m_listener->OnMouseMove(ButtonsFromQt(event->buttons()), KeyShiftFromQt(event->modifiers()), p.x, p.y);
    }
}

void SkinWindow::mouseDoubleClickEvent(QMouseEvent* event)
{
    // The second press of a double click is reported as the double click
    // alone, not as another press: a double click on a button acts once.
    const platform::Point p = SkinPoint(event->position());
    if (m_listener && event->button() == Qt::LeftButton) m_listener->OnDoubleClick(p.x, p.y);
}

void SkinWindow::keyPressEvent(QKeyEvent* event)
{
    if (m_listener) m_listener->OnKeyDown(VirtualKeyFromQt(event->key()), KeyShiftFromQt(event->modifiers()));
}

void SkinWindow::keyReleaseEvent(QKeyEvent* event)
{
    if (event->isAutoRepeat()) return;
    if (m_listener) m_listener->OnKeyUp(VirtualKeyFromQt(event->key()), KeyShiftFromQt(event->modifiers()));
}

void SkinWindow::wheelEvent(QWheelEvent* event)
{
    const platform::Point p = SkinPoint(event->position());
    const int delta = event->angleDelta().y();
    if (m_listener && delta != 0) m_listener->OnWheel(delta, KeyShiftFromQt(event->modifiers()), p.x, p.y);
    event->accept();
}

void SkinWindow::dragEnterEvent(QDragEnterEvent* event)
{
    if (event->mimeData()->hasUrls()) event->acceptProposedAction();
}

void SkinWindow::dropEvent(QDropEvent* event)
{
    std::vector<std::string> paths;
    for (const QUrl& url : event->mimeData()->urls()) {
        if (url.isLocalFile()) paths.push_back(url.toLocalFile().toStdString());
    }
    event->acceptProposedAction();
    if (m_listener && !paths.empty()) m_listener->OnFilesDropped(paths);
}

bool SkinWindow::event(QEvent* event)
{
    if (event->type() == QEvent::ScreenChangeInternal) m_deviceRatio = devicePixelRatioF();
    return QWidget::event(event);
}

void SkinWindow::showEvent(QShowEvent* event)
{
    m_deviceRatio = devicePixelRatioF();
    QWidget::showEvent(event);
    if (m_listener && !event->spontaneous()) m_listener->OnPaintNeeded();
}

void SkinWindow::changeEvent(QEvent* event)
{
    QWidget::changeEvent(event);
    if (event->type() != QEvent::WindowStateChange) return;
    m_minimized = isMinimized();
    if (!m_minimized && m_listener) m_listener->OnPaintNeeded();
}

void SkinWindow::closeEvent(QCloseEvent* event)
{
    if (m_listener && !m_listener->OnCloseRequested()) {
        event->ignore();
        return;
    }
    QWidget::closeEvent(event);
}

} // namespace skin
