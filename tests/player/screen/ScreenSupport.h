#pragma once
// Support for tests of the real main window on an X display: the player
// started in a program folder of its own with the shipped default skin, the
// screen read back over the window's area, and the looks a widget must show
// computed from the skin's own pictures, rectangles and regions.
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
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <memory>
#include <optional>
#include <utility>
#include <vector>
#include <string>
#include <string_view>

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

// The picture a widget image of this rectangle key comes from.
inline const QImage& SourcePicture(const Skin& skin, std::string_view key)
{
    if (key.starts_with("sysbuttons")) return skin.pictures.picSysButtons;
    if (key.starts_with("playbuttons")) return skin.pictures.picPlayButtons;
    return skin.pictures.picTitle;
}

// What the window shows in box after the image imageKey has been drawn there
// over `background`: where the mask (black = opaque) is, the image shows, the
// background elsewhere; the raster operations are followed bit by bit
// ((NOT mask OR background) AND image). Without a mask rectangle the image is
// a solid block. Returns nothing when the skin lacks the image.
inline std::optional<QImage> ExpectedLook(const Skin& skin, std::string_view imageKey, std::string_view maskKey,
                                          const platform::Rect& box, const QImage& background)
{
    const ClsZelkoRect* image = skin.coRects.Find(imageKey);
    if (!image) return std::nullopt;
    const ClsZelkoRect* mask = maskKey.empty() ? nullptr : skin.coRects.Find(maskKey);
    const QImage& picture = SourcePicture(skin, imageKey);
    QImage look(box.Width(), box.Height(), QImage::Format_RGB32);
    for (int y = 0; y < box.Height(); ++y) {
        for (int x = 0; x < box.Width(); ++x) {
            const QRgb source = picture.pixel(image->Left() + x, image->Top() + y);
            if (!mask) {
                look.setPixel(x, y, source);
                continue;
            }
            const QRgb under = background.pixel(box.left + x, box.top + y);
            const QRgb m = picture.pixel(mask->Left() + x, mask->Top() + y);
            look.setPixel(x, y, (((~m | under) & source) & 0xFFFFFFu) | 0xFF000000u);
        }
    }
    return look;
}

// The number of pixels of the region that differ between a shot of the
// window (window coordinates) and a look drawn for the region's bounding box.
inline int Mismatches(const QImage& windowShot, const platform::Region& region, const QImage& look)
{
    const platform::Rect box = region.BoundingBox();
    int wrong = 0;
    for (int y = box.top; y < box.bottom; ++y) {
        for (int x = box.left; x < box.right; ++x) {
            if (!region.Contains(x, y)) continue;
            if (windowShot.pixel(x, y) != look.pixel(x - box.left, y - box.top)) ++wrong;
        }
    }
    return wrong;
}

// A region of the skin by name; the test fails when the skin lacks it.
inline const platform::Region& RegionOf(const Skin& skin, std::string_view name)
{
    static const platform::Region empty;
    const auto* item = skin.coRgns.Find(name);
    if (!item || !item->Rgn()) {
        ADD_FAILURE() << "the skin has no region " << name;
        return empty;
    }
    return *item->Rgn();
}

// The body without any widget on it: body-main less every region that is
// not one of the body's own (body-...).
inline platform::Region BareBody(const Skin& skin)
{
    platform::Region bare = RegionOf(skin, "body-main");
    for (const ClsZelkoRgn& item : skin.coRgns) {
        if (item.Name().starts_with("body-") || !item.Rgn()) continue;
        bare = bare.Subtracted(*item.Rgn());
    }
    return bare;
}

// Holds the X display for one test. CTest runs test cases in parallel
// processes that share one display: windows of another test would cover the
// pixels this one reads. Every screen test takes this lock (a file lock named
// after the display) for its whole run.
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
        if (m_fd >= 0) ::close(m_fd);  // closing releases the lock
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

// Clicks the left mouse button at a screen position through the X server.
inline bool ClickOnScreen(int x, int y)
{
    return std::system(("xdotool mousemove " + std::to_string(x) + " " + std::to_string(y) + " click 1").c_str()) == 0;
}

// The real program, started by the test on this display in a program folder
// of its own as "/develop", and killed at the end if it still runs.
class RunningProgramTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (!QApplication::instance())
            GTEST_SKIP() << "no X display";
        if (!std::filesystem::exists(ZELKO_PROGRAM_DIR "/Zelko"))
            GTEST_SKIP() << "the program is not built";
        m_displayLock = std::make_unique<DisplayLock>();
    }
    void TearDown() override
    {
        if (m_player.state() != QProcess::NotRunning) {
            m_player.kill();
            m_player.waitForFinished(5000);
        }
        m_displayLock.reset();
    }

    // Starts the program with these variables set and those removed.
    void StartProgram(const ProgramFolder& folder, const std::vector<std::pair<QString, QString>>& variables = {},
                      const std::vector<QString>& removed = {})
    {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        for (const QString& name : removed)
            env.remove(name);
        env.insert("QT_QPA_PLATFORM", "xcb");
        env.insert("ZELKO_AUDIO", "null");
        env.insert("ASAN_OPTIONS", "strict_string_checks=1:detect_leaks=0:suppressions=" ZELKO_SOURCE_DIR "/tests/player/screen/asan.supp");
        for (const auto& [name, value] : variables)
            env.insert(name, value);
        m_player.setProcessEnvironment(env);
        m_player.setWorkingDirectory(QString::fromStdString(folder.Path().string()));
        m_player.start(QString::fromUtf8(ZELKO_PROGRAM_DIR "/Zelko"), {"/develop"});
        ASSERT_TRUE(m_player.waitForStarted(5000));
    }

    std::string Pid() const { return std::to_string(m_player.processId()); }

    // The first visible window of the program whose name matches, once it is
    // on the screen ("" after half a minute).
    std::string WaitForWindow(const std::string& xdotoolFilter = std::string())
    {
        return Output("timeout 30 xdotool search --sync --onlyvisible --pid " + Pid() + " " + xdotoolFilter +
                      " 2>/dev/null | head -n 1");
    }

    // Ends the program the normal way; whether it ended with the exit code.
    bool Terminate(int exitCode = 0)
    {
        ::kill(static_cast<pid_t>(m_player.processId()), SIGTERM);
        return m_player.waitForFinished(30000) && m_player.exitStatus() == QProcess::NormalExit &&
            m_player.exitCode() == exitCode;
    }

    std::unique_ptr<DisplayLock> m_displayLock;
    QProcess m_player;
};

// The main window started with the shipped default skin at a known place.
class ScreenTest : public ::testing::Test {
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
    // whether the window came up and shows its body.
    bool Start(const std::string& extraIni = std::string(), double clockSpeed = 1.0)
    {
        std::string skinIni;
        if (!SkinName().empty())
            skinIni = "[Skin]\r\nPath=" + m_folder.Folder() + "Skins/" + SkinName() + "/\r\nFile=" + SkinName() +
                      ".zks\r\n";
        m_folder.WriteIni(skinIni + "[Window]\r\nLeft=" + std::to_string(WindowLeft) + "\r\nTop=" + std::to_string(WindowTop) +
                          "\r\n" + extraIni);
        m_player = std::make_unique<frmZelko>(playertest::PlayerOptions(m_folder, m_answers, clockSpeed));
        // The desktop as it was before the window came, over the window's area.
        m_rootBefore = GrabScreen();
        if (!m_player->Form_Load()) return false;
        const platform::Region bare = BareBody(LoadedSkin());
        const platform::Rect box = bare.BoundingBox();
        // Above scale 1 each skin pixel is a block of the scale.
        const int scale = m_player->Window().Scale();
        // The bare body (no widget on it) tells that the window is on the screen.
        return WaitForScreen([&](const QImage& shot) {
            for (int y = box.top; y < box.bottom; ++y)
                for (int x = box.left; x < box.right; ++x) {
                    if (!bare.Contains(x, y))
                        continue;
                    const QRgb body = LoadedSkin().pictures.picBody.pixel(x, y);
                    for (int dy = 0; dy < scale; ++dy)
                        for (int dx = 0; dx < scale; ++dx)
                            if (shot.pixel(x * scale + dx, y * scale + dy) != body)
                                return false;
                }
            return true;
        });
    }

    // The shipped skin to start with; empty: the first of the catalogue.
    virtual std::string SkinName() const { return std::string(); }

    frmZelko& Player() { return *m_player; }
    const Skin& LoadedSkin() const { return m_player->CurrentSkin(); }

    // The window's area of the screen, in window coordinates.
    QImage WindowShot()
    {
        SkinWindow& window = m_player->Window();
        const platform::Point at = window.Position();
        return GrabScreen(QRect(at.x, at.y, window.width(), window.height()));
    }
    // The root background that was under a window pixel.
    QRgb RootAt(int x, int y) const { return m_rootBefore.pixel(WindowLeft + x, WindowTop + y); }

    // Runs the event loop and reads the screen until the condition holds
    // (at most five seconds); the last shot is kept.
    bool WaitForScreen(const std::function<bool(const QImage&)>& condition)
    {
        QElapsedTimer timer;
        timer.start();
        bool met = false;
        while (!met && timer.elapsed() < 5000) {
            QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
            m_lastShot = WindowShot();
            met = condition(m_lastShot);
        }
        return met;
    }
    const QImage& LastShot() const { return m_lastShot; }

    // Whether the shot shows the image imageKey (masked by maskKey) in the
    // region, drawn over the body picture.
    bool ShowsOnBody(const QImage& shot, std::string_view regionName, std::string_view imageKey,
                     std::string_view maskKey = std::string_view()) const
    {
        const platform::Region& region = RegionOf(LoadedSkin(), regionName);
        const std::optional<QImage> look =
            ExpectedLook(LoadedSkin(), imageKey, maskKey, region.BoundingBox(), LoadedSkin().pictures.picBody);
        if (!look) {
            ADD_FAILURE() << "the skin has no image " << imageKey;
            return false;
        }
        return Mismatches(shot, region, *look) == 0;
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
    const ProgramFolder& Folder() const { return m_folder; }

private:
    ProgramFolder m_folder;
    DialogAnswers m_answers;
    std::unique_ptr<frmZelko> m_player;
    std::unique_ptr<DisplayLock> m_displayLock;
    std::unique_ptr<QLabel> m_backdrop;
    QImage m_rootBefore;
    QImage m_lastShot;
};

} // namespace screentest
