#include "common/KtBusyCursor.h"

#include <QCursor>
#include <QGuiApplication>
#include <QThread>

namespace common {

namespace {

// The pointer belongs to the graphical application's own thread; work on other
// threads (or without a graphical application) leaves it alone.
bool CanShowPointer()
{
    auto* app = qobject_cast<QGuiApplication*>(QCoreApplication::instance());
    return app && QThread::currentThread() == app->thread();
}

} // namespace

KtBusyCursor::KtBusyCursor()
{
    if (CanShowPointer()) {
        QGuiApplication::setOverrideCursor(QCursor(Qt::WaitCursor));
        m_shown = true;
    }
}

KtBusyCursor::~KtBusyCursor()
{
    if (m_shown && CanShowPointer())
        QGuiApplication::restoreOverrideCursor();
}

} // namespace common
