#pragma once
// The real player program on a private session bus: a dbus-daemon started for
// the test, the player started on the test's X server in a program folder of
// its own, and the command-line tools (playerctl, xdotool) run against them.
#include "support/PlayerProgramFixture.h"
#include "support/ToneMp3.h"

#include <QCoreApplication>
#include <QDBusConnection>
#include <QElapsedTimer>
#include <QProcess>

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <unistd.h>

namespace desktoptest {

namespace fs = std::filesystem;
using Folder = testsupport::PlayerProgramFolder;

inline bool WaitFor(const std::function<bool()>& condition, int timeoutMs = 10000)
{
    QElapsedTimer timer;
    timer.start();
    while (!condition()) {
        if (timer.elapsed() > timeoutMs)
            return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        ::usleep(10000);
    }
    return true;
}

struct ToolResult {
    int exitCode = -1;
    std::string out;
};

// A dbus-daemon of the test's own, ended with the test.
class PrivateBus {
public:
    PrivateBus()
    {
        m_daemon.start(QStringLiteral("dbus-daemon"), {"--session", "--nofork", "--print-address=1"});
        if (!m_daemon.waitForStarted(5000)) return;
        // Read the address without depending on an event loop turning.
        for (int waited = 0; !m_daemon.canReadLine() && waited < 20; ++waited) m_daemon.waitForReadyRead(500);
        if (!m_daemon.canReadLine()) return;
        m_address = QString::fromUtf8(m_daemon.readLine()).trimmed();
        static int count = 0;
        m_name = QStringLiteral("test-bus-%1").arg(++count);
        m_connection = std::make_unique<QDBusConnection>(QDBusConnection::connectToBus(m_address, m_name));
    }
    ~PrivateBus()
    {
        m_connection.reset();
        QDBusConnection::disconnectFromBus(m_name);
        m_daemon.terminate();
        m_daemon.waitForFinished(5000);
    }
    PrivateBus(const PrivateBus&) = delete;
    PrivateBus& operator=(const PrivateBus&) = delete;

    bool Ok() const { return !m_address.isEmpty() && m_connection && m_connection->isConnected(); }
    const QString& Address() const { return m_address; }
    QDBusConnection& Connection() { return *m_connection; }

private:
    QProcess m_daemon;
    QString m_address;
    QString m_name;
    std::unique_ptr<QDBusConnection> m_connection;
};

// A mono tone MP3 with title (the name), artist and album tags.
inline std::string MakeTone(const fs::path& folder, const std::string& name, double seconds)
{
    const testsupport::Tone tone{440.0, seconds, 22050, 1, 8000.0 / 32767.0};
    const fs::path mp3 = testsupport::MakeToneMp3(folder, name, tone,
                                                  "-m m -b 32 --tt '" + name + "' --ta 'Tester' --tl 'Tones'");
    fs::remove(folder / (name + ".wav"));
    return mp3.string();
}

// The player on the test's X server with the bus at busAddress; with an empty
// address there is no session bus (the address names a socket that is not
// there), and the lock that stands for the name and the windows' endpoints
// live in the folder.
inline std::unique_ptr<testsupport::PlayerProgram> StartPlayer(const fs::path& folder, const QString& busAddress,
                                                               const QStringList& arguments = {})
{
    const QString noBus = QString::fromStdString("unix:path=" + (folder / "no-bus-here").string());
    testsupport::PlayerProgram::Variables variables{
        {"QT_QPA_PLATFORM", "xcb"},
        // The X keyboard library reads past its strings, which the strict
        // string checks of the test run report as an overflow (see
        // asan.supp); the leak checker's tracer can crash at the exit of an X
        // client. Without these the program ends at its first window.
        {"ASAN_OPTIONS", "strict_string_checks=1:detect_leaks=0:suppressions=" ZELKO_SOURCE_DIR "/tests/player/screen/asan.supp"},
        // Pictures go to a cache of the test's own.
        {"XDG_CACHE_HOME", QString::fromStdString((folder / "cache").string())},
        {"DBUS_SESSION_BUS_ADDRESS", busAddress.isEmpty() ? noBus : busAddress}};
    if (busAddress.isEmpty())
        variables.emplace_back("XDG_RUNTIME_DIR", QString::fromStdString(folder.string()));
    return std::make_unique<testsupport::PlayerProgram>(folder, arguments, variables);
}

// Runs a tool to its end with the bus address in its environment.
inline ToolResult RunTool(const QString& program, const QStringList& arguments, const QString& busAddress)
{
    QProcess process;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("DBUS_SESSION_BUS_ADDRESS", busAddress);
    process.setProcessEnvironment(env);
    process.start(program, arguments);
    if (!process.waitForFinished(15000))
        return {};
    return {process.exitCode(), QString::fromUtf8(process.readAllStandardOutput()).trimmed().toStdString()};
}

} // namespace desktoptest
