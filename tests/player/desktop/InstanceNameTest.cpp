#include "player/desktop/InstanceName.h"

#include <gtest/gtest.h>

#include <QRegularExpression>

#include <cstdlib>

namespace {

TEST(InstanceNameTest, ANormalRunIsTheOnePlayerOfTheSession)
{
    EXPECT_EQ(desktop::InstanceBusName(desktop::RunKind::Normal, "/a/"), "org.mpris.MediaPlayer2.zelko");
    EXPECT_EQ(desktop::InstanceBusName(desktop::RunKind::Normal, "/b/"), "org.mpris.MediaPlayer2.zelko");
}

TEST(InstanceNameTest, DevelopRunsInOtherFoldersHaveOtherValidNames)
{
    const std::string a = desktop::InstanceBusName(desktop::RunKind::Develop, "/work/skins/a");
    const std::string b = desktop::InstanceBusName(desktop::RunKind::Develop, "/work/skins/b");
    EXPECT_NE(a, b);
    EXPECT_EQ(a, desktop::InstanceBusName(desktop::RunKind::Develop, "/work/skins/a"));
    EXPECT_TRUE(a.starts_with("org.mpris.MediaPlayer2.zelko."));
    // Bus name elements: letters, digits, "_" and "-", not starting with a digit.
    const QRegularExpression valid(QStringLiteral("^[A-Za-z_-][A-Za-z0-9_-]*(\\.[A-Za-z_-][A-Za-z0-9_-]*)+$"));
    EXPECT_TRUE(valid.match(QString::fromStdString(a)).hasMatch()) << a;
}

TEST(InstanceNameTest, TheLockLivesInTheRuntimeFolder)
{
    const char* old = std::getenv("XDG_RUNTIME_DIR");
    const std::string kept = old != nullptr ? old : "";
    ::setenv("XDG_RUNTIME_DIR", "/run/user/1234", 1);
    EXPECT_EQ(desktop::InstanceLockPath("org.mpris.MediaPlayer2.zelko"),
              "/run/user/1234/org.mpris.MediaPlayer2.zelko.lock");
    if (old != nullptr)
        ::setenv("XDG_RUNTIME_DIR", kept.c_str(), 1);
    else
        ::unsetenv("XDG_RUNTIME_DIR");
}

} // namespace
