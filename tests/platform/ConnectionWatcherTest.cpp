#include "platform/ConnectionWatcher.h"
#include "platform/UnixEndpoint.h"
#include "support/TempFolder.h"

#include <QCoreApplication>
#include <QThread>

#include <gtest/gtest.h>

#include <chrono>
#include <sys/socket.h>
#include <vector>

namespace platform {
namespace {

using namespace std::chrono_literals;

QCoreApplication& Application()
{
    static int argc = 1;
    static char name[] = "test_platform";
    static char* argv[] = {name, nullptr};
    if (QCoreApplication::instance() == nullptr)
        new QCoreApplication(argc, argv); // lives until the process ends
    return *QCoreApplication::instance();
}

void ProcessEventsFor(std::chrono::milliseconds span)
{
    const auto until = std::chrono::steady_clock::now() + span;
    while (std::chrono::steady_clock::now() < until)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
}

TEST(ConnectionWatcherTest, CallsOnTheContextsThreadOncePerWaitAndEndsPromptly)
{
    Application();
    testsupport::TempFolder folder;
    const auto path = folder.Path() / "endpoint";
    UnixEndpoint::ListenResult listening = UnixEndpoint::Listen(path, 1);
    ASSERT_TRUE(listening.Socket.Valid()) << listening.Error;

    int calls = 0;
    bool accept = false;
    QObject context;
    std::vector<FileDescriptor> accepted;
    {
        ConnectionWatcher watcher(listening.Socket.Get(), &context, [&] {
            ++calls;
            EXPECT_EQ(QThread::currentThread(), context.thread());
            if (!accept) return;
            for (int fd; (fd = ::accept4(listening.Socket.Get(), nullptr, nullptr, SOCK_CLOEXEC)) >= 0;)
                accepted.emplace_back(fd);
        });
        ASSERT_TRUE(watcher.Running());
        int client = -1;
        ASSERT_EQ(UnixEndpoint::Connect(path, client), UnixEndpoint::ConnectResult::Connected);
        FileDescriptor first(client);
        ProcessEventsFor(50ms);
        EXPECT_GE(calls, 1); // and again while the peer waits

        accept = true;
        ProcessEventsFor(50ms);
        ASSERT_EQ(accepted.size(), 1u);
        const int settled = calls;
        ProcessEventsFor(50ms);
        EXPECT_EQ(calls, settled) << "no peer waits, so no call";

        ASSERT_EQ(UnixEndpoint::Connect(path, client), UnixEndpoint::ConnectResult::Connected);
        FileDescriptor second(client);
        ProcessEventsFor(50ms);
        EXPECT_EQ(accepted.size(), 2u);
    }
    // The watcher has ended: a peer now waits with nobody to call.
    const int ended = calls;
    int client = -1;
    ASSERT_EQ(UnixEndpoint::Connect(path, client), UnixEndpoint::ConnectResult::Connected);
    FileDescriptor third(client);
    ProcessEventsFor(50ms);
    EXPECT_EQ(calls, ended);
}

} // namespace
} // namespace platform
