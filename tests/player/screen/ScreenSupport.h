#pragma once
// The player on a real X display, and the screen read back over its window.
#include "player/PlayerTestSupport.h"

#include "player/skin/Skin.h"
#include "player/skin/SkinWindow.h"

#include <QApplication>
#include <QGuiApplication>
#include <QImage>
#include <QLabel>
#include <QPixmap>
#include <QRect>
#include <QScreen>

#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>
#include <memory>
#include <string>

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace screentest {

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

// CTest runs cases in parallel on one display, and another test's windows
// would cover the pixels this one reads: a file lock per display, held for
// the whole test.
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

    // Stripes in two loud colours, so that no colour of the skin's edge can
    // pass for the desktop.
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

    // Starts the player with a shipped skin; extraIni is added to the
    // settings file. Returns whether the window came up and the screen shows,
    // inside the window's outline, what the window drew.
    bool Start(const std::string& skin, const std::string& extraIni, double clockSpeed = 1.0)
    {
        m_folder.WriteIni("[Skin]\r\nPath=" + m_folder.Folder() + "Skins/" + skin + "/\r\nFile=" + skin + ".zks\r\n[Window]\r\nLeft=" +
                          std::to_string(WindowLeft) + "\r\nTop=" + std::to_string(WindowTop) + "\r\n" + extraIni);
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

    // The desktop that was under a window pixel before the window came.
    QRgb RootAt(int x, int y) const { return m_rootBefore.pixel(WindowLeft + x, WindowTop + y); }

    // Runs the event loop and reads the window's area of the screen until the
    // condition holds, at most five seconds.
    bool WaitForScreen(const std::function<bool(const QImage&)>& condition)
    {
        skin::SkinWindow& window = Player().Window();
        return playertest::WaitFor([&] {
            return condition(GrabScreen(QRect(window.x(), window.y(), window.width(), window.height())));
        });
    }

    // A tone MP3 of its own in the test's folder, so that a lyrics file can lie next to it.
    std::string Track(const std::string& fileStem, double seconds, const std::string& title)
    {
        const std::filesystem::path path = m_folder.Path() / (fileStem + ".mp3");
        std::filesystem::copy_file(Tones::Instance().Get(seconds, title), path, std::filesystem::copy_options::overwrite_existing);
        return path.string();
    }

private:
    std::unique_ptr<DisplayLock> m_displayLock;
    std::unique_ptr<QLabel> m_backdrop;
    QImage m_rootBefore;
};

} // namespace screentest
