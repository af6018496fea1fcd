#pragma once
// Support for tests of the real main window on an X display: the player
// started in a program folder of its own, and the screen read back over the
// window's area.
#include "player/PlayerTestSupport.h"

#include "player/skin/Skin.h"
#include "player/skin/SkinWindow.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QImage>
#include <QLabel>
#include <QPixmap>
#include <QProcess>
#include <QRect>
#include <QScreen>

#include <gtest/gtest.h>

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <memory>
#include <utility>
#include <vector>
#include <string>

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace screentest {

using playertest::DialogAnswers;
using playertest::ProgramFolder;
using playertest::Tones;

// The whole screen, or a part of it, as the X server shows it now.
inline QImage GrabScreen(const QRect& area = QRect())
{
    QScreen* screen = QGuiApplication::primaryScreen();
    const QPixmap shot = area.isNull() ? screen->grabWindow(0)
                                       : screen->grabWindow(0, area.x(), area.y(), area.width(), area.height());
    return shot.toImage().convertToFormat(QImage::Format_RGB32);
}

// Holds the X display for one test: CTest runs cases in parallel processes
// on one display, and another test's windows would cover the pixels this one
// reads. A file lock named after the display, held for the whole test.
class DisplayLock {
public:
    DisplayLock()
    {
        std::string display = std::getenv("DISPLAY") ? std::getenv("DISPLAY") : "";
        for (char& c : display)
            if (c == '/' || c == ':' || c == '.') c = '_';
        const std::string path = (std::filesystem::temp_directory_path() / ("zelko-xdisplay" + display + ".lock")).string();
        m_fd = ::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0666);
        if (m_fd >= 0) ::flock(m_fd, LOCK_EX);
    }
    ~DisplayLock()
    {
        if (m_fd >= 0) ::close(m_fd); // closing releases the lock
    }
    DisplayLock(const DisplayLock&) = delete;
    DisplayLock& operator=(const DisplayLock&) = delete;

private:
    int m_fd = -1;
};

// Runs a shell command and returns what it printed, without the last newline.
inline std::string Output(const std::string& command)
{
    std::unique_ptr<FILE, int (*)(FILE*)> pipe(::popen(command.c_str(), "r"), ::pclose);
    if (!pipe)
        return std::string();
    std::string text;
    char buffer[256];
    while (std::fgets(buffer, sizeof buffer, pipe.get()))
        text += buffer;
    while (!text.empty() && (text.back() == '\n' || text.back() == '\r'))
        text.pop_back();
    return text;
}

// The real program, started by the test on this display in a program folder
// of its own as "/develop", and ended with the test if it still runs.
class RunningProgramTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (!QApplication::instance())
            GTEST_SKIP() << "no X display";
        if (!testsupport::PlayerProgram::Built())
            GTEST_SKIP() << "the program is not built";
        m_displayLock = std::make_unique<DisplayLock>();
    }
    void TearDown() override
    {
        m_program.reset();
        m_displayLock.reset();
    }

    // Starts the program with these variables set ("" for those that must
    // not be set).
    void StartProgram(const ProgramFolder& folder, testsupport::PlayerProgram::Variables variables = {})
    {
        variables.emplace_back("QT_QPA_PLATFORM", "xcb");
        variables.emplace_back("ASAN_OPTIONS", "strict_string_checks=1:detect_leaks=0:suppressions=" ZELKO_SOURCE_DIR "/tests/player/screen/asan.supp");
        m_program = std::make_unique<testsupport::PlayerProgram>(folder.Path(), QStringList(), variables);
    }

    QProcess& Process() { return m_program->Process(); }
    std::string Pid() const { return std::to_string(m_program->Pid()); }

    // The first visible window of the program whose name matches, once it is
    // on the screen ("" after half a minute).
    std::string WaitForWindow(const std::string& xdotoolFilter = std::string())
    {
        return Output("timeout 30 xdotool search --sync --onlyvisible --pid " + Pid() + " " + xdotoolFilter +
                      " 2>/dev/null | head -n 1");
    }

    // Ends the program the normal way; whether it ended with exit code 0.
    bool Terminate()
    {
        ::kill(static_cast<pid_t>(m_program->Pid()), SIGTERM);
        return Process().waitForFinished(30000) && Process().exitStatus() == QProcess::NormalExit &&
            Process().exitCode() == 0;
    }

private:
    std::unique_ptr<DisplayLock> m_displayLock;
    std::unique_ptr<testsupport::PlayerProgram> m_program;
};

// The main window started in the test's process with a shipped skin at a
// known place, over a striped desktop.
class ScreenTest : public playertest::PlayerTest {
protected:
    static constexpr int WindowLeft = 40;
    static constexpr int WindowTop = 30;

    void SetUp() override
    {
        if (!QApplication::instance()) GTEST_SKIP() << "no X display";
        m_displayLock = std::make_unique<DisplayLock>();
        ShowBackdrop();
    }
    void TearDown() override
    {
        m_player.reset();
        m_backdrop.reset();
        // The windows must be gone from the screen before the next test may draw.
        QCoreApplication::processEvents();
        if (m_displayLock) GrabScreen(QRect(0, 0, 1, 1));
        m_displayLock.reset();
    }

    // A desktop of stripes in two loud colours behind the player, so that no
    // colour of the skin's edge can pass for the desktop.
    void ShowBackdrop()
    {
        QImage stripes(QGuiApplication::primaryScreen()->geometry().size(), QImage::Format_RGB32);
        for (int y = 0; y < stripes.height(); ++y)
            for (int x = 0; x < stripes.width(); ++x)
                stripes.setPixel(x, y, ((x + y) / 3) % 2 ? qRgb(255, 0, 255) : qRgb(0, 255, 0));
        m_backdrop = std::make_unique<QLabel>();
        m_backdrop->setWindowFlags(Qt::FramelessWindowHint | Qt::WindowStaysOnBottomHint);
        m_backdrop->setPixmap(QPixmap::fromImage(stripes));
        m_backdrop->setGeometry(QGuiApplication::primaryScreen()->geometry());
        m_backdrop->show();
        const QPoint probe(WindowLeft + 1, WindowTop + 2);
        playertest::WaitFor([&] {
            return GrabScreen(QRect(probe, QSize(1, 1))).pixel(0, 0) == stripes.pixel(probe);
        });
    }

    // Starts the player; extraIni is added to the settings file. Returns
    // whether the window came up and the screen shows, inside the window's
    // outline, what the window drew.
    bool Start(const std::string& extraIni = std::string(), double clockSpeed = 1.0)
    {
        std::string skinIni;
        if (!SkinName().empty())
            skinIni = "[Skin]\r\nPath=" + m_folder.Folder() + "Skins/" + SkinName() + "/\r\nFile=" + SkinName() +
                ".zks\r\n";
        m_folder.WriteIni(skinIni + "[Window]\r\nLeft=" + std::to_string(WindowLeft) + "\r\nTop=" + std::to_string(WindowTop) +
                          "\r\n" + extraIni);
        // The desktop as it was before the window came.
        m_rootBefore = GrabScreen();
        Load(clockSpeed);
        if (!m_loadResult)
            return false;
        return WaitForScreen([&](const QImage& shot) {
            const QImage& drawn = Player().Window().Surface().Image();
            const platform::Region shape = Player().Window().Shape().Scaled(Player().Window().Scale());
            if (shot.size() != drawn.size())
                return false;
            for (int y = 0; y < drawn.height(); ++y)
                for (int x = 0; x < drawn.width(); ++x)
                    if (shape.Contains(x, y) && shot.pixel(x, y) != (drawn.pixel(x, y) | 0xFF000000u))
                        return false;
            return true;
        });
    }

    // The shipped skin to start with; empty: the first of the catalogue.
    virtual std::string SkinName() const { return std::string(); }

    const skin::Skin& LoadedSkin() { return Player().CurrentSkin(); }

    // The root background that was under a window pixel.
    QRgb RootAt(int x, int y) const { return m_rootBefore.pixel(WindowLeft + x, WindowTop + y); }

    // Runs the event loop and reads the window's area of the screen (in
    // window coordinates) until the condition holds, at most five seconds.
    bool WaitForScreen(const std::function<bool(const QImage&)>& condition)
    {
        skin::SkinWindow& window = Player().Window();
        return playertest::WaitFor([&] {
            return condition(GrabScreen(QRect(window.x(), window.y(), window.width(), window.height())));
        });
    }

    // A tone MP3 of its own in the test's folder (so that a lyrics file can
    // lie next to it), with a title tag.
    std::string Track(const std::string& fileStem, double seconds, const std::string& title)
    {
        const std::string made = Tones::Instance().Get(seconds, title);
        const std::filesystem::path path = m_folder.Path() / (fileStem + ".mp3");
        std::filesystem::copy_file(made, path, std::filesystem::copy_options::overwrite_existing);
        return path.string();
    }

private:
    std::unique_ptr<DisplayLock> m_displayLock;
    std::unique_ptr<QLabel> m_backdrop;
    QImage m_rootBefore;
};

} // namespace screentest
