#include "common/KtBusyCursor.h"

#include <QCursor>
#include <QGuiApplication>

KtBusyCursor::KtBusyCursor()
{
    if (qobject_cast<QGuiApplication*>(QCoreApplication::instance())) {
        QGuiApplication::setOverrideCursor(QCursor(Qt::WaitCursor));
        m_shown = true;
    }
}

KtBusyCursor::~KtBusyCursor()
{
    if (m_shown && qobject_cast<QGuiApplication*>(QCoreApplication::instance()))
        QGuiApplication::restoreOverrideCursor();
}
