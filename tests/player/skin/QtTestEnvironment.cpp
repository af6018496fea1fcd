#include "SkinTestSupport.h"

#include <gtest/gtest.h>

namespace {

std::unique_ptr<QApplication>& Application()
{
    static std::unique_ptr<QApplication> app;
    return app;
}

class QtTestEnvironment : public ::testing::Environment {
public:
    void TearDown() override { Application().reset(); }
};

const ::testing::Environment* const kEnvironment = ::testing::AddGlobalTestEnvironment(new QtTestEnvironment);

} // namespace

void EnsureGuiApplication()
{
    if (QApplication::instance()) return;
    static int argc = 1;
    static char name[] = "test_player_skin";
    static char* argv[] = {name, nullptr};
    Application() = std::make_unique<QApplication>(argc, argv);
}
