#pragma once
// The one QApplication of a benchmark, made on first use (test programs use
// QtApplicationEnvironment.cpp, which ends it before Qt's own globals).
#include <QApplication>

namespace testsupport {

inline QApplication& GuiApplication()
{
    if (auto* running = qobject_cast<QApplication*>(QCoreApplication::instance()))
        return *running;
    static int argc = 1;
    static char name[] = "zelko-bench";
    static char* argv[] = {name, nullptr};
    static QApplication app(argc, argv);
    return app;
}

} // namespace testsupport
