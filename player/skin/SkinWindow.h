#pragma once
// The player's main window as the window system sees it: frameless, shaped
// by a region, showing a DrawingSurface. It holds no player logic: every
// input event goes to a SkinWindowListener.
//
// On X11 the surface lives on the X server (XServerSurface) and the window
// paints natively: Qt's backing store never holds or flushes its pixels, and
// changes reach the screen as copies from the server-side content. Elsewhere
// the surface is an image that Qt's painting puts on the screen.
#include "platform/Rect.h"
#include "platform/Region.h"
#include "player/skin/DrawingSurface.h"
#include "player/skin/SkinWindowListener.h"

#include <QRegion>
#include <QWidget>

#include <memory>

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

    // Moves and sizes the window (client area = window, no frame) and gives
    // the surface the new size.
    void Place(int32_t left, int32_t top, int32_t width, int32_t height);
    // Moves the window keeping its size (window drags).
    void MoveTo(int32_t left, int32_t top);
    // The window's position on the screen.
    platform::Point Position() const;

    // The window's outline. An empty region hides every pixel but is kept as
    // the current shape.
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
    void showEvent(QShowEvent* event) override;
    void changeEvent(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    // Puts the area of the surface on the screen now.
    void Present(const QRegion& area);

    std::unique_ptr<DrawingSurface> m_surface;
    XServerSurface* m_server = nullptr;  // m_surface when it is one
    platform::Region m_shape;
    SkinWindowListener* m_listener = nullptr;
    int m_paintScopes = 0;
    QRegion m_gathered;
};
