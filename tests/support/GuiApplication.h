#pragma once
// The one QApplication of a program without a global test environment (the
// benchmarks): made on first use and kept until the program exits. Test
// programs take theirs from zelko_test(... QT_APPLICATION) instead
// (QtApplicationEnvironment.cpp), which ends it before Qt's own globals.
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
