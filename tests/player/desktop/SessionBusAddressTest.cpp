#include "player/desktop/SessionBusAddress.h"
#include "support/ScopedEnvironment.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <QDBusConnection>

#include <cstdio>
#include <fstream>
#include <string>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

namespace {

std::string Address()
{
    const char* address = std::getenv("DBUS_SESSION_BUS_ADDRESS");
    return address ? address : "(unset)";
}

// A bus is named by the variable or by a socket in the runtime folder; with
// neither, every connection fails at once (no daemon is launched).
TEST(SessionBusAddressTest, OnlyANamedBusIsLookedFor)
{
    testsupport::TempFolder runtime;
    testsupport::ScopedEnvironment runtimeDir("XDG_RUNTIME_DIR", runtime.Path().c_str());
    const std::string socketPath = (runtime.Path() / "bus").string();

    testsupport::ScopedEnvironment unset("DBUS_SESSION_BUS_ADDRESS", nullptr);
    std::ofstream(socketPath) << "a plain file is no bus";
    EXPECT_FALSE(desktop::SessionBusNamed());
    std::remove(socketPath.c_str());

    const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
    sockaddr_un where{};
    where.sun_family = AF_UNIX;
    std::snprintf(where.sun_path, sizeof where.sun_path, "%s", socketPath.c_str());
    ASSERT_EQ(::bind(fd, reinterpret_cast<sockaddr*>(&where), sizeof where), 0);
    desktop::DisableUnnamedSessionBus();
    EXPECT_EQ(Address(), "(unset)");
    ::close(fd);
    std::remove(socketPath.c_str());

    {
        testsupport::ScopedEnvironment named("DBUS_SESSION_BUS_ADDRESS", "unix:path=/nowhere");
        desktop::DisableUnnamedSessionBus();
        EXPECT_EQ(Address(), "unix:path=/nowhere");
    }

    desktop::DisableUnnamedSessionBus();
    EXPECT_EQ(Address(), "disabled:");
    EXPECT_FALSE(QDBusConnection::connectToBus(QDBusConnection::SessionBus, QStringLiteral("zelko-test")).isConnected());
    QDBusConnection::disconnectFromBus(QStringLiteral("zelko-test"));
}

} // namespace
