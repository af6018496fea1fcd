#pragma once
// The player's main window as the window system sees it: frameless, shaped
// by a region, showing a DrawingSurface. It holds no player logic: every
// input event goes to a SkinWindowListener.
//
// On X11 the surface lives on the X server (XServerSurface) and the window
// paints natively: Qt's backing store never holds or flushes its pixels, and
// changes reach the screen as copies from the server-side content. Elsewhere
// the surface is an image that Qt's painting puts on the screen.
//
// The window has a whole-number scale: each skin pixel is scale x scale
// device pixels. The window draws in device pixels itself on both surfaces
// (the image surface's picture is put on the screen one device pixel for
// one, whatever Qt's high-DPI ratio), so nothing is ever scaled twice; Qt's
// ratio only converts sizes, the outline and mouse positions between Qt's
// logical pixels and device pixels (see WindowPixels). Every coordinate the
// window takes or reports (Place's size, shapes, the listener's mouse
// positions, MoveBy) is in skin pixels, except the window's position on the
// screen, which is Qt's (screen pixels when Qt does not scale).
#include "platform/Rect.h"
#include "platform/Region.h"
#include "player/skin/DrawingSurface.h"
#include "player/skin/SkinWindowListener.h"
#include "player/skin/WindowPixels.h"

#include <QRegion>
#include <QWidget>

#include <memory>

namespace skin {

class XServerSurface;

class SkinWindow : public QWidget {
    Q_OBJECT
public:
    explicit SkinWindow(QWidget* parent = nullptr);
    ~SkinWindow() override;

    // The listener receives all events; it must outlive the window or be
    // reset with nullptr.
    void SetListener(SkinWindowListener* listener) { m_listener = listener; }

    DrawingSurface& Surface() { return *m_surface; }
    const DrawingSurface& Surface() const { return *m_surface; }
    // The X server surface when the window paints natively, else nullptr.
    XServerSurface* ServerSurface() const { return m_server; }

    // Device pixels per skin pixel (1 to DrawingSurface::MaxScale). A new
    // scale clears the surface; the caller then places, paints and shapes
    // the window again.
    void SetScale(int scale);
    int Scale() const { return m_surface->Scale(); }
    // The conversions between the window's pixels on its current screen.
    WindowPixels Pixels() const;

    // Moves the window to a screen position and sizes it to width x height
    // skin pixels (client area = window, no frame); gives the surface the
    // new size.
    void Place(int32_t left, int32_t top, int32_t width, int32_t height);
    // Moves the window keeping its size.
    void MoveTo(int32_t left, int32_t top);
    // Moves the window by a distance in skin pixels (window drags).
    void MoveBy(int32_t dx, int32_t dy);
    // The window's position on the screen.
    platform::Point Position() const;

    // The window's outline in skin pixels. An empty region hides every pixel
    // but is kept as the current shape.
    void SetShape(const platform::Region& shape);
    const platform::Region& Shape() const { return m_shape; }

    // Text for the task bar.
    void SetCaption(const std::string& caption);

    void Minimize();
    void Restore();
    bool IsMinimized() const;

    // While a scope lives, what changes on the surface is gathered and put
    // on the screen when the outermost scope ends, painted at once rather
    // than through a posted update request. The play loop draws this way: a
    // posted request would wake the event loop a second time on every tick
    // that draws, a hundred times a second.
    class PaintScope {
    public:
        explicit PaintScope(SkinWindow& window);
        ~PaintScope();
        PaintScope(const PaintScope&) = delete;
        PaintScope& operator=(const PaintScope&) = delete;

    private:
        SkinWindow& m_window;
    };

    QPaintEngine* paintEngine() const override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    bool event(QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void changeEvent(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    // Puts the area (logical pixels) of the surface on the screen now.
    void Present(const QRegion& area);
    // The skin pixel under a mouse position.
    platform::Point SkinPoint(QPointF position) const;

    std::unique_ptr<DrawingSurface> m_surface;
    XServerSurface* m_server = nullptr; // m_surface when it is one
    platform::Region m_shape;
    SkinWindowListener* m_listener = nullptr;
    int m_paintScopes = 0;
    // The window's minimized state as of its last state change: the play
    // loop asks on every tick, and this member sits beside the ones the tick
    // touches anyway.
    bool m_minimized = false;
    QRegion m_gathered;
    // Qt's device pixel ratio, read again only when the window is shown or
    // changes screen: asking Qt for it costs a screen lookup, and every block
    // the surface copies needs it.
    double m_deviceRatio = 1.0;
};

} // namespace skin
