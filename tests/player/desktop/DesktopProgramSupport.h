#pragma once
// The real player program on a private session bus: a dbus-daemon started for
// the test, a program folder of its own (the shipped skins, tone files made
// with lame), the player started with "/develop" in that folder, and the
// command-line tools (playerctl, xdotool) run against them.
#include <QDBusConnection>
#include <QElapsedTimer>
#include <QProcess>
#include <QCoreApplication>

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <unistd.h>
#include <vector>

namespace desktoptest {

namespace fs = std::filesystem;

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

// A mono tone MP3 with title, artist and album tags.
inline std::string MakeTone(const fs::path& folder, const std::string& name, double seconds)
{
    const fs::path wav = folder / (name + ".wav");
    const fs::path mp3 = folder / (name + ".mp3");
    const int rate = 22050;
    const auto frames = static_cast<uint32_t>(seconds * rate);
    {
        std::ofstream out(wav, std::ios::binary);
        auto u32 = [&out](uint32_t v) { out.write(reinterpret_cast<const char*>(&v), 4); };
        auto u16 = [&out](uint16_t v) { out.write(reinterpret_cast<const char*>(&v), 2); };
        out.write("RIFF", 4);
        u32(36 + frames * 2);
        out.write("WAVEfmt ", 8);
        u32(16);
        u16(1);
        u16(1);
        u32(rate);
        u32(rate * 2);
        u16(2);
        u16(16);
        out.write("data", 4);
        u32(frames * 2);
        for (uint32_t i = 0; i < frames; ++i)
            u16(static_cast<uint16_t>(static_cast<int16_t>(8000.0 * std::sin(2.0 * M_PI * 440.0 * i / rate))));
    }
    const std::string command = "lame --quiet -m m -b 32 --tt '" + name + "' --ta 'Tester' --tl 'Tones' '" +
                                wav.string() + "' '" + mp3.string() + "'";
    if (std::system(command.c_str()) != 0)
        ADD_FAILURE() << "lame failed: " << command;
    fs::remove(wav);
    return mp3.string();
}

// A program folder of the test's own with the shipped skins.
class Folder {
public:
    Folder()
    {
        const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
        m_dir = fs::temp_directory_path() /
                ("zelko-desktop-" + std::to_string(::getpid()) + "-" + info->name());
        fs::remove_all(m_dir);
        fs::create_directories(m_dir / "Skins");
        fs::copy(fs::path(ZELKO_PROGRAM_DIR) / "Skins", m_dir / "Skins", fs::copy_options::recursive);
    }
    ~Folder() { fs::remove_all(m_dir); }
    Folder(const Folder&) = delete;
    Folder& operator=(const Folder&) = delete;
    const fs::path& Path() const { return m_dir; }
    void Write(const std::string& name, const std::string& text) const
    {
        std::ofstream(m_dir / name, std::ios::binary) << text;
    }

private:
    fs::path m_dir;
};

// The player program, started with "/develop" (and more arguments) in a folder.
class Player {
public:
    Player(const fs::path& folder, const QString& busAddress, const QStringList& arguments = {})
    {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("QT_QPA_PLATFORM", "xcb");
        env.insert("ZELKO_AUDIO", "null");
        // The X keyboard library reads past its strings, which the strict
        // string checks of the test run report as an overflow (see
        // asan.supp); the leak checker's tracer can crash at the exit of an X
        // client. Without these the program ends at its first window.
        env.insert("ASAN_OPTIONS", "strict_string_checks=1:detect_leaks=0:suppressions=" ZELKO_SOURCE_DIR
                                   "/tests/player/screen/asan.supp");
        // Pictures go to a cache of the test's own.
        env.insert("XDG_CACHE_HOME", QString::fromStdString((folder / "cache").string()));
        if (busAddress.isEmpty()) {
            // No session bus (the address names a socket that is not there):
            // the lock that stands for the name and the windows' endpoints
            // live in the folder.
            env.insert("DBUS_SESSION_BUS_ADDRESS",
                       QString::fromStdString("unix:path=" + (folder / "no-bus-here").string()));
            env.insert("XDG_RUNTIME_DIR", QString::fromStdString(folder.string()));
        } else
            env.insert("DBUS_SESSION_BUS_ADDRESS", busAddress);
        m_process.setProcessEnvironment(env);
        m_process.setWorkingDirectory(QString::fromStdString(folder.string()));
        m_process.start(QString::fromUtf8(ZELKO_PROGRAM_DIR "/Zelko"), QStringList {"/develop"} + arguments);
        m_process.waitForStarted(5000);
    }
    ~Player()
    {
        if (m_process.state() != QProcess::NotRunning) {
            m_process.terminate();
            if (!m_process.waitForFinished(10000))
                m_process.kill();
            m_process.waitForFinished(5000);
        }
    }
    Player(const Player&) = delete;
    Player& operator=(const Player&) = delete;
    QProcess& Process() { return m_process; }
    qint64 Pid() const { return m_process.processId(); }

private:
    QProcess m_process;
};

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
