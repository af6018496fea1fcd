// One QApplication on the X display for the whole test program; without a
// display none is made and every test skips.
#include <QApplication>

#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>

// The X keyboard library's false report is ignored (see asan.supp), and
// LeakSanitizer's tracer can crash at exit of a loaded X client; the same
// code is leak-checked offscreen.
extern "C" const char* __asan_default_options()
{
    return "suppressions=" ZELKO_SOURCE_DIR "/tests/player/screen/asan.supp"
           ":detect_leaks=0";
}

namespace {

class XcbApplicationEnvironment : public ::testing::Environment {
public:
    void SetUp() override
    {
        if (!std::getenv("DISPLAY")) return;
        qputenv("QT_QPA_PLATFORM", "xcb");
        m_app = std::make_unique<QApplication>(m_argc, m_argv);
    }
    void TearDown() override { m_app.reset(); }

private:
    int m_argc = 1;
    char m_name[24] = "test_player_screen";
    char* m_argv[2] = {m_name, nullptr};
    std::unique_ptr<QApplication> m_app;
};

[[maybe_unused]] const auto* const registered = ::testing::AddGlobalTestEnvironment(new XcbApplicationEnvironment);

} // namespace
