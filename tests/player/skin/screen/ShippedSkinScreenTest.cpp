#include "player/skin/SkinLoader.h"
#include "player/skin/SkinWindow.h"
#include "player/skin/SkinWindowBuilder.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QImage>
#include <QPixmap>
#include <QScreen>
#include <QWindow>

#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>

// Under AddressSanitizer, ignore a false report from the X keyboard library
// (see asan.supp); the environment's ASAN_OPTIONS still apply on top.
extern "C" const char* __asan_default_options()
{
    return "suppressions=" ZELKO_SOURCE_DIR "/tests/player/skin/screen/asan.supp"
           // LeakSanitizer's tracer can crash at exit of a loaded X client after
           // every test passed; the same code is leak-checked offscreen.
           ":detect_leaks=0";
}

namespace {

// The shipped skins as they appear on an X display: outside the outline the
// root window shows through, inside it the body picture.
class ShippedSkinScreenTest : public ::testing::TestWithParam<const char*> {
protected:
    static void SetUpTestSuite()
    {
        if (!std::getenv("DISPLAY")) return;
        qputenv("QT_QPA_PLATFORM", "xcb");
        static int argc = 1;
        static char name[] = "test_player_skin_screen";
        static char* argv[] = {name, nullptr};
        s_app = std::make_unique<QApplication>(argc, argv);
    }
    static void TearDownTestSuite() { s_app.reset(); }

    static QImage GrabScreen()
    {
        return QGuiApplication::primaryScreen()->grabWindow(0).toImage().convertToFormat(QImage::Format_RGB32);
    }

    // Lets the window system show and paint the window.
    static bool WaitUntilShown(SkinWindow& window)
    {
        QElapsedTimer timer;
        timer.start();
        while (timer.elapsed() < 5000) {
            QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
            if (window.windowHandle() && window.windowHandle()->isExposed() && window.isVisible()) {
                QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
                return true;
            }
        }
        return false;
    }

    static std::unique_ptr<QApplication> s_app;
};

std::unique_ptr<QApplication> ShippedSkinScreenTest::s_app;

} // namespace

TEST_P(ShippedSkinScreenTest, OutsideTheOutlineIsTheRootInsideIsTheBody)
{
    if (!s_app) GTEST_SKIP() << "no X display";
    const std::string folder = std::string(ZELKO_PROGRAM_DIR) + "/Skins/" + GetParam() + "/";
    const SkinLoadResult loaded = LoadSkin(folder, std::string(GetParam()) + ".zks");
    ASSERT_TRUE(loaded.skin.has_value());
    const Skin& skin = *loaded.skin;
    const QImage before = GrabScreen();

    SkinWindow window;
    const int left = 40, top = 30;
    const DrawerStates states = BuildSkinWindow(window, skin, SkinWindowSettings{left, top, false, false});
    window.show();
    ASSERT_TRUE(WaitUntilShown(window));
    const QImage after = GrabScreen();
    window.hide();
    if (const char* dir = std::getenv("ZELKO_SCREENSHOT_DIR")) {
        after.copy(0, 0, left * 2 + window.width(), top * 2 + window.height())
            .save(QString::fromStdString(std::string(dir) + "/" + GetParam() + ".png"));
    }

    const platform::Region shape = SkinWindowShape(skin, states);
    const platform::Region& main = *skin.coRgns.Find("body-main")->Rgn();
    const QImage& body = skin.pictures.picBody;
    int checkedInside = 0, checkedOutside = 0;
    for (int y = 0; y < window.height(); ++y) {
        for (int x = 0; x < window.width(); ++x) {
            const QRgb shown = after.pixel(left + x, top + y);
            if (main.Contains(x, y)) {
                ASSERT_EQ(shown, body.pixel(x, y)) << GetParam() << " body at " << x << "," << y;
                ++checkedInside;
            } else if (!shape.Contains(x, y)) {
                ASSERT_EQ(shown, before.pixel(left + x, top + y)) << GetParam() << " root at " << x << "," << y;
                ++checkedOutside;
            }
        }
    }
    EXPECT_GT(checkedInside, 10000);
    EXPECT_GT(checkedOutside, 1000) << "the outline is not a plain rectangle";
}

INSTANTIATE_TEST_SUITE_P(Skins, ShippedSkinScreenTest, ::testing::Values("Carbon", "Meadow"));
