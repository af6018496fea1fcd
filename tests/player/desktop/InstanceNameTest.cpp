#include "player/desktop/InstanceName.h"
#include "support/ScopedEnvironment.h"

#include <gtest/gtest.h>

#include <QRegularExpression>

namespace {

// A normal run is the one player of the session; develop runs in other
// folders have other valid names.
TEST(InstanceNameTest, ANormalRunIsTheOnePlayerOfTheSessionDevelopRunsHaveAFolderName)
{
    EXPECT_EQ(desktop::InstanceBusName(desktop::RunKind::Normal, "/a/"), "org.mpris.MediaPlayer2.zelko");
    const std::string a = desktop::InstanceBusName(desktop::RunKind::Develop, "/work/skins/a");
    EXPECT_NE(a, desktop::InstanceBusName(desktop::RunKind::Develop, "/work/skins/b"));
    EXPECT_EQ(a, desktop::InstanceBusName(desktop::RunKind::Develop, "/work/skins/a"));
    // Bus name elements: letters, digits, "_" and "-", not starting with a digit.
    const QRegularExpression valid(QStringLiteral("^org\\.mpris\\.MediaPlayer2\\.zelko\\.[A-Za-z_-][A-Za-z0-9_-]*$"));
    EXPECT_TRUE(valid.match(QString::fromStdString(a)).hasMatch()) << a;

    testsupport::ScopedEnvironment runtime("XDG_RUNTIME_DIR", "/run/user/1234");
    EXPECT_EQ(desktop::InstanceLockPath("org.mpris.MediaPlayer2.zelko"), "/run/user/1234/org.mpris.MediaPlayer2.zelko.lock");
}

} // namespace
